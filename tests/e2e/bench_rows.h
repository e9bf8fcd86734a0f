#pragma once
// The 1,000 hotkey entries of the editor benchmark, as texts: both zarv.exe (through Hotkey.DAT)
// and the plain list view of bare_list.exe show exactly these rows.
#include <string>
#include <vector>

namespace e2e::bench {

inline constexpr int kRows = 1000;

struct Row {
    std::string title, file, options, folder, key;  // ANSI (ASCII) texts
    unsigned char modifiers, vkey, func;
};

// Every kind of entry, each on a combination of its own: programs that exist, programs that do
// not, URLs and internal functions.
inline std::vector<Row> Rows(const std::string& folder) {
    static const char* const programs[] = {"C:\\windows\\notepad.exe", "C:\\windows\\regedit.exe",
                                           "C:\\windows\\system32\\cmd.exe",
                                           "C:\\windows\\system32\\winecfg.exe"};
    std::vector<unsigned char> keys;
    for (unsigned char k = 'A'; k <= 'Z'; ++k) keys.push_back(k);
    for (unsigned char k = '0'; k <= '9'; ++k) keys.push_back(k);
    for (unsigned char k = 0x70; k <= 0x87; ++k) keys.push_back(k);  // F1 to F24
    for (unsigned char k = 0x60; k <= 0x6F; ++k) keys.push_back(k);  // the numeric keypad
    std::vector<Row> rows;
    for (int i = 0; i < kRows; ++i) {
        Row r{};
        r.title = "entry " + std::to_string(i);
        r.modifiers = static_cast<unsigned char>(i % 15 + 1);
        r.vkey = keys[static_cast<size_t>(i / 15) % keys.size()];
        r.key = "mod " + std::to_string(r.modifiers) + " + key " + std::to_string(r.vkey);
        switch (i % 4) {
            case 0:
                r.file = programs[(i / 4) % 4];
                r.options = "-n " + std::to_string(i);
                r.folder = "C:\\windows\\";
                break;
            case 1:
                r.file = folder + "\\missing" + std::to_string(i) + ".exe";
                break;
            case 2:
                r.file = "http://example.invalid/" + std::to_string(i);
                r.func = 255;
                break;
            default:
                r.func = static_cast<unsigned char>(i % 9 + 1);
                break;
        }
        rows.push_back(r);
    }
    return rows;
}

}  // namespace e2e::bench
