#include "sources/MemDataset.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/FormatSettings.h"
#include "platform/NumberFormat.h"
#include "platform/Services.h"

namespace ostrel {

namespace {

constexpr int kDefaultGridColumnWidth = 64;

}  // namespace

TMemCell TMemColumn::Cell() const { return FDataset.CurrentCell(FIndex); }

bool TMemColumn::IsNull() const { return Cell().Kind == TMemCell::kNull; }

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
    const TMemCell c = Cell();
    switch (c.Kind) {
        case TMemCell::kNull: return {};
        case TMemCell::kText: return std::string(FDataset.CellText(c));
        case TMemCell::kBool: return c.Value.Bool ? "True" : "False";
        case TMemCell::kInt: return std::to_string(c.Value.Int);
        case TMemCell::kFloat: break;
    }
    const TFormatSettings& fs = FormatSettings();
    switch (FType) {
        case TMemFieldType::Date: return FormatDateTime(fs.ShortDateFormat, c.Value.Float);
        case TMemFieldType::Time: return FormatDateTime(fs.LongTimeFormat, c.Value.Float);
        case TMemFieldType::DateTime: return FormatDateTime("c", c.Value.Float);
        default: return FloatToStr(c.Value.Float);
    }
}

int64_t TMemColumn::AsInteger() const {
    const TMemCell c = Cell();
    // A floating-point column never reads as an integer, so that its type does not depend on
    // the row that happens to be current.
    if (FType == TMemFieldType::Integer || FType == TMemFieldType::BigInt) {
        if (c.Kind == TMemCell::kNull) return 0;
        if (c.Kind == TMemCell::kInt) return c.Value.Int;
    }
    throw EConvertError(FormatMessage("'%s' is not a valid integer value", AsString()));
}

bool TMemColumn::GetText(std::string_view& text) const {
    const TMemCell c = Cell();
    if (c.Kind == TMemCell::kBool) {
        text = c.Value.Bool ? std::string_view("True") : std::string_view("False");
        return true;
    }
    if (c.Kind != TMemCell::kText) return false;
    text = FDataset.CellText(c);
    return true;
}

bool TMemColumn::GetDecimal(TDecimal& value) const {
    const TMemCell c = Cell();
    if (c.Kind == TMemCell::kInt) {
        value = TDecimal::FromInt64(c.Value.Int);
        return true;
    }
    if (c.Kind == TMemCell::kFloat && (IsNumeric() || IsCurrency())) {
        value = TDecimal::FromDouble(c.Value.Float);
        return true;
    }
    return false;
}

bool TMemColumn::GetDateTime(TDateTime& value) const {
    const TMemCell c = Cell();
    if (c.Kind != TMemCell::kFloat || !(IsDateOnly() || IsTimeOnly() || IsDateTime())) return false;
    // As the text shows it: dates without a time, times without a date, to the second.
    value = RoundedToParts(c.Value.Float, IsDateOnly()   ? TDateTimePart::Date
                                    : IsTimeOnly() ? TDateTimePart::Time
                                                   : TDateTimePart::Both);
    return true;
}

TCellKind TMemColumn::ReadCell(TCellValue& value) const {
    const TMemCell c = Cell();
    switch (c.Kind) {
        case TMemCell::kNull: return value.Kind = ckNull;
        case TMemCell::kText:
            value.Text = FDataset.CellText(c);
            return value.Kind = ckText;
        case TMemCell::kBool:
            value.Text = c.Value.Bool ? std::string_view("True") : std::string_view("False");
            return value.Kind = ckText;
        case TMemCell::kInt:
            value.Integer = c.Value.Int;
            return value.Kind = ckInteger;
        case TMemCell::kFloat: break;
    }
    // As GetDecimal and GetDateTime read it; dates and times split where the calendar reaches.
    TDateTimePart part;
    switch (FType) {
        case TMemFieldType::Date: part = TDateTimePart::Date; break;
        case TMemFieldType::Time: part = TDateTimePart::Time; break;
        case TMemFieldType::DateTime: part = TDateTimePart::Both; break;
        case TMemFieldType::Integer:
        case TMemFieldType::BigInt:
        case TMemFieldType::Float:
        case TMemFieldType::Currency: value.Float = c.Value.Float; return value.Kind = ckFloat;
        default: return value.Kind = ckNone;
    }
    value.Split = SplitRoundedToParts(c.Value.Float, part, value.Moment);
    if (!value.Split) value.Float = RoundedToParts(c.Value.Float, part);
    return value.Kind = ckDateTime;
}

