// The pictures in the executable's resources (the tests carry the program's resource script).
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

#include "widgets/base/handles.h"

namespace zarv {
namespace {

// The colour bits of an icon's 32 x 32 picture.
std::vector<DWORD> PixelsOf(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return {};
    UniqueGdiObject color(info.hbmColor), mask(info.hbmMask);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 32, -32, 1, 32, BI_RGB};
    std::vector<DWORD> pixels(32 * 32);
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, static_cast<HBITMAP>(color.get()), 0, 32, pixels.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    return pixels;
}

TEST(Resources, ShellShowsTheProgramsOwnPictureForTheFile) {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    HICON first = nullptr;
    ASSERT_EQ(ExtractIconExW(path, 0, &first, nullptr, 1), 1u);
    UniqueIcon shown(first);
    UniqueIcon main(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, 32, 32, 0)));
    ASSERT_TRUE(main);
    EXPECT_EQ(PixelsOf(shown.get()), PixelsOf(main.get()));
}

TEST(Resources, ButtonPicturesLoadAt32By32AndDiffer) {
    std::vector<std::vector<DWORD>> seen;
    for (const wchar_t* name : {L"LOOKBTN_ADD", L"LOOKBTN_EDIT", L"LOOKBTN_DEL", L"LOOKBTN_OK"}) {
        UniqueIcon icon(
            static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_ICON, 32, 32, 0)));
        ASSERT_TRUE(icon);
        std::vector<DWORD> pixels = PixelsOf(icon.get());
        for (const auto& other : seen) EXPECT_NE(pixels, other);
        seen.push_back(pixels);
    }
}

#pragma pack(push, 2)
// An entry of an icon group resource (RT_GROUP_ICON).
struct GroupIconEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

// The picture sizes an icon group holds (0 in the directory stands for 256).
std::vector<int> SizesOf(const wchar_t* name) {
    HMODULE self = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(self, name, RT_GROUP_ICON);
    if (!found) return {};
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(self, found)));
    const WORD count = *reinterpret_cast<const WORD*>(bytes + 4);
    std::vector<int> sizes;
    const auto* entries = reinterpret_cast<const GroupIconEntry*>(bytes + 6);
    for (WORD i = 0; i < count; ++i) {
        EXPECT_EQ(entries[i].width, entries[i].height) << "a square picture";
        sizes.push_back(entries[i].width ? entries[i].width : 256);
    }
    return sizes;
}

::testing::AssertionResult Holds(const wchar_t* name, std::vector<int> wanted) {
    std::vector<int> sizes = SizesOf(name);
    for (int w : wanted)
        if (std::find(sizes.begin(), sizes.end(), w) == sizes.end())
            return ::testing::AssertionFailure() << "no " << w << " x " << w << " picture";
    return ::testing::AssertionSuccess();
}

TEST(Resources, PicturesHoldEverySizeUpTo200Percent) {
    // Small icons (menus, title bars, the notification area) at 100, 125, 150 and 200 %; the
    // buttons' pictures at the same scalings: none is stretched from another size.
    for (const wchar_t* name : {L"MAINICON", L"XICON1", L"APPICON"})
        EXPECT_TRUE(Holds(name, {16, 20, 24, 32})) << name;
    EXPECT_TRUE(Holds(L"APPICON", {40, 48, 64})) << "the shell's larger views";
    for (const wchar_t* name : {L"LOOKBTN_ADD", L"LOOKBTN_EDIT", L"LOOKBTN_DEL", L"LOOKBTN_OK"})
        EXPECT_TRUE(Holds(name, {32, 40, 48, 64})) << name;
}

TEST(Resources, ManifestDeclaresPerMonitorAwarenessAndTheSupportedSystems) {
    HMODULE self = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(self, MAKEINTRESOURCEW(1), RT_MANIFEST);
    ASSERT_TRUE(found);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(self, found))),
                               SizeofResource(self, found));
    auto has = [&](const char* text) { return manifest.find(text) != std::string::npos; };
    // Per-monitor v2 (Windows 10 1703), else per monitor (8.1), else system-aware ("true").
    EXPECT_TRUE(
        has("<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">"
            "PerMonitorV2, PerMonitor</dpiAwareness>"));
    EXPECT_TRUE(
        has("<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">"
            "true/pm</dpiAware>"));
    for (const char* os : {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",   // 7
                           "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",   // 8
                           "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",   // 8.1
                           "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})  // 10 and 11
        EXPECT_TRUE(has((std::string("<supportedOS Id=\"") + os + "\"/>").c_str())) << os;
    // The visual styles stay.
    EXPECT_TRUE(has("Microsoft.Windows.Common-Controls"));
}

}  // namespace
}  // namespace zarv
