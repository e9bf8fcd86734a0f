#include "settings/setting_form.h"

#include "core/list_rows.h"
#include "settings/set_key_form.h"
#include "widgets/base/files.h"

namespace zarv {
namespace {

constexpr UINT kFileTestedMessage = WM_APP + 12;

}  // namespace

TSettingForm::TSettingForm(EditorHost& host, const std::vector<THotkeyItem>& list)
    : TListEditor(L"TSettingForm", L"HotKeyの設定", 640, 360,
                  {{L"タイトル", 130},
                   {L"ファイルパス", 80},
                   {L"オプション", 80},
                   {L"作業フォルダ", 0},
                   {L"割り当てキー", 150}},
                  &host),
      host_(host),
      rows_(MakeHotkeyRows(list)) {}

std::wstring TSettingForm::CellText(int row, int column) {
    static constexpr TextColumn<THotkeyItem> kColumns[] = {
        &THotkeyItem::Title, &THotkeyItem::FilePath, &THotkeyItem::Options, &THotkeyItem::WorkDir,
        &THotkeyItem::KeyText};
    return ColumnText(rows_[static_cast<size_t>(row)].Item, kColumns, column);
}

bool TSettingForm::RowGreyed(int row) {
    return IsStruckOut(rows_[static_cast<size_t>(row)],
                       [this](const std::string& path) { return FileKnown(path); });
}

std::optional<bool> TSettingForm::FileKnown(const std::string& path) {
    for (const auto& [known, exists] : files_)
        if (known == path) return exists;
    files_.emplace_back(path, std::nullopt);
    auto job = std::make_unique<FileTest>(AnsiToWide(path));
    job->Window = hwnd();
    job->Message = kFileTestedMessage;
    Worker::Shared().Post(std::move(job), WorkerLane::Check);
    return std::nullopt;
}

LRESULT TSettingForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != kFileTestedMessage) return TListEditor::HandleMessage(msg, wp, lp);
    std::unique_ptr<FileTest> answer = Worker::Answer<FileTest>(lp);
    for (auto& [known, exists] : files_)
        if (AnsiToWide(known) == answer->Field) exists = answer->Exists;
    InvalidateRect(ListView1, nullptr, FALSE);
    return 0;
}

bool TSettingForm::CellRed(int row, int column) {
    constexpr int kKeyColumn = 4;
    return column == kKeyColumn &&
           IsKeyCellRed(rows_, static_cast<std::size_t>(row), host_.LastPass());
}

void TSettingForm::MoveRow(int from, int to) { zarv::MoveRow(rows_, from, to); }

void TSettingForm::DeleteRow(int row) { rows_.erase(rows_.begin() + row); }

void TSettingForm::LookBtn_AddClick() {
    TSetKey_Form dialog(rows_, host_, EntryMode::Add(), &host_);
    dialog.ShowModal(hwnd());
    if (const auto& item = dialog.Result()) {
        rows_.emplace_back();
        rows_.back().Set(*item);
        RowsChanged(RowCount() - 1);
    }
}

void TSettingForm::EditRow(int row) {
    TSetKey_Form dialog(rows_, host_, EntryMode::Edit(row), &host_);
    dialog.ShowModal(hwnd());
    if (const auto& item = dialog.Result()) {
        rows_[static_cast<size_t>(row)].Set(*item);
        RowsChanged(row);
    }
}

void TSettingForm::LookBtn_OKClick() {
    host_.ApplyHotkeys(RowsToList(rows_));
    Close();
}

void TSettingForm::FormClose() {
    HotkeyList = RowsToList(rows_);
    host_.SaveHotkeys();
}

}  // namespace zarv
