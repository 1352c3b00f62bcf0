// The built add-in's version resource, read back as Windows reads it for the
// file's properties (Windows only).
#if _WIN32
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

TEST(VersionResource, AddinCarriesItsVersionAndNames) {
    const std::wstring path = L"" ZR_ADDIN_PATH;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_NE(size, 0u) << "no version resource, error " << GetLastError();
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    // 3.3.0.0: major and minor in the high word, then patch and build.
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00030003u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00030003u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));

    // The strings of the version text, in the English (United States) Unicode block.
    static const struct {
        const wchar_t* name;
        const wchar_t* value;
    } kStrings[] = {
        {L"ProductName", L"ZrRand3"},
        {L"ProductVersion", L"3.3.0"},
        {L"FileVersion", L"3.3.0"},
        {L"FileDescription", L"ZrRand3 Monte Carlo Functions for Microsoft Excel"},
        {L"LegalCopyright", L"Copyright (C) 2012 the ZrRand3 authors."},
        {L"OriginalFilename", L"ZrRand3.xll"},
    };
    for (const auto& s : kStrings) {
        const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + s.name;
        wchar_t* value = nullptr;
        length = 0;
        const bool found = VerQueryValueW(info.data(), key.c_str(), reinterpret_cast<void**>(&value), &length);
        ASSERT_TRUE(found && value) << "missing " << std::string(key.begin(), key.end());
        EXPECT_EQ(std::wstring(value), s.value) << std::string(key.begin(), key.end());
    }
}
#endif
