#include "resident/launch.h"

#include <vector>

#include "core/launch_text.h"
#include "widgets/base/files.h"

namespace zarv {

bool StartProgram(const std::string& commandLine, const std::string& workDir,
                  const std::string& filePath, const StartCalls& calls) {
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
    // Started suspended, so that the right to take the foreground is passed on before the new
    // program can open its first window.
    if (!calls.createProcess(application, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                             nullptr, workDir.empty() ? nullptr : workDir.c_str(), &si, &pi))
        return false;
    calls.allowSetForeground(pi.dwProcessId);
    ResumeThread(pi.hThread);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

void ShellOpen(HWND owner, const std::string& target, const StartCalls& calls) {
    // The shell may start a program or hand the target to one that runs already.
    calls.allowSetForeground(ASFW_ANY);
    calls.shellExecute(owner, "Open", target.c_str(), nullptr, nullptr, SW_SHOW);
}

void StartFile(HWND owner, const std::string& filePath, const std::string& options,
               const std::string& workDir, const StartCalls& calls) {
    if (!StartProgram(BuildCommandLine(filePath, options), workDir, filePath, calls))
        ShellOpen(owner, filePath, calls);
}

}  // namespace zarv