TMemColumn& TMemDataset::AddField(const std::string& name, TMemFieldType type, int size) {
    if (FActive) throw EOstrelError("Cannot add a field to an open dataset");
    FColumns.push_back(std::make_unique<TMemColumn>(*this, FieldCount(), name, type, size));
    return *FColumns.back();
}

void TMemDataset::AppendRow(const std::vector<TMemValue>& values) {
    TRowWriter row(*this);
    for (size_t column = 0; column < std::min(values.size(), FColumns.size()); ++column) {
        const TMemValue& v = values[column];
        if (const auto* i = std::get_if<int64_t>(&v)) row.Int(*i);
        else if (const auto* d = std::get_if<double>(&v)) row.Float(*d);
        else if (const auto* b = std::get_if<bool>(&v)) row.Bool(*b);
        else if (const auto* t = std::get_if<std::string>(&v)) row.Text(*t);
        else row.Null();
    }
}

TMemDataset::TRowWriter::~TRowWriter() {
    if (std::uncaught_exceptions() > FExceptions) {
        FDataset.FKinds.resize(FCells);
        FDataset.FValues.resize(FCells);
        FDataset.FText.resize(FTexts);
        return;
    }
    while (FColumn < FDataset.FColumns.size()) Null();
    FDataset.FindRowStart();
}

void TMemDataset::TRowWriter::TooManyValues() {
    throw EOstrelError("A row has more values than the dataset has columns");
}

TMemDataset::TRowWriter& TMemDataset::TRowWriter::Text(std::string_view value) {
    if (value.size() > UINT32_MAX) throw EOstrelError("A text of more than 4 GB cannot be stored");
    std::string& store = FDataset.FText;
    TMemCell::TValue v;
    v.Offset = store.size();
    const auto length = static_cast<uint32_t>(value.size());
    store.append(reinterpret_cast<const char*>(&length), sizeof length);
    store += value;
    return Put(TMemCell::kText, v);
}

std::string_view TMemDataset::CellText(const TMemCell& cell) const {
    uint32_t length;
    std::memcpy(&length, FText.data() + cell.Value.Offset, sizeof length);
    return std::string_view(FText.data() + cell.Value.Offset + sizeof length, length);
}

void TMemDataset::Reserve(int rows) {
    const size_t cells = static_cast<size_t>(rows) * FColumns.size();
    // Ordinary pages: huge ones made the kernel compact memory while the rows came in, and
    // filling took up to three times as long.
    FKinds.reserve(cells);
    FValues.reserve(cells);
    // Texts by their declared sizes (at most 256 bytes a cell) and their lengths: room that is
    // never written costs no memory, and the store does not move while the rows come in.
    size_t textBytes = 0;
    for (const auto& c : FColumns)
        if (c->IsText() || c->IsBlob()) textBytes += std::clamp(c->DataSize(), 1, 256) + sizeof(uint32_t);
    FText.reserve(FText.size() + static_cast<size_t>(rows) * textBytes);
}

void TMemDataset::Open() {
    FActive = true;
    FRow = 0;
    FindRowStart();
}

void TMemDataset::Next() {
    if (Eof()) throw EOstrelError("Cannot move past the end of the dataset");
    ++FRow;
    FindRowStart();
}

void TMemDataset::SetRecNo(int value) {
    FRow = std::clamp(value - 1, 0, RowCount());
    FindRowStart();
}

TIB_Column* TMemDataset::Fields(int index) const {
    return index >= 0 && index < FieldCount() ? FColumns[index].get() : nullptr;
}

TIB_Column* TMemDataset::FieldByName(const std::string& name) const {
    for (const auto& c : FColumns)
        if (SameText(c->FieldName(), name)) return c.get();
    return nullptr;
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
