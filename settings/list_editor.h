#pragma once
// The frame both list editors are built on: a resizable white window with the report list view
// `ListView1` (white owner-drawn header, grid lines, whole-row single selection, rows dragged onto
// each other to reorder them) and, on its right edge, the button bar `Control_Panel` with the
// four buttons Add, Edit, Delete and OK and their pictures `ImageList1`. The keys Insert, Space,
// Delete, Enter and Escape act as the buttons and as the close box; Delete asks first; Ctrl+Up
// and Ctrl+Down move the selected row, and a moved row stays selected. After every button, key,
// dialog or box the table has the keyboard focus again. Its colours are the system's window
// colours; every column is at least as wide as its caption.
//
// The frame holds no rows: the editor keeps its own rows as a model and answers the frame's
// questions about them (count, cell texts, grey rows); the table is an owner-data list view that
// shows whatever the model holds, so sub-items without a column live in the model only.
#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <string>
#include <vector>

#include "widgets/base/ansi.h"
#include "widgets/base/handles.h"
#include "widgets/base/form.h"
#include "widgets/button_bar.h"

namespace zarv {

struct ListColumn {
    const wchar_t* Caption;
    int Width;  // pixels; 0: takes the width the other columns leave
};

// A column that shows one text field of an entry record.
template <typename Item>
using TextColumn = std::string Item::*;

// The text of a cell whose columns show the fields of item in the order of columns; empty for a
// column outside them.
template <typename Item, std::size_t N>
std::wstring ColumnText(const Item& item, const TextColumn<Item> (&columns)[N], int column) {
    if (column < 0 || static_cast<std::size_t>(column) >= N) return {};
    return AnsiToWide(item.*columns[column]);
}

class TListEditor : public Form {
public:
    ~TListEditor() override;
    // The row selected when the editor opens (the first unless told otherwise).
    void SelectAtOpen(int row) { openRow_ = row; }

protected:
    // className: the registered window class (the editor's name); width x height: outer size;
    // flatTable: the table without its sunken 3-D edge. The window is white, resizable, with
    // the program's icon and a taskbar button, and opens at the mouse pointer.
    TListEditor(const wchar_t* className, const wchar_t* caption, int width, int height,
                std::vector<ListColumn> columns, ModalCounter* counter, bool flatTable = false);

    // ---- What each editor supplies ----
    virtual int RowCount() const = 0;
    // Text of a cell; column 0 is the row caption.
    virtual std::wstring CellText(int row, int column) = 0;
    // A row drawn struck through in grey.
    virtual bool RowGreyed(int) { return false; }
    // Whether any cell has a colour of its own, and whether one cell is drawn in red (its text
    // and font otherwise as its row's).
    virtual bool HasColouredCells() const { return false; }
    virtual bool CellRed(int, int) { return false; }
    // Moves row `from` to position `to` (the rows between shift by one); both are rows.
    virtual void MoveRow(int from, int to) = 0;
    // Removes the row (the user has confirmed).
    virtual void DeleteRow(int row) = 0;
    virtual void LookBtn_AddClick() = 0;
    // Edits the selected row.
    virtual void EditRow(int row) = 0;
    virtual void LookBtn_OKClick() = 0;
    // Runs once, whatever closes the window.
    void FormClose() override = 0;

    // ---- For the editors ----
    // The rows changed: the table shows the new row count and repaints; select (and show) row
    // `select` when it is a row.
    void RowsChanged(int select = -1);
    // The selected row, or -1.
    int SelectedRow() const;

    HWND ListView1 = nullptr;

    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

    void FormCreate() override;
    void FormShow() override;
    void FormDpiChanged() override;

private:
    int openRow_ = 0;
    void FormResize();
    // The struck-out font of grey rows and the header's font, for the form's DPI.
    void MakeFonts();
    // ImageList1 at the DPI's size, given to the bar.
    void LoadPictures();
    // The columns' widths at the DPI: each its own, or its caption's where that is wider (the
    // fill column's share follows in FormResize).
    void SetColumnWidths();
    // The title bar's small picture at the DPI.
    void SetTitlePicture();
    void LookBtn_EditClick();
    void LookBtn_delClick();
    // Runs a button's action, then gives the table the keyboard focus back.
    void Act(void (TListEditor::*action)());
    void ListView1KeyDown(WORD key);
    void ListView1DblClick();
    void ListView1CtrlArrow(int step);
    void SetTableColours();
    void FormSysColorChange();
    LRESULT ListView1Notify(NMHDR& hdr);
    void ListView1CustomDrawItem(NMLVCUSTOMDRAW& cd, LRESULT& result);
    void ListView1DragOver(POINT screen);
    void ListView1DragDrop(int from, POINT screen);
    int RowAt(POINT screen) const;
    int FindRow(const LVFINDINFOW& find, int start);
    void SetDropTarget(int row);
    void OwnerDrawHeader();
    void DrawHeaderItem(const DRAWITEMSTRUCT& dis);
    static LRESULT CALLBACK TableProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                      DWORD_PTR self);

    std::vector<ListColumn> columns_;
    std::vector<int> widths_;  // the columns' widths at the DPI; the fill column's least
    bool flatTable_;

    TExpress Control_Panel;
    TLookOutButton* LookBtn_Add = nullptr;
    TLookOutButton* LookBtn_Edit = nullptr;
    TLookOutButton* LookBtn_del = nullptr;
    TLookOutButton* LookBtn_OK = nullptr;
    UniqueImageList ImageList1;
    UniqueFont struckFont_;  // the form font with strike-out, for grey rows
    // The grey of missing programs' rows and the red of taken keys on the table's ground, worked
    // out with the colours (SetTableColours), not at every cell painted.
    COLORREF greyText_ = 0, redText_ = 0;
    UniqueFont headerFont_;  // the default font at the form's DPI; none at the system's
    UniqueIcon titleIcon_;   // the title bar's picture; none at the system's DPI
    std::wstring cellText_;  // keeps the text of the last LVN_GETDISPINFO alive

    int dragRow_ = -1;  // the row being dragged, while a drag lasts
    int dropRow_ = -1;  // the row highlighted under the pointer
};

}  // namespace zarv
