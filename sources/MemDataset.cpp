#include "sources/MemDataset.h"

#include <cmath>

#include "platform/FormatSettings.h"
#include "platform/NumberFormat.h"
#include "platform/Services.h"

namespace ostrel {

namespace {

constexpr int kDefaultGridColumnWidth = 64;

}  // namespace

const TMemValue& TMemColumn::Value() const { return FDataset.CurrentValue(FIndex); }

bool TMemColumn::IsNull() const { return std::holds_alternative<std::monostate>(Value()); }

bool TMemColumn::IsNumeric() const {
    return FType == TMemFieldType::Integer || FType == TMemFieldType::BigInt || FType == TMemFieldType::Float;
}

int TMemColumn::DataSize() const {
    switch (FType) {
        case TMemFieldType::Integer:
        case TMemFieldType::Date:
        case TMemFieldType::Time: return 4;
        case TMemFieldType::BigInt:
        case TMemFieldType::Float:
        case TMemFieldType::Currency:
        case TMemFieldType::DateTime:
        case TMemFieldType::Blob:
        case TMemFieldType::DbKey: return 8;
        case TMemFieldType::Boolean: return 2;
        case TMemFieldType::String: return FSize;
    }
    return FSize;
}

std::string TMemColumn::AsString() const {
    const TMemValue& v = Value();
    if (std::holds_alternative<std::monostate>(v)) return {};
    if (const auto* s = std::get_if<std::string>(&v)) return *s;
    if (const auto* b = std::get_if<bool>(&v)) return *b ? "True" : "False";
    if (const auto* i = std::get_if<int64_t>(&v)) return std::to_string(*i);
    double d = std::get<double>(v);
    const TFormatSettings& fs = FormatSettings();
    switch (FType) {
        case TMemFieldType::Date: return FormatDateTime(fs.ShortDateFormat, d);
        case TMemFieldType::Time: return FormatDateTime(fs.LongTimeFormat, d);
        case TMemFieldType::DateTime: return FormatDateTime("c", d);
        default: return FloatToStr(d);
    }
}

int64_t TMemColumn::AsInteger() const {
    const TMemValue& v = Value();
    const bool integerType = FType == TMemFieldType::Integer || FType == TMemFieldType::BigInt;
    if (integerType && std::holds_alternative<std::monostate>(v)) return 0;
    if (const auto* i = std::get_if<int64_t>(&v); i && integerType) return *i;
    // A floating-point column never reads as an integer, so that its type does not depend on
    // the row that happens to be current.
    throw EConvertError(FormatMessage("'%s' is not a valid integer value", AsString()));
}

bool TMemColumn::GetDecimal(TDecimal& value) const {
    const TMemValue& v = Value();
    if (const auto* i = std::get_if<int64_t>(&v)) {
        value = TDecimal::FromInt64(*i);
        return true;
    }
    if (const auto* d = std::get_if<double>(&v); d && (IsNumeric() || IsCurrency())) {
        value = TDecimal::FromDouble(*d);
        return true;
    }
    return false;
}

bool TMemColumn::GetDateTime(TDateTime& value) const {
    const TMemValue& v = Value();
    const auto* d = std::get_if<double>(&v);
    if (!d || !(IsDateOnly() || IsTimeOnly() || IsDateTime())) return false;
    // As the text shows it: dates without a time, times without a date, to the millisecond.
    const TDateParts p = DecodeDateTime(*d);
    if (IsDateOnly()) value = EncodeDate(p.Year, p.Month, p.Day);
    else if (IsTimeOnly()) value = EncodeTime(p.Hour, p.Minute, p.Second, 0);
    else value = ComposeDateTime(EncodeDate(p.Year, p.Month, p.Day), EncodeTime(p.Hour, p.Minute, p.Second, 0));
    return true;
}

TMemColumn& TMemDataset::AddField(const std::string& name, TMemFieldType type, int size) {
    if (FActive) throw EOstrelError("Cannot add a field to an open dataset");
    FColumns.push_back(std::make_unique<TMemColumn>(*this, FieldCount(), name, type, size));
    return *FColumns.back();
}

void TMemDataset::AppendRow(std::vector<TMemValue> values) {
    values.resize(FColumns.size());
    FRows.push_back(std::move(values));
}

void TMemDataset::Open() {
    FActive = true;
    FRow = 0;
}

void TMemDataset::Next() {
    if (Eof()) throw EOstrelError("Cannot move past the end of the dataset");
    ++FRow;
}

void TMemDataset::SetRecNo(int value) {
    FRow = std::clamp(value - 1, 0, RowCount());
}

TIB_Column* TMemDataset::Fields(int index) const {
    return index >= 0 && index < FieldCount() ? FColumns[index].get() : nullptr;
}

TIB_Column* TMemDataset::FieldByName(const std::string& name) const {
    for (const auto& c : FColumns)
        if (SameText(c->FieldName(), name)) return c.get();
    return nullptr;
}

const TMemValue& TMemDataset::CurrentValue(int column) const {
    static const TMemValue null;
    if (!FActive || FRow < 0 || FRow >= RowCount()) return null;
    return FRows[FRow][column];
}

void TMemGrid::SetDataSource(TIB_DataSource* source) {
    if (FDataSource) RemoveFreeNotification(FDataSource);
    FDataSource = source;
    if (source) FreeNotification(source);
}

void TMemGrid::Notification(TComponent* AComponent, TOperation Operation) {
    TIB_Grid::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FDataSource) FDataSource = nullptr;
}

void TMemGrid::AddColumn(const std::string& fieldName, int widthPixels) {
    FColumns.push_back({fieldName, widthPixels});
}

std::vector<TIB_Column*> TMemGrid::DisplayedColumns() const {
    std::vector<TIB_Column*> out;
    TIB_Dataset* ds = FDataSource ? FDataSource->Dataset() : nullptr;
    if (!ds) return out;
    if (FColumns.empty()) {
        for (int i = 0; i < ds->FieldCount(); ++i)
            if (ds->Fields(i)->Visible()) out.push_back(ds->Fields(i));
    } else {
        for (const auto& c : FColumns)
            if (TIB_Column* col = ds->FieldByName(c.FieldName)) out.push_back(col);
    }
    return out;
}

int TMemGrid::GridColumnCount() const { return static_cast<int>(DisplayedColumns().size()); }

TIB_Column* TMemGrid::GridColumn(int index) const {
    auto cols = DisplayedColumns();
    return index >= 0 && index < static_cast<int>(cols.size()) ? cols[index] : nullptr;
}

int TMemGrid::GridColumnWidth(int index) const {
    if (FColumns.empty()) return kDefaultGridColumnWidth;
    auto cols = DisplayedColumns();
    if (index < 0 || index >= static_cast<int>(cols.size())) return 0;
    for (const auto& c : FColumns)
        if (SameText(c.FieldName, cols[index]->FieldName())) return c.Width;
    return kDefaultGridColumnWidth;
}

int TMemGrid::TextWidth(const std::string& text) const { return FontMetrics().TextWidth(FFont, text); }

}  // namespace ostrel
