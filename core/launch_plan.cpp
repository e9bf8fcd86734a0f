#include "launch_plan.h"

#include "launch_text.h"
#include "launcher_items.h"

namespace zarv {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view SkipBlanks(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && IsBlank(s[i])) ++i;
    return s.substr(i);
}

// Where the folder part of a name ends and whether its last part has an extension. Trail bytes
// are skipped: in Shift-JIS one can be 0x5C, the backslash.
struct NameShape {
    bool hasFolder = false;
    bool hasExtension = false;
    bool endsInSeparator = false;
};

NameShape ShapeOf(std::string_view name, const CodePage& cp) {
    NameShape shape;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        shape.endsInSeparator = false;
        if (cp.IsLead(static_cast<unsigned char>(c)) && i + 1 < name.size()) {
            ++i;
        } else if (c == '\\' || c == '/' || c == ':') {
            shape.hasFolder = true;
            shape.hasExtension = false;
            shape.endsInSeparator = true;
        } else if (c == '.') {
            shape.hasExtension = true;
        }
    }
    return shape;
}

// The file a program name stands for, as the direct start looks for it.
std::optional<std::string> FindProgram(std::string_view name, const LaunchFiles& files) {
    if (name.empty()) return std::nullopt;
    const NameShape shape = ShapeOf(name, *files.codePage);
    std::string file(name);
    if (!shape.hasExtension) file += ".exe";
    if (shape.hasFolder) {
        if (files.fileExists(file)) return file;
        return std::nullopt;
    }
    for (const std::string& folder : files.searchFolders) {
        if (folder.empty()) continue;
        std::string path = folder;
        if (!ShapeOf(folder, *files.codePage).endsInSeparator) path += '\\';
        path += file;
        if (files.fileExists(path)) return path;
    }
    return std::nullopt;
}

bool IsProgramFile(std::string_view name, const LaunchFiles& files) {
    const std::optional<std::string> found = FindProgram(name, files);
    return found && IsProgramFileName(*found);
}

}  // namespace

std::optional<ProgramSplit> SplitProgram(std::string_view commandLine, const LaunchFiles& files) {
    // Blanks and quotation marks are never trail bytes, which start at 0x40.
    const std::string_view s = SkipBlanks(commandLine);
    if (s.empty()) return std::nullopt;
    if (s[0] == '"') {
        const std::size_t close = s.find('"', 1);
        const std::string_view name = s.substr(1, close == s.npos ? s.npos : close - 1);
        const std::optional<std::string> found = FindProgram(name, files);
        if (!found) return std::nullopt;
        const std::string_view rest = close == s.npos ? std::string_view() : s.substr(close + 1);
        return ProgramSplit{*found, std::string(SkipBlanks(rest))};
    }
    // "C:\Program Files\Tool\x.exe /a": "C:\Program" first, then the longer prefixes.
    for (std::size_t i = 1; i <= s.size(); ++i) {
        if (i < s.size() && !(IsBlank(s[i]) && !IsBlank(s[i - 1]))) continue;
        if (i == s.size() && IsBlank(s[i - 1])) break;  // trailing blanks: tried already
        if (std::optional<std::string> found = FindProgram(s.substr(0, i), files))
            return ProgramSplit{*found, std::string(SkipBlanks(s.substr(i)))};
    }
    return std::nullopt;
}

LaunchStep FirstLaunchStep(const LaunchRequest& request) {
    if (request.typed) return {LaunchAction::StartDirect, request.filePath, {}, {}};
    return {LaunchAction::StartDirect,
            BuildCommandLine(request.filePath, request.options),
            {},
            request.workDir};
}

LaunchStep NextLaunchStep(const LaunchRequest& request, const LaunchStep& failed,
                          unsigned long error, const LaunchFiles& files) {
    // The shell has had the last word: a program is never tried again without its options, and
    // a declined prompt is the user's answer.
    if (failed.action != LaunchAction::StartDirect) return {};
    const bool elevate = error == kErrorElevationRequired;
    if (request.typed) {
        const std::optional<ProgramSplit> split = SplitProgram(request.filePath, files);
        if (split && (elevate || IsProgramFileName(split->program)))
            return {LaunchAction::ShellStart, split->program, split->parameters, {}};
        return {LaunchAction::ShellOpen, request.filePath, {}, {}};
    }
    // A working folder that is gone (renamed, a removed drive): as without one.
    if (!failed.folder.empty() && !files.folderExists(failed.folder))
        return {LaunchAction::StartDirect, failed.file, {}, {}};
    if (elevate || IsProgramFile(request.filePath, files))
        return {LaunchAction::ShellStart, request.filePath, request.options, failed.folder};
    return {LaunchAction::ShellOpen, request.filePath, {}, {}};
}

}  // namespace zarv
