// The captions page's grid: one row per dialog column with its name and caption, and for some
// export types its width and alignment, laid out anew on every change of the export type.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace ostrel {

class TOstrelDialogColumns;

struct TCaptionsGridLayout {
    int ColCount = 2;
    std::vector<int> Widths;  // pixels
    int WidthCol = -1;        // the column holding widths, or -1
    int AlignCol = -1;        // the column holding alignments, or -1
    std::string PageText;     // the page's tab text
};

// The layout of an export type.
TCaptionsGridLayout CaptionsGridLayout(int exportType);

class TOstrelCaptionsGrid {
public:
    // One data row per column: its name and caption.
    void Fill(const TOstrelDialogColumns& columns);
    // The layout of the type; widths and alignments refilled from the columns.
    void Layout(int exportType, const TOstrelDialogColumns& columns);
    const TCaptionsGridLayout& CurrentLayout() const { return FLayout; }

    int RowCount() const { return static_cast<int>(FRows.size()); }
    // Data cells: column 0 name, 1 caption, then width / alignment as the layout says. Cells 2
    // and 3 exist whatever the layout; those it does not show keep their text.
    const std::string& Cell(int col, int row) const;
    void SetCell(int col, int row, const std::string& text);
    // The bold header row's texts.
    std::string HeaderText(int col) const;
    // The number a width cell holds when its editor opens; fails with
    // "'%s' is not a valid integer value".
    static int WidthOfCell(const std::string& text);

    // Told after every fill, layout and changed cell.
    std::function<void()> OnChanged;

private:
    void Changed();

    TCaptionsGridLayout FLayout;
    std::vector<std::vector<std::string>> FRows;  // four cells a row
};

}  // namespace ostrel
