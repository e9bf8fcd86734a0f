#include "settings/list_editor.h"

#include <windowsx.h>

#include <algorithm>

#include "core/dpi.h"
#include "core/placement.h"
#include "widgets/base/dpi.h"
#include "settings/editor_host.h"
#include "settings/entry_fields.h"

namespace zarv {
namespace {

constexpr int kPanelWidth = 92;
constexpr int kNarrowestFillColumn = 40;
constexpr int kPictureSize = 32;  // the buttons' pictures

const wchar_t kDeleteQuestion[] = L"このアイテムを削除してもよろしいですか？";

// The four button pictures, in image-list order.
const wchar_t* const kButtonIcons[] = {L"LOOKBTN_ADD", L"LOOKBTN_EDIT", L"LOOKBTN_DEL",
                                       L"LOOKBTN_OK"};

}  // namespace

TListEditor::TListEditor(const wchar_t* className, const wchar_t* caption, int width, int height,
                         std::vector<ListColumn> columns, ModalCounter* counter, bool flatTable)
    // A button on the taskbar (and a place in Alt+Tab), although the editor is owned: an editor
    // behind another program's window can be found again.
    : Form({.ClassName = className,
            .Caption = caption,
            .Width = width,
            .Height = height,
            .ClientSize = false,
            .Style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN,
            .ExStyle = WS_EX_APPWINDOW,
            .Place = FormPlace::AtPointer,
            .Background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1),
            .Icon = LoadIconW(AppInstance(), L"MAINICON")},
           counter),
      columns_(std::move(columns)),
      flatTable_(flatTable) {}

TListEditor::~TListEditor() {
    if (ListView1) RemoveWindowSubclass(ListView1, &TListEditor::TableProc, 1);
}

bool EditorSlot::Busy() const {
    if (Open && Raise) SetForegroundWindow(GetLastActivePopup(Open->hwnd()));
    return Open != nullptr;
}

void EditorSlot::Run(TListEditor& editor, HWND owner) {
    Open = &editor;
    editor.ShowModal(owner);
    Open = nullptr;
}

void TListEditor::MakeFonts() {
    LOGFONTW lf{};
    GetObjectW(Font(), sizeof lf, &lf);
    lf.lfStrikeOut = TRUE;
    struckFont_.reset(CreateFontIndirectW(&lf));
    // The header's captions are written in the system's default font, at the form's DPI.
    headerFont_ = Layout().SystemFontAtDpi();
}

void TListEditor::LoadPictures() {
    // The buttons' pictures at the DPI's size, each taken from the icon's own picture of it.
    const int size = Scale(kPictureSize);
    ImageList1.reset(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 4, 0));
    for (const wchar_t* name : kButtonIcons) {
        UniqueIcon icon(
            static_cast<HICON>(LoadImageW(AppInstance(), name, IMAGE_ICON, size, size, 0)));
        ImageList_AddIcon(ImageList1.get(), icon.get());
    }
    Control_Panel.SetLargeImages(ImageList1.get());
}

void TListEditor::SetColumnWidths() {
    // A caption is written 5 pixels into its column, in the header's font; the list's own font
    // is measured too, for a header that draws itself in it.
    WindowDc dc(hwnd());
    HGDIOBJ fonts[] = {headerFont_ ? headerFont_.get() : GetStockObject(DEFAULT_GUI_FONT), Font()};
    widths_.assign(columns_.size(), 0);
    for (size_t c = 0; c < columns_.size(); ++c) {
        int caption = 0;
        for (HGDIOBJ font : fonts) {
            SelectObjectGuard select(dc.get(), font);
            caption =
                std::max(caption, static_cast<int>(TextSize(dc.get(), columns_[c].Caption).cx));
        }
        const int own = columns_[c].Width > 0 ? columns_[c].Width : kNarrowestFillColumn;
        widths_[c] = std::max(Scale(own), Scale(5) + caption);
        if (ListView1 && columns_[c].Width > 0)
            SendMessageW(ListView1, LVM_SETCOLUMNWIDTH, c, widths_[c]);
    }
}

