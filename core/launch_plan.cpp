#include "core/launch_plan.h"

#include "core/launch_text.h"
#include "core/launcher_items.h"

namespace zarv {

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

std::wstring_view SkipBlanks(std::wstring_view s) {
    std::size_t i = 0;
    while (i < s.size() && IsBlank(s[i])) ++i;
    return s.substr(i);
}

// Whether a name has a folder part, whether its last part has an extension, and whether it ends
// in a separator.
struct NameShape {
    bool hasFolder = false;
    bool hasExtension = false;
    bool endsInSeparator = false;
};

NameShape ShapeOf(std::wstring_view name) {
    NameShape shape;
    for (const wchar_t c : name) {
        shape.endsInSeparator = false;
        if (c == L'\\' || c == L'/' || c == L':') {
            shape.hasFolder = true;
            shape.hasExtension = false;
            shape.endsInSeparator = true;
        } else if (c == L'.') {
            shape.hasExtension = true;
        }
    }
    return shape;
}

}  // namespace

std::optional<std::wstring> FindProgram(std::wstring_view name, const LaunchFiles& files) {
    if (name.empty()) return std::nullopt;
    const NameShape shape = ShapeOf(name);
    std::wstring file(name);
    if (!shape.hasExtension) file += L".exe";
    if (shape.hasFolder) {
        if (files.fileExists(file)) return file;
        return std::nullopt;
    }
    for (const std::wstring& folder : files.searchFolders) {
        if (folder.empty()) continue;
        std::wstring path = folder;
        if (!ShapeOf(folder).endsInSeparator) path += L'\\';
        path += file;
        if (files.fileExists(path)) return path;
    }
    return std::nullopt;
}

std::optional<ProgramSplit> SplitProgram(std::wstring_view commandLine, const LaunchFiles& files) {
    const std::wstring_view s = SkipBlanks(commandLine);
    if (s.empty()) return std::nullopt;
    if (s[0] == L'"') {
        const std::size_t close = s.find(L'"', 1);
        const std::wstring_view name = s.substr(1, close == s.npos ? s.npos : close - 1);
        const std::optional<std::wstring> found = FindProgram(name, files);
        if (!found) return std::nullopt;
        const std::wstring_view rest = close == s.npos ? std::wstring_view() : s.substr(close + 1);
        return ProgramSplit{*found, std::wstring(SkipBlanks(rest))};
    }
    // "C:\Program Files\Tool\x.exe /a": "C:\Program" first, then the longer prefixes.
    for (std::size_t i = 1; i <= s.size(); ++i) {
        if (i < s.size() && !(IsBlank(s[i]) && !IsBlank(s[i - 1]))) continue;
        if (i == s.size() && IsBlank(s[i - 1])) break;  // trailing blanks: tried already
        if (std::optional<std::wstring> found = FindProgram(s.substr(0, i), files))
            return ProgramSplit{*found, std::wstring(SkipBlanks(s.substr(i)))};
    }
    return std::nullopt;
}

std::optional<std::wstring> ProgramLine(std::wstring_view field, const LaunchFiles& files) {
    const std::size_t firstBlank = field.find_first_of(L" \t");
    if (firstBlank == field.npos || field.front() == L'"' ||
        !ShapeOf(field.substr(0, firstBlank)).hasFolder)
        return std::wstring(field);
    auto exists = [&](std::wstring_view path) {
        const std::wstring p(path);
        return files.fileExists(p) || files.folderExists(p);
    };
    // A program whose path has no blank is read from the line as written; one with a blank is
    // quoted, so that no shorter beginning of it is tried first.
    auto quoted = [&](std::wstring_view path, std::wstring_view rest) {
        if (path.find_first_of(L" \t") == path.npos) return std::wstring(field);
        std::wstring line;
        line.reserve(path.size() + 2 + rest.size());
        line.push_back(L'"');
        line.append(path);
        line.push_back(L'"');
        line.append(rest);
        return line;
    };
    if (exists(field)) return quoted(field, {});
    // The longest beginning first: "C:\Program Files\Tool\tool.exe -x" before "C:\Program".
    for (std::size_t i = field.size() + 1; i-- > firstBlank;) {
        if ((i < field.size() && !IsBlank(field[i])) || IsBlank(field[i - 1])) continue;
        const std::wstring_view begin = field.substr(0, i);
        std::wstring program(begin);
        if (!ShapeOf(begin).hasExtension) program += L".exe";
        if (!files.fileExists(program)) continue;
        // Part of a longer path that exists: the name goes on past the blank.
        const std::size_t next = SkipBlanks(field.substr(i)).size();
        const std::size_t end = field.find_first_of(L" \t\\/", field.size() - next);
        if (end != field.npos && exists(field.substr(0, end))) continue;
        return quoted(program, field.substr(i));
    }
    return std::nullopt;
}

LaunchStep FirstLaunchStep(const LaunchRequest& request, const LaunchFiles& files) {
    const std::optional<std::wstring> line = ProgramLine(request.filePath, files);
    if (!line) return {LaunchAction::ShellOpen, request.filePath, {}, {}};
    if (request.typed) return {LaunchAction::StartDirect, *line, {}, {}};
    return {
        LaunchAction::StartDirect, BuildCommandLine(*line, request.options), {}, request.workDir};
}

LaunchStep NextLaunchStep(const LaunchRequest& request, const LaunchStep& failed,
                          unsigned long error, const LaunchFiles& files) {
    // The shell has had the last word: a program is never tried again without its options, and
    // a declined prompt is the user's answer.
    if (failed.action != LaunchAction::StartDirect) return {};
    const bool elevate = error == kErrorElevationRequired;
    if (request.typed) {
        // The program the direct start found: the line it was given reads no shorter.
        const std::optional<ProgramSplit> split = SplitProgram(failed.file, files);
        if (split && (elevate || IsProgramFileName(split->program)))
            return {LaunchAction::ShellStart, split->program, split->parameters, {}};
        return {LaunchAction::ShellOpen, request.filePath, {}, {}};
    }
    // A working folder that is gone (renamed, a removed drive): as without one.
    if (!failed.folder.empty() && !files.folderExists(failed.folder))
        return {LaunchAction::StartDirect, failed.file, {}, {}};
    const std::optional<std::wstring> found = FindProgram(request.filePath, files);
    if (!found) {
        // A program with its arguments in the file field: what the direct start read.
        const std::optional<ProgramSplit> split = SplitProgram(failed.file, files);
        if (split && (elevate || IsProgramFileName(split->program)))
            return {LaunchAction::ShellStart, split->program, split->parameters, failed.folder};
    }
    if (elevate || (found && IsProgramFileName(*found)))
        return {LaunchAction::ShellStart, request.filePath, request.options, failed.folder};
    return {LaunchAction::ShellOpen, request.filePath, {}, {}};
}

}  // namespace zarv
