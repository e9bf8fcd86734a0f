#pragma once
// The command bar's look-ups of folders, off the window thread: each runs as a job of the
// system's thread pool, so a drive that takes half a minute to answer holds only its own job,
// and its answer comes back to the window as a posted message.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "menus/command_bar.h"

namespace zarv {

// A folder's entries, as posted to the window (lParam of kFolderListedMessage).
struct FolderAnswer {
    std::wstring folder;
    std::vector<FolderEntry> entries;
};

class TFolderLister : public FolderLister {
public:
    static constexpr UINT kFolderListedMessage = WM_APP + 1;

    explicit TFolderLister(HWND window) : window_(window) {}
    void ListFolder(const std::wstring& folder) override;
    // The answer carried by a kFolderListedMessage's lParam, owned from then on.
    static std::unique_ptr<FolderAnswer> Answer(LPARAM lp) {
        return std::unique_ptr<FolderAnswer>(reinterpret_cast<FolderAnswer*>(lp));
    }

private:
    HWND window_;
};

}  // namespace zarv
