// A long, seeded, randomised session with the real main dialog: typing good
// and bad texts, computing, opening and closing the About boxes. After every
// Compute the fields must show what the engine gives for the typed texts, or
// the defined message box must come up; at the end nothing of the program
// may be left over.
#include "ClockDlg.h"
#include "DataExchangeRules.h"
#include "PllEngine.h"
#include "ResultText.h"
#include "UiTestSupport.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

using namespace WindowDriver;

namespace {

constexpr const char* kCaption = "Quorvane v1.0";
constexpr int kInteractions = 600;
constexpr unsigned kDefaultSeed = 20261211;

const int kResultFields[] = {IDC_REG07,   IDC_REG06,    IDC_REG11,    IDC_REG80,    IDC_REG81,
                             IDC_REG82,   IDC_REG97,    IDC_REG100,   IDC_REG101,   IDC_VCO_48K,
                             IDC_DSP_48K, IDC_OCLK_48K, IDC_VCO_44K1, IDC_DSP_44K1, IDC_OCLK_44K1};
using ResultTexts = std::array<std::string, 15>;

ResultTexts ReadResults(HWND hDlg)
{
    ResultTexts texts;
    for (size_t i = 0; i < texts.size(); ++i)
        texts[i] = ItemText(hDlg, kResultFields[i]);
    return texts;
}

// What the dialog must show after a successful computation.
ResultTexts ExpectedResults(const ConfigResult& r)
{
    const RegisterSet& g = r.registers;
    return {
        FormatRegisterText(g.reg07),     FormatRegisterText(g.reg06),     FormatRegisterText(g.reg11),
        FormatRegisterText(g.reg80),     FormatRegisterText(g.reg81),     FormatRegisterText(g.reg82),
        FormatRegisterText(g.reg97),     FormatRegisterText(g.reg100),    FormatRegisterText(g.reg101),
        FormatVcoText(r.clocks48.vcoHz), FormatDspText(r.clocks48.dspHz), FormatOclkText(r.clocks48.oclkHz),
        FormatVcoText(r.clocks44.vcoHz), FormatDspText(r.clocks44.dspHz), FormatOclkText(r.clocks44.oclkHz)};
}

class Session {
public:
    Session(HWND hDlg, unsigned seed) : m_hDlg(hDlg), m_random(seed) {}

    void TypeCrystal()
    {
        static const char* const kCrystals[] = {
            "14.31818", "27",   "33.8688", "12.288", "24.576", "4",   "300",    "240",     "240.0001", "15",
            "16.9344",  " 27 ", "2.7d1",   "1e999",  "0",      "0.0", "49.152", "11.2896", "18.432"};
        static const char* const kBad[] = {"12abc", ".0", "1+5", "1e-400", "",
                                           "+0",    "-0", "abc", "1,5",    "--1"};
        std::string text;
        switch (Pick(4)) {
        case 0:
            text = kBad[Pick(std::size(kBad))];
            break;
        case 1: {
            // A crystal between 0.5 and 250 MHz with one to seven decimals.
            const int decimals = 1 + static_cast<int>(Pick(7));
            char buffer[32];
            std::snprintf(buffer, sizeof buffer, "%.*f", decimals,
                          std::uniform_real_distribution<double>(0.5, 250.0)(m_random));
            text = buffer;
            break;
        }
        default:
            text = kCrystals[Pick(std::size(kCrystals))];
        }
        Type(IDC_XTI, text);
    }

    void TypeRatio()
    {
        static const char* const kRatios[] = {"256", "384",  "512",         "128",   "192", "768", "249",
                                              "0",   "-256", "99999999999", " 256 ", "64",  "1024"};
        static const char* const kBad[] = {"abc", "+0", "-0", "", "1.5", "2e3", "12abc"};
        Type(IDC_RATIO, Pick(4) == 0 ? kBad[Pick(std::size(kBad))] : kRatios[Pick(std::size(kRatios))]);
    }

    // Compute, and check what the user then sees against the engine.
    void Compute()
    {
        ++computes;
        const std::optional<std::int32_t> ratio = ParseIntegerField(m_ratioText);
        const std::optional<double> xti = ParseDoubleField(m_xtiText);
        const ResultTexts before = ReadResults(m_hDlg);
        if (!ratio || !xti) {
            // The ratio is read first; a refusal ends the press.
            ExpectBox(!ratio ? "Please enter an integer." : "Please enter a number.", "Quorvane");
            EXPECT_EQ(ReadResults(m_hDlg), before);
            ++refusals;
            return;
        }
        const ConfigResult result = RunConfiguration({*xti, *ratio});
        switch (result.status) {
        case ConfigStatus::Success:
            ::SendMessageA(m_hDlg, WM_COMMAND, MAKEWPARAM(IDC_COMPUTE, BN_CLICKED),
                           reinterpret_cast<LPARAM>(::GetDlgItem(m_hDlg, IDC_COMPUTE)));
            EXPECT_EQ(ReadResults(m_hDlg), ExpectedResults(result))
                << m_xtiText << " MHz, ratio " << m_ratioText;
            ++successes;
            break;
        case ConfigStatus::InputDividerOutOfRange:
            ExpectBox(result.message, "Error");
            EXPECT_EQ(ReadResults(m_hDlg), before);
            ++failures;
            break;
        case ConfigStatus::NoPairFound:
            ExpectBox(result.message, "Quorvane");
            EXPECT_EQ(ReadResults(m_hDlg), before);
            ++failures;
            break;
        }
    }

