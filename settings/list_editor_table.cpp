// The hotkey and command editors' table: its colours (the system's, high contrast followed), its
// owner-drawn header and struck-through rows, its keys and paint, and the moves of a row by
// dragging or Ctrl+arrows.
#include "settings/list_editor.h"

#include "settings/key_status.h"
#include "widgets/base/colours.h"

namespace zarv {
namespace {

// Where the table, its header and the bar are white, the window's colour is: white in the
// default theme, and whatever a high-contrast theme gives.
COLORREF Ground() { return GetSysColor(COLOR_WINDOW); }

bool IsHeaderChange(UINT code) {
    switch (code) {
        case HDN_ITEMCHANGEDA:
        case HDN_ITEMCHANGEDW:
        case HDN_DIVIDERDBLCLICKA:
        case HDN_DIVIDERDBLCLICKW:
        case HDN_ENDTRACKA:
        case HDN_ENDTRACKW:
            return true;
        default:
            return false;
    }
}

constexpr int kDragScroll = 8;  // rows scroll by this while a drag is at the table's edge

}  // namespace

// Ctrl+Up and Ctrl+Down move the selected row as dropping it on its neighbour does; it stays
// selected, so that the keys can take it further.
void TListEditor::ListView1CtrlArrow(int step) {
    const int from = SelectedRow(), to = from + step;
    if (from < 0 || to < 0 || to >= RowCount()) return;
    MoveRow(from, to);
    RowsChanged(to);
}

int TListEditor::RowAt(POINT screen) const {
    LVHITTESTINFO hit{};
    hit.pt = screen;
    ScreenToClient(ListView1, &hit.pt);
    RECT client;
    GetClientRect(ListView1, &client);
    if (!PtInRect(&client, hit.pt)) return -1;
    SendMessageW(ListView1, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    return hit.iItem >= 0 && hit.iItem < RowCount() ? hit.iItem : -1;
}

void TListEditor::SetDropTarget(int row) {
    if (row == dropRow_) return;
    const int old = dropRow_;
    dropRow_ = row;
    if (old >= 0) SendMessageW(ListView1, LVM_REDRAWITEMS, old, old);
    if (row >= 0) SendMessageW(ListView1, LVM_REDRAWITEMS, row, row);
}

void TListEditor::ListView1DragOver(POINT screen) {
    // Every position over the table is accepted; near its top or bottom edge the rows scroll.
    POINT p = screen;
    ScreenToClient(ListView1, &p);
    RECT client;
    GetClientRect(ListView1, &client);
    RECT header{};
    if (HWND h = reinterpret_cast<HWND>(SendMessageW(ListView1, LVM_GETHEADER, 0, 0)))
        GetClientRect(h, &header);
    if (p.y < header.bottom)
        SendMessageW(ListView1, LVM_SCROLL, 0, -Scale(kDragScroll));
    else if (p.y >= client.bottom)
        SendMessageW(ListView1, LVM_SCROLL, 0, Scale(kDragScroll));
    SetDropTarget(RowAt(screen));
}

void TListEditor::ListView1DragDrop(int from, POINT screen) {
    const int to = RowAt(screen);
    SetDropTarget(-1);
    if (RowCount() < 2 || from < 0 || to < 0 || from == to) return;
    MoveRow(from, to);
    RowsChanged(to);  // the moved row stays selected at its new place, as after Ctrl+arrows
}

void TListEditor::SetTableColours() {
    SendMessageW(ListView1, LVM_SETBKCOLOR, 0, Ground());
    SendMessageW(ListView1, LVM_SETTEXTBKCOLOR, 0, Ground());
    SendMessageW(ListView1, LVM_SETTEXTCOLOR, 0, GetSysColor(COLOR_WINDOWTEXT));
    // Missing programs' rows: grey as far as it stays legible on the ground (the theme's own
    // disabled-text colour in high contrast).
    greyText_ = HighContrast() ? GetSysColor(COLOR_GRAYTEXT) : MarkColour(0x808080, COLOR_WINDOW);
    redText_ = TakenKeyRed();
}

void TListEditor::FormSysColorChange() {
    // The table and the bar took the old colours as values: they get the new ones.
    SendMessageW(ListView1, WM_SYSCOLORCHANGE, 0, 0);
    SetTableColours();
    Control_Panel.SetColor(Ground());
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TListEditor::ListView1CustomDrawItem(NMLVCUSTOMDRAW& cd, LRESULT& result) {
    const int row = static_cast<int>(cd.nmcd.dwItemSpec);
    switch (cd.nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            result = CDRF_NOTIFYITEMDRAW;
            break;
        case CDDS_ITEMPREPAINT:
            result = CDRF_DODEFAULT;
            if (RowGreyed(row)) {
                SelectObject(cd.nmcd.hdc, struckFont_.get());
                cd.clrText = greyText_;
                result = CDRF_NEWFONT;
            }
            // Cells of their own colour are drawn cell by cell.
            if (HasColouredCells()) result |= CDRF_NOTIFYSUBITEMDRAW;
            break;
        case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
            // The colour and font of one cell stay for the next: each cell sets both.
            const bool greyed = RowGreyed(row);
            SelectObject(cd.nmcd.hdc, greyed ? struckFont_.get() : Font());
            cd.clrText = CellRed(row, cd.iSubItem) ? redText_
                         : greyed                  ? greyText_
                                                   : GetSysColor(COLOR_WINDOWTEXT);
            result = CDRF_NEWFONT;
            break;
        }
        default:
            result = CDRF_DODEFAULT;
            break;
    }
}

void TListEditor::OwnerDrawHeader() {
    HWND header = reinterpret_cast<HWND>(SendMessageW(ListView1, LVM_GETHEADER, 0, 0));
    if (!header) return;
    const int count = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        SendMessageW(header, HDM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
        // Setting the format raises HDN_ITEMCHANGED again: only items not yet owner-drawn.
        if (item.fmt == HDF_OWNERDRAW) continue;
        item.fmt = HDF_OWNERDRAW;
        SendMessageW(header, HDM_SETITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
}

void TListEditor::DrawHeaderItem(const DRAWITEMSTRUCT& dis) {
    wchar_t text[128] = L"";
    HDITEMW item{};
    item.mask = HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = 128;
    SendMessageW(dis.hwndItem, HDM_GETITEMW, dis.itemID, reinterpret_cast<LPARAM>(&item));
    FillRect(dis.hDC, &dis.rcItem, GetSysColorBrush(COLOR_WINDOW));
    SetTextColor(dis.hDC, GetSysColor(COLOR_WINDOWTEXT));
    SetBkMode(dis.hDC, TRANSPARENT);
    SelectObjectGuard font(dis.hDC,
                           headerFont_ ? headerFont_.get() : GetStockObject(DEFAULT_GUI_FONT));
    TextOutW(dis.hDC, dis.rcItem.left + Scale(5), dis.rcItem.top + Scale(2), text, lstrlenW(text));
}

LRESULT CALLBACK TListEditor::TableProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                        DWORD_PTR selfPtr) {
    auto* self = reinterpret_cast<TListEditor*>(selfPtr);
    if (msg == WM_GETDLGCODE && lp) {
        // Enter and Escape reach the table's own key handling instead of the dialog keys.
        const MSG* m = reinterpret_cast<const MSG*>(lp);
        if (m->message == WM_KEYDOWN && (m->wParam == VK_RETURN || m->wParam == VK_ESCAPE))
            return DLGC_WANTALLKEYS;
    }
    if (msg == WM_KEYDOWN && (wp == VK_UP || wp == VK_DOWN) && GetKeyState(VK_CONTROL) < 0) {
        self->ListView1CtrlArrow(wp == VK_UP ? -1 : 1);
        return 0;  // the table's own Ctrl+arrow would move the focus off the row
    }
    if (msg == WM_DRAWITEM) {
        const auto& dis = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        if (dis.CtlType == ODT_HEADER) {
            self->DrawHeaderItem(dis);
            return TRUE;
        }
    }
    if (msg == WM_PAINT && !wp) {
        PaintOffscreen(h);
        return 0;
    }
    if (IsScreenErase(msg, wp)) return TRUE;
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(h, &TListEditor::TableProc, 1);
    const LRESULT result = DefSubclassProc(h, msg, wp, lp);
    if (msg == WM_NOTIFY && IsHeaderChange(reinterpret_cast<NMHDR*>(lp)->code))
        self->OwnerDrawHeader();
    return result;
}

}  // namespace zarv
