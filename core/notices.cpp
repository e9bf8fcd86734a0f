#include "core/notices.h"

#include <initializer_list>

namespace zarv {
namespace {

// Every text of the notices. %1, %2, %3 stand for what is filled in.
enum TextId {
    kKeysTitle,
    kKeyLine,
    kHeldElsewhere,
    kEarlierRow,
    kMoreKeys,
    kKeysHint,
    kStartTitle,
    kStartText,
    kFilesTitle,
    kFilesText,
    kFileSeparator,
    kFirstRunTitle,
    kFirstRunText,
};
constexpr const wchar_t* kTexts[] = {
    L"ホットキーを登録できません",
    L"%1「%2」: %3\n",
    L"他のプログラムか Windows が使用中",
    L"前の行と同じキー",
    L"他 %1 件\n",
    L"クリックすると「ホットキーの設定」を開きます。",
    L"起動できません",
    L"「%1」\n%2",
    L"データファイルを読み込めません",
    L"%1 は変更せずに残してあります。その一覧を初めて保存するときに、元のファイルを「.bak」を付けた"
    L"名前で残します。",
    L"、",
    L"ZARV は通知領域にいます",
    L"アイコンを右ボタンでクリックすると設定、左ボタンでランチャーメニューです。まず「ホットキーの"
    L"設"
    L"定」でキーを登録してください。\nデータファイルの場所: %1",
};

// How much of one name a notice shows, so that three lines and the rest fit its room.
constexpr std::size_t kNameRoom = 24;
constexpr std::size_t kAskedRoom = 100;
constexpr std::size_t kKeysShown = 3;

std::wstring Fill(TextId id, std::initializer_list<const wchar_t*> values) {
    std::wstring out;
    for (const wchar_t* p = kTexts[id]; *p; ++p) {
        const std::size_t n =
            p[1] >= L'1' && p[1] <= L'9' ? static_cast<std::size_t>(p[1] - L'1') : values.size();
        if (*p == L'%' && n < values.size()) {
            out += values.begin()[n];
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}

// n in decimal digits (std::to_wstring would bring the C library's whole formatter along).
std::wstring Decimal(std::size_t n) {
    std::wstring digits;
    do {
        digits.insert(digits.begin(), static_cast<wchar_t>(L'0' + n % 10));
        n /= 10;
    } while (n);
    return digits;
}

Notice Cut(const std::wstring& title, const std::wstring& text) {
    return {CutNoticeText(title, kNoticeTitleRoom), CutNoticeText(text, kNoticeTextRoom)};
}

}  // namespace

std::wstring CutNoticeText(const std::wstring& text, std::size_t room) {
    if (text.size() <= room) return text;
    if (room == 0) return {};
    std::size_t keep = room - 1;
    // A high surrogate whose low half would be cut off goes with it.
    if (keep > 0 && text[keep - 1] >= 0xD800 && text[keep - 1] <= 0xDBFF) --keep;
    return text.substr(0, keep) + L"…";
}

std::vector<KeyFailure> KeyFailures(const std::vector<THotkeyItem>& entries,
                                    const std::vector<bool>& available,
                                    const std::vector<bool>& registered) {
    std::vector<KeyFailure> failures;
    auto isSet = [](const std::vector<bool>& v, std::size_t i) { return i < v.size() && v[i]; };
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (!isSet(available, i) || isSet(registered, i)) continue;
        KeyFailure f{i, KeyFailure::Reason::Elsewhere};
        for (std::size_t j = 0; j < i; ++j)
            if (isSet(registered, j) && CombinationOf(entries[j]) == CombinationOf(entries[i]))
                f.Why = KeyFailure::Reason::EarlierRow;
        failures.push_back(f);
    }
    return failures;
}

Notice KeysNotTakenNotice(const std::vector<KeyFailureName>& failures) {
    std::wstring text;
    for (std::size_t i = 0; i < failures.size() && i < kKeysShown; ++i) {
        const KeyFailureName& f = failures[i];
        text += Fill(
            kKeyLine,
            {CutNoticeText(f.KeyText, kNameRoom).c_str(), CutNoticeText(f.Title, kNameRoom).c_str(),
             kTexts[f.Why == KeyFailure::Reason::EarlierRow ? kEarlierRow : kHeldElsewhere]});
    }
    if (failures.size() > kKeysShown)
        text += Fill(kMoreKeys, {Decimal(failures.size() - kKeysShown).c_str()});
    return Cut(kTexts[kKeysTitle], text + kTexts[kKeysHint]);
}

Notice StartFailedNotice(const std::wstring& asked, const std::wstring& reason) {
    return Cut(kTexts[kStartTitle],
               Fill(kStartText, {CutNoticeText(asked, kAskedRoom).c_str(), reason.c_str()}));
}

Notice FilesNotReadNotice(const std::vector<std::wstring>& fileNames) {
    std::wstring names;
    for (const std::wstring& name : fileNames)
        names += (names.empty() ? L"" : kTexts[kFileSeparator]) + name;
    return Cut(kTexts[kFilesTitle], Fill(kFilesText, {names.c_str()}));
}

Notice FirstRunNotice(const std::wstring& folder) {
    return Cut(kTexts[kFirstRunTitle], Fill(kFirstRunText, {folder.c_str()}));
}

}  // namespace zarv
