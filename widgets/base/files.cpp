#include "widgets/base/files.h"

#include <windows.h>

#include "core/variables.h"

namespace zarv {
namespace {

bool IsFile(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Exists(const std::string& ansiPath) {
    return GetFileAttributesA(ansiPath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

bool IsExistingFile(const std::string& ansiPath) {
    return !ansiPath.empty() && IsFile(GetFileAttributesA(ansiPath.c_str()));
}

bool IsExistingFile(const std::wstring& path) {
    return !path.empty() && IsFile(GetFileAttributesW(path.c_str()));
}

std::optional<std::string> EnvironmentVariable(std::string_view ansiName) {
    const std::string name(ansiName);
    std::string value(MAX_PATH, '\0');
    for (;;) {
        SetLastError(ERROR_SUCCESS);
        const DWORD n =
            GetEnvironmentVariableA(name.c_str(), value.data(), static_cast<DWORD>(value.size()));
        if (n == 0) {
            // Set but empty, or not set at all.
            if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
            return std::string();
        }
        if (n < value.size()) {
            value.resize(n);
            return value;
        }
        value.resize(n);  // n is the size the value needs, with its terminating zero
    }
}

std::string ResolvedPath(const std::string& ansiPath) {
    return ResolvePath(ansiPath, EnvironmentVariable, Exists);
}

std::string ExpandedText(const std::string& ansiText) {
    if (ansiText.find('%') == std::string::npos) return ansiText;
    return ExpandVariables(ansiText, EnvironmentVariable);
}

}  // namespace zarv
