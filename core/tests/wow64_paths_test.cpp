#include "core/wow64_paths.h"

#include <gtest/gtest.h>

namespace zarv {
namespace {

TEST(Wow64Paths, TheSystemFolderInAnySpellingIsReachedThroughSysnative) {
    const std::wstring_view system = L"C:\\Windows\\System32";
    // The rest of the path stays as written.
    for (const auto& [path, native] :
         std::initializer_list<std::pair<const wchar_t*, const wchar_t*>>{
             {L"C:\\Windows\\System32\\wsl.exe", L"C:\\Windows\\Sysnative\\wsl.exe"},
             {L"c:\\WINDOWS\\system32\\wsl.exe", L"C:\\Windows\\Sysnative\\wsl.exe"},
             {L"C:/Windows/System32/wsl.exe", L"C:\\Windows\\Sysnative/wsl.exe"},
             {L"C:\\Windows\\\\System32\\\\wsl.exe", L"C:\\Windows\\Sysnative\\\\wsl.exe"},
             {L"\\\\?\\C:\\Windows\\System32\\wsl.exe", L"\\\\?\\C:\\Windows\\Sysnative\\wsl.exe"}})
        EXPECT_EQ(Wow64NativePath(path, system), native) << path;
    EXPECT_EQ(
        Wow64NativePath(L"C:\\Windows\\System32\\OpenSSH\\ssh.exe", L"C:\\WINDOWS\\system32\\"),
        L"C:\\WINDOWS\\Sysnative\\OpenSSH\\ssh.exe");
    EXPECT_EQ(Wow64NativePath(L"C:\\Windows\\System32", system), L"C:\\Windows\\Sysnative");
    EXPECT_EQ(Wow64NativePath(L"C:\\Windows\\System32\\", system), L"C:\\Windows\\Sysnative\\");
}

TEST(Wow64Paths, AFileChosenThroughSysnativeIsWrittenUnderTheSystemFolder) {
    const std::wstring_view system = L"C:\\Windows\\System32";
    EXPECT_EQ(Wow64WrittenPath(L"C:\\WINDOWS\\sysnative\\OpenSSH\\ssh.exe", system),
              L"C:\\Windows\\System32\\OpenSSH\\ssh.exe");
    EXPECT_EQ(Wow64WrittenPath(L"\\\\?\\C:\\Windows\\Sysnative\\OpenSSH", system),
              L"\\\\?\\C:\\Windows\\System32\\OpenSSH");
    for (const wchar_t* path : {L"C:\\Windows\\System32\\a.exe", L"C:\\Windows\\Sysnativex\\a.exe",
                                L"D:\\Windows\\Sysnative\\a.exe"})
        EXPECT_EQ(Wow64WrittenPath(path, system), path);
}

TEST(Wow64Paths, OtherPathsStayAsTheyAre) {
    const std::wstring_view system = L"C:\\Windows\\System32";
    for (const wchar_t* path :
         {L"", L"C:\\Windows\\System32x\\a.exe", L"C:\\Windows\\System3",
          L"D:\\Windows\\System32\\a.exe", L"C:\\Windows\\SysWOW64\\a.exe",
          L"C:\\Windows\\regedit.exe", L"System32\\a.exe", L"C:\\Windows\\Sysnative\\a.exe",
          L"\\\\server\\C$\\Windows\\System32\\a.exe"})
        EXPECT_EQ(Wow64NativePath(path, system), path);
    // Without a system folder to go by, nothing changes.
    EXPECT_EQ(Wow64NativePath(L"C:\\Windows\\System32\\a.exe", L""),
              L"C:\\Windows\\System32\\a.exe");
}

TEST(Wow64Paths, ProgramFoldersAreTheSixtyFourBitOnes) {
    EXPECT_EQ(Wow64VariableName(L"ProgramFiles"), L"ProgramW6432");
    EXPECT_EQ(Wow64VariableName(L"PROGRAMFILES"), L"ProgramW6432");
    EXPECT_EQ(Wow64VariableName(L"commonprogramfiles"), L"CommonProgramW6432");
    for (const wchar_t* name :
         {L"ProgramFiles(x86)", L"ProgramW6432", L"windir", L"ProgramFile", L""})
        EXPECT_EQ(Wow64VariableName(name), name);
}

}  // namespace
}  // namespace zarv
