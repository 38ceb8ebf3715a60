// The compiled dialog templates, read back from this program's own resources
// and compared field by field with the intended layouts; then the dialogs
// made from them, whose controls must sit where their dialog units say.
#include "DialogTemplate.h"
#include "resource.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Atoms of the predefined window classes, which a resource compiler writes
// instead of the names "Button", "Edit" and "Static".
constexpr std::uint16_t kButton = 0x0080;
constexpr std::uint16_t kEdit = 0x0081;
constexpr std::uint16_t kStatic = 0x0082;

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kText = kChild | WS_GROUP | SS_LEFT;
constexpr DWORD kCentredText = kChild | WS_GROUP | SS_CENTER;
constexpr DWORD kFrame = kChild | SS_SUNKEN | SS_BLACKFRAME;
constexpr DWORD kEditField = kChild | WS_BORDER | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
constexpr DWORD kPushButton = kChild | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kDefaultButton = kChild | WS_TABSTOP | BS_DEFPUSHBUTTON;
constexpr DWORD kGroupBox = kChild | BS_GROUPBOX;

constexpr DWORD kBoxStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;

struct ExpectedControl {
    int id;
    std::uint16_t classAtom;
    DWORD style;
    DWORD exStyle;
    const char* text; // nullptr: an image control showing resource `image`
    std::uint16_t image;
    int x, y, cx, cy;
};

struct ExpectedDialog {
    int templateId;
    bool extended;
    DWORD style;
    DWORD exStyle;
    int x, y, cx, cy;
    const char* caption;
    int pointSize;
    const char* typeface;
    int weight, italic, charset; // extended templates only
    std::vector<ExpectedControl> controls;
};

