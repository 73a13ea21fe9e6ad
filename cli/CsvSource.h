// A CSV file read into a string grid, so that the command-line exporter can export it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sources/MemControls.h"

namespace ostrel::cli {

struct TCsvTable {
    std::vector<std::string> Header;  // empty when the file has no header row
    std::vector<std::vector<std::string>> Rows;
};

// Reads RFC 4180 text: fields separated by `separator`, double quotes around fields that hold
// separators, quotes (doubled) or line breaks. Fails with a message naming the file and line.
TCsvTable ReadCsv(const std::string& fileName, char separator, bool hasHeader);
// The same for text already read; `fileName` names it in messages.
TCsvTable ParseCsv(std::string_view text, char separator, bool hasHeader, const std::string& fileName);

// Fills a grid: one fixed row with the header (when there is one), then the rows.
void FillGrid(const TCsvTable& table, TMemStringGrid& grid);
// The names of the columns of a table with a header: the header texts, made unique without
// regard to case ("a", "a_2") and never empty ("column3" for the third), so that every column
// can be named and a script or table made of them is valid.
std::vector<std::string> ColumnNames(const TCsvTable& table);
// Fills a list view: one column per name, one item per row (short rows read as empty).
void FillList(const TCsvTable& table, const std::vector<std::string>& names, TMemListView& list);

}  // namespace ostrel::cli
