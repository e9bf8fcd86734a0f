#pragma once
// The programs of the Start menu for the command bar: read on a worker thread, the user's and all
// users' program folders with every folder below them, and read again only when a folder changed.
#include <windows.h>

#include <memory>
#include <string>

#include "core/program_list.h"
#include "widgets/base/worker.h"

namespace zarv {

// Reads the Start menu's programs, unless what was read before (Known, with its Folders) still
// stands: a job for the worker.
class ProgramReading : public WorkerJob {
public:
    ProgramReading(std::uint64_t known, std::wstring folders)
        : Known(known), Folders(std::move(folders)) {}
    void Run() override;

    // Asked
    std::uint64_t Known;
    std::wstring Folders;
    // Answered: nothing when what was read before still stands.
    std::unique_ptr<StartMenuPrograms> Read;
};

}  // namespace zarv
