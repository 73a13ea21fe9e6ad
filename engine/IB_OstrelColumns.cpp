#include "engine/IB_OstrelColumns.h"

#include "engine/IB_Ostrel.h"
#include "platform/CodePage.h"
#include "platform/Parsers.h"
#include "platform/Services.h"

namespace ostrel {

namespace {

bool ReadsAsInteger(const TIB_Column* column) {
    try {
        column->AsInteger();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace

TOstrelColType ColTypeOfColumn(const TIB_Column* column) {
    if (!column) return ectUnknown;
    if (column->IsText() || column->IsBlob()) return ectString;
    if (column->IsNumeric()) return ReadsAsInteger(column) ? ectInteger : ectFloat;
    if (column->IsBoolean()) return ectBoolean;
    if (column->IsCurrency()) return ectCurrency;
    if (column->IsDateOnly()) return ectDate;
    if (column->IsTimeOnly()) return ectTime;
    if (column->IsDateTime()) return ectDateTime;
    return ectUnknown;
}

std::string SQLTypeOfColumn(const TIB_Column* column) {
    if (!column) return "UNKNOWN";
    if (column->IsBlob()) return "BLOB";
    if (column->IsText()) return "CHAR(" + std::to_string(column->DataSize()) + ")";
    // DATE holds no time of day in dialect 3 databases, so times and timestamps keep theirs.
    if (column->IsDateOnly()) return "DATE";
    if (column->IsTimeOnly()) return "TIME";
    if (column->IsDateTime()) return "TIMESTAMP";
    // Integers wider than 32 bits need a type that holds them.
    if (column->IsNumeric())
        return ReadsAsInteger(column) ? (column->DataSize() > 4 ? "BIGINT" : "INTEGER") : "DOUBLE PRECISION";
    if (column->IsBoolean()) return "BOOLEAN";
    if (column->IsCurrency()) return "DOUBLE PRECISION";
    return "UNKNOWN";
}

std::string SQLTypeOfColType(TOstrelColType type, int width) {
    switch (type) {
        case ectInteger: return "INTEGER";
        case ectBoolean: return "BOOLEAN";
        case ectFloat:
        case ectCurrency: return "DOUBLE PRECISION";
        case ectDate: return "DATE";
        case ectTime: return "TIME";
        case ectDateTime: return "TIMESTAMP";
        case ectString: return "CHAR(" + std::to_string(width) + ")";
        case ectUnknown: break;
    }
    return {};
}

TOstrelColType GuessColType(const std::string& text, const std::string& booleanTrue,
                            const std::string& booleanFalse) {
    if (text.empty()) return ectString;
    if (SameText(text, booleanTrue) || SameText(text, booleanFalse)) return ectBoolean;
    int32_t i;
    if (TryStrToInt(text, i)) return ectInteger;
    double f;
    if (TryStrToFloat(text, f)) return ectFloat;
    TDateTime dt;
    if (TryStrToDateTime(text, dt)) {
        TDateParts p = DecodeDateTime(dt);
        if (p.Hour == 0 && p.Minute == 0 && p.Second == 0 && p.MSec == 0) return ectDate;
        if (p.Year == 1899 && p.Month == 12 && p.Day == 30) return ectTime;
        return ectDateTime;
    }
    return ectString;
}

int TOstrelColumns::SourceColumnCount() const {
    const TIB_Ostrel& e = FExporter;
    switch (e.FExportSource) {
        case esDataSet: return e.FDataSet->FieldCount();
        case esDBGrid: return e.FIBGrid->GridColumnCount();
        case esListView: return e.FListView->ColumnCount();
        case esStringGrid: return e.FStringGrid->ColCount();
    }
    return 0;
}

void TOstrelColumns::Fill() {
    const TIB_Ostrel& e = FExporter;
    const int n = e.FExportedFields.Count() > 0 ? e.FExportedFields.Count() : SourceColumnCount();
    for (int i = 0; i < n; ++i) {
        int number = FindSourceIndex(i);
        if (number == -1) break;
        TOstrelColumn& c = FItems.emplace_back();
        c.Number = number;
        c.Name = NameOf(c);
        c.ColType = ColTypeOf(c);
        c.Caption = CaptionOf(c);
        c.Width = WidthOf(c);
        c.Format = FormatOf(c);
        c.Align = AlignOf(c);
        c.SQLType = SQLTypeOf(c);
    }
}

int TOstrelColumns::FindSourceIndex(int i) const {
    const TIB_Ostrel& e = FExporter;
    const bool onlyVisible = e.FOnlyVisibleFields;
    if (e.FExportedFields.Count() > 0) {
        const std::string& name = e.FExportedFields[i];
        switch (e.FExportSource) {
            case esDataSet: {
                TIB_Column* c = e.FDataSet->FieldByName(name);
                return c && (!onlyVisible || c->Visible()) ? c->Index() : -1;
            }
            case esListView: {
                int found = -1;
                for (int k = 0; k < e.FListView->ColumnCount(); ++k)
                    if (SameText(e.FListView->ColumnCaption(k), name)) found = k;
                return found;
            }
            case esDBGrid: {
                int found = -1;
                for (int k = 0; k < e.FIBGrid->GridColumnCount(); ++k) {
                    TIB_Column* c = e.FIBGrid->GridColumn(k);
                    if (c && SameText(c->FieldName(), name) && (c->Visible() || !onlyVisible)) found = k;
                }
                return found;
            }
            case esStringGrid: {
                int32_t number;
                return TryStrToInt(name, number) ? number : -1;
            }
        }
        return -1;
    }
    if (e.FExportSource == esListView || e.FExportSource == esStringGrid) return i;
    TIB_Column* c = e.SourceColumn(i);
    if (!c || c->IsBlob() || (onlyVisible && !c->Visible()) || SameText(c->FieldName(), "DB_KEY"))
        return -1;
    return i;
}

std::string TOstrelColumns::NameOf(const TOstrelColumn& c) const {
    const TIB_Ostrel& e = FExporter;
    switch (e.FExportSource) {
        case esDataSet:
        case esDBGrid: return e.SourceColumn(c.Number)->FieldName();
        case esListView: return e.FListView->ColumnCaption(c.Number);
        case esStringGrid: return std::to_string(c.Number);
    }
    return {};
}

TOstrelColType TOstrelColumns::ColTypeOf(const TOstrelColumn& c) const {
    const TIB_Ostrel& e = FExporter;
    const std::string& t = e.FFormats.BooleanTrue();
    const std::string& f = e.FFormats.BooleanFalse();
    switch (e.FExportSource) {
        case esDataSet:
        case esDBGrid: return ColTypeOfColumn(e.SourceColumn(c.Number));
        case esListView:
            if (!e.FAutoCalcStrType) return ectString;
            if (e.FListView->ItemCount() == 0) return GuessColType({}, t, f);
            return GuessColType(c.Number == 0 ? e.FListView->ItemCaption(0)
                                              : e.FListView->ItemSubItem(0, c.Number - 1),
                                t, f);
        case esStringGrid:
            if (!e.FAutoCalcStrType) return ectString;
            return GuessColType(e.FStringGrid->Cells(c.Number, e.FStringGrid->Row()), t, f);
    }
    return ectUnknown;
}

std::string TOstrelColumns::CaptionOf(const TOstrelColumn& c) const {
    const TIB_Ostrel& e = FExporter;
    int line = e.FCaptions.IndexOfName(c.Name);
    if (line >= 0) return e.FCaptions.ValueFromIndex(line);
    switch (e.FExportSource) {
        case esDataSet: return e.SourceColumn(c.Number)->DisplayLabel();
        case esDBGrid: {
            TIB_Column* col = e.SourceColumn(c.Number);
            std::string label = e.SourceDataset()->FieldsGridLabel().Values(col->FieldName());
            return label.empty() ? col->DisplayLabel() : label;
        }
        case esListView: return e.FListView->ColumnCaption(c.Number);
        case esStringGrid: return "ColNo_" + std::to_string(c.Number);
    }
    return {};
}

int TOstrelColumns::WidthOf(const TOstrelColumn& c) const {
    const TIB_Ostrel& e = FExporter;
    int line = e.FColumnsWidth.IndexOfName(c.Name);
    if (line >= 0) return StrToIntDef(e.FColumnsWidth.ValueFromIndex(line), 0);
    auto perChar = [](int pixels, int xWidth) { return xWidth > 0 ? pixels / xWidth : 0; };
    switch (e.FExportSource) {
        case esDataSet: return e.SourceColumn(c.Number)->DataSize();
        case esDBGrid:
            return perChar(e.FIBGrid->GridColumnWidth(c.Number), e.FIBGrid->TextWidth("X"));
        case esListView:
            return perChar(e.FListView->ColumnWidth(c.Number),
                           FontMetrics().TextWidth(e.FListView->Font(), "X"));
        case esStringGrid:
            return perChar(e.FStringGrid->ColWidth(c.Number), e.FStringGrid->TextWidth("X"));
    }
    return 0;
}

std::string TOstrelColumns::FormatOf(const TOstrelColumn& c) const {
    const TIB_Ostrel& e = FExporter;
    int line = e.FUserFormats.IndexOfName(c.Name);
    if (line >= 0) return e.FUserFormats.ValueFromIndex(line);
    const TOstrelFormats& f = e.FFormats;
    switch (c.ColType) {
        case ectInteger: return f.IntegerFormat();
        case ectFloat: return f.FloatFormat();
        case ectCurrency: return f.CurrencyFormat();
        case ectDate: return f.DateFormat();
        case ectTime: return f.TimeFormat();
        case ectDateTime: return f.DateTimeFormat();
        default: return {};
    }
}

TOstrelColAlign TOstrelColumns::AlignOf(const TOstrelColumn& c) const {
    const TIB_Ostrel& e = FExporter;
    int line = e.FColumnsAlign.IndexOfName(c.Name);
    if (line >= 0) {
        std::string value = e.FColumnsAlign.ValueFromIndex(line);
        char first = value.empty() ? ' ' : static_cast<char>(std::toupper(static_cast<unsigned char>(value[0])));
        return first == 'C' ? ecaCenter : first == 'R' ? ecaRight : ecaLeft;
    }
    switch (c.ColType) {
        case ectInteger:
        case ectFloat:
        case ectCurrency: return ecaRight;
        case ectBoolean: return ecaCenter;
        default: return ecaLeft;
    }
}

std::string TOstrelColumns::SQLTypeOf(const TOstrelColumn& c) const {
    const TIB_Ostrel& e = FExporter;
    if (e.FExportSource == esDataSet || e.FExportSource == esDBGrid)
        return SQLTypeOfColumn(e.SourceColumn(c.Number));
    return SQLTypeOfColType(c.ColType, c.Width);
}

void TOstrelColumns::AutoCalcWidth() {
    TIB_Ostrel& e = FExporter;
    for (auto& c : FItems) c.Width = std::max<int>(c.Width, static_cast<int>(CharLength(c.Caption)));
    e.PrePass(
        [&] {
            for (auto& c : FItems)
                c.Width = std::max<int>(c.Width, static_cast<int>(CharLength(e.GetExportText(&c - FItems.data(), true))));
        },
        [&] {
            if (e.OnFetchedRecord) e.OnFetchedRecord(this, e.FRecordCounter);
        });
}

}  // namespace ostrel
