#pragma once
// The notices the tray icon shows when something went wrong that the user should know of: keys
// the program could not take, a start that failed, a data file it could not read, and the first
// run. Their texts, in one table, and how each is put together and cut to the balloon's room.
#include <cstddef>
#include <string>
#include <vector>

#include "core/key_conflicts.h"
#include "core/records.h"

namespace zarv {

// A balloon's title and text, each within the room the notification area gives them.
struct Notice {
    std::wstring Title;
    std::wstring Text;
    bool operator==(const Notice&) const = default;
};

// The room of a balloon in UTF-16 units, its terminating zero left out.
inline constexpr std::size_t kNoticeTitleRoom = 63;
inline constexpr std::size_t kNoticeTextRoom = 255;

// text when it fits room; otherwise its beginning with "…" as its last character. A surrogate
// pair is never split.
std::wstring CutNoticeText(const std::wstring& text, std::size_t room);

// An entry whose key the registration did not get, and why.
struct KeyFailure {
    enum class Reason { Elsewhere, EarlierRow };
    std::size_t Row = 0;  // the entry's position
    Reason Why = Reason::Elsewhere;
    bool operator==(const KeyFailure&) const = default;
};

// The available entries (available[i]) whose key was not registered (registered[i] false), in
// list order: an earlier available entry of the same combination holds it, or else someone
// outside the list does (another program, or Windows).
std::vector<KeyFailure> KeyFailures(const std::vector<THotkeyItem>& entries,
                                    const std::vector<bool>& available,
                                    const std::vector<bool>& registered);

// What a key notice names of one failure: the entry's key text and title, as wide text.
struct KeyFailureName {
    std::wstring KeyText;
    std::wstring Title;
    KeyFailure::Reason Why = KeyFailure::Reason::Elsewhere;
};

// Names the first three keys with their entries and reasons, then how many more there are.
Notice KeysNotTakenNotice(const std::vector<KeyFailureName>& failures);
// asked: the entry's or command's name, or the typed text; reason: the system's words.
Notice StartFailedNotice(const std::wstring& asked, const std::wstring& reason);
// The data files (by name) that are there but could not be read.
Notice FilesNotReadNotice(const std::vector<std::wstring>& fileNames);
// folder: where the program and its data files are.
Notice FirstRunNotice(const std::wstring& folder);

}  // namespace zarv