const ExpectedDialog kMainDialog = {
    IDD_CLOCK_DIALOG,
    true,
    WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
    WS_EX_APPWINDOW,
    0,
    0,
    217,
    154,
    "Quorvane v1.0",
    8,
    "MS Sans Serif",
    0,
    0,
    1,
    {
        {IDC_STATIC, kStatic, kText, 0, "OCLK", 0, 12, 106, 21, 8},
        {IDC_STATIC, kStatic, kText, 0, "DSP", 0, 12, 93, 21, 8},
        {IDC_STATIC, kStatic, kText, 0, "VCO", 0, 12, 80, 21, 8},
        {IDC_STATIC, kStatic, kFrame, 0, "", 0, 33, 78, 29, 13},
        {IDC_STATIC, kStatic, kFrame, 0, "", 0, 33, 91, 29, 13},
        {IDOK, kButton, kDefaultButton, 0, "Exit", 0, 7, 133, 25, 14},
        {IDC_COMPUTE, kButton, kPushButton, 0, "Compute", 0, 7, 36, 90, 14},
        {IDC_XTI, kEdit, kEditField, 0, "", 0, 7, 18, 40, 14},
        {IDC_RATIO, kEdit, kEditField, 0, "", 0, 57, 18, 40, 14},
        {IDC_STATIC, kStatic, kText, 0, "XTI Freq. (MHz)", 0, 7, 7, 52, 8},
        {IDC_STATIC, kStatic, kText, 0, "Ovr. Ratio", 0, 61, 7, 34, 8},
        {IDC_STATIC, kStatic, kFrame, 0, "", 0, 164, 20, 22, 13},
        {IDC_STATIC, kStatic, kText, 0, "Register 07", 0, 114, 23, 47, 8},
        {IDC_STATIC, kStatic, kFrame, 0, "", 0, 164, 33, 22, 13},
        {IDC_STATIC, kStatic, kFrame, 0, "", 0, 164, 46, 22, 13},
        {IDC_STATIC, kStatic, kFrame, 0, "", 0, 164, 59, 22, 13},
        {IDC_STATIC, kStatic, kFrame, 0, "", 0, 164, 72, 22, 13},
        {IDC_STATIC, kStatic, kFrame, 0, "", 0, 164, 85, 22, 13},
        {IDC_STATIC, kStatic, kFrame, 0, "", 0, 164, 98, 22, 13},
        {IDC_STATIC, kStatic, kFrame, 0, "", 0, 164, 111, 22, 13},
        {IDC_STATIC, kStatic, kFrame, 0, "", 0, 164, 124, 22, 13},
        {IDC_STATIC, kStatic, kText, 0, "Register 06", 0, 114, 36, 47, 8},
        {IDC_STATIC, kStatic, kText, 0, "Register 11", 0, 114, 49, 47, 8},
        {IDC_STATIC, kStatic, kText, 0, "Register 80", 0, 114, 62, 47, 8},
        {IDC_STATIC, kStatic, kText, 0, "Register 81", 0, 114, 75, 47, 8},
        {IDC_STATIC, kStatic, kText, 0, "Register 82", 0, 114, 88, 47, 8},
        {IDC_STATIC, kStatic, kText, 0, "Register 97", 0, 114, 101, 47, 8},
        {IDC_STATIC, kStatic, kText, 0, "Register 100", 0, 114, 114, 47, 8},
        {IDC_STATIC, kStatic, kText, 0, "Register 101", 0, 114, 127, 47, 8},
        {IDC_STATIC, kButton, kGroupBox, WS_EX_DLGMODALFRAME, "Other clocks - MHz", 0, 7, 55, 90, 72},
        {IDC_STATIC, kStatic, kFrame, 0, "", 0, 33, 104, 29, 13},
        {IDC_VCO_44K1, kStatic, kCentredText, 0, "000.00", 0, 34, 80, 27, 8},
        {IDC_DSP_44K1, kStatic, kCentredText, 0, "000.00", 0, 34, 93, 27, 8},
        {IDC_OCLK_44K1, kStatic, kCentredText, 0, "000.00", 0, 34, 106, 27, 8},
        {IDC_REG07, kStatic, kCentredText, 0, "000", 0, 169, 23, 12, 8},
        {IDC_REG06, kStatic, kCentredText, 0, "000", 0, 169, 36, 12, 8},
        {IDC_REG11, kStatic, kCentredText, 0, "000", 0, 169, 49, 12, 8},
        {IDC_REG80, kStatic, kCentredText, 0, "000", 0, 169, 62, 12, 8},
        {IDC_REG81, kStatic, kCentredText, 0, "000", 0, 169, 75, 12, 8},
        {IDC_REG82, kStatic, kCentredText, 0, "000", 0, 169, 88, 12, 8},
        {IDC_REG97, kStatic, kCentredText, 0, "000", 0, 169, 101, 12, 8},
        {IDC_REG100, kStatic, kCentredText, 0, "000", 0, 169, 114, 12, 8},
        {IDC_REG101, kStatic, kCentredText, 0, "000", 0, 169, 127, 12, 8},
        {IDC_STATIC, kButton, kGroupBox, WS_EX_DLGMODALFRAME, "Registers", 0, 101, 7, 109, 140},
        {IDC_ABOUT, kButton, kPushButton, 0, "About", 0, 47, 133, 50, 14},
        {IDC_STATIC, kStatic, kFrame, 0, "", 0, 63, 78, 29, 13},
        {IDC_STATIC, kStatic, kFrame, 0, "", 0, 63, 91, 29, 13},
        {IDC_STATIC, kStatic, kFrame, 0, "", 0, 63, 104, 29, 13},
        {IDC_VCO_48K, kStatic, kCentredText, 0, "000.00", 0, 64, 80, 27, 8},
        {IDC_DSP_48K, kStatic, kCentredText, 0, "000.00", 0, 64, 93, 27, 9},
        {IDC_OCLK_48K, kStatic, kCentredText, 0, "000.00", 0, 64, 106, 27, 8},
        {IDC_STATIC, kStatic, kCentredText, 0, "44.1 KHz", 0, 33, 68, 29, 8},
        {IDC_STATIC, kStatic, kCentredText, 0, "48 KHz", 0, 63, 68, 29, 8},
    }};

