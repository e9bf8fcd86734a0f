#include "resident/data_files.h"

#include <windows.h>

#include <algorithm>
#include <string_view>
#include <vector>

#include "core/data_file.h"
#include "core/records.h"
#include "widgets/base/ansi.h"
#include "widgets/base/files.h"
#include "widgets/base/handles.h"

namespace zarv {
namespace {

void ShowIoError(const std::wstring& fileName, bool reading, DWORD code) {
    std::wstring text = fileName + (reading ? L" の読み込み中にエラーが発生しました。\n"
                                            : L" の書き込み中にエラーが発生しました。\n");
    text += SystemErrorText(code);
    MessageBoxW(nullptr, text.c_str(), L"ZARV", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

// Reads a whole file. Returns 0 or the system error code.
DWORD ReadWholeFile(const std::wstring& path, std::string& out) {
    // Read access only: a read-only data file loads like any other.
    UniqueKernelHandle f(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                     OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!f) return GetLastError();
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(f.get(), &size)) return GetLastError();
    if (size.QuadPart > 0x7FFFFFFF) return ERROR_FILE_TOO_LARGE;
    out.resize(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < out.size()) {
        DWORD got = 0;
        DWORD want = static_cast<DWORD>(std::min<size_t>(out.size() - done, 1u << 24));
        if (!ReadFile(f.get(), out.data() + done, want, &got, nullptr)) return GetLastError();
        if (got == 0) break;
        done += got;
    }
    out.resize(done);
    return 0;
}

template <typename Item>
using Parser = ParseResult (*)(std::string_view, FileVersion, std::vector<Item>&);

template <typename Item>
bool LoadFile(const std::wstring& path, const wchar_t* fileName, const wchar_t* notice,
              std::vector<Item>& list, Parser<Item> parse, DataFileState& file, ReadBy by) {
    const bool quiet = by == ReadBy::Timer;
    if (!IsExistingFile(path)) {
        file.Read(by, ReadOutcome::Absent);  // nothing there to read or to keep
        return false;
    }
    std::string data;
    if (DWORD err = ReadWholeFile(path, data)) {
        // Told before the box: the reads on the clock go on while it is open.
        file.Read(by, ReadOutcome::IoFailure);
        if (!quiet) ShowIoError(fileName, true, err);
        return false;  // nothing read; the list stays as it was
    }
    if (!HeaderComplete(data)) {
        file.Read(by, ReadOutcome::BadContent);
        if (!quiet) ShowIoError(fileName, true, ERROR_HANDLE_EOF);
        list.clear();
        return true;
    }
    FileVersion v = DetectVersion(data);
    if (v == FileVersion::Unknown) {
        file.Read(by, ReadOutcome::BadContent);
        return false;
    }
    if (v == FileVersion::V102) MessageBoxW(nullptr, notice, L"ZARV", MB_OK | MB_TASKMODAL);
    std::vector<Item> read;
    const bool whole = parse(data, v, read).complete;
    file.Read(by, whole ? ReadOutcome::Read : ReadOutcome::BadContent);
    list = std::move(read);
    if (!whole && !quiet) ShowIoError(fileName, true, ERROR_HANDLE_EOF);
    return true;
}

// True when the file at path exists and this program can read all of it (not a newer or
// unknown version, not torn, no read failure).
template <typename Item>
bool ReadsWhole(const std::wstring& path, Parser<Item> parse) {
    std::string data;
    if (ReadWholeFile(path, data) != 0 || !HeaderComplete(data)) return false;
    FileVersion v = DetectVersion(data);
    if (v == FileVersion::Unknown) return false;
    std::vector<Item> scratch;
    return parse(data, v, scratch).complete;
}

// The new content of a file, written beside it; removed again unless it replaced the file.
class TempFile {
public:
    explicit TempFile(std::wstring path) : path_(std::move(path)) {}
    ~TempFile() {
        if (!moved_) DeleteFileW(path_.c_str());
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    // Writes content and flushes it to the disk. Returns 0 or the system error code.
    DWORD Write(std::string_view content) const {
        UniqueKernelHandle f(CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!f) return GetLastError();
        for (size_t done = 0; done < content.size();) {
            DWORD put = 0;
            DWORD want = static_cast<DWORD>(std::min<size_t>(content.size() - done, 1u << 24));
            if (!WriteFile(f.get(), content.data() + done, want, &put, nullptr) || put == 0) {
                DWORD err = GetLastError();
                return err ? err : ERROR_WRITE_FAULT;
            }
            done += put;
        }
        return FlushFileBuffers(f.get()) ? 0 : GetLastError();
    }

    // Replaces target by this file in one step.
    DWORD MoveOver(const std::wstring& target) {
        if (!MoveFileExW(path_.c_str(), target.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return GetLastError();
        moved_ = true;
        return 0;
    }

private:
    std::wstring path_;
    bool moved_ = false;
};

// Writes content to path through a temporary file beside it and an atomic replace; with
// keepBackup the old file is first copied to "<name>.bak". Returns 0 or the system error code.
DWORD WriteFileAtomically(const std::wstring& path, std::string_view content, bool keepBackup) {
    TempFile temp(path + L".new");
    if (DWORD err = temp.Write(content)) return err;
    if (keepBackup && !CopyFileW(path.c_str(), (path + L".bak").c_str(), FALSE))
        return GetLastError();
    return temp.MoveOver(path);
}

template <typename Item>
bool SaveFile(const std::wstring& path, const wchar_t* fileName, std::string_view content,
              Parser<Item> parse, DataFileState& file) {
    const bool exists = IsExistingFile(path);
    const bool keepBackup = file.KeepBackup(exists, exists && ReadsWhole(path, parse));
    if (DWORD err = WriteFileAtomically(path, content, keepBackup)) {
        ShowIoError(fileName, false, err);
        return false;
    }
    file.Saved();
    return true;
}

}  // namespace

std::wstring DataFolder() {
    std::wstring folder = ProgramFolder();
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    return folder;
}

std::wstring HotkeyFilePath() { return DataFolder() + L"Hotkey.DAT"; }
std::wstring CommandFilePath() { return DataFolder() + L"Command.DAT"; }

bool LoadHotkeys(DataFileState& file, ReadBy by) {
    return LoadFile<THotkeyItem>(HotkeyFilePath(), L"Hotkey.DAT",
                                 L"ホットキーData File : Hotkey.DAT\n自動コンバートします。",
                                 HotkeyList, &ParseHotkeys, file, by);
}

bool LoadCommands(DataFileState& file, ReadBy by) {
    return LoadFile<TCommandItem>(CommandFilePath(), L"Command.DAT",
                                  L"コマンドData File : Command.DAT\n自動コンバートします。",
                                  CommandList, &ParseCommands, file, by);
}

bool SaveHotkeys(DataFileState& file) {
    return SaveFile<THotkeyItem>(HotkeyFilePath(), L"Hotkey.DAT",
                                 SerializeHotkeys(HotkeyList, AnsiCodePage()), &ParseHotkeys, file);
}

bool SaveCommands(DataFileState& file) {
    return SaveFile<TCommandItem>(CommandFilePath(), L"Command.DAT",
                                  SerializeCommands(CommandList, AnsiCodePage()), &ParseCommands,
                                  file);
}

}  // namespace zarv
