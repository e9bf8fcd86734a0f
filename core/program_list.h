#pragma once
// The programs of the Start menu as the command bar matches them: one block of text holds every
// program's folded name (core/name_match.h) and its name, with the folder of its shortcut, so that
// thousands of them cost a few hundred kilobytes and a keystroke's matching runs through one piece
// of memory.
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

    // Adds the program name, whose shortcut lies in the folder of that number (of the reader's
    // counting); an uninstaller is left out.
    void Add(std::uint16_t folder, std::wstring_view name);
    // Orders the programs by folded name and keeps one of each name: the first added.
    void Finish();

    std::size_t Size() const { return items_.size(); }
    std::wstring_view Name(std::size_t i) const;
    std::uint16_t Folder(std::size_t i) const { return items_[i].folder; }
    // What the list holds in memory, in bytes.
    std::size_t Bytes() const;

    // The positions of the programs whose names match typed, ordered by how they match
    // (NameMatch) and within that by name; at most most of them. Empty typed: none.
    std::vector<std::uint32_t> Suggest(std::wstring_view typed, std::size_t most) const;

private:
    struct Item {
        std::uint32_t at;  // in text_: the folded name, then the name
        std::uint16_t folded;
        std::uint16_t name;
        std::uint16_t folder;
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
    ProgramList programs;
    // Every folder read (the user's program folder and those below it first, then all users'),
    // each followed by a '\0': the programs' folders by number, and what the stamp is taken of.
    std::wstring folders;
    std::uint64_t stamp = 0;  // of their last-write times; 0: nothing read

    // The shortcut of program i.
    std::wstring LinkPath(std::size_t i) const;
};

}  // namespace zarv
