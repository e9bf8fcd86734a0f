// The pictures in the executable's resources (the tests carry the program's resource script).
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace zarv
