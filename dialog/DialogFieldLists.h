// The fields page: "Available fields:" and "Exported fields:". Each row carries a column name
// and its home position (its place in the dialog column list), which it keeps when it moves, so
// that a field sent back returns between its former neighbours.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/Classes.h"

namespace ostrel {

class TOstrelDialogColumns;

enum TFieldList : int { flAvailable = 0, flExported = 1 };

struct TFieldRow {
    std::string Text;
    int Home = 0;
    bool operator==(const TFieldRow&) const = default;
};

class TOstrelDialogFieldLists {
public:
    // Every column available, the first selected; nothing exported.
    void Fill(const TOstrelDialogColumns& columns);

    const std::vector<TFieldRow>& Rows(TFieldList list) const { return FRows[list]; }
    int Count(TFieldList list) const { return static_cast<int>(FRows[list].size()); }
    // -1 when no row is selected.
    int Selected(TFieldList list) const { return FSelected[list]; }
    void Select(TFieldList list, int index);

    // Moves row `index` of `from` into `to` at `position` (-1 appends); in `from` the row that
    // now stands at the old index, or the last row, becomes selected.
    void MoveListItem(TFieldList from, int index, TFieldList to, int position);
    // Where a row returns to in "Available fields:": before the first row whose home is greater.
    int HomeIndex(const TFieldRow& row) const;

    void AddSelected();     // ">" and a double click in "Available fields:"
    void AddAll();          // ">>"
    void RemoveSelected();  // "<" and a double click in "Exported fields:"
    void RemoveAll();       // "<<"
    // A drag of the selected row of `source`, dropped on `target` over row `targetRow` (-1: where
    // there is no row).
    void Drop(TFieldList source, TFieldList target, int targetRow);

    // The exported names in order (empty: every field is exported).
    TStrings ExportedNames() const;

    // Told after every action.
    std::function<void()> OnChanged;

private:
    void Changed();

    std::vector<TFieldRow> FRows[2];
    int FSelected[2] = {-1, -1};
};

}  // namespace ostrel
