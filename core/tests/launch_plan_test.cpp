#include "core/launch_plan.h"

#include <gtest/gtest.h>

#include <set>

namespace zarv {
namespace {

constexpr unsigned long kFileNotFound = 2, kAccessDenied = 5, kBadExeFormat = 193, kDirectory = 267;

// A small disk: the files and folders that exist, and the folders a bare program name is looked
// for in (the resident program's folder, its current folder, the system folders).
struct Disk {
    std::set<std::string> files{
        "C:\\windows\\regedit.exe",
        "C:\\windows\\system32\\notepad.exe",
        "C:\\Program Files\\Tool\\x.exe",
        "C:\\bars\\marker.exe",
        "C:\\docs\\note.txt",
        "C:\\tools\\zarv\\zarv.exe",
    };
    std::set<std::string> folders{"C:\\work", "C:\\docs", "C:\\My Docs", "C:\\windows"};

    LaunchFiles Files(const CodePage& cp = CodePage::SingleByte()) const {
        LaunchFiles f;
        f.fileExists = [this](const std::string& p) { return files.count(p) != 0; };
        f.folderExists = [this](const std::string& p) { return folders.count(p) != 0; };
        f.searchFolders = {"C:\\tools\\zarv", "C:\\work", "C:\\windows\\system32",
                           "C:\\windows\\system", "C:\\windows"};
        f.codePage = &cp;
        return f;
    }
};

LaunchRequest Entry(std::string file, std::string options, std::string folder) {
    return {std::move(file), std::move(options), std::move(folder), false};
}
LaunchRequest Typed(std::string text) { return {std::move(text), {}, {}, true}; }

LaunchStep Direct(std::string line, std::string folder = {}) {
    return {LaunchAction::StartDirect, std::move(line), {}, std::move(folder)};
}
LaunchStep Shell(std::string file, std::string parameters, std::string folder = {}) {
    return {LaunchAction::ShellStart, std::move(file), std::move(parameters), std::move(folder)};
}
LaunchStep Open(std::string target) { return {LaunchAction::ShellOpen, std::move(target), {}, {}}; }
const LaunchStep kStop{};

// The steps a start takes when every step fails with the next of errors.
std::vector<LaunchStep> Walk(const Disk& disk, const LaunchRequest& r,
                             std::vector<unsigned long> errors) {
    std::vector<LaunchStep> steps{FirstLaunchStep(r)};
    for (unsigned long e : errors)
        steps.push_back(NextLaunchStep(r, steps.back(), e, disk.Files()));
    return steps;
}

void PrintTo(const LaunchStep& s, std::ostream* os) {
    *os << "{" << static_cast<int>(s.action) << ", \"" << s.file << "\", \"" << s.parameters
        << "\", \"" << s.folder << "\"}";
}

TEST(LaunchPlan, ElevationGoesToTheShellWithOptionsAndFolderAndARefusalEndsIt) {
    Disk disk;
    const LaunchRequest regedit = Entry("C:\\windows\\regedit.exe", "/m", "C:\\work");
    EXPECT_EQ(
        Walk(disk, regedit, {kErrorElevationRequired, kErrorCancelled}),
        (std::vector<LaunchStep>{Direct("C:\\windows\\regedit.exe /m", "C:\\work"),
                                 Shell("C:\\windows\\regedit.exe", "/m", "C:\\work"), kStop}));
    // Nor is it tried again when the shell fails otherwise: never without its options.
    EXPECT_EQ(Walk(disk, regedit, {kErrorElevationRequired, kFileNotFound}).back(), kStop);
    // Empty options and folder stay empty.
    EXPECT_EQ(Walk(disk, Entry("C:\\windows\\regedit.exe", "", ""), {kErrorElevationRequired}),
              (std::vector<LaunchStep>{Direct("C:\\windows\\regedit.exe "),
                                       Shell("C:\\windows\\regedit.exe", "")}));
}

TEST(LaunchPlan, VanishedFolderStartsDirectlyAgainInTheCurrentFolderWithItsOptions) {
    Disk disk;
    const LaunchRequest bar = Entry("C:\\bars\\marker.exe", "-a --config x", "C:\\gone");
    EXPECT_EQ(Walk(disk, bar, {kDirectory}),
              (std::vector<LaunchStep>{Direct("C:\\bars\\marker.exe -a --config x", "C:\\gone"),
                                       Direct("C:\\bars\\marker.exe -a --config x")}));
    // Whatever the first error: the folder is what is missing.
    EXPECT_EQ(Walk(disk, bar, {kFileNotFound}).back(),
              Direct("C:\\bars\\marker.exe -a --config x"));
    // Failing again there, the shell starts it with its options, without the missing folder.
    EXPECT_EQ(Walk(disk, bar, {kDirectory, kErrorElevationRequired}).back(),
              Shell("C:\\bars\\marker.exe", "-a --config x"));
    EXPECT_EQ(Walk(disk, bar, {kDirectory, kAccessDenied}).back(),
              Shell("C:\\bars\\marker.exe", "-a --config x"));
    // A program file that fails in an existing folder keeps options and folder in the shell.
    EXPECT_EQ(Walk(disk, Entry("C:\\bars\\marker.exe", "-a", "C:\\work"), {kAccessDenied}).back(),
              Shell("C:\\bars\\marker.exe", "-a", "C:\\work"));
}

TEST(LaunchPlan, ElevationOfTypedTextSplitsOffTheProgram) {
    Disk disk;
    auto shellStep = [&](const std::string& text) {
        return Walk(disk, Typed(text), {kErrorElevationRequired}).back();
    };
    EXPECT_EQ(shellStep("\"C:\\Program Files\\Tool\\x.exe\" /a \"b c\""),
              Shell("C:\\Program Files\\Tool\\x.exe", "/a \"b c\""));
    EXPECT_EQ(shellStep("C:\\Program Files\\Tool\\x.exe /a"),
              Shell("C:\\Program Files\\Tool\\x.exe", "/a"));
    // A bare name from the search folders, with ".exe" added; also quoted, with blanks around.
    EXPECT_EQ(shellStep("regedit /m"), Shell("C:\\windows\\regedit.exe", "/m"));
    EXPECT_EQ(shellStep("  \"regedit\"   /m  x"), Shell("C:\\windows\\regedit.exe", "/m  x"));
    EXPECT_EQ(shellStep("\"C:\\Program Files\\Tool\\x\""),
              Shell("C:\\Program Files\\Tool\\x.exe", ""));
    // The direct start typed here starts nothing at all.
    EXPECT_EQ(Walk(disk, Typed("regedit /m"), {}).front(), Direct("regedit /m"));

    // The shortest prefix wins, as in the direct start: C:\Program.exe is what asked for rights.
    disk.files.insert("C:\\Program.exe");
    EXPECT_EQ(shellStep("C:\\Program Files\\Tool\\x.exe /a"),
              Shell("C:\\Program.exe", "Files\\Tool\\x.exe /a"));
    // Nothing names a program: the text goes to the shell's "Open" as it stands.
    EXPECT_EQ(shellStep("nosuch /m"), Open("nosuch /m"));
}

TEST(LaunchPlan, AnythingButAProgramIsOpenedAloneAsBefore) {
    Disk disk;
    // A document, a missing file, a folder: alone, without options or folder.
    for (const char* file : {"C:\\docs\\note.txt", "C:\\docs\\gone.exe", "C:\\docs"}) {
        SCOPED_TRACE(file);
        EXPECT_EQ(Walk(disk, Entry(file, "-opt", "C:\\work"), {kBadExeFormat, 0}),
                  (std::vector<LaunchStep>{Direct(std::string(file) + " -opt", "C:\\work"),
                                           Open(file), kStop}));
    }
    for (const char* text : {"C:\\docs\\note.txt", "C:\\My Docs", "http://example.com/x y",
                             "C:\\docs\\note.txt -x", ""}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(Walk(disk, Typed(text), {kFileNotFound}).back(), Open(text));
    }
    // A typed program that fails for another reason is started by the shell with its arguments.
    EXPECT_EQ(Walk(disk, Typed("notepad a.txt"), {kAccessDenied}).back(),
              Shell("C:\\windows\\system32\\notepad.exe", "a.txt"));
}

TEST(LaunchPlan, DoubleByteNamesAreReadByCharacter) {
    // "表" is 0x95 0x5C in Shift-JIS: its trail byte is a backslash, yet the name has no folder.
    const std::string table = "\x95\x5C";
    Disk disk;
    disk.files.insert("C:\\windows\\" + table + ".exe");
    disk.files.insert("C:\\tools\\" + table + "\\t.exe");
    LaunchFiles files = disk.Files(CodePage::ShiftJis());
    EXPECT_EQ(SplitProgram(table + " /q", files),
              (ProgramSplit{"C:\\windows\\" + table + ".exe", "/q"}));
    // A search folder ending in such a character gets its separator.
    files.searchFolders = {"C:\\tools\\" + table};
    EXPECT_EQ(SplitProgram("t -v", files), (ProgramSplit{"C:\\tools\\" + table + "\\t.exe", "-v"}));
    // Read byte by byte, the name would look like a folder and be missed.
    EXPECT_FALSE(SplitProgram(table, disk.Files()));
}

}  // namespace
}  // namespace zarv
