#pragma once
// The programs of the Start menu as the command bar matches them: one block of text holds every
// program's folded name (core/name_match.h) and its shortcut's path, so that thousands of them
// cost a few hundred kilobytes and a keystroke's matching runs through one piece of memory.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zarv {

class ProgramList {
public:
    // Whether a shortcut's name says that it uninstalls something ("Uninstall", "アンインストール",
    // letter case ignored).
    static bool NamesUninstaller(std::wstring_view name);

    // Adds the shortcut at relative, its path below folder root without ".lnk"; its last part is
    // the program's name. An uninstaller is left out.
    void Add(std::uint8_t root, std::wstring_view relative);
    // Orders the programs by folded name and keeps one of each name: the first added.
    void Finish();

    std::size_t Size() const { return items_.size(); }
    std::wstring_view Name(std::size_t i) const;
    std::wstring_view Relative(std::size_t i) const;
    std::uint8_t Root(std::size_t i) const { return items_[i].root; }
    // What the list holds in memory, in bytes.
    std::size_t Bytes() const;

    // The positions of the programs whose names match typed, ordered by how they match
    // (NameMatch) and within that by name; at most most of them. Empty typed: none.
    std::vector<std::uint32_t> Suggest(std::wstring_view typed, std::size_t most) const;

private:
    struct Item {
        std::uint32_t at;  // in text_: the folded name, then the relative path
        std::uint16_t folded;
        std::uint16_t relative;
        std::uint8_t root;
    };
    std::wstring_view FoldedName(const Item& item) const {
        return std::wstring_view(text_).substr(item.at, item.folded);
    }

    std::wstring text_;
    std::vector<Item> items_;
};

// What was read of the Start menu: its programs, where their shortcuts lie, and what tells
// whether its folders changed since.
struct StartMenuPrograms {
    std::array<std::wstring, 2> roots;  // the user's and all users' program folders
    ProgramList programs;
    std::wstring folders;     // every folder read, each followed by a '\0'
    std::uint64_t stamp = 0;  // of their last-write times; 0: nothing read

    // The shortcut of program i.
    std::wstring LinkPath(std::size_t i) const;
};

}  // namespace zarv