    void OpenAbout(bool withLinks)
    {
        ++aboutBoxes;
        if (withLinks)
            Click(m_hDlg, IDC_ABOUT);
        else
            ::PostMessageA(m_hDlg, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
        HWND about = WaitForWindow(0, "#32770", "About");
        ASSERT_NE(about, nullptr);
        EXPECT_EQ(::GetDlgItem(about, IDC_LINK_WEB) != nullptr, withLinks);
        EXPECT_FALSE(::IsWindowEnabled(m_hDlg));
        if (Pick(2) == 0)
            PressKey(about, VK_ESCAPE);
        else
            Click(about, IDOK);
        ASSERT_TRUE(WaitFor([about] { return !::IsWindow(about); }));
        EXPECT_TRUE(::IsWindowEnabled(m_hDlg));
    }

    size_t Pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(m_random); }

    int computes = 0, successes = 0, failures = 0, refusals = 0, aboutBoxes = 0;

private:
    void Type(int field, const std::string& text)
    {
        SetItemText(m_hDlg, field, text);
        (field == IDC_XTI ? m_xtiText : m_ratioText) = text;
    }

    void ExpectBox(const char* text, const char* caption)
    {
        Click(m_hDlg, IDC_COMPUTE);
        const MessageBoxInfo box = WaitForMessageBox(m_hDlg);
        ASSERT_NE(box.hWnd, nullptr) << "no box for " << m_xtiText << " MHz, ratio " << m_ratioText;
        EXPECT_EQ(box.text, text);
        EXPECT_EQ(box.caption, caption);
        ASSERT_TRUE(AnswerMessageBox(box.hWnd));
        // The press has ended once the dialog answers again.
        ::SendMessageA(m_hDlg, WM_NULL, 0, 0);
        EXPECT_TRUE(TopLevelWindows(0, "#32770", "Computing....").empty());
    }

    HWND m_hDlg;
    std::mt19937 m_random;
    std::string m_xtiText = "14.31818";
    std::string m_ratioText = "256";
};

unsigned Seed()
{
    const char* text = std::getenv("QUORVANE_SOAK_SEED");
    return text != nullptr ? static_cast<unsigned>(std::strtoul(text, nullptr, 10)) : kDefaultSeed;
}

TEST(SoakTest, RandomisedSessionWithTheMainDialog)
{
    const unsigned seed = Seed();
    const long fontsBefore = CFont::HeldCount();
    const size_t boundBefore = CWnd::BoundCount();
    int interactions = 0;
    std::chrono::duration<double> took{};
    CClockDlg dlg;
    RunDriven(dlg, kCaption, [&](HWND hDlg) {
        Session session(hDlg, seed);
        const auto start = std::chrono::steady_clock::now();
        for (; interactions < kInteractions && !::testing::Test::HasFatalFailure(); ++interactions) {
            switch (session.Pick(10)) {
            case 0:
            case 1:
            case 2:
                session.TypeCrystal();
                break;
            case 3:
            case 4:
                session.TypeRatio();
                break;
            case 5:
            case 6:
            case 7:
                session.Compute();
                break;
            case 8:
                session.OpenAbout(false);
                break;
            default:
                session.OpenAbout(true);
            }
        }
        took = std::chrono::steady_clock::now() - start;
        // Still answering, and nothing but the dialog left on screen.
        DWORD_PTR answer = 0;
        EXPECT_TRUE(::SendMessageTimeoutA(hDlg, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer));
        EXPECT_EQ(TopLevelWindows(0, "#32770").size(), 1u);
        EXPECT_TRUE(TopLevelWindows(0, "tooltips_class32").empty());
        std::printf("soak: seed %u, %d interactions in %.1f s: %d computes (%d results, %d failure boxes, "
                    "%d refusals), %d About boxes\n",
                    seed, interactions, took.count(), session.computes, session.successes, session.failures,
                    session.refusals, session.aboutBoxes);
        EXPECT_GT(session.successes, 0);
        EXPECT_GT(session.failures, 0);
        EXPECT_GT(session.refusals, 0);
        EXPECT_GT(session.aboutBoxes, 0);
    });
    EXPECT_EQ(interactions, kInteractions);
    // Every window, font and tooltip of the session has gone, and no object
    // is left bound to a window.
    EXPECT_TRUE(TopLevelWindows(0, "#32770").empty());
    EXPECT_TRUE(TopLevelWindows(0, "tooltips_class32").empty());
    EXPECT_EQ(CFont::HeldCount(), fontsBefore);
    EXPECT_EQ(CWnd::BoundCount(), boundBefore);
}

} // namespace
