#include "widgets/base/files.h"

#include <windows.h>

namespace zarv {
namespace {

bool IsFile(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

bool IsExistingFile(const std::string& ansiPath) {
    return !ansiPath.empty() && IsFile(GetFileAttributesA(ansiPath.c_str()));
}

bool IsExistingFile(const std::wstring& path) {
    return !path.empty() && IsFile(GetFileAttributesW(path.c_str()));
}

}  // namespace zarv
