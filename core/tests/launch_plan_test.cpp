#include "core/launch_plan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace zarv {
namespace {

constexpr unsigned long kFileNotFound = 2, kAccessDenied = 5, kBadExeFormat = 193, kDirectory = 267;

// A small disk: the files and folders that exist, and the folders a bare program name is looked
// for in (the resident program's folder, its current folder, the system folders).
struct Disk {
    std::set<std::wstring> files{
        L"C:\\windows\\regedit.exe",
        L"C:\\windows\\system32\\notepad.exe",
        L"C:\\Program Files\\Tool\\x.exe",
        L"C:\\bars\\marker.exe",
        L"C:\\docs\\note.txt",
        L"C:\\tools\\zarv\\zarv.exe",
    };
    std::set<std::wstring> folders{L"C:\\work",          L"C:\\docs",
                                   L"C:\\My Docs",       L"C:\\windows",
                                   L"C:\\Program Files", L"C:\\Program Files\\Tool"};

    LaunchFiles Files() const {
        LaunchFiles f;
        f.fileExists = [this](const std::wstring& p) { return files.count(p) != 0; };
        f.folderExists = [this](const std::wstring& p) { return folders.count(p) != 0; };
        f.searchFolders = {L"C:\\tools\\zarv", L"C:\\work", L"C:\\windows\\system32",
                           L"C:\\windows\\system", L"C:\\windows"};
        return f;
    }
};

LaunchRequest Entry(std::wstring file, std::wstring options, std::wstring folder) {
    return {std::move(file), std::move(options), std::move(folder), false};
}
LaunchRequest Typed(std::wstring text) { return {std::move(text), {}, {}, true}; }

LaunchStep Direct(std::wstring line, std::wstring folder = {}) {
    return {LaunchAction::StartDirect, std::move(line), {}, std::move(folder)};
}
LaunchStep Shell(std::wstring file, std::wstring parameters, std::wstring folder = {}) {
    return {LaunchAction::ShellStart, std::move(file), std::move(parameters), std::move(folder)};
}
LaunchStep Open(std::wstring target) {
    return {LaunchAction::ShellOpen, std::move(target), {}, {}};
}
const LaunchStep kStop{};

// The steps a start takes when every step fails with the next of errors.
std::vector<LaunchStep> Walk(const Disk& disk, const LaunchRequest& r,
                             std::vector<unsigned long> errors) {
    std::vector<LaunchStep> steps{FirstLaunchStep(r, disk.Files())};
    for (unsigned long e : errors)
        steps.push_back(NextLaunchStep(r, steps.back(), e, disk.Files()));
    return steps;
}

std::string Narrow(const std::wstring& w) {
    std::string s;
    for (wchar_t c : w) s += c < 0x80 ? static_cast<char>(c) : '?';
    return s;
}

void PrintTo(const LaunchStep& s, std::ostream* os) {
    *os << "{" << static_cast<int>(s.action) << ", \"" << Narrow(s.file) << "\", \""
        << Narrow(s.parameters) << "\", \"" << Narrow(s.folder) << "\"}";
}

TEST(LaunchPlan, ElevationGoesToTheShellWithOptionsAndFolderAndARefusalEndsIt) {
    Disk disk;
    const LaunchRequest regedit = Entry(L"C:\\windows\\regedit.exe", L"/m", L"C:\\work");
    EXPECT_EQ(
        Walk(disk, regedit, {kErrorElevationRequired, kErrorCancelled}),
        (std::vector<LaunchStep>{Direct(L"C:\\windows\\regedit.exe /m", L"C:\\work"),
                                 Shell(L"C:\\windows\\regedit.exe", L"/m", L"C:\\work"), kStop}));
    // Nor is it tried again when the shell fails otherwise: never without its options.
    EXPECT_EQ(Walk(disk, regedit, {kErrorElevationRequired, kFileNotFound}).back(), kStop);
    // Empty options and folder stay empty.
    EXPECT_EQ(Walk(disk, Entry(L"C:\\windows\\regedit.exe", L"", L""), {kErrorElevationRequired}),
              (std::vector<LaunchStep>{Direct(L"C:\\windows\\regedit.exe "),
                                       Shell(L"C:\\windows\\regedit.exe", L"")}));
}

TEST(LaunchPlan, VanishedFolderStartsDirectlyAgainInTheCurrentFolderWithItsOptions) {
    Disk disk;
    const LaunchRequest bar = Entry(L"C:\\bars\\marker.exe", L"-a --config x", L"C:\\gone");
    EXPECT_EQ(Walk(disk, bar, {kDirectory}),
              (std::vector<LaunchStep>{Direct(L"C:\\bars\\marker.exe -a --config x", L"C:\\gone"),
                                       Direct(L"C:\\bars\\marker.exe -a --config x")}));
    // Whatever the first error: the folder is what is missing.
    EXPECT_EQ(Walk(disk, bar, {kFileNotFound}).back(),
              Direct(L"C:\\bars\\marker.exe -a --config x"));
    // Failing again there, the shell starts it with its options, without the missing folder.
    EXPECT_EQ(Walk(disk, bar, {kDirectory, kErrorElevationRequired}).back(),
              Shell(L"C:\\bars\\marker.exe", L"-a --config x"));
    EXPECT_EQ(Walk(disk, bar, {kDirectory, kAccessDenied}).back(),
              Shell(L"C:\\bars\\marker.exe", L"-a --config x"));
    // A program file that fails in an existing folder keeps options and folder in the shell.
    EXPECT_EQ(
        Walk(disk, Entry(L"C:\\bars\\marker.exe", L"-a", L"C:\\work"), {kAccessDenied}).back(),
        Shell(L"C:\\bars\\marker.exe", L"-a", L"C:\\work"));
}

TEST(LaunchPlan, ElevationOfTypedTextSplitsOffTheProgram) {
    Disk disk;
    auto shellStep = [&](const std::wstring& text) {
        return Walk(disk, Typed(text), {kErrorElevationRequired}).back();
    };
    EXPECT_EQ(shellStep(L"\"C:\\Program Files\\Tool\\x.exe\" /a \"b c\""),
              Shell(L"C:\\Program Files\\Tool\\x.exe", L"/a \"b c\""));
    EXPECT_EQ(shellStep(L"C:\\Program Files\\Tool\\x.exe /a"),
              Shell(L"C:\\Program Files\\Tool\\x.exe", L"/a"));
    // A bare name from the search folders, with L".exe" added; also quoted, with blanks around.
    EXPECT_EQ(shellStep(L"regedit /m"), Shell(L"C:\\windows\\regedit.exe", L"/m"));
    EXPECT_EQ(shellStep(L"  \"regedit\"   /m  x"), Shell(L"C:\\windows\\regedit.exe", L"/m  x"));
    EXPECT_EQ(shellStep(L"\"C:\\Program Files\\Tool\\x\""),
              Shell(L"C:\\Program Files\\Tool\\x.exe", L""));
    // The direct start typed here starts nothing at all.
    EXPECT_EQ(Walk(disk, Typed(L"regedit /m"), {}).front(), Direct(L"regedit /m"));

    // The program the direct start was given, never a shorter one planted beside it.
    disk.files.insert(L"C:\\Program.exe");
    EXPECT_EQ(shellStep(L"C:\\Program Files\\Tool\\x.exe /a"),
              Shell(L"C:\\Program Files\\Tool\\x.exe", L"/a"));
    // Nothing names a program: the text goes to the shell's L"Open" as it stands.
    EXPECT_EQ(shellStep(L"nosuch /m"), Open(L"nosuch /m"));
}

TEST(LaunchPlan, AnythingButAProgramIsOpenedAloneAsBefore) {
    Disk disk;
    // A document, a missing file, a folder: alone, without options or folder.
    for (const wchar_t* file : {L"C:\\docs\\note.txt", L"C:\\docs\\gone.exe", L"C:\\docs"}) {
        SCOPED_TRACE(file);
        EXPECT_EQ(Walk(disk, Entry(file, L"-opt", L"C:\\work"), {kBadExeFormat, 0}),
                  (std::vector<LaunchStep>{Direct(std::wstring(file) + L" -opt", L"C:\\work"),
                                           Open(file), kStop}));
    }
    for (const wchar_t* text : {L"C:\\docs\\note.txt", L"C:\\My Docs", L"http://example.com/x y",
                                L"C:\\docs\\note.txt -x", L""}) {
        SCOPED_TRACE(text);
        const std::vector<LaunchStep> steps = Walk(disk, Typed(text), {kFileNotFound});
        EXPECT_NE(std::find(steps.begin(), steps.end(), Open(text)), steps.end());
    }
    // A typed program that fails for another reason is started by the shell with its arguments.
    EXPECT_EQ(Walk(disk, Typed(L"notepad a.txt"), {kAccessDenied}).back(),
              Shell(L"C:\\windows\\system32\\notepad.exe", L"a.txt"));
}

TEST(LaunchPlan, NamesOutsideEveryCodePageAreFoundWhole) {
    Disk disk;
    disk.files.insert(L"C:\\Tools\\é\\tool.exe");
    disk.files.insert(L"C:\\windows\\表.exe");
    EXPECT_EQ(SplitProgram(L"C:\\Tools\\é\\tool.exe tést", disk.Files()),
              (ProgramSplit{L"C:\\Tools\\é\\tool.exe", L"tést"}));
    EXPECT_EQ(SplitProgram(L"表 /q", disk.Files()), (ProgramSplit{L"C:\\windows\\表.exe", L"/q"}));
    // An entry in a folder with a blank starts quoted, as one argument; one whose file field
    // holds a program and its arguments starts as written, and the shell gets them split.
    EXPECT_EQ(Walk(disk, Entry(L"C:\\Program Files\\Tool\\x.exe", L"-q", L""), {}).front(),
              Direct(L"\"C:\\Program Files\\Tool\\x.exe\" -q"));
    EXPECT_EQ(Walk(disk, Entry(L"C:\\bars\\marker.exe -in", L"-opt", L"C:\\work"),
                   {kErrorElevationRequired}),
              (std::vector<LaunchStep>{Direct(L"C:\\bars\\marker.exe -in -opt", L"C:\\work"),
                                       Shell(L"C:\\bars\\marker.exe", L"-in -opt", L"C:\\work")}));
}

TEST(LaunchPlan, AFieldStartsWhatItNamesAndNeverAProgramPlantedAtAShorterBeginning) {
    Disk disk;
    disk.files.insert(L"C:\\Program.exe");
    auto first = [&](const wchar_t* file) {
        return FirstLaunchStep(Entry(file, L"-o", L""), disk.Files());
    };
    EXPECT_EQ(first(L"C:\\Program Files\\Tool\\x.exe -x"),
              Direct(L"\"C:\\Program Files\\Tool\\x.exe\" -x -o"));
    EXPECT_EQ(first(L"C:\\Program Files\\Tool\\x"),
              Direct(L"\"C:\\Program Files\\Tool\\x.exe\" -o"));
    EXPECT_EQ(first(L"C:\\Program Files\\Tool"), Direct(L"\"C:\\Program Files\\Tool\" -o"));
    EXPECT_EQ(first(L"C:\\Program Files\\Tool\\gone.exe"),
              Open(L"C:\\Program Files\\Tool\\gone.exe"));
    EXPECT_EQ(FirstLaunchStep(Typed(L"C:\\Program Files\\gone.exe -x"), disk.Files()),
              Open(L"C:\\Program Files\\gone.exe -x"));
    // Where no longer path exists, the shorter program is what the field names.
    EXPECT_EQ(first(L"C:\\Program Filez\\y.exe"), Direct(L"C:\\Program Filez\\y.exe -o"));
    // A bare name is read by the system's own search, as written.
    EXPECT_EQ(first(L"Program Files\\x.exe"), Direct(L"Program Files\\x.exe -o"));
}

}  // namespace
}  // namespace zarv