const ExpectedDialog kComputingNotice = {
    IDD_COMPUTING,
    false,
    kBoxStyle,
    0,
    0,
    0,
    131,
    55,
    "Computing....",
    8,
    "MS Sans Serif",
    0,
    0,
    0,
    {
        {IDC_STATIC, kStatic, kCentredText, 0, "Computing,", 0, 18, 15, 94, 8},
        {IDC_STATIC, kStatic, kCentredText, 0, "Please wait.........", 0, 18, 30, 94, 8},
    }};

const ExpectedDialog kAboutBox = {
    IDD_ABOUTBOX,
    false,
    kBoxStyle,
    0,
    0,
    0,
    217,
    92,
    "About",
    8,
    "MS Sans Serif",
    0,
    0,
    0,
    {
        {IDC_STATIC, kStatic, kChild | SS_ICON, 0, nullptr, IDR_MAINFRAME, 11, 21, 20, 20},
        {IDC_STATIC, kStatic, kText | SS_NOPREFIX, 0, "Quorvane Version 1.0", 0, 49, 15, 119, 8},
        {IDC_STATIC, kStatic, kText, 0, "(C) 2026 the Quorvane authors", 0, 49, 69, 119, 8},
        {IDOK, kButton, kDefaultButton | WS_GROUP, 0, "OK", 0, 178, 7, 32, 14},
        {IDC_STATIC, kStatic, kText, 0, "Written by the Quorvane authors", 0, 49, 25, 119, 8},
        {IDC_STATIC, kStatic, kText, 0, "E-Mail: quorvane@example.org", 0, 49, 35, 119, 8},
    }};

const ExpectedDialog kCreditsBox = {
    IDD_CREDITS,
    false,
    kBoxStyle,
    0,
    0,
    0,
    195,
    156,
    "About",
    8,
    "MS Sans Serif",
    0,
    0,
    0,
    {
        {IDOK, kButton, kDefaultButton, 0, "OK", 0, 157, 135, 31, 14},
        {IDC_STATIC, kStatic, kCentredText | SS_NOPREFIX, 0, "Quorvane v1.0", 0, 38, 14, 119, 8},
        {IDC_STATIC, kStatic, kCentredText, 0, "Copyright (C) 2026", 0, 38, 103, 119, 8},
        {IDC_STATIC, kStatic, kCentredText, 0, "Written by the Quorvane authors", 0, 38, 27, 119, 8},
        {IDC_STATIC, kStatic, kCentredText, 0, "the Quorvane authors", 0, 38, 114, 119, 8},
        {IDC_LINK_MAIL, kStatic, kCentredText, 0, "E-mail : quorvane@example.org", 0, 38, 40, 119, 8},
        {IDC_LINK_WEB, kStatic, kCentredText, 0, "Internet site : https://quorvane.example.org/", 0, 38, 126,
         119, 8},
        {IDC_STATIC, kStatic, kChild | SS_BITMAP, 0, nullptr, IDB_CREDITS, 72, 61, 50, 32},
        {IDC_STATIC, kStatic, kChild | SS_ICON, 0, nullptr, IDR_MAINFRAME, 26, 17, 20, 20},
    }};

const ExpectedDialog* const kAllDialogs[] = {&kMainDialog, &kComputingNotice, &kAboutBox, &kCreditsBox};

std::optional<DialogTemplate> LoadTemplate(int id)
{
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5) /* RT_DIALOG */);
    if (!found)
        return std::nullopt;
    HGLOBAL loaded = LoadResource(nullptr, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes)
        return std::nullopt;
    return ParseDialogTemplate(bytes, SizeofResource(nullptr, found));
}

std::string Hex(DWORD value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(value));
    return text;
}

void ExpectControl(const DialogItem& item, const ExpectedControl& expected)
{
    EXPECT_EQ(item.id, expected.id);
    EXPECT_TRUE(item.windowClass.isOrdinal) << "class \"" << item.windowClass.text << "\"";
    EXPECT_EQ(item.windowClass.ordinal, expected.classAtom);
    EXPECT_EQ(Hex(item.style), Hex(expected.style));
    EXPECT_EQ(Hex(item.exStyle), Hex(expected.exStyle));
    if (expected.text) {
        EXPECT_FALSE(item.title.isOrdinal);
        EXPECT_EQ(item.title.text, expected.text);
    } else {
        EXPECT_TRUE(item.title.isOrdinal) << "text \"" << item.title.text << "\"";
        EXPECT_EQ(item.title.ordinal, expected.image);
    }
    EXPECT_EQ(item.x, expected.x);
    EXPECT_EQ(item.y, expected.y);
    EXPECT_EQ(item.cx, expected.cx);
    EXPECT_EQ(item.cy, expected.cy);
    EXPECT_EQ(item.helpId, 0u);
    EXPECT_EQ(item.creationDataSize, 0u);
}

