#include "resident/start_menu.h"

#include <shlobj.h>

#include "widgets/base/handles.h"

namespace zarv {
namespace {

// Mixes a folder's last-write time (all ones when it is gone) into a stamp.
void Stamp(std::uint64_t& stamp, const wchar_t* folder) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    std::uint64_t time = ~0ull;
    if (GetFileAttributesExW(folder, GetFileExInfoStandard, &data))
        time = (std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) |
               data.ftLastWriteTime.dwLowDateTime;
    for (int i = 0; i < 8; ++i) stamp = (stamp ^ ((time >> (8 * i)) & 0xFF)) * 1099511628211ull;
}

constexpr std::uint64_t kStampStart = 14695981039346656037ull;

std::wstring ProgramsFolder(int which) {
    wchar_t path[MAX_PATH];
    if (FAILED(SHGetFolderPathW(nullptr, which, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    return path;
}

bool IsLink(std::wstring_view name) {
    return name.size() > 4 && !lstrcmpiW(name.data() + name.size() - 4, L".lnk");
}

// The shortcuts in the folder path and every folder below it, each folder numbered in the order
// read and stamped before it is listed, so that a shortcut added meanwhile changes the stamp of
// the next look. path is left as it came.
void ReadFolder(StartMenuPrograms& read, std::uint16_t& folders, std::wstring& path) {
    const std::uint16_t folder = folders;
    if (folders < 0xFFFF) ++folders;
    Stamp(read.stamp, path.c_str());
    read.folders.append(path).push_back(L'\0');
    const std::size_t length = path.size();
    path += L"\\*";
    WIN32_FIND_DATAW found;
    const UniqueFindHandle find(FindFirstFileExW(path.c_str(), FindExInfoBasic, &found,
                                                 FindExSearchNameMatch, nullptr,
                                                 FIND_FIRST_EX_LARGE_FETCH));
    for (bool more = static_cast<bool>(find); more; more = FindNextFileW(find.get(), &found)) {
        const std::wstring_view name = found.cFileName;
        const DWORD a = found.dwFileAttributes;
        if (a & FILE_ATTRIBUTE_DIRECTORY) {
            if (name == L"." || name == L".." || (a & FILE_ATTRIBUTE_REPARSE_POINT)) continue;
            path.resize(length + 1);
            path += name;
            ReadFolder(read, folders, path);
        } else if (!(a & FILE_ATTRIBUTE_HIDDEN) && IsLink(name) && folder < 0xFFFF) {
            read.programs.Add(folder, name.substr(0, name.size() - 4));
        }
    }
    path.resize(length);
}

}  // namespace

void ProgramReading::Run() {
    if (Known != 0) {
        std::uint64_t stamp = kStampStart;
        // Each folder ends in a '\0', and the last one in two.
        for (const wchar_t* folder = Folders.c_str(); *folder; folder += lstrlenW(folder) + 1)
            Stamp(stamp, folder);
        if (stamp == Known) return;
    }
    Read = std::make_unique<StartMenuPrograms>();
    Read->stamp = kStampStart;
    // The user's first: of a name in both, theirs is kept.
    std::uint16_t folders = 0;
    for (int which : {CSIDL_PROGRAMS, CSIDL_COMMON_PROGRAMS}) {
        std::wstring path = ProgramsFolder(which);
        if (!path.empty()) ReadFolder(*Read, folders, path);
    }
    Read->programs.Finish();
    Read->folders.shrink_to_fit();
    if (Read->stamp == 0) Read->stamp = 1;
}

}  // namespace zarv
