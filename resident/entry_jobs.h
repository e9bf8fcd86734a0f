#pragma once
// The work on an entry's file that runs on a worker thread (widgets/base/worker.h): its test and
// picture, and its start. Each job carries the entry's position and the generation of the list it
// was taken from; the resident window applies an answer only while that generation stands.
#include <windows.h>

#include <string>

#include "core/launcher_items.h"
#include "core/records.h"
#include "widgets/base/handles.h"
#include "widgets/base/worker.h"

namespace zarv {

// The answers come back to the resident window as these messages.
constexpr UINT kEntryCheckedMessage = WM_APP + 10;
constexpr UINT kStartDoneMessage = WM_APP + 11;

// Whether an entry's file exists and, when the entry is available, its launcher-menu picture.
class EntryCheck : public WorkerJob {
public:
    EntryCheck(const THotkeyItem& entry, IconFallback fallback, int size)
        : FuncNo(entry.FuncNo), Path(entry.FilePath), Fallback(fallback), Size(size) {}
    void Run() override;

    std::size_t Tag = 0;
    unsigned Generation = 0;
    // Asked
    unsigned char FuncNo;
    std::string Path;
    IconFallback Fallback;
    int Size;
    // Answered
    std::wstring File;  // the file as it is used
    bool FileExists = false;
    bool Available = false;
    UniqueIcon Icon;  // its own picture; none: the fallback's
};

// A start: a hotkey entry's (Tag, Generation), or the command bar's.
class StartJob : public WorkerJob {
public:
    void Run() override;

    enum class Kind { Entry, Command, Typed, Shortcut };
    Kind What = Kind::Entry;
    std::size_t Tag = 0;
    unsigned Generation = 0;
    HWND Owner = nullptr;  // StartOwnerNow() when it was asked for
    // An entry or command (its FuncNo 0 or 255); TestFirst: its file was not looked for yet, and
    // a program whose file is missing is not started (Missing answers so).
    THotkeyItem Entry;
    bool TestFirst = false;
    std::wstring Typed;  // text typed into the command bar; a Start-menu shortcut's path
    std::wstring Asked;  // what the user asked for: the entry's or command's name, or Typed
    bool Missing = false;
    DWORD Error = 0;  // 0: started; else why not, the system's error
};

}  // namespace zarv