void TListEditor::SetTitlePicture() {
    // At the system's DPI the window class's icon gives the title bar its small picture; on a
    // monitor of another DPI the program's icon at that DPI's small size.
    if (Dpi() == SystemDpi() && !titleIcon_) return;
    const int size = SmallIconSize(Dpi());
    UniqueIcon old = std::move(titleIcon_);
    titleIcon_.reset(static_cast<HICON>(
        LoadImageW(AppInstance(), L"MAINICON", IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(titleIcon_.get()));
}

void TListEditor::FormDpiChanged() {
    SetTitlePicture();
    MakeFonts();
    SendMessageW(ListView1, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), TRUE);
    SetColumnWidths();
    Control_Panel.SetFont(Font());
    Control_Panel.SetHiLiteFont(Font());
    LoadPictures();
    // The window's new size follows and lays the table and the bar out (FormResize).
}

void TListEditor::FormCreate() {
    EnsureCommonControls();  // the table and ImageList1; start-up does not load them
    SetTitlePicture();
    MakeFonts();
    SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);

    // Owner data: the editor's model answers every text (LVN_GETDISPINFO), so opening a long list
    // costs one item count, not one insertion per row and cell.
    const DWORD tableStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL |
                             LVS_SHOWSELALWAYS | LVS_OWNERDATA | LVS_NOSORTHEADER |
                             (flatTable_ ? WS_BORDER : 0);
    ListView1 = CreateWindowExW(flatTable_ ? 0 : WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", tableStyle,
                                Scale(8), Scale(8), 0, 0, hwnd(), nullptr, AppInstance(), nullptr);
    SendMessageW(ListView1, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
    // Drawn off the screen by TableProc (PaintOffscreen), not by LVS_EX_DOUBLEBUFFER.
    const DWORD ex = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT;
    SendMessageW(ListView1, LVM_SETEXTENDEDLISTVIEWSTYLE, ex, ex);
    SetTableColours();
    // What a screen reader calls the table: the editor's caption.
    wchar_t caption[64] = L"";
    GetWindowTextW(hwnd(), caption, 64);
    SetWindowTextW(ListView1, caption);
    // The drop highlight is answered from dropRow_, like the texts.
    SendMessageW(ListView1, LVM_SETCALLBACKMASK, LVIS_DROPHILITED, 0);
    SetColumnWidths();
    for (size_t c = 0; c < columns_.size(); ++c) {
        LVCOLUMNW col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH;
        col.pszText = const_cast<wchar_t*>(columns_[c].Caption);
        col.cx = widths_[c];
        SendMessageW(ListView1, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&col));
    }
    SetWindowSubclass(ListView1, &TListEditor::TableProc, 1, reinterpret_cast<DWORD_PTR>(this));
    OwnerDrawHeader();
    RowsChanged(openRow_);  // a row is selected: Space edits it at once

    RECT client;
    GetClientRect(hwnd(), &client);
    const int panelWidth = Scale(kPanelWidth);
    Control_Panel.SetScale(Layout());
    Control_Panel.Create(hwnd(), client.right - panelWidth, 0, panelWidth, client.bottom);
    Control_Panel.SetColor(GetSysColor(COLOR_WINDOW));  // the table's ground
    Control_Panel.SetFont(Font());
    Control_Panel.SetHiLiteFont(Font());
    LoadPictures();
    LookBtn_Add = &Control_Panel.AddButton(L"追加(INS)", 0, 0,
                                           [this] { Act(&TListEditor::LookBtn_AddClick); });
    LookBtn_Edit = &Control_Panel.AddButton(L"編集(SPACE)", 1, 60,
                                            [this] { Act(&TListEditor::LookBtn_EditClick); });
    LookBtn_del = &Control_Panel.AddButton(L"削除(DEL)", 2, 120,
                                           [this] { Act(&TListEditor::LookBtn_delClick); });
    LookBtn_OK = &Control_Panel.AddButton(L"OK(ENTER)", 3, 180,
                                          [this] { Act(&TListEditor::LookBtn_OKClick); });
    LookBtn_Add->SetShortcut(L"Insert");
    LookBtn_Edit->SetShortcut(L"Space");
    LookBtn_del->SetShortcut(L"Delete");
    LookBtn_OK->SetShortcut(L"Enter");
    FormResize();
}

