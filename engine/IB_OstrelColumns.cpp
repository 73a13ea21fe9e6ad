#include "engine/IB_OstrelColumns.h"

#include <algorithm>
#include <cmath>

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

// The type of a column of texts, read in one pass: the type that every non-empty text guesses,
// integers and floats together giving floats and any other mix a string; a column without
// text guesses as an empty text does. The pass ends at the first text that makes it a string.
template <class ReadText>
TOstrelColType GuessColumnType(int count, ReadText read, const std::string& booleanTrue,
                               const std::string& booleanFalse) {
    TOstrelColType type = ectUnknown;  // undecided: GuessColType never gives it
    for (int i = 0; i < count; ++i) {
        const std::string text = read(i);
        if (text.empty()) continue;
        const TOstrelColType guess = GuessColType(text, booleanTrue, booleanFalse);
        auto isNumber = [](TOstrelColType t) { return t == ectInteger || t == ectFloat; };
        if (type == ectUnknown || guess == type) type = guess;
        else if (isNumber(type) && isNumber(guess)) type = ectFloat;
        else return ectString;
        if (type == ectString) return ectString;
    }
    return type == ectUnknown ? GuessColType({}, booleanTrue, booleanFalse) : type;
}

}  // namespace

struct TOstrelColumns::TLookups {
    TNameIndex Captions, Widths, Aligns, UserFormats;
    TNameIndex GridLabels;  // the data grid's dataset's labels
    // ExportedFields of list views and data grids: the last matching source column.
    TNameIndex SourceColumns;
};

TOstrelColType GuessListViewColumnType(const TListView& lv, int column, const std::string& booleanTrue,
                                       const std::string& booleanFalse) {
    auto text = [&](int item) {
        return column == 0 ? lv.ItemCaption(item) : lv.ItemSubItem(item, column - 1);
    };
    return GuessColumnType(lv.ItemCount(), text, booleanTrue, booleanFalse);
}

TOstrelColType GuessStringGridColumnType(const TStringGrid& g, int column, const std::string& booleanTrue,
                                         const std::string& booleanFalse) {
    // The data rows, those a run from the first row reads: below the fixed rows.
    const int fixed = std::max(0, g.FixedRows());
    return GuessColumnType(std::max(0, g.RowCount() - fixed),
                           [&](int row) { return g.Cells(column, fixed + row); }, booleanTrue, booleanFalse);
}

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
        // A whole number of days has no time of day: no need to decode it.
        if (dt == std::floor(dt)) return ectDate;
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

TOstrelColumns::TLookups TOstrelColumns::BuildLookups(bool keyedLists) const {
    const TIB_Ostrel& e = FExporter;
    TLookups l;
    if (keyedLists) {
        l.Captions = TNameIndex(e.FCaptions);
        l.Widths = TNameIndex(e.FColumnsWidth);
        l.Aligns = TNameIndex(e.FColumnsAlign);
        l.UserFormats = TNameIndex(e.FUserFormats);
        if (e.FExportSource == esDBGrid && e.SourceDataset())
            l.GridLabels = TNameIndex(e.SourceDataset()->FieldsGridLabel());
    }
    if (e.FExportedFields.Count() == 0) return l;
    // A later column of the same name replaces an earlier one: the last match wins.
    if (e.FExportSource == esListView) {
        for (int k = 0; k < e.FListView->ColumnCount(); ++k)
            l.SourceColumns.Add(e.FListView->ColumnCaption(k), k, true);
    } else if (e.FExportSource == esDBGrid) {
        for (int k = 0; k < e.FIBGrid->GridColumnCount(); ++k) {
            TIB_Column* c = e.FIBGrid->GridColumn(k);
            if (c && (c->Visible() || !e.FOnlyVisibleFields)) l.SourceColumns.Add(c->FieldName(), k, true);
        }
    }
    return l;
}

