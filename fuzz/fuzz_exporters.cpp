// Every text exporter fed random rows (any bytes: NUL, control characters, quotes, line breaks,
// huge and empty values), checked for what readers rely on: CSV reads back cell for cell, DIF
// and SYLK keep every row, SQL values stay inside their literals, XML is well formed. A run may
// refuse a value only with the library's error, and only for a value the format cannot carry.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/CsvSource.h"
#include "exporters/text/IB_OstrelASCII.h"
#include "exporters/text/IB_OstrelClipboard.h"
#include "exporters/text/IB_OstrelHTML.h"
#include "exporters/text/IB_OstrelLaTeX.h"
#include "exporters/text/IB_OstrelRTF.h"
#include "exporters/text/IB_OstrelSQL.h"
#include "exporters/text/IB_OstrelXML.h"
#include "exporters/sheet/IB_OstrelDBF.h"
#include "fuzz/FuzzSupport.h"
#include "platform/Errors.h"
#include "platform/FormatSettings.h"
#include "platform/Streams.h"
#include "sources/MemControls.h"

using namespace ostrel;

namespace {

template <class E>
std::string Run(TInMemory<E>& e, TMemStringGrid& grid) {
    e.SetExportSource(esStringGrid);
    e.SetStringGrid(&grid);
    TMemoryStream out;
    e.ExportToStream(out);
    return out.Text();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, at - start));
        start = at + 2;
    }
    CHECK(start == text.size());  // every line ends with CR LF
    return lines;
}

bool HasAny(const std::vector<std::vector<std::string>>& cells, bool (*bad)(unsigned char)) {
    for (const auto& row : cells)
        for (const auto& v : row)
            for (unsigned char c : v)
                if (bad(c)) return true;
    return false;
}

void CheckCsv(const std::string& out, const std::vector<std::vector<std::string>>& cells, bool guard) {
    const auto table = cli::ParseCsv(out, ',', false, "out");
    CHECK(table.Rows.size() == cells.size());
    for (size_t r = 0; r < cells.size(); ++r) {
        CHECK(table.Rows[r].size() == cells[r].size() + 1);  // every field is followed by the separator
        for (size_t c = 0; c < cells[r].size(); ++c) {
            const std::string& v = cells[r][c];
            const bool guarded = guard && !v.empty() && std::string("=+-@\t\r").find(v[0]) != std::string::npos;
            CHECK(table.Rows[r][c] == (guarded ? "'" + v : v));
        }
    }
}

// Reads DIF as its readers do: line by line, a string value in double quotes (a doubled quote
// inside) that may go on over several lines until its closing quote.
void CheckDif(const std::string& out, size_t rows, size_t cols) {
    size_t pos = 0;
    auto line = [&] {
        const size_t end = out.find("\r\n", pos);
        CHECK(end != std::string::npos);
        std::string l = out.substr(pos, end - pos);
        pos = end + 2;
        return l;
    };
    auto quoted = [&] {
        CHECK(pos < out.size() && out[pos] == '"');
        for (++pos;; ++pos) {
            CHECK(pos < out.size());
            if (out[pos] != '"') continue;
            if (pos + 1 < out.size() && out[pos + 1] == '"') {
                ++pos;
                continue;
            }
            CHECK(out.compare(pos + 1, 2, "\r\n") == 0);
            pos += 3;
            return;
        }
    };
    while (line() != "DATA") {
    }
    CHECK(line() == "0,0" && line() == "\"\"");
    size_t tuples = 0;
    for (;;) {
        CHECK(line() == "-1,0");
        const std::string what = line();
        if (what == "EOD") break;
        CHECK(what == "BOT");
        for (size_t c = 0; c < cols; ++c) {
            const std::string head = line();
            if (head == "1,0") {
                quoted();
            } else {
                CHECK(head.rfind("0,", 0) == 0 && line() == "V");
            }
        }
        ++tuples;
    }
    CHECK(tuples == rows && pos == out.size());
}