void TListEditor::FormShow() { SetFocus(ListView1); }

void TListEditor::FormResize() {
    if (!ListView1) return;
    RECT outer, client;
    GetWindowRect(hwnd(), &outer);
    GetClientRect(hwnd(), &client);
    const int panelWidth = Scale(kPanelWidth);
    const Rect table = EditorTableBoundsForDpi(outer.right - outer.left, outer.bottom - outer.top,
                                               panelWidth, Dpi());
    MoveWindow(ListView1, table.left, table.top, table.right - table.left, table.bottom - table.top,
               TRUE);
    if (Control_Panel.hwnd())
        MoveWindow(Control_Panel.hwnd(), client.right - panelWidth, 0, panelWidth, client.bottom,
                   TRUE);

    // The fill column takes what the table's client width leaves.
    RECT inner;
    GetClientRect(ListView1, &inner);
    int fixed = 0, fill = -1;
    for (size_t c = 0; c < columns_.size(); ++c) {
        if (columns_[c].Width > 0)
            fixed += widths_[c];
        else
            fill = static_cast<int>(c);
    }
    if (fill >= 0)
        SendMessageW(ListView1, LVM_SETCOLUMNWIDTH, fill,
                     std::max(widths_[fill], static_cast<int>(inner.right) - fixed));
}

void TListEditor::RowsChanged(int select) {
    SendMessageW(ListView1, LVM_SETITEMCOUNT, RowCount(), LVSICF_NOSCROLL);
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(ListView1, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(&state));
    if (select >= 0 && select < RowCount()) {
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(ListView1, LVM_SETITEMSTATE, select, reinterpret_cast<LPARAM>(&state));
        SendMessageW(ListView1, LVM_ENSUREVISIBLE, select, FALSE);
    }
    InvalidateRect(ListView1, nullptr, FALSE);
}

