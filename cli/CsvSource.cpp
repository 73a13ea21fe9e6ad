#include "cli/CsvSource.h"

#include <algorithm>
#include <limits>
#include <unordered_set>

#include "engine/Classes.h"
#include "platform/Errors.h"
#include "platform/Services.h"
#include "sources/MemControls.h"

namespace ostrel::cli {

TCsvTable ParseCsv(std::string_view text, char separator, bool hasHeader, const std::string& fileName) {
    TCsvReader reader(text, separator, fileName);
    TCsvTable table;
    std::vector<std::string> fields;
    while (reader.Next(fields)) {
        table.Rows.push_back(std::move(fields));
        fields.clear();
    }
    if (hasHeader && !table.Rows.empty()) {
        table.Header = std::move(table.Rows.front());
        table.Rows.erase(table.Rows.begin());
    }
    return table;
}

std::vector<std::string> ColumnNames(const std::vector<std::string>& header, size_t columnCount) {
    std::vector<std::string> names;
    std::unordered_set<std::string> used;
    for (size_t c = 0; c < columnCount; ++c) {
        const std::string text = c < header.size() ? header[c] : std::string();
        const std::string base = text.empty() ? "column" + std::to_string(c + 1) : text;
        std::string name = base;
        for (int k = 2; used.count(UpperCase(name)); ++k) name = base + "_" + std::to_string(k);
        used.insert(UpperCase(name));
        names.push_back(name);
    }
    return names;
}

TCsvRecords::TCsvRecords(std::unique_ptr<TCsvReader> reader) : FReader(std::move(reader)) {
    // The engine counts rows and columns in int.
    constexpr size_t kMax = std::numeric_limits<int>::max();
    size_t count = 0, widest = 0, fields = 0;
    if (FReader->Next(FRecord)) {
        count = 1;
        widest = FRecord.size();
        FIndex = 0;
        while (FReader->Skip(fields)) {
            if (++count > kMax)
                throw EOstrelError(FReader->Name() + ": more than " + std::to_string(kMax) + " rows, too many to export");
            widest = std::max(widest, fields);
        }
    }
    if (widest > kMax)
        throw EOstrelError(FReader->Name() + ": a row of more than " + std::to_string(kMax) + " fields");
    FCount = static_cast<int>(count);
    FWidest = static_cast<int>(widest);
    FNext = FCount;
}

void TCsvRecords::FailChanged() const {
    throw EOstrelError(FReader->Name() + ": the file changed while it was being read");
}

const std::vector<std::string>& TCsvRecords::Record(int index) {
    if (index == FIndex) return FRecord;
    if (index < 0 || index >= FCount) throw EOstrelError("CSV record index out of range");
    FIndex = -1;
    try {
        if (index < FNext) {
            FReader->Restart();
            FNext = 0;
        }
        size_t fields;
        for (; FNext < index; ++FNext)
            if (!FReader->Skip(fields)) FailChanged();
        if (!FReader->Next(FRecord)) FailChanged();
    } catch (...) {
        // The reader may stand anywhere: the next question starts over.
        FNext = std::numeric_limits<int>::max();
        throw;
    }
    ++FNext;
    FIndex = index;
    return FRecord;
}

TCsvListView::TCsvListView(std::unique_ptr<TCsvRecords> records) : FRecords(std::move(records)) {
    if (FRecords->Count() > 0) FHeader = FRecords->Record(0);
    FNames = cli::ColumnNames(FHeader, static_cast<size_t>(FRecords->Widest()));
}

int TCsvListView::ItemCount() const { return std::max(FRecords->Count() - 1, 0); }

std::string TCsvListView::ItemCaption(int item) const {
    if (item < 0 || item >= ItemCount()) return {};
    const auto& record = FRecords->Record(item + 1);
    return record.empty() ? std::string() : record[0];
}

std::string TCsvListView::ItemSubItem(int item, int subItem) const {
    // As many sub-items as columns after the first; a short record's missing ones are empty.
    if (item < 0 || item >= ItemCount() || subItem < 0 || subItem >= ColumnCount() - 1) return {};
    const auto& record = FRecords->Record(item + 1);
    const size_t field = static_cast<size_t>(subItem) + 1;
    return field < record.size() ? record[field] : std::string();
}

std::string TCsvListView::ColumnCaption(int column) const {
    return column >= 0 && column < ColumnCount() ? FNames[static_cast<size_t>(column)] : std::string();
}

int TCsvListView::ColumnWidth(int column) const {
    return column >= 0 && column < ColumnCount() ? TMemStringGrid::kDefaultColWidth : 0;
}

TCsvStringGrid::TCsvStringGrid(std::unique_ptr<TCsvRecords> records) : FRecords(std::move(records)) {}

void TCsvStringGrid::SetRow(int row) {
    if (row < 0 || row >= RowCount()) throw EOstrelError("Grid index out of range");
    FRow = row;
}

std::string TCsvStringGrid::Cells(int col, int row) const {
    if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount()) return {};
    const auto& record = FRecords->Record(row);
    return static_cast<size_t>(col) < record.size() ? record[static_cast<size_t>(col)] : std::string();
}

int TCsvStringGrid::ColWidth(int col) const { return TMemStringGrid::kDefaultColWidth; }

int TCsvStringGrid::TextWidth(const std::string& text) const { return FontMetrics().TextWidth(TFont(), text); }

}  // namespace ostrel::cli
