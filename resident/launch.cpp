#include "resident/launch.h"

#include <shellapi.h>

#include <vector>

#include "core/launch_text.h"
#include "widgets/base/files.h"

namespace zarv {

bool StartProgram(const std::string& commandLine, const std::string& workDir,
                  const std::string& filePath) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    GetStartupInfoA(&si);
    // CreateProcess may write into the command line, so it gets a private copy.
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    const char* application = nullptr;
    if (filePath.find(' ') != std::string::npos && IsExistingFile(filePath))
        application = filePath.c_str();
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(application, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workDir.empty() ? nullptr : workDir.c_str(), &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

void ShellOpen(HWND owner, const std::string& target) {
    ShellExecuteA(owner, "Open", target.c_str(), nullptr, nullptr, SW_SHOW);
}

void StartFile(HWND owner, const std::string& filePath, const std::string& options,
               const std::string& workDir) {
    if (!StartProgram(BuildCommandLine(filePath, options), workDir, filePath))
        ShellOpen(owner, filePath);
}

}  // namespace zarv
