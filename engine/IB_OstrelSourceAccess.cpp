// How the exporter checks, walks and reads each of the four kinds of source.
#include "engine/IB_Ostrel.h"

namespace ostrel {

TIB_Dataset* TIB_Ostrel::SourceDataset() const {
    if (FExportSource == esDataSet) return FDataSet;
    if (FExportSource == esDBGrid && FIBGrid && FIBGrid->DataSource())
        return FIBGrid->DataSource()->Dataset();
    return nullptr;
}

const TIB_Column* TIB_Ostrel::DatasetColumn(int Index) const {
    if (FExportSource != esDataSet && FExportSource != esDBGrid) return nullptr;
    return SourceColumn(FColumns[Index].Number);
}

void TIB_Ostrel::ResetSourceRow() {
    if (FExportSource == esListView) FSourceRow = 0;
    else if (FExportSource == esStringGrid && FStringGrid) FSourceRow = FStringGrid->Row();
}

void TIB_Ostrel::CheckSource() {
    bool missing = true;
    switch (FExportSource) {
        case esDataSet: missing = !FDataSet; break;
        case esDBGrid: missing = !SourceDataset(); break;
        case esListView: missing = !FListView; break;
        case esStringGrid: missing = !FStringGrid; break;
    }
    if (missing)
        throw EOstrelError(FormatMessage("Export source (%s) is not assigned", SourceName(FExportSource)));
}

bool TIB_Ostrel::IsSourceActive() {
    if (FExportSource == esDataSet || FExportSource == esDBGrid) return SourceDataset()->Active();
    return true;
}

bool TIB_Ostrel::IsSourceEmpty() {
    switch (FExportSource) {
        case esDataSet:
        case esDBGrid: return SourceDataset()->IsEmpty();
        case esListView: return FListView->ItemCount() == 0;
        case esStringGrid: return FStringGrid->RowCount() == FStringGrid->FixedRows();
    }
    return true;
}

void TIB_Ostrel::DisableSourceControls() {
    if (TIB_Dataset* ds = SourceDataset()) ds->DisableControls();
    else if (FExportSource == esListView) FListView->BeginUpdate();
}

void TIB_Ostrel::EnableSourceControls() {
    if (TIB_Dataset* ds = SourceDataset()) ds->EnableControls();
    else if (FExportSource == esListView && FListView) FListView->EndUpdate();
}

void TIB_Ostrel::MoveFirst() {
    FRecordCounter = 0;
    switch (FExportSource) {
        case esDataSet:
        case esDBGrid: SourceDataset()->First(); break;
        case esListView:
            FSourceRow = 0;
            FListView->FocusItem(0);
            break;
        case esStringGrid:
            FSourceRow = FStringGrid->FixedRows();
            // A grid of fixed rows alone has no data row to select.
            if (FSourceRow < FStringGrid->RowCount()) FStringGrid->SetRow(FSourceRow);
            break;
    }
}

void TIB_Ostrel::MoveNext() {
    ++FRecordCounter;
    switch (FExportSource) {
        case esDataSet:
        case esDBGrid: SourceDataset()->Next(); break;
        case esListView: ++FSourceRow; break;
        case esStringGrid:
            ++FSourceRow;
            if (FSourceRow < FStringGrid->RowCount()) FStringGrid->SetRow(FSourceRow);
            break;
    }
}

bool TIB_Ostrel::IsEndOfData() {
    switch (FExportSource) {
        case esDataSet:
        case esDBGrid: return SourceDataset()->Eof();
        case esListView: return FSourceRow >= FListView->ItemCount();
        case esStringGrid: return FSourceRow >= FStringGrid->RowCount();
    }
    return true;
}

int TIB_Ostrel::SavePosition() {
    switch (FExportSource) {
        case esDataSet:
        case esDBGrid: return SourceDataset()->RecNo();
        case esListView: {
            int selected = FListView->SelectedIndex();
            return selected < 0 ? 0 : selected;
        }
        case esStringGrid: return FStringGrid->Row();
    }
    return 0;
}

void TIB_Ostrel::RestorePosition(int Position) {
    switch (FExportSource) {
        case esDataSet:
        case esDBGrid: SourceDataset()->SetRecNo(Position); break;
        case esListView:
            FListView->FocusItem(Position);
            FSourceRow = 0;
            break;
        case esStringGrid:
            FStringGrid->SetRow(Position);
            FSourceRow = Position;
            break;
    }
    FRecordCounter = 0;
}

std::string TIB_Ostrel::SourceText(const TOstrelColumn& column) {
    switch (FExportSource) {
        case esDataSet:
        case esDBGrid: {
            TIB_Column* c = SourceColumn(column.Number);
            return c ? c->AsString() : std::string();
        }
        case esListView:
            return column.Number == 0 ? FListView->ItemCaption(FSourceRow)
                                      : FListView->ItemSubItem(FSourceRow, column.Number - 1);
        case esStringGrid: return FStringGrid->Cells(column.Number, FSourceRow);
    }
    return {};
}

bool TIB_Ostrel::IsNullValue(int Index) {
    if (FExportSource != esDataSet && FExportSource != esDBGrid) return false;
    TIB_Column* c = SourceColumn(FColumns[Index].Number);
    return c && c->IsNull();
}

}  // namespace ostrel
