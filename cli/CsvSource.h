// A CSV file as the exporter's source: a list view when the file has a header row (columns named
// by it), a string grid when it has none (columns numbered). The rows are read from the file as
// the exporter asks for them, so that the file is never held in memory whole.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CsvReader.h"
#include "engine/IB_OstrelSources.h"

namespace ostrel::cli {

// A whole CSV text read at once.
struct TCsvTable {
    std::vector<std::string> Header;  // empty when the text has no header row
    std::vector<std::vector<std::string>> Rows;
};

// Reads text as TCsvReader does; `fileName` names it in messages.
TCsvTable ParseCsv(std::string_view text, char separator, bool hasHeader, const std::string& fileName);

// The names of the `columnCount` columns of a file with the header given: the header texts, made
// unique without regard to case ("a", "a_2") and never empty ("column3" for the third), so that
// every column can be named and a script or table made of them is valid.
std::vector<std::string> ColumnNames(const std::vector<std::string>& header, size_t columnCount);

// The records of a CSV file, served by number. A first pass counts them and finds the widest,
// and so also an unclosed quote before anything is written. Then the record asked for last is
// kept, a later one is read on to, and an earlier one (a pass that starts over) is read again
// from the start.
class TCsvRecords {
public:
    explicit TCsvRecords(std::unique_ptr<TCsvReader> reader);

    int Count() const { return FCount; }
    // The number of fields of the widest record.
    int Widest() const { return FWidest; }
    // Record `index` (0 to Count() - 1). Fails when the file no longer holds the records the
    // first pass counted.
    const std::vector<std::string>& Record(int index);

private:
    [[noreturn]] void FailChanged() const;

    std::unique_ptr<TCsvReader> FReader;
    int FCount = 0, FWidest = 0;
    std::vector<std::string> FRecord;
    int FIndex = -1;  // the record FRecord holds; -1 for none
    int FNext = 0;    // the record the reader gives next
};

// The first record names the columns (made unique by ColumnNames; one column for each field of
// the widest record); the records after it are the items, their first field the caption.
class TCsvListView : public TListView {
public:
    explicit TCsvListView(std::unique_ptr<TCsvRecords> records);

    // The header's own texts.
    const std::vector<std::string>& Header() const { return FHeader; }

    int ItemCount() const override;
    std::string ItemCaption(int item) const override;
    std::string ItemSubItem(int item, int subItem) const override;
    // Nothing shows a focus or a selection, nor is there a display to hold back.
    void FocusItem(int item) override {}
    int SelectedIndex() const override { return -1; }
    void BeginUpdate() override {}
    void EndUpdate() override {}
    int ColumnCount() const override { return static_cast<int>(FNames.size()); }
    std::string ColumnCaption(int column) const override;
    int ColumnWidth(int column) const override;
    TFont Font() const override { return {}; }

private:
    // Moves on in the file also for the questions that are const to the engine.
    std::unique_ptr<TCsvRecords> FRecords;
    std::vector<std::string> FHeader, FNames;
};

// Every record is a row, none fixed; as many columns as the widest record has fields.
class TCsvStringGrid : public TStringGrid {
public:
    explicit TCsvStringGrid(std::unique_ptr<TCsvRecords> records);

    int ColCount() const override { return FRecords->Widest(); }
    int RowCount() const override { return FRecords->Count(); }
    int FixedRows() const override { return 0; }
    int Row() const override { return FRow; }
    void SetRow(int row) override;
    std::string Cells(int col, int row) const override;
    int ColWidth(int col) const override;
    int TextWidth(const std::string& text) const override;

private:
    // Moves on in the file also for the questions that are const to the engine.
    std::unique_ptr<TCsvRecords> FRecords;
    int FRow = 0;
};

}  // namespace ostrel::cli