void CheckSylk(const std::string& out, size_t rows, size_t cols) {
    const auto lines = Lines(out);
    CHECK(!lines.empty() && lines.front().rfind("ID;", 0) == 0 && lines.back() == "E");
    CHECK(lines.size() == rows * cols + 2);
    for (size_t k = 1; k + 1 < lines.size(); ++k) {
        const size_t r = (k - 1) / cols + 1, c = (k - 1) % cols + 1;
        const std::string head = "C;X" + std::to_string(c) + ";Y" + std::to_string(r) + ";K\"";
        CHECK(lines[k].rfind(head, 0) == 0 && lines[k].back() == '"');
    }
}

// Reads the script with an SQL lexer: outside the literals only the statements' own words may
// stand, and the literals, joined where a line break was split, hold the values.
void CheckSql(const std::string& out, const std::vector<std::vector<std::string>>& cells) {
    std::string skeleton;
    std::vector<std::string> literals;
    for (size_t i = 0; i < out.size();) {
        if (out[i] != '\'') {
            skeleton += out[i++];
            continue;
        }
        std::string literal;
        for (++i;; ++i) {
            CHECK(i < out.size());
            if (out[i] == '\'') {
                if (i + 1 < out.size() && out[i + 1] == '\'') {
                    literal += '\'';
                    ++i;
                } else {
                    ++i;
                    break;
                }
            } else {
                literal += out[i];
            }
        }
        // 'a' || 'b' is one value.
        if (skeleton.size() >= 4 && skeleton.compare(skeleton.size() - 4, 4, " || ") == 0 && !literals.empty() &&
            skeleton.size() >= 5 && skeleton[skeleton.size() - 5] == '?') {
            skeleton.resize(skeleton.size() - 4);
            literals.back() += literal;
        } else {
            skeleton += '?';
            literals.push_back(literal);
        }
    }
    std::string expected, values;
    for (size_t c = 0; c < cells[0].size(); ++c) values += c ? ",?" : "?";
    std::vector<std::string> want;
    for (size_t r = 1; r < cells.size(); ++r) {
        expected += "INSERT INTO T\r\n  (";
        for (size_t c = 0; c < cells[r].size(); ++c) expected += (c ? ",\"" : "\"") + std::to_string(c) + "\"";
        expected += ")\r\nVALUES(" + values + ");\r\n\r\n";
        for (const auto& v : cells[r]) want.push_back(v);
    }
    CHECK(skeleton == expected);
    CHECK(literals == want);
}

bool IsXmlForbidden(unsigned char c) { return c < 0x20 && c != '\t' && c != '\r' && c != '\n'; }

