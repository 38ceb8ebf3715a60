// String resources, the version record and the language of every resource.
#include "FrameworkResource.h"
#include "resource.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string LoadText(UINT id)
{
    char text[256] = {};
    const int length = LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text);
    return std::string(text, length > 0 ? length : 0);
}

TEST(StringResourceTest, LoadsTheMenuItemAndTheFrameworkTexts)
{
    EXPECT_EQ(LoadText(IDS_ABOUTBOX), "&About Quorvane...");
    EXPECT_EQ(LoadText(AFX_IDP_PARSE_INT), "Please enter an integer.");
    EXPECT_EQ(LoadText(AFX_IDP_PARSE_REAL), "Please enter a number.");
}

class VersionRecordTest : public testing::Test {
protected:
    void SetUp() override
    {
        char path[MAX_PATH] = {};
        ASSERT_NE(GetModuleFileNameA(nullptr, path, MAX_PATH), 0u);
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
        ASSERT_GT(size, 0u) << "no version record, error " << GetLastError();
        m_record.resize(size);
        ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, m_record.data()));
    }

    const void* Query(const char* path, UINT* length)
    {
        void* value = nullptr;
        *length = 0;
        if (!VerQueryValueA(m_record.data(), path, &value, length))
            return nullptr;
        return value;
    }

    std::vector<char> m_record;
};

TEST_F(VersionRecordTest, FixedPartSaysVersion1_0_0_1OfAnApplication)
{
    UINT length = 0;
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(Query("\\", &length));
    ASSERT_NE(fixed, nullptr);
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask, 0u); // a release, not a debug or private build
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST_F(VersionRecordTest, IsUsEnglishInUnicode)
{
    UINT length = 0;
    const auto* translation = static_cast<const WORD*>(Query("\\VarFileInfo\\Translation", &length));
    ASSERT_NE(translation, nullptr);
    ASSERT_EQ(length, 2 * sizeof(WORD)); // exactly one language
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 1200);
}

TEST_F(VersionRecordTest, TextFieldsNameQuorvaneAndItsAuthors)
{
    const struct {
        const char* field;
        const char* text;
    } fields[] = {
        {"Comments", "Written by the Quorvane authors"},
        {"CompanyName", "The Quorvane authors"},
        {"FileDescription", "Quorvane"},
        {"FileVersion", "1, 0, 0, 1"},
        {"InternalName", "Quorvane"},
        {"LegalCopyright", "Copyright (C) 2026 the Quorvane authors"},
        {"LegalTrademarks", "The Quorvane authors"},
        {"OriginalFilename", "Quorvane"},
        {"ProductName", "Quorvane"},
        {"ProductVersion", "1, 0, 0, 1"},
    };
    for (const auto& f : fields) {
        SCOPED_TRACE(f.field);
        UINT length = 0;
        const std::string path = std::string("\\StringFileInfo\\040904b0\\") + f.field;
        const char* text = static_cast<const char*>(Query(path.c_str(), &length));
        ASSERT_NE(text, nullptr);
        EXPECT_STREQ(text, f.text);
    }
}

TEST(ResourceLanguageTest, EveryResourceIsUsEnglish)
{
    const WORD usEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    const struct {
        LPCSTR type;
        int id;
    } resources[] = {
        {MAKEINTRESOURCEA(5), IDD_ABOUTBOX},
        {MAKEINTRESOURCEA(5), IDD_CLOCK_DIALOG},
        {MAKEINTRESOURCEA(5), IDD_CREDITS},
        {MAKEINTRESOURCEA(5), IDD_COMPUTING},
        {MAKEINTRESOURCEA(14), IDR_MAINFRAME},
        {MAKEINTRESOURCEA(12), IDC_HAND_CURSOR},
        {MAKEINTRESOURCEA(2), IDB_CREDITS},
        {MAKEINTRESOURCEA(6), IDS_ABOUTBOX / 16 + 1},
        {MAKEINTRESOURCEA(6), AFX_IDP_PARSE_INT / 16 + 1},
        {MAKEINTRESOURCEA(16), 1 /* VS_VERSION_INFO */},
    };
    for (const auto& r : resources) {
        SCOPED_TRACE("type " + std::to_string(reinterpret_cast<UINT_PTR>(r.type)) + ", id " +
                     std::to_string(r.id));
        EXPECT_NE(FindResourceExA(nullptr, r.type, MAKEINTRESOURCEA(r.id), usEnglish), nullptr);
    }
}

} // namespace
