// The launcher menu built from entries: items, states, pictures and their release.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/launcher_items.h"
#include "menus/launcher_menu.h"
#include "widgets/base/ansi.h"
#include "widgets/base/files.h"

namespace zarv {
namespace {

std::string OwnExePath() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

std::string TempTextFile() {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    std::string path = std::string(dir) + "launcher_menu_test.txt";
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(f);
    return path;
}

THotkeyItem Entry(std::string title, std::string path, std::uint8_t func) {
    THotkeyItem e;
    e.Title = std::move(title);
    e.FilePath = std::move(path);
    e.KeyText = "Ctrl + Alt + A";
    e.FuncNo = func;
    return e;
}

std::vector<THotkeyItem> SampleEntries() {
    return {Entry("exe", OwnExePath(), 0),
            Entry("missing", "C:\\no\\such\\file.exe", 0),
            Entry("doc", TempTextFile(), 0),
            Entry("url", "http://example.invalid/", 255),
            Entry("func", "", 9),
            Entry("folder", "C:\\windows", 0)};
}

struct ItemState {
    std::wstring caption;
    bool grey;
    HBITMAP bitmap;
    ULONG_PTR data;
};

ItemState ReadItem(HMENU menu, int pos) {
    wchar_t text[256] = L"";
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_STRING | MIIM_STATE | MIIM_BITMAP | MIIM_DATA;
    mii.dwTypeData = text;
    mii.cch = 256;
    GetMenuItemInfoW(menu, static_cast<UINT>(pos), TRUE, &mii);
    return {text, (mii.fState & MFS_GRAYED) != 0, mii.hbmpItem, mii.dwItemData};
}

// Live GDI objects and menus of this process. Windows counts them itself; Wine's count is a stub
// that answers 0, but its handle tables accept a handle without its generation bits, so there the
// live handles are found by probing every slot.
struct HandleCounts {
    DWORD gdi = 0;
    DWORD user = 0;
    bool operator==(const HandleCounts&) const = default;
};

HandleCounts CountHandles() {
    HANDLE self = GetCurrentProcess();
    HandleCounts c{GetGuiResources(self, GR_GDIOBJECTS), GetGuiResources(self, GR_USEROBJECTS)};
    if (c.gdi != 0) return c;
    for (UINT_PTR h = 0x20; h < 0x20 + 0x4000; ++h)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(h)) != 0) ++c.gdi;
    for (UINT_PTR h = 0x20; h < 0x20 + 0x4000; h += 2)
        if (IsMenu(reinterpret_cast<HMENU>(h))) ++c.user;
    return c;
}

// The entries' files as the menu takes them.
std::vector<std::wstring> Files(const std::vector<THotkeyItem>& entries) {
    std::vector<std::wstring> files;
    for (const THotkeyItem& e : entries) files.push_back(AnsiToWide(e.FilePath));
    return files;
}

std::vector<LauncherItem> Items(const std::vector<THotkeyItem>& entries) {
    const std::vector<std::wstring> files = Files(entries);
    return BuildLauncherItems(entries, [&](std::size_t i) { return IsExistingFile(files[i]); });
}

// What the worker answers for the item of tag, put into the menu.
void Answer(TLauncherMenu& menu, const std::vector<THotkeyItem>& entries, int tag) {
    const std::wstring file = Files(entries)[static_cast<size_t>(tag)];
    const bool exists = IsExistingFile(file);
    const IconFallback fallback = Items(entries)[static_cast<size_t>(tag)].Fallback;
    menu.PutPicture(tag, file, exists,
                    UniqueIcon(LookUpIcon(file, fallback, exists, menu.IconSize())),
                    menu.IconSize());
}

void AnswerAll(TLauncherMenu& menu, const std::vector<THotkeyItem>& entries) {
    for (int tag : menu.WantedPictures()) Answer(menu, entries, tag);
}

