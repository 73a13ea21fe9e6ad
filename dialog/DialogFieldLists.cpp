#include "dialog/DialogFieldLists.h"

#include "dialog/IB_OstrelDialog.h"

namespace ostrel {

void TOstrelDialogFieldLists::Fill(const TOstrelDialogColumns& columns) {
    FRows[flAvailable].clear();
    FRows[flExported].clear();
    for (int i = 0; i < columns.Count(); ++i) FRows[flAvailable].push_back({columns[i].Name, i});
    FSelected[flAvailable] = FRows[flAvailable].empty() ? -1 : 0;
    FSelected[flExported] = -1;
    Changed();
}

void TOstrelDialogFieldLists::Select(TFieldList list, int index) {
    FSelected[list] = index >= 0 && index < Count(list) ? index : -1;
}

void TOstrelDialogFieldLists::MoveListItem(TFieldList from, int index, TFieldList to, int position) {
    std::vector<TFieldRow>& source = FRows[from];
    const TFieldRow row = source.at(index);
    std::vector<TFieldRow>& target = FRows[to];
    if (position < 0 || position > static_cast<int>(target.size())) position = static_cast<int>(target.size());
    // Within one list the old row shifts when the copy goes in before it.
    if (from == to && position <= index) ++index;
    // The other list keeps the same row selected.
    if (from != to && FSelected[to] >= position) ++FSelected[to];
    target.insert(target.begin() + position, row);
    source.erase(source.begin() + index);
    const int count = static_cast<int>(source.size());
    FSelected[from] = count == 0 ? -1 : (index < count ? index : count - 1);
}

int TOstrelDialogFieldLists::HomeIndex(const TFieldRow& row) const {
    const std::vector<TFieldRow>& available = FRows[flAvailable];
    for (size_t i = 0; i < available.size(); ++i)
        if (available[i].Home > row.Home) return static_cast<int>(i);
    return static_cast<int>(available.size());
}

void TOstrelDialogFieldLists::AddSelected() {
    if (FSelected[flAvailable] < 0) return;
    MoveListItem(flAvailable, FSelected[flAvailable], flExported, -1);
    Changed();
}

void TOstrelDialogFieldLists::AddAll() {
    for (int i = Count(flAvailable) - 1; i >= 0; --i) MoveListItem(flAvailable, i, flExported, 0);
    Changed();
}

void TOstrelDialogFieldLists::RemoveSelected() {
    const int i = FSelected[flExported];
    if (i < 0) return;
    MoveListItem(flExported, i, flAvailable, HomeIndex(FRows[flExported][i]));
    Changed();
}

void TOstrelDialogFieldLists::RemoveAll() {
    for (int i = Count(flExported) - 1; i >= 0; --i)
        MoveListItem(flExported, i, flAvailable, HomeIndex(FRows[flExported][i]));
    Changed();
}

void TOstrelDialogFieldLists::Drop(TFieldList source, TFieldList target, int targetRow) {
    if (source == flAvailable && target == flExported) return AddSelected();
    if (source == flExported && target == flAvailable) return RemoveSelected();
    const int dragged = FSelected[source];
    if (dragged < 0) return;
    if (source == flExported) {
        MoveListItem(flExported, dragged, flExported, -1);
    } else {
        if (targetRow < 0 || targetRow >= Count(flAvailable)) return;
        // Dropped below itself it goes after the row under the mouse: either way it ends up at
        // that row's index.
        MoveListItem(flAvailable, dragged, flAvailable, dragged < targetRow ? targetRow + 1 : targetRow);
        FSelected[flAvailable] = targetRow;
    }
    Changed();
}

TStrings TOstrelDialogFieldLists::ExportedNames() const {
    TStrings names;
    for (const TFieldRow& row : FRows[flExported]) names.Add(row.Text);
    return names;
}

void TOstrelDialogFieldLists::Changed() {
    if (OnChanged) OnChanged();
}

}  // namespace ostrel
