#include "resident/start_menu.h"

#include <shlobj.h>

#include "resident/launch.h"
#include "widgets/base/handles.h"

namespace zarv {
namespace {

// Mixes a folder's last-write time (all ones when it is gone) into a stamp.
void Stamp(std::uint64_t& stamp, const std::wstring& folder) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    std::uint64_t time = ~0ull;
    if (GetFileAttributesExW(folder.c_str(), GetFileExInfoStandard, &data))
        time = (std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) |
               data.ftLastWriteTime.dwLowDateTime;
    for (int i = 0; i < 8; ++i) stamp = (stamp ^ ((time >> (8 * i)) & 0xFF)) * 1099511628211ull;
}

constexpr std::uint64_t kStampStart = 14695981039346656037ull;

std::wstring KnownFolder(const KNOWNFOLDERID& id) {
    std::wstring path;
    PWSTR found = nullptr;
    if (SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_DONT_VERIFY, nullptr, &found))) path = found;
    CoTaskMemFree(found);
    return path;
}

bool IsLink(std::wstring_view name) {
    return name.size() > 4 && !lstrcmpiW(name.data() + name.size() - 4, L".lnk");
}

// The shortcuts in root and every folder below it, each folder stamped before it is listed (so
// that a shortcut added meanwhile changes the stamp of the next look).
void ReadRoot(StartMenuPrograms& read, std::uint8_t root) {
    std::vector<std::wstring> pending{L""};  // relative, each ending in '\' but the root's
    while (!pending.empty()) {
        const std::wstring relative = std::move(pending.back());
        pending.pop_back();
        const std::wstring folder = read.roots[root] + (relative.empty() ? L"" : L"\\") +
                                    relative.substr(0, relative.empty() ? 0 : relative.size() - 1);
        Stamp(read.stamp, folder);
        read.folders.append(folder).push_back(L'\0');
        WIN32_FIND_DATAW found;
        const UniqueFindHandle find(FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic,
                                                     &found, FindExSearchNameMatch, nullptr,
                                                     FIND_FIRST_EX_LARGE_FETCH));
        if (!find) continue;
        do {
            const std::wstring_view name = found.cFileName;
            const DWORD a = found.dwFileAttributes;
            if (a & FILE_ATTRIBUTE_DIRECTORY) {
                if (name != L"." && name != L".." && !(a & FILE_ATTRIBUTE_REPARSE_POINT))
                    pending.push_back(relative + found.cFileName + L'\\');
            } else if (!(a & FILE_ATTRIBUTE_HIDDEN) && IsLink(name)) {
                read.programs.Add(root, relative + std::wstring(name.substr(0, name.size() - 4)));
            }
        } while (FindNextFileW(find.get(), &found));
    }
}

}  // namespace

void ProgramReading::Run() {
    if (Known != 0) {
        std::uint64_t stamp = kStampStart;
        for (std::size_t at = 0; at < Folders.size();) {
            const std::size_t end = Folders.find(L'\0', at);
            Stamp(stamp, Folders.substr(at, end - at));
            at = end + 1;
        }
        if (stamp == Known) return;
    }
    Read = std::make_unique<StartMenuPrograms>();
    Read->roots = {KnownFolder(FOLDERID_Programs), KnownFolder(FOLDERID_CommonPrograms)};
    Read->stamp = kStampStart;
    // The user's first: of a name in both, theirs is kept.
    for (std::uint8_t root = 0; root < 2; ++root)
        if (!Read->roots[root].empty()) ReadRoot(*Read, root);
    Read->programs.Finish();
    Read->folders.shrink_to_fit();
    if (Read->stamp == 0) Read->stamp = 1;
}

void ShortcutStart::Run() { StartShortcut(Link, Owner); }

}  // namespace zarv