TEST(LauncherMenu, ItemsFollowEntriesWithTheirOwnPictures) {
    TLauncherMenu menu;
    auto entries = SampleEntries();
    menu.Rebuild(Items(entries));
    ASSERT_EQ(GetMenuItemCount(menu.handle()), 6);
    ItemState exe = ReadItem(menu.handle(), 0);
    EXPECT_EQ(exe.caption, L"exe[Ctrl + Alt + A]");
    EXPECT_FALSE(exe.grey);
    EXPECT_EQ(exe.bitmap, HBMMENU_CALLBACK);
    EXPECT_EQ(exe.data, 0u);

    ItemState missing = ReadItem(menu.handle(), 1);
    EXPECT_TRUE(missing.grey);
    EXPECT_EQ(missing.bitmap, nullptr);

    // Every enabled item after the missing one still points at its own picture.
    EXPECT_EQ(ReadItem(menu.handle(), 2).data, 1u);
    EXPECT_EQ(ReadItem(menu.handle(), 3).data, 2u);
    EXPECT_EQ(ReadItem(menu.handle(), 4).data, 3u);
    EXPECT_TRUE(ReadItem(menu.handle(), 5).grey);  // a folder is not a program

    EXPECT_EQ(menu.TakenIcons(), 0u);  // pictures wait for the first show
    AnswerAll(menu, entries);
    EXPECT_EQ(menu.TakenIcons(), 4u);
    AnswerAll(menu, entries);
    EXPECT_EQ(menu.TakenIcons(), 4u);

    EXPECT_EQ(menu.TagOf(TLauncherMenu::kFirstId + 3), 3);
    EXPECT_EQ(menu.TagOf(TLauncherMenu::kFirstId + 6), -1);
    EXPECT_EQ(menu.TagOf(5), -1);
}

TEST(LauncherMenu, PicturesArePutInAsTheirAnswersComeAndARebuildDropsThem) {
    TLauncherMenu menu;
    auto entries = SampleEntries();
    menu.Rebuild(Items(entries));
    EXPECT_EQ(menu.WantedPictures(), (std::vector<int>{0, 2, 3, 4}));
    Answer(menu, entries, 3);
    EXPECT_EQ(menu.TakenIcons(), 1u);
    EXPECT_EQ(menu.WantedPictures(), (std::vector<int>{0, 2, 4}));
    // An entry found missing is greyed out and wants no picture; an answer for another size
    // is dropped.
    menu.Disable(2);
    EXPECT_TRUE(ReadItem(menu.handle(), 2).grey);
    EXPECT_EQ(ReadItem(menu.handle(), 2).bitmap, nullptr);
    EXPECT_EQ(menu.WantedPictures(), (std::vector<int>{0, 4}));
    menu.PutPicture(0, Files(entries)[0], true, UniqueIcon(), menu.IconSize() + 8);
    EXPECT_EQ(menu.TakenIcons(), 1u);
    AnswerAll(menu, entries);
    EXPECT_EQ(menu.TakenIcons(), 3u);
    EXPECT_TRUE(menu.WantedPictures().empty());

    menu.Rebuild(Items(entries));
    EXPECT_EQ(menu.TakenIcons(), 0u);
    AnswerAll(menu, entries);
    EXPECT_EQ(menu.TakenIcons(), 4u);
}

// The colours that draw leaves on a white 16 x 16 square, row by row.
template <typename Draw>
std::vector<COLORREF> DrawnSquare(Draw draw) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT r{0, 0, 16, 16};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    draw(dc, r);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) pixels.push_back(GetPixel(dc, x, y));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// An item's picture as the menu shows it.
std::vector<COLORREF> DrawnPicture(TLauncherMenu& menu, int tag) {
    return DrawnSquare([&](HDC dc, const RECT& r) {
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_MENU;
        dis.itemID = TLauncherMenu::kFirstId + static_cast<UINT>(tag);
        dis.hDC = dc;
        dis.rcItem = r;
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_DATA;
        GetMenuItemInfoW(menu.handle(), dis.itemID, FALSE, &mii);
        dis.itemData = mii.dwItemData;
        EXPECT_TRUE(menu.DrawItem(dis));
    });
}

// The colour an item's picture leaves at (x, y) of a white 16 x 16 square.
COLORREF DrawnPixel(TLauncherMenu& menu, int tag, int x, int y) {
    return DrawnPicture(menu, tag)[static_cast<size_t>(y * 16 + x)];
}

TEST(LauncherMenu, AnItemDrawnBeforeItsAnswerShowsTheSystemProgramPicture) {
    TLauncherMenu menu;
    auto entries = SampleEntries();
    menu.Rebuild(Items(entries));
    const auto generic = DrawnSquare([](HDC dc, const RECT&) {
        HICON app =
            static_cast<HICON>(LoadImageW(nullptr, IDI_APPLICATION, IMAGE_ICON, 16, 16, LR_SHARED));
        DrawIconEx(dc, 0, 0, app, 16, 16, 0, nullptr, DI_NORMAL);
    });
    EXPECT_EQ(DrawnPicture(menu, 4), generic);  // the menu opened at once
    EXPECT_EQ(menu.TakenIcons(), 0u);
    Answer(menu, entries, 4);
    EXPECT_NE(DrawnPicture(menu, 4), generic);
}

