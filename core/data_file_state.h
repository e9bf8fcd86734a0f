#pragma once
// What the program knows of one data file between its reads and saves: how the last read went,
// when the file is read again after the system failed a read (another program held it at
// start-up, a backup or anti-virus tool at logon), and whether the file on disk is kept as
// "<name>.bak" before a save replaces it.
#include <array>
#include <cstddef>
#include <optional>

namespace zarv {

enum class ReadOutcome {
    Read,        // read to its end
    Absent,      // no file there
    IoFailure,   // the system failed the read: a sharing violation, access denied, a device error
    BadContent,  // read, but not whole: an unknown header, a file that ends inside its records
};

// Who reads: the start-up read, the silent reads on the clock after it failed, or the read of
// the list's editor as it opens.
enum class ReadBy { Startup, Timer, Editor };

// Seconds after a failed start-up read at which the file is read again; then no more.
inline constexpr std::array<unsigned, 5> kRereadSeconds = {2, 5, 15, 30, 60};

class DataFileState {
public:
    // Takes the outcome of a read. An input/output failure at start-up starts the reads on the
    // clock and each failed one moves on to the next; any other outcome ends them, and so does
    // the editor's read (from its opening on, the editor's rows are what the user works on).
    void Read(ReadBy by, ReadOutcome outcome);
    // A save replaced the file with the list: it now holds what the program has.
    void Saved();

    // True while the last read failed for an input/output reason: the list's editor reads the
    // file once more as it opens.
    bool Unread() const { return last_ == ReadOutcome::IoFailure; }
    ReadOutcome LastRead() const { return last_; }
    // Milliseconds from the last read on the clock (or the start-up read) to the next one;
    // nothing when no read on the clock is due.
    std::optional<unsigned> RereadDelayMs() const;
    // Whether a save keeps the file on disk as ".bak" first: when it exists and either the last
    // read of it failed, for any reason (whatever the file looks like by now), or this program
    // cannot read it whole now (readsWhole false).
    bool KeepBackup(bool exists, bool readsWhole) const;

private:
    static constexpr std::size_t kNoReread = kRereadSeconds.size();
    ReadOutcome last_ = ReadOutcome::Read;
    std::size_t nextReread_ = kNoReread;  // index into kRereadSeconds
};

}  // namespace zarv
