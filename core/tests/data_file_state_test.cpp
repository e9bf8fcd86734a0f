#include "core/data_file_state.h"

#include <gtest/gtest.h>

#include <vector>

namespace zarv {
namespace {

// The seconds after the start-up failure at which the reads on the clock come, each of them
// failing again.
std::vector<unsigned> ClockWhileFailing(DataFileState& file) {
    std::vector<unsigned> at;
    unsigned ms = 0;
    for (int guard = 0; guard < 20; ++guard) {
        auto delay = file.RereadDelayMs();
        if (!delay) break;
        ms += *delay;
        at.push_back(ms / 1000);
        file.Read(ReadBy::Timer, ReadOutcome::IoFailure);
    }
    return at;
}

TEST(DataFileStateTest, AFailedStartUpReadIsReadAgainAtTheScheduleThenNoMore) {
    DataFileState file;
    EXPECT_FALSE(file.RereadDelayMs());
    file.Read(ReadBy::Startup, ReadOutcome::IoFailure);
    EXPECT_TRUE(file.Unread());
    EXPECT_EQ(ClockWhileFailing(file), (std::vector<unsigned>{2, 5, 15, 30, 60}));
    EXPECT_FALSE(file.RereadDelayMs()) << "given up";
    EXPECT_TRUE(file.Unread()) << "the editor still reads once more";

    // A read on the clock that succeeds ends the schedule.
    file.Read(ReadBy::Startup, ReadOutcome::IoFailure);
    file.Read(ReadBy::Timer, ReadOutcome::IoFailure);
    EXPECT_EQ(file.RereadDelayMs(), 3000u);
    file.Read(ReadBy::Timer, ReadOutcome::Read);
    EXPECT_FALSE(file.RereadDelayMs());
    EXPECT_FALSE(file.Unread());
}

TEST(DataFileStateTest, OnlyInputOutputFailuresAreReadAgainAndTheEditorEndsTheClock) {
    for (ReadOutcome outcome : {ReadOutcome::Read, ReadOutcome::BadContent}) {
        DataFileState file;
        file.Read(ReadBy::Startup, outcome);
        EXPECT_FALSE(file.RereadDelayMs());
        EXPECT_FALSE(file.Unread());
    }
    // A damaged file found by a read on the clock ends it too, and is not read at the editor.
    DataFileState file;
    file.Read(ReadBy::Startup, ReadOutcome::IoFailure);
    file.Read(ReadBy::Timer, ReadOutcome::BadContent);
    EXPECT_FALSE(file.RereadDelayMs());
    EXPECT_FALSE(file.Unread());

    // The editor's read, failed or not, leaves no read on the clock; a failed one leaves the
    // file to be read at the next opening.
    file.Read(ReadBy::Startup, ReadOutcome::IoFailure);
    file.Read(ReadBy::Editor, ReadOutcome::IoFailure);
    EXPECT_FALSE(file.RereadDelayMs());
    EXPECT_TRUE(file.Unread());
    file.Read(ReadBy::Editor, ReadOutcome::Read);
    EXPECT_FALSE(file.Unread());
}

TEST(DataFileStateTest, AFileWhoseLastReadFailedIsKeptBeforeASaveUntilASaveSucceeds) {
    // exists, readsWhole: a file read whole needs no copy, one that cannot be read now does.
    DataFileState file;
    file.Read(ReadBy::Startup, ReadOutcome::Read);
    EXPECT_FALSE(file.KeepBackup(true, true));
    EXPECT_TRUE(file.KeepBackup(true, false));
    EXPECT_FALSE(file.KeepBackup(false, false)) << "nothing there to keep";

    // Whenever the last read failed, the file is kept whatever it looks like by now.
    for (ReadOutcome failed : {ReadOutcome::IoFailure, ReadOutcome::BadContent}) {
        for (ReadBy by : {ReadBy::Startup, ReadBy::Timer, ReadBy::Editor}) {
            DataFileState f;
            f.Read(ReadBy::Startup, ReadOutcome::IoFailure);
            f.Read(by, failed);
            EXPECT_TRUE(f.KeepBackup(true, true));
            EXPECT_FALSE(f.KeepBackup(false, true));
            // Once a save has replaced it, the file holds the list: a later save keeps no copy
            // (which would replace the kept one with the program's own list).
            f.Saved();
            EXPECT_FALSE(f.KeepBackup(true, true));
            EXPECT_FALSE(f.Unread());
            EXPECT_FALSE(f.RereadDelayMs());
        }
    }
    // A failed start-up read that a later read mended needs no copy.
    DataFileState mended;
    mended.Read(ReadBy::Startup, ReadOutcome::IoFailure);
    mended.Read(ReadBy::Timer, ReadOutcome::Read);
    EXPECT_FALSE(mended.KeepBackup(true, true));
}

}  // namespace
}  // namespace zarv