void ExpectTemplate(const ExpectedDialog& expected)
{
    const std::optional<DialogTemplate> dialog = LoadTemplate(expected.templateId);
    ASSERT_TRUE(dialog.has_value()) << "template " << expected.templateId << " missing or malformed";

    EXPECT_EQ(dialog->extended, expected.extended);
    EXPECT_EQ(Hex(dialog->style), Hex(expected.style));
    EXPECT_EQ(Hex(dialog->exStyle), Hex(expected.exStyle));
    EXPECT_EQ(dialog->helpId, 0u);
    EXPECT_EQ(dialog->x, expected.x);
    EXPECT_EQ(dialog->y, expected.y);
    EXPECT_EQ(dialog->cx, expected.cx);
    EXPECT_EQ(dialog->cy, expected.cy);
    // No menu and no window class of its own: both fields are empty names.
    EXPECT_TRUE(!dialog->menu.isOrdinal && dialog->menu.text.empty());
    EXPECT_TRUE(!dialog->windowClass.isOrdinal && dialog->windowClass.text.empty());
    EXPECT_EQ(dialog->title, expected.caption);
    ASSERT_TRUE(dialog->hasFont);
    EXPECT_EQ(dialog->pointSize, expected.pointSize);
    EXPECT_EQ(dialog->typeface, expected.typeface);
    EXPECT_EQ(dialog->weight, expected.weight);
    EXPECT_EQ(dialog->italic, expected.italic);
    EXPECT_EQ(dialog->charset, expected.charset);

    ASSERT_EQ(dialog->items.size(), expected.controls.size());
    for (std::size_t i = 0; i < expected.controls.size(); ++i) {
        const ExpectedControl& control = expected.controls[i];
        SCOPED_TRACE("control #" + std::to_string(i + 1) + " (id " + std::to_string(control.id) + ", \"" +
                     (control.text ? control.text : "image") + "\")");
        ExpectControl(dialog->items[i], control);
    }
}

TEST(DialogTemplateTest, MainDialogMatchesItsLayout)
{
    ExpectTemplate(kMainDialog);
}

TEST(DialogTemplateTest, ComputingNoticeIsPlainAndHidden)
{
    ExpectTemplate(kComputingNotice);
}

TEST(DialogTemplateTest, AboutBoxMatchesItsLayout)
{
    ExpectTemplate(kAboutBox);
}

TEST(DialogTemplateTest, CreditsBoxMatchesItsLayout)
{
    ExpectTemplate(kCreditsBox);
}

TEST(DialogTemplateTest, ReaderRefusesTruncatedTemplates)
{
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(IDD_CLOCK_DIALOG), MAKEINTRESOURCEA(5));
    ASSERT_NE(found, nullptr);
    const void* bytes = LockResource(LoadResource(nullptr, found));
    const std::size_t size = SizeofResource(nullptr, found);
    ASSERT_TRUE(ParseDialogTemplate(bytes, size).has_value());
    // Cut inside the header, inside the font name, inside the first and the
    // last control: each must be noticed, never read past the end.
    for (std::size_t cut : {std::size_t{0}, std::size_t{3}, std::size_t{20}, std::size_t{60},
                            std::size_t{100}, size / 2, size - 8}) {
        SCOPED_TRACE("cut at " + std::to_string(cut) + " of " + std::to_string(size));
        EXPECT_FALSE(ParseDialogTemplate(bytes, cut).has_value());
    }
}

// ---------------------------------------------------------------------------
// The dialogs as the dialog manager builds them.

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

