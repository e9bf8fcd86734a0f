// Feeds arbitrary text to what reads the data files' and the keyboard's texts before a start: the
// %NAME% expansion, the split of typed text into its program and the rest, the command line of an
// entry and the reading of paths under WOW64. The input is UTF-16: up to the first U+0001 the
// text, then the files that exist, separated by U+0002.
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>

#include "core/launch_plan.h"
#include "core/launch_text.h"
#include "core/variables.h"
#include "core/wow64_paths.h"

namespace {

using namespace zarv;

void Check(bool condition) {
    if (!condition) std::abort();
}

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::wstring input;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        input.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
    const std::size_t cut = input.find(L'\x01');
    const std::wstring text = input.substr(0, cut);
    std::set<std::wstring> files;
    if (cut != std::wstring::npos) {
        std::wstring_view rest = std::wstring_view(input).substr(cut + 1);
        for (;;) {
            const std::size_t end = rest.find(L'\x02');
            files.emplace(rest.substr(0, end));
            if (end == std::wstring_view::npos) break;
            rest = rest.substr(end + 1);
        }
    }

    // Expansion: a value equal to the reference gives the text back; no variable set, too; a
    // reference that is expanded never survives whole.
    const VariableLookup none = [](std::wstring_view) { return std::nullopt; };
    const VariableLookup same = [](std::wstring_view name) {
        return std::optional<std::wstring>(L"%" + std::wstring(name) + L"%");
    };
    const VariableLookup empty = [](std::wstring_view) { return std::optional<std::wstring>(); };
    Check(ExpandVariables(text, none) == text);
    Check(ExpandVariables(text, same) == text);
    const std::wstring emptied = ExpandVariables(text, empty);
    Check(emptied.size() <= text.size());
    Check(ResolvePath(text, empty, [](const std::wstring&) { return true; }) == text);

    // The split: a program that exists, and the rest of the text after it.
    LaunchFiles launchFiles;
    launchFiles.fileExists = [&](const std::wstring& p) { return files.count(p) != 0; };
    launchFiles.folderExists = [](const std::wstring&) { return false; };
    launchFiles.searchFolders = {L"C:\\w", L"", L"C:\\x\\"};
    if (const std::optional<ProgramSplit> split = SplitProgram(text, launchFiles)) {
        Check(files.count(split->program) != 0);
        Check(split->parameters.empty() || !IsBlank(split->parameters.front()));
        Check(text.size() >= split->parameters.size() &&
              text.compare(text.size() - split->parameters.size(), std::wstring::npos,
                           split->parameters) == 0);
    }
    // A line is read whole, never shorter: the text as written, or quoted with all of it after.
    const LaunchRequest typed{text, {}, {}, true};
    LaunchStep step = FirstLaunchStep(typed, launchFiles);
    if (step.action == LaunchAction::StartDirect) {
        Check(step.file == text ||
              (step.file.front() == L'"' && step.file.find(L'"', 1) != std::wstring::npos));
    } else {
        Check(step.action == LaunchAction::ShellOpen && step.file == text);
    }
    for (unsigned long error : {2ul, kErrorElevationRequired, 0ul})
        step = NextLaunchStep(typed, step, error, launchFiles);
    Check(step.action == LaunchAction::Stop);

    // An entry's command line ends in its options.
    const std::wstring line = BuildCommandLine(text, L"-o");
    Check(line.size() == text.size() + 3 && line.compare(line.size() - 3, 3, L" -o") == 0);

    // Reading a path under WOW64: once read, reading it again changes nothing, and a read path
    // is written back under the system folder's name.
    const std::wstring_view system = L"C:\\Windows\\System32";
    const std::wstring native = Wow64NativePath(text, system);
    Check(Wow64NativePath(native, system) == native);
    Check(Wow64NativePath(Wow64WrittenPath(native, system), system) == native);
    return 0;
}