// One ROW line per record, each a run of name="value" attributes whose values hold no quote,
// no "<", only entity references after "&", and no character XML forbids.
void CheckXml(const std::string& out, size_t rows) {
    const auto lines = Lines(out);
    size_t rowLines = 0;
    for (const auto& line : lines) {
        for (unsigned char c : line) CHECK(!IsXmlForbidden(c) && c != '\r' && c != '\n');
        if (line.rfind("<ROW ", 0) != 0) continue;
        ++rowLines;
        CHECK(line.size() >= 7 && line.compare(line.size() - 2, 2, "/>") == 0);
        size_t i = 5;
        while (i < line.size() - 2) {
            if (line[i] == ' ') {
                ++i;
                continue;
            }
            const size_t eq = line.find("=\"", i);
            CHECK(eq != std::string::npos && eq > i);
            for (size_t k = i; k < eq; ++k) CHECK(line[k] != ' ' && line[k] != '"' && line[k] != '<' && line[k] != '&');
            const size_t close = line.find('"', eq + 2);
            CHECK(close != std::string::npos);
            for (size_t k = eq + 2; k < close; ++k) {
                CHECK(line[k] != '<');
                if (line[k] == '&') {
                    const size_t semi = line.find(';', k);
                    CHECK(semi != std::string::npos && semi < close);
                    const std::string entity = line.substr(k + 1, semi - k - 1);
                    CHECK(entity == "amp" || entity == "lt" || entity == "gt" || entity == "quot" ||
                          (entity.size() > 1 && entity[0] == '#'));
                }
            }
            i = close + 1;
        }
    }
    CHECK(rowLines == rows);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool once = [] {
        TFormatSettings s;
        s.DecimalSeparator = '.';
        s.ThousandSeparator = ',';
        SetFormatSettings(s);
        return true;
    }();
    (void)once;
    FuzzedDataProvider in(data, size);
    const int kind = in.ConsumeIntegralInRange(0, 10);
    const bool guard = in.ConsumeBool();
    const size_t cols = in.ConsumeIntegralInRange<size_t>(1, 4);
    const size_t rows = in.ConsumeIntegralInRange<size_t>(0, 12);
    // Row 0 is the header; its texts are the captions.
    std::vector<std::vector<std::string>> cells(rows + 1, std::vector<std::string>(cols));
    for (auto& row : cells)
        for (auto& v : row) {
            if (in.ConsumeIntegralInRange(0, 40) == 0) v.assign(in.ConsumeIntegralInRange(0, 70000), in.ConsumeIntegral<char>());
            else v = in.ConsumeRandomLengthString(24);
        }
    TMemStringGrid grid;
    grid.SetSize(static_cast<int>(cols), static_cast<int>(rows) + 1);
    grid.SetFixedRows(1);
    for (size_t r = 0; r <= rows; ++r)
        for (size_t c = 0; c < cols; ++c) grid.SetCell(static_cast<int>(c), static_cast<int>(r), cells[r][c]);
    if (rows > 0) grid.SetRow(1);
    const std::vector<std::vector<std::string>> data_rows(cells.begin() + 1, cells.end());
    auto captions = [&](auto& e) {
        for (size_t c = 0; c < cols; ++c) e.Captions().Add(std::to_string(c) + "=" + cells[0][c]);
    };
    auto hasNul = [](unsigned char c) { return c == 0; };
    try {
        switch (kind) {
            case 0: {  // CSV, header row included
                TInMemory<TIB_OstrelASCII> e;
                e.SetExportType(etCSV);
                e.SetCSVFormulaGuard(guard);
                captions(e);
                const std::string out = rows ? Run(e, grid) : std::string();
                if (rows) CheckCsv(out, cells, guard);
                break;
            }
            case 1:
            case 2: {
                TInMemory<TIB_OstrelASCII> e;
                e.SetExportType(kind == 1 ? etDIF : etSYLK);
                captions(e);
                if (!rows) break;
                const std::string out = Run(e, grid);
                if (kind == 1) CheckDif(out, rows + 1, cols);
                else CheckSylk(out, rows + 1, cols);
                break;
            }
            case 3: {
                TInMemory<TIB_OstrelSQL> e;
                e.SetTableName("T");
                if (!rows) break;
                try {
                    CheckSql(Run(e, grid), cells);
                } catch (const EOstrelError&) {
                    CHECK(HasAny(data_rows, hasNul));
                }
                break;
            }
            case 4: {
                TInMemory<TIB_OstrelXML> e;
                captions(e);
                if (!rows) break;
                try {
                    CheckXml(Run(e, grid), rows);
                } catch (const EOstrelError&) {
                    CHECK(HasAny(data_rows, [](unsigned char c) { return IsXmlForbidden(c); }));
                }
                break;
            }
            default: {  // the others must simply not break
                if (!rows) break;
                switch (kind) {
                    case 5: { TInMemory<TIB_OstrelASCII> t; t.SetExportType(etTXT); captions(t); Run(t, grid); break; }
                    case 6: { TInMemory<TIB_OstrelHTML> t; captions(t); Run(t, grid); break; }
                    case 7: { TInMemory<TIB_OstrelRTF> t; captions(t); Run(t, grid); break; }
                    case 8: { TInMemory<TIB_OstrelLaTeX> t; captions(t); Run(t, grid); break; }
                    case 9: { TInMemory<TIB_OstrelDBF> t; Run(t, grid); break; }
                    default: { TInMemory<TIB_OstrelClipboard> t; captions(t); Run(t, grid); break; }
                }
                break;
            }
        }
    } catch (const EOstrelError&) {
        // Formats that refuse a value (a DBF field too narrow, say) say so with the library's error.
        CHECK(kind > 2);
    }
    return 0;
}