const char* ClassNameOf(std::uint16_t atom)
{
    switch (atom) {
    case kButton:
        return "Button";
    case kEdit:
        return "Edit";
    default:
        return "Static";
    }
}

// A dialog made from one of our templates, destroyed at the end of the scope.
class ScopedDialog {
public:
    explicit ScopedDialog(int templateId)
        : m_hwnd(CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), nullptr,
                                    PlainDialogProc, 0))
    {
    }
    ~ScopedDialog()
    {
        if (m_hwnd)
            DestroyWindow(m_hwnd);
    }
    ScopedDialog(const ScopedDialog&) = delete;
    ScopedDialog& operator=(const ScopedDialog&) = delete;
    HWND get() const { return m_hwnd; }

private:
    HWND m_hwnd;
};

RECT ChildRectInDialog(HWND dialog, HWND child)
{
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string Describe(const RECT& r)
{
    return "{" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) +
           ", " + std::to_string(r.bottom) + "}";
}

// Every child in Z order is the template's control in template order, of the
// right class, at MapDialogRect of its dialog units. An icon or bitmap
// control takes the size of its image at its place, which shows that the
// resource it names was found.
void ExpectChildrenPlaced(HWND dialog, const ExpectedDialog& expected)
{
    HWND child = GetWindow(dialog, GW_CHILD);
    for (std::size_t i = 0; i < expected.controls.size(); ++i, child = GetWindow(child, GW_HWNDNEXT)) {
        const ExpectedControl& control = expected.controls[i];
        SCOPED_TRACE("control #" + std::to_string(i + 1) + " (id " + std::to_string(control.id) + ")");
        ASSERT_NE(child, nullptr) << "fewer children than controls";

        EXPECT_EQ(static_cast<int>(static_cast<short>(GetDlgCtrlID(child))), control.id);
        char className[64] = {};
        GetClassNameA(child, className, sizeof className);
        EXPECT_STRCASEEQ(className, ClassNameOf(control.classAtom));

        // The dialog manager converts the position and the size each on its
        // own, so the right edge is not the mapped x + cx.
        RECT position = {control.x, control.y, control.x, control.y};
        RECT size = {0, 0, control.cx, control.cy};
        ASSERT_TRUE(MapDialogRect(dialog, &position));
        ASSERT_TRUE(MapDialogRect(dialog, &size));
        RECT want = {position.left, position.top, position.left + size.right, position.top + size.bottom};
        const DWORD kind = control.style & SS_TYPEMASK;
        if (control.classAtom == kStatic && kind == SS_ICON) {
            EXPECT_NE(SendMessageA(child, STM_GETICON, 0, 0), 0);
            want.right = want.left + GetSystemMetrics(SM_CXICON);
            want.bottom = want.top + GetSystemMetrics(SM_CYICON);
        } else if (control.classAtom == kStatic && kind == SS_BITMAP) {
            HBITMAP shown = reinterpret_cast<HBITMAP>(SendMessageA(child, STM_GETIMAGE, IMAGE_BITMAP, 0));
            ASSERT_NE(shown, nullptr);
            BITMAP info = {};
            ASSERT_NE(GetObjectA(shown, sizeof info, &info), 0);
            want.right = want.left + info.bmWidth;
            want.bottom = want.top + info.bmHeight;
        }
        EXPECT_EQ(Describe(ChildRectInDialog(dialog, child)), Describe(want));
    }
    EXPECT_EQ(child, nullptr) << "more children than controls";
}

TEST(DialogWindowTest, ControlsSitAtTheirDialogUnits)
{
    for (const ExpectedDialog* expected : kAllDialogs) {
        SCOPED_TRACE("template " + std::to_string(expected->templateId));
        ScopedDialog dialog(expected->templateId);
        ASSERT_NE(dialog.get(), nullptr) << "CreateDialogParamA failed, error " << GetLastError();

        char caption[64] = {};
        GetWindowTextA(dialog.get(), caption, sizeof caption);
        EXPECT_STREQ(caption, expected->caption);
        EXPECT_EQ(IsWindowVisible(dialog.get()) != FALSE, (expected->style & WS_VISIBLE) != 0);
        ExpectChildrenPlaced(dialog.get(), *expected);
    }
}