TEST(LauncherMenu, AProgramWithoutAnIconShowsTheSystemApplicationIcon) {
    // Not a program the system could load, so certainly without an icon of its own.
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    const std::string path = std::string(dir) + "launcher_menu_test_noicon.exe";
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(f, "MZ", 2, &written, nullptr);
    CloseHandle(f);

    TLauncherMenu menu;
    std::vector<THotkeyItem> entries = {Entry("noicon", path, 0), Entry("exe", OwnExePath(), 0)};
    menu.Rebuild(Items(entries));
    AnswerAll(menu, entries);
    const auto expected = DrawnSquare([](HDC dc, const RECT&) {
        HICON app =
            static_cast<HICON>(LoadImageW(nullptr, IDI_APPLICATION, IMAGE_ICON, 16, 16, LR_SHARED));
        DrawIconEx(dc, 0, 0, app, 16, 16, 0, nullptr, DI_NORMAL);
    });
    EXPECT_EQ(DrawnPicture(menu, 0), expected);
    EXPECT_NE(DrawnPicture(menu, 1), expected);  // a program with an icon shows its own
    DeleteFileA(path.c_str());
}

TEST(LauncherMenu, PicturesKeepTheirTransparentPixels) {
    TLauncherMenu menu;
    auto entries = SampleEntries();
    for (int pass = 0; pass < 2; ++pass) {  // also after a rebuild
        menu.Rebuild(Items(entries));
        AnswerAll(menu, entries);
    }
    // The URL picture is a 16-colour globe whose corners are transparent; the internal
    // function's is the program's tile with rounded corners and a solid middle.
    EXPECT_EQ(DrawnPixel(menu, 3, 0, 0), RGB(255, 255, 255));
    EXPECT_NE(DrawnPixel(menu, 3, 3, 5), RGB(255, 255, 255));
    EXPECT_EQ(DrawnPixel(menu, 4, 0, 0), RGB(255, 255, 255));
    EXPECT_NE(DrawnPixel(menu, 4, 8, 3), RGB(255, 255, 255));
}

TEST(LauncherMenu, EmptyListGivesTheHotkeyEditorsItemAlone) {
    TLauncherMenu menu;
    auto entries = SampleEntries();
    menu.Rebuild(Items(entries));
    AnswerAll(menu, entries);
    menu.Rebuild({});
    ASSERT_EQ(GetMenuItemCount(menu.handle()), 1);
    EXPECT_EQ(ReadItem(menu.handle(), 0).caption, L"ホットキーの設定(&H)");
    EXPECT_EQ(GetMenuItemID(menu.handle(), 0), 101u);  // the tray menu's command
    EXPECT_EQ(menu.TakenIcons(), 0u);
}

TEST(LauncherMenu, RebuildingReleasesEveryPicture) {
    TLauncherMenu menu;
    auto entries = SampleEntries();
    const auto items = Items(entries);
    const auto files = Files(entries);
    menu.Rebuild(items);
    AnswerAll(menu, entries);
    HandleCounts before = CountHandles();
    ASSERT_GT(before.gdi, 0u);
    for (int i = 0; i < 1000; ++i) {
        menu.Rebuild(items);
        AnswerAll(menu, entries);
    }
    HandleCounts after = CountHandles();
    EXPECT_EQ(after.gdi, before.gdi);
    EXPECT_EQ(after.user, before.user);

    // The count sees a leak: one icon (two bitmaps) and one menu more.
    HICON leaked = CopyIcon(LoadIconW(nullptr, IDI_APPLICATION));
    HMENU leakedMenu = CreatePopupMenu();
    HandleCounts leaking = CountHandles();
    EXPECT_GT(leaking.gdi, after.gdi);
    EXPECT_GT(leaking.user, after.user);
    DestroyIcon(leaked);
    DestroyMenu(leakedMenu);
    EXPECT_EQ(GetMenuItemCount(menu.handle()), 6);
    EXPECT_EQ(menu.TakenIcons(), 4u);
}

}  // namespace
}  // namespace zarv