void TOstrelColumns::Fill() {
    const TIB_Ostrel& e = FExporter;
    const TLookups l = BuildLookups(true);
    const int n = e.FExportedFields.Count() > 0 ? e.FExportedFields.Count() : SourceColumnCount();
    for (int i = 0; i < n; ++i) {
        int number = FindSourceIndex(i, l);
        if (number == -1) break;
        TOstrelColumn& c = FItems.emplace_back();
        c.Number = number;
        c.Name = NameOf(c);
        c.ColType = ColTypeOf(c);
        c.Caption = CaptionOf(c, l);
        c.Width = WidthOf(c, l);
        c.Format = FormatOf(c, l);
        c.Align = AlignOf(c, l);
        c.SQLType = SQLTypeOf(c);
    }
}

int TOstrelColumns::FindSourceIndex(int i) const { return FindSourceIndex(i, BuildLookups(false)); }

int TOstrelColumns::FindSourceIndex(int i, const TLookups& l) const {
    const TIB_Ostrel& e = FExporter;
    const bool onlyVisible = e.FOnlyVisibleFields;
    if (e.FExportedFields.Count() > 0) {
        const std::string& name = e.FExportedFields[i];
        switch (e.FExportSource) {
            case esDataSet: {
                TIB_Column* c = e.FDataSet->FieldByName(name);
                return c && (!onlyVisible || c->Visible()) ? c->Index() : -1;
            }
            case esListView:
            case esDBGrid: return l.SourceColumns.Find(name);
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
        case esListView: {
            if (!e.FAutoCalcStrType) return ectString;
            return GuessListViewColumnType(*e.FListView, c.Number, t, f);
        }
        case esStringGrid: {
            if (!e.FAutoCalcStrType) return ectString;
            return GuessStringGridColumnType(*e.FStringGrid, c.Number, t, f);
        }
    }
    return ectUnknown;
}

std::string TOstrelColumns::CaptionOf(const TOstrelColumn& c, const TLookups& l) const {
    const TIB_Ostrel& e = FExporter;
    int line = l.Captions.Find(c.Name);
    if (line >= 0) return e.FCaptions.ValueFromIndex(line);
    switch (e.FExportSource) {
        case esDataSet: return e.SourceColumn(c.Number)->DisplayLabel();
        case esDBGrid: {
            TIB_Column* col = e.SourceColumn(c.Number);
            const int label = l.GridLabels.Find(col->FieldName());
            const std::string text =
                label < 0 ? std::string() : e.SourceDataset()->FieldsGridLabel().ValueFromIndex(label);
            return text.empty() ? col->DisplayLabel() : text;
        }
        case esListView: return e.FListView->ColumnCaption(c.Number);
        case esStringGrid: return "ColNo_" + std::to_string(c.Number);
    }
    return {};
}

int TOstrelColumns::WidthOf(const TOstrelColumn& c, const TLookups& l) const {
    const TIB_Ostrel& e = FExporter;
    int line = l.Widths.Find(c.Name);
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

std::string TOstrelColumns::FormatOf(const TOstrelColumn& c, const TLookups& l) const {
    const TIB_Ostrel& e = FExporter;
    int line = l.UserFormats.Find(c.Name);
    if (line >= 0) return e.FUserFormats.ValueFromIndex(line);
    return e.FFormats.FormatOfType(c.ColType);
}

TOstrelColAlign TOstrelColumns::AlignOf(const TOstrelColumn& c, const TLookups& l) const {
    const TIB_Ostrel& e = FExporter;
    int line = l.Aligns.Find(c.Name);
    return line >= 0 ? AlignOfText(e.FColumnsAlign.ValueFromIndex(line)) : DefaultAlignOfType(c.ColType);
}

TOstrelColAlign AlignOfText(const std::string& value) {
    const char first = value.empty() ? ' ' : static_cast<char>(std::toupper(static_cast<unsigned char>(value[0])));
    return first == 'C' ? ecaCenter : first == 'R' ? ecaRight : ecaLeft;
}

TOstrelColAlign DefaultAlignOfType(TOstrelColType type) {
    switch (type) {
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
    std::string text;  // one buffer for every value of the pass
    e.PrePass(
        [&] {
            for (auto& c : FItems) {
                text.clear();
                e.AppendWidthText(text, static_cast<int>(&c - FItems.data()));
                c.Width = std::max<int>(c.Width, static_cast<int>(CharLength(text)));
            }
        },
        [&] {
            if (e.OnFetchedRecord) e.OnFetchedRecord(this, e.FRecordCounter);
        });
}

}  // namespace ostrel