// The dialog units above only mean what the layout intends with the font the
// templates ask for; fonts-wine provides it under Wine.
TEST(DialogWindowTest, DialogsUseEightPointMsSansSerif)
{
    for (const ExpectedDialog* expected : kAllDialogs) {
        SCOPED_TRACE("template " + std::to_string(expected->templateId));
        ScopedDialog dialog(expected->templateId);
        ASSERT_NE(dialog.get(), nullptr);
        HFONT font = reinterpret_cast<HFONT>(SendMessageA(dialog.get(), WM_GETFONT, 0, 0));
        ASSERT_NE(font, nullptr);

        HDC dc = GetDC(dialog.get());
        const int pixelsPerInch = GetDeviceCaps(dc, LOGPIXELSY);
        HGDIOBJ previous = SelectObject(dc, font);
        char face[LF_FACESIZE] = {};
        GetTextFaceA(dc, sizeof face, face);
        SelectObject(dc, previous);
        ReleaseDC(dialog.get(), dc);
        EXPECT_STREQ(face, "MS Sans Serif");

        LOGFONTA logical = {};
        ASSERT_NE(GetObjectA(font, sizeof logical, &logical), 0);
        EXPECT_EQ(logical.lfHeight, -MulDiv(8, pixelsPerInch, 72));
    }
}

// The dialogs' texts are one line high: a text that needs a second line
// loses it, and a value wider than its field loses digits. In the main
// dialog the result fields' template texts are as wide as the widest value
// they show ("196.61"). The two links are left out, since a link fits its
// window to its text when it is bound.
TEST(DialogWindowTest, TextsFitOnOneLine)
{
    for (const ExpectedDialog* expected : {&kMainDialog, &kAboutBox, &kCreditsBox}) {
        SCOPED_TRACE("template " + std::to_string(expected->templateId));
        ScopedDialog dialog(expected->templateId);
        ASSERT_NE(dialog.get(), nullptr);
        HDC dc = GetDC(dialog.get());
        HGDIOBJ previous =
            SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(dialog.get(), WM_GETFONT, 0, 0)));
        for (const ExpectedControl& control : expected->controls) {
            if (!control.text || control.classAtom != kStatic || control.id == IDC_LINK_WEB ||
                control.id == IDC_LINK_MAIL)
                continue;
            SCOPED_TRACE(control.text);
            HWND child = nullptr;
            for (HWND c = GetWindow(dialog.get(), GW_CHILD); c && !child; c = GetWindow(c, GW_HWNDNEXT)) {
                char text[128] = {};
                GetWindowTextA(c, text, sizeof text);
                if (std::string(text) == control.text)
                    child = c;
            }
            ASSERT_NE(child, nullptr);
            RECT box;
            GetClientRect(child, &box);
            RECT needed = box;
            const UINT prefix = (control.style & SS_NOPREFIX) ? DT_NOPREFIX : 0;
            DrawTextA(dc, control.text, -1, &needed, DT_CALCRECT | DT_WORDBREAK | prefix);
            EXPECT_LE(needed.bottom - needed.top, box.bottom - box.top);
            EXPECT_LE(needed.right - needed.left, box.right - box.left);
        }
        SelectObject(dc, previous);
        ReleaseDC(dialog.get(), dc);
    }
}

TEST(DialogWindowTest, MainDialogTabsFromExitThroughAbout)
{
    ScopedDialog dialog(IDD_CLOCK_DIALOG);
    ASSERT_NE(dialog.get(), nullptr);
    const int order[] = {IDOK, IDC_COMPUTE, IDC_XTI, IDC_RATIO, IDC_ABOUT, IDOK};
    HWND current = GetDlgItem(dialog.get(), IDOK);
    for (std::size_t i = 1; i < std::size(order); ++i) {
        current = GetNextDlgTabItem(dialog.get(), current, FALSE);
        ASSERT_NE(current, nullptr);
        EXPECT_EQ(GetDlgCtrlID(current), order[i]) << "tab stop " << i;
    }
}

} // namespace
