#include "resident/entry_jobs.h"

#include "menus/launcher_menu.h"
#include "resident/launch.h"
#include "widgets/base/ansi.h"
#include "widgets/base/files.h"

namespace zarv {

void EntryCheck::Run() {
    // A program entry's file with its %NAME% references expanded; URL and internal-function
    // entries need not name a file at all.
    // A bare program name stands for the program the start finds, and shows its picture.
    File = FuncNo == kFuncProgram ? EntryFile(EntryPath(Path)) : AnsiToWide(Path);
    FileExists = FuncNo == kFuncProgram ? !File.empty() : IsExistingFile(File);
    Available = IsAvailable(THotkeyItem{.FuncNo = FuncNo}, FileExists);
    if (Available) Icon.reset(LookUpIcon(File, Fallback, FileExists, Size));
}

void StartJob::Run() {
    if (What == Kind::Shortcut) {
        Error = StartShortcut(Typed, Owner);
        return;
    }
    if (What == Kind::Typed) {
        Error = StartTyped(EntryPath(Typed), Owner);
        return;
    }
    if (Entry.FuncNo == kFuncUrl) {
        Error = OpenUrlFrom(AnsiToWide(Entry.FilePath), Owner);
        return;
    }
    const std::wstring file = EntryPath(Entry.FilePath);
    if (TestFirst && EntryFile(file).empty()) {
        Missing = true;
        Error = ERROR_FILE_NOT_FOUND;
        return;
    }
    Error = StartFile(file, EntryText(Entry.Options), EntryPath(Entry.WorkDir), Owner);
}

}  // namespace zarv