int TListEditor::SelectedRow() const {
    if (!ListView1) return -1;
    return static_cast<int>(
        SendMessageW(ListView1, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void TListEditor::Act(void (TListEditor::*action)()) {
    (this->*action)();
    if (!Closing() && IsWindow(hwnd())) SetFocus(ListView1);
}

void TListEditor::LookBtn_EditClick() {
    const int row = SelectedRow();
    if (row >= 0) EditRow(row);
}

void TListEditor::LookBtn_delClick() {
    const int row = SelectedRow();
    if (row < 0) return;
    if (!Confirm(hwnd(), kDeleteQuestion)) return;
    DeleteRow(row);
    RowsChanged(std::min(row, RowCount() - 1));
}

// The keys act as the buttons do: each raises its button's OnClick.
void TListEditor::ListView1KeyDown(WORD key) {
    switch (key) {
        case VK_RETURN:
            LookBtn_OK->Click();
            break;
        case VK_ESCAPE:
            Close();
            break;
        case VK_SPACE:
            LookBtn_Edit->Click();
            break;
        case VK_INSERT:
            LookBtn_Add->Click();
            break;
        case VK_DELETE:
            LookBtn_del->Click();
            break;
        default:
            break;
    }
}

void TListEditor::ListView1DblClick() { Act(&TListEditor::LookBtn_EditClick); }

LRESULT TListEditor::ListView1Notify(NMHDR& hdr) {
    switch (hdr.code) {
        case LVN_GETDISPINFOW: {
            LVITEMW& item = reinterpret_cast<NMLVDISPINFOW&>(hdr).item;
            if (item.iItem < 0 || item.iItem >= RowCount()) return 0;
            if (item.mask & LVIF_TEXT) {
                cellText_ = CellText(item.iItem, item.iSubItem);
                if (item.pszText && item.cchTextMax > 0)
                    lstrcpynW(item.pszText, cellText_.c_str(), item.cchTextMax);
            }
            if (item.mask & LVIF_STATE) {
                item.state &= ~LVIS_DROPHILITED;
                if (item.iItem == dropRow_) item.state |= LVIS_DROPHILITED;
            }
            return 0;
        }
        case LVN_ODFINDITEMW:
            return FindRow(reinterpret_cast<NMLVFINDITEMW&>(hdr).lvfi,
                           reinterpret_cast<NMLVFINDITEMW&>(hdr).iStart);
        case LVN_KEYDOWN:
            ListView1KeyDown(reinterpret_cast<NMLVKEYDOWN&>(hdr).wVKey);
            return 0;
        case NM_DBLCLK:
            ListView1DblClick();
            return 0;
        case LVN_BEGINDRAG: {
            const int pressed = reinterpret_cast<NMLISTVIEW&>(hdr).iItem;
            const int selected = SelectedRow();
            dragRow_ = selected >= 0 ? selected : pressed;
            if (dragRow_ >= 0) SetCapture(hwnd());
            return 0;
        }
        case NM_CUSTOMDRAW: {
            LRESULT result = CDRF_DODEFAULT;
            ListView1CustomDrawItem(reinterpret_cast<NMLVCUSTOMDRAW&>(hdr), result);
            return result;
        }
        default:
            return 0;
    }
}

// Typing in the table jumps to the next row whose caption starts with the typed letters.
int TListEditor::FindRow(const LVFINDINFOW& find, int start) {
    const int n = RowCount();
    if (!(find.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.psz || n == 0) return -1;
    const int length = lstrlenW(find.psz);
    for (int k = 0; k < n; ++k) {
        const int row = (std::max(start, 0) + k) % n;
        const std::wstring caption = CellText(row, 0);
        if (static_cast<int>(caption.size()) >= length &&
            CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, caption.c_str(), length, find.psz,
                           length) == CSTR_EQUAL)
            return row;
    }
    return -1;
}

LRESULT TListEditor::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_NOTIFY: {
            auto& hdr = *reinterpret_cast<NMHDR*>(lp);
            if (hdr.hwndFrom == ListView1) return ListView1Notify(hdr);
            break;
        }
        case WM_COMMAND:
            // Enter and Escape while the bar or another control has the focus.
            if (LOWORD(wp) == IDOK && lp == 0) {
                LookBtn_OK->Click();
                return 0;
            }
            if (LOWORD(wp) == IDCANCEL && lp == 0) {
                Close();
                return 0;
            }
            break;
        case WM_SIZE:
            FormResize();
            return 0;
        case WM_SYSCOLORCHANGE:
        case WM_SETTINGCHANGE:  // high contrast switched on or off
            FormSysColorChange();
            break;
        case WM_MOUSEMOVE:
            if (dragRow_ >= 0) {
                POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
                ClientToScreen(hwnd(), &p);
                ListView1DragOver(p);
            }
            return 0;
        case WM_LBUTTONUP:
            if (dragRow_ >= 0) {
                POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
                ClientToScreen(hwnd(), &p);
                const int from = dragRow_;
                dragRow_ = -1;  // before the capture goes: WM_CAPTURECHANGED must not cancel
                ReleaseCapture();
                ListView1DragDrop(from, p);
            }
            return 0;
        case WM_CAPTURECHANGED:
            // The drag ended elsewhere (Escape, another window took the mouse): no drop.
            if (dragRow_ >= 0 && reinterpret_cast<HWND>(lp) != hwnd()) {
                dragRow_ = -1;
                SetDropTarget(-1);
            }
            return 0;
        case WM_DESTROY:
            ListView1 = nullptr;
            break;
        case WM_ACTIVATE:
            // Coming back to the editor (from another program or a box): the table has the keys.
            if (LOWORD(wp) != WA_INACTIVE && ListView1) SetFocus(ListView1);
            return 0;
        default:
            break;
    }
    return Form::HandleMessage(msg, wp, lp);
}

}  // namespace zarv
