#include "dialog/IB_OstrelDialog.h"

#include <utility>

#include "dialog/IB_OstrelConsts.h"
#include "engine/IB_OstrelColumns.h"
#include "platform/Parsers.h"
#include "platform/Services.h"

namespace ostrel {

namespace {

TIB_OstrelDialog::TDialogRunner& Runner() {
    static TIB_OstrelDialog::TDialogRunner runner;
    return runner;
}

// Pixels to characters: a width of 0 for a font whose "X" has no width.
int CharsOf(int pixels, int xWidth) { return xWidth > 0 ? pixels / xWidth : 0; }

}  // namespace

// ---- TOstrelDialogColumns ----

TOstrelDialogColumn& TOstrelDialogColumns::Add() {
    auto& c = FItems.emplace_back(std::make_unique<TOstrelDialogColumn>());
    c->Columns = this;
    return *c;
}

int TOstrelDialogColumns::IndexOf(const std::string& name) const {
    for (int i = Count() - 1; i >= 0; --i)
        if (SameText(FItems[i]->Name, name)) return i;
    return -1;
}

bool TOstrelDialogColumns::IsBlobColumn(const std::string& name) const {
    const TOstrelSource source = FDialog.ExportSource();
    if (source != esDataSet && source != esDBGrid) return false;
    const int i = IndexOf(name);
    if (i < 0) return false;
    const TIB_Column* c = SourceColumn(FItems[i]->Number);
    return c && c->IsBlob();
}

TIB_Column* TOstrelDialogColumns::SourceColumn(int number) const {
    switch (FDialog.ExportSource()) {
        case esDataSet: return FDialog.DataSet() ? FDialog.DataSet()->Fields(number) : nullptr;
        case esDBGrid: return FDialog.IBGrid() ? FDialog.IBGrid()->GridColumn(number) : nullptr;
        default: return nullptr;
    }
}

int TOstrelDialogColumns::SourceColumnCount() const {
    const TIB_OstrelDialog& d = FDialog;
    switch (d.ExportSource()) {
        case esDataSet: return d.DataSet()->FieldCount();
        case esListView: return d.ListView()->ColumnCount();
        case esDBGrid: return d.IBGrid()->GridColumnCount();
        case esStringGrid: return d.StringGrid()->ColCount();
    }
    return 0;
}

int TOstrelDialogColumns::FindSourceIndex(int i) const {
    const TIB_OstrelDialog& d = FDialog;
    const bool onlyVisible = d.OnlyVisibleFields();
    if (d.ExportedFields().Count() > 0) {
        const std::string& name = d.ExportedFields()[i];
        switch (d.ExportSource()) {
            case esDataSet: {
                TIB_Column* c = d.DataSet()->FieldByName(name);
                return c && (!onlyVisible || c->Visible()) ? c->Index() : -1;
            }
            case esListView: {
                const TListView& lv = *d.ListView();
                for (int k = lv.ColumnCount() - 1; k >= 0; --k)
                    if (SameText(lv.ColumnCaption(k), name)) return k;
                return -1;
            }
            case esDBGrid: {
                const TIB_Grid& g = *d.IBGrid();
                for (int k = g.GridColumnCount() - 1; k >= 0; --k) {
                    const TIB_Column* c = g.GridColumn(k);
                    if (c && SameText(c->FieldName(), name) && (!onlyVisible || c->Visible())) return k;
                }
                return -1;
            }
            case esStringGrid: {
                int32_t number;
                return TryStrToInt(name, number) && number >= 0 && number < d.StringGrid()->ColCount() ? number
                                                                                                      : -1;
            }
        }
        return -1;
    }
    if (d.ExportSource() == esListView || d.ExportSource() == esStringGrid) return i;
    const TIB_Column* c = SourceColumn(i);
    if (!c || (onlyVisible && !c->Visible())) return -1;
    return i;
}

void TOstrelDialogColumns::Fill() {
    Clear();
    const TIB_OstrelDialog& d = FDialog;
    const int n = d.ExportedFields().Count() > 0 ? d.ExportedFields().Count() : SourceColumnCount();
    for (int i = 0; i < n; ++i) {
        const int number = FindSourceIndex(i);
        if (number < 0) break;
        TOstrelDialogColumn& c = Add();
        c.Number = number;
        SetFields(c);
    }
}

void TOstrelDialogColumns::SetFields(TOstrelDialogColumn& c) const {
    const TIB_OstrelDialog& d = FDialog;
    const TOstrelFormats& formats = d.Formats();
    const TIB_Column* column = SourceColumn(c.Number);

    switch (d.ExportSource()) {
        case esDataSet:
        case esDBGrid: c.Name = column->FieldName(); break;
        case esListView: c.Name = d.ListView()->ColumnCaption(c.Number); break;
        case esStringGrid: c.Name = std::to_string(c.Number); break;
    }

    switch (d.ExportSource()) {
        case esDataSet:
        case esDBGrid: c.ColType = ColTypeOfColumn(column); break;
        // The same guess the exporters make, from every data row, so that the dialog offers the
        // formats of the types the export will have.
        case esListView:
            c.ColType = d.AutoCalcStrType() ? GuessListViewColumnType(*d.ListView(), c.Number, formats.BooleanTrue(),
                                                                      formats.BooleanFalse())
                                            : ectString;
            break;
        case esStringGrid:
            c.ColType = d.AutoCalcStrType() ? GuessStringGridColumnType(*d.StringGrid(), c.Number,
                                                                        formats.BooleanTrue(), formats.BooleanFalse())
                                            : ectString;
            break;
    }

    const int captionLine = d.Captions().IndexOfName(c.Name);
    if (captionLine >= 0) {
        c.Caption = d.Captions().ValueFromIndex(captionLine);
    } else {
        switch (d.ExportSource()) {
            case esDataSet:
            case esDBGrid: c.Caption = column->DisplayLabel(); break;
            case esListView: c.Caption = c.Name; break;
            case esStringGrid: c.Caption = "ColNo_" + c.Name; break;
        }
    }

    c.Format = formats.FormatOfType(c.ColType);
    const int formatLine = d.UserFormats().IndexOfName(c.Name);
    if (formatLine >= 0) c.Format = d.UserFormats().ValueFromIndex(formatLine);

    const int widthLine = d.ColumnsWidth().IndexOfName(c.Name);
    if (widthLine >= 0) {
        int32_t width;
        c.Width = TryStrToInt(d.ColumnsWidth().ValueFromIndex(widthLine), width) ? width : 0;
    } else {
        switch (d.ExportSource()) {
            case esDataSet: c.Width = column->DataSize(); break;
            case esDBGrid: {
                const TIB_Grid& g = *d.IBGrid();
                c.Width = CharsOf(g.GridColumnWidth(c.Number), g.TextWidth("X"));
                break;
            }
            case esListView: {
                const TListView& lv = *d.ListView();
                c.Width = CharsOf(lv.ColumnWidth(c.Number), FontMetrics().TextWidth(lv.Font(), "X"));
                break;
            }
            case esStringGrid: {
                const TStringGrid& g = *d.StringGrid();
                c.Width = CharsOf(g.ColWidth(c.Number), g.TextWidth("X"));
                break;
            }
        }
    }

    const int alignLine = d.ColumnsAlign().IndexOfName(c.Name);
    c.Align = alignLine >= 0 ? AlignOfText(d.ColumnsAlign().ValueFromIndex(alignLine))
                          : DefaultAlignOfType(c.ColType);
}

// ---- TIB_OstrelDialog ----

TIB_OstrelDialog::TDialogRunner TIB_OstrelDialog::SetDialogRunner(TDialogRunner runner) {
    return std::exchange(Runner(), std::move(runner));
}
bool TIB_OstrelDialog::HasDialogRunner() { return static_cast<bool>(Runner()); }

TIB_OstrelDialog::TIB_OstrelDialog(TComponent* AOwner) : TComponent(AOwner) {}

TIB_OstrelDialog::~TIB_OstrelDialog() = default;

void TIB_OstrelDialog::SetFormats(const TOstrelFormats& value) {
    FFormats.Assign(value);
    FFormats.SetNullString(value.NullString());
}

bool TIB_OstrelDialog::SourceAssigned() const {
    switch (FExportSource) {
        case esDataSet: return FDataSet != nullptr;
        case esListView: return FListView != nullptr;
        case esDBGrid: return FIBGrid != nullptr;
        case esStringGrid: return FStringGrid != nullptr;
    }
    return false;
}

void TIB_OstrelDialog::Execute() {
    if (!SourceAssigned()) throw EOstrelError(FormatMessage(DialogText(sSourceNotAssigned), SourceName(FExportSource)));
    if (FAllowedExports == 0) throw EOstrelError(DialogText(sAllowedEmpty));
    FColumns.Fill();
    if (!Runner()) throw EOstrelError(DialogText(sNoDialogWindow));
    Runner()(*this);
}

bool TIB_OstrelDialog::IsReferenced(TComponent* c) const {
    return c == FDataSet || c == FListView || c == FIBGrid || c == FStringGrid;
}

void TIB_OstrelDialog::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove) return;
    if (AComponent == FDataSet) FDataSet = nullptr;
    if (AComponent == FListView) FListView = nullptr;
    if (AComponent == FIBGrid) FIBGrid = nullptr;
    if (AComponent == FStringGrid) FStringGrid = nullptr;
}

}  // namespace ostrel
