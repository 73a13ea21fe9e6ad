#include "cli/CsvSource.h"

#include <algorithm>
#include <unordered_set>

#include "engine/Classes.h"
#include "platform/Errors.h"
#include "platform/Streams.h"

namespace ostrel::cli {

TCsvTable ReadCsv(const std::string& fileName, char separator, bool hasHeader) {
    return ParseCsv(ReadFileBytes(fileName), separator, hasHeader, fileName);
}

TCsvTable ParseCsv(std::string_view text, char separator, bool hasHeader, const std::string& fileName) {
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row;
    std::string field;
    bool quoted = false, fieldStarted = false;
    size_t line = 1, quoteLine = 0;
    size_t i = text.size() >= 3 && text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;  // byte order mark
    auto endField = [&] {
        row.push_back(std::move(field));
        field.clear();
        fieldStarted = false;
    };
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                if (c == '\n') ++line;
                field += c;
            }
        } else if (c == '"' && !fieldStarted) {
            quoted = fieldStarted = true;
            quoteLine = line;
        } else if (c == separator) {
            endField();
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            ++line;
            endField();
            rows.push_back(std::move(row));
            row.clear();
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (quoted)
        throw EOstrelError(fileName + ": the quoted field that starts on line " + std::to_string(quoteLine) +
                           " has no closing quote");
    if (fieldStarted || !row.empty()) {
        endField();
        rows.push_back(std::move(row));
    }
    TCsvTable table;
    if (hasHeader && !rows.empty()) {
        table.Header = std::move(rows.front());
        rows.erase(rows.begin());
    }
    table.Rows = std::move(rows);
    return table;
}

void FillGrid(const TCsvTable& table, TMemStringGrid& grid) {
    size_t cols = table.Header.size();
    for (const auto& r : table.Rows) cols = std::max(cols, r.size());
    const int fixed = table.Header.empty() ? 0 : 1;
    grid.SetSize(static_cast<int>(cols), static_cast<int>(table.Rows.size()) + fixed);
    grid.SetFixedRows(fixed);
    for (size_t c = 0; c < table.Header.size(); ++c) grid.SetCell(static_cast<int>(c), 0, table.Header[c]);
    for (size_t r = 0; r < table.Rows.size(); ++r)
        for (size_t c = 0; c < table.Rows[r].size(); ++c)
            grid.SetCell(static_cast<int>(c), static_cast<int>(r) + fixed, table.Rows[r][c]);
    if (grid.RowCount() > fixed) grid.SetRow(fixed);
}

std::vector<std::string> ColumnNames(const TCsvTable& table) {
    size_t cols = table.Header.size();
    for (const auto& r : table.Rows) cols = std::max(cols, r.size());
    std::vector<std::string> names;
    std::unordered_set<std::string> used;
    for (size_t c = 0; c < cols; ++c) {
        const std::string text = c < table.Header.size() ? table.Header[c] : std::string();
        const std::string base = text.empty() ? "column" + std::to_string(c + 1) : text;
        std::string name = base;
        for (int k = 2; used.count(UpperCase(name)); ++k) name = base + "_" + std::to_string(k);
        used.insert(UpperCase(name));
        names.push_back(name);
    }
    return names;
}

void FillList(const TCsvTable& table, const std::vector<std::string>& names, TMemListView& list) {
    const size_t cols = names.size();
    for (const auto& name : names) list.AddColumn(name, TMemStringGrid::kDefaultColWidth);
    for (const auto& r : table.Rows) {
        std::vector<std::string> subItems(cols > 0 ? cols - 1 : 0);
        for (size_t c = 1; c < r.size(); ++c) subItems[c - 1] = r[c];
        list.AddItem(r.empty() ? std::string() : r[0], std::move(subItems));
    }
}

}  // namespace ostrel::cli
