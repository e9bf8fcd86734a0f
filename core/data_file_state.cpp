#include "core/data_file_state.h"

namespace zarv {

void DataFileState::Read(ReadBy by, ReadOutcome outcome) {
    last_ = outcome;
    if (outcome != ReadOutcome::IoFailure || by == ReadBy::Editor) {
        nextReread_ = kNoReread;
    } else if (by == ReadBy::Startup) {
        nextReread_ = 0;
    } else if (nextReread_ < kNoReread) {
        ++nextReread_;
    }
}

void DataFileState::Saved() {
    last_ = ReadOutcome::Read;
    nextReread_ = kNoReread;
}

std::optional<unsigned> DataFileState::RereadDelayMs() const {
    if (nextReread_ >= kNoReread) return std::nullopt;
    const unsigned previous = nextReread_ == 0 ? 0 : kRereadSeconds[nextReread_ - 1];
    return (kRereadSeconds[nextReread_] - previous) * 1000;
}

bool DataFileState::KeepBackup(bool exists, bool readsWhole) const {
    const bool readWell = last_ == ReadOutcome::Read || last_ == ReadOutcome::Absent;
    return exists && (!readWell || !readsWhole);
}

}  // namespace zarv
