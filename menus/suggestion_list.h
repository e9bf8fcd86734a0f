#pragma once
// The command bar's list of suggestions: a list box of its own under the input box, shown while
// the user types. It never takes the activation or the keyboard: the input box keeps both, and
// moves the choice with Up and Down.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace zarv {

class TSuggestionList {
public:
    // The most rows shown at once; more scroll.
    static constexpr int kRows = 10;
    // The most rows the list holds: the first of a longer list (a folder of thousands), which
    // more letters narrow down; filling the list with all of them would hold up each keystroke.
    static constexpr std::size_t kMostRows = 200;

    TSuggestionList() = default;
    ~TSuggestionList();
    TSuggestionList(const TSuggestionList&) = delete;
    TSuggestionList& operator=(const TSuggestionList&) = delete;

    // Makes the (hidden) list, owned by owner; clicked is told the row the user clicked.
    void Create(HWND owner, std::function<void(int row)> clicked);
    // Shows texts (the first kMostRows), nothing chosen, under anchor (screen coordinates) in
    // font: at least as wide as the anchor, as wide as the longest text, on the work area of the
    // anchor's monitor.
    // No texts: the list is hidden.
    void Show(const std::vector<std::wstring>& texts, const RECT& anchor, HFONT font);
    void Hide();
    bool IsShown() const { return list_ && IsWindowVisible(list_); }

    // Moves the choice one row down (step 1) or up (-1); from the last row down, or the first
    // up, nothing is chosen, and from nothing the first or the last row. The row chosen, or -1.
    int Move(int step);
    int Chosen() const;
    void Choose(int row);
    const std::wstring& Text(int row) const { return texts_[static_cast<size_t>(row)]; }

    HWND hwnd() const { return list_; }

private:
    static LRESULT CALLBACK ListProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                     DWORD_PTR self);

    HWND list_ = nullptr;
    std::vector<std::wstring> texts_;
    std::function<void(int)> clicked_;
};

}  // namespace zarv
