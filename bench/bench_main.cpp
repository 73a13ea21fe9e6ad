// ostrel-bench: generates the standard datasets and exports them; bench/run.py times it
// against peer tools.
//   ostrel-bench gen ROWS DIR                 CSV copy and Firebird load script of the dataset
//   ostrel-bench export ROWS FORMAT OUT [DB]  export from memory, or from the Firebird file DB
//   ostrel-bench grid COLS ROWS FORMAT OUT [captions][,guess]
//                                             export a string grid of COLS columns and ROWS data
//                                             rows under one fixed row; "captions" gives every
//                                             column a Captions line, "guess" types the columns
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "bench/BenchData.h"
#include "data/IB_Query.h"
#include "platform/DateTimeFormat.h"
#include "sources/MemControls.h"
#include "exporters/sheet/IB_OstrelDBF.h"
#include "exporters/sheet/IB_OstrelXLS.h"
#include "exporters/sheet/IB_OstrelXLSX.h"
#include "exporters/text/IB_OstrelASCII.h"
#include "exporters/text/IB_OstrelHTML.h"
#include "exporters/text/IB_OstrelJSON.h"
#include "exporters/text/IB_OstrelRTF.h"
#include "exporters/text/IB_OstrelLaTeX.h"
#include "exporters/text/IB_OstrelSQL.h"
#include "exporters/text/IB_OstrelXML.h"

using namespace ostrel;

namespace {

std::unique_ptr<TIB_Ostrel> MakeExporter(const std::string& format, const std::string& out) {
    if (format == "txt" || format == "csv" || format == "dif" || format == "sylk") {
        auto e = std::make_unique<TIB_OstrelASCII>();
        e->SetExportType(format == "txt" ? etTXT : format == "csv" ? etCSV : format == "dif" ? etDIF : etSYLK);
        e->SetCSVComma(',');
        e->SetRowLimit(0);
        e->SetFileName(out);
        return e;
    }
    if (format == "xml") {
        auto e = std::make_unique<TIB_OstrelXML>();
        e->SetFileName(out);
        return e;
    }
    if (format == "json" || format == "jsonl") {
        auto e = std::make_unique<TIB_OstrelJSON>();
        e->SetLayout(format == "jsonl" ? jlLines : jlArray);
        e->SetFileName(out);
        return e;
    }
    if (format == "sql") {
        auto e = std::make_unique<TIB_OstrelSQL>();
        e->SetTableName("BENCH");
        e->SetFileName(out);
        return e;
    }
    if (format == "html") {
        auto e = std::make_unique<TIB_OstrelHTML>();
        e->SetFileName(out);
        return e;
    }
    if (format == "rtf" || format == "rtf-late") {
        auto e = std::make_unique<TIB_OstrelRTF>();
        e->SetFileName(out);
        if (format == "rtf-late") {
            // A new font and colour first met near the end move the whole document once.
            e->OnGetCellParams = [](TObject* sender, int recNo, int colNo, const std::string&, TOstrelColAlign&,
                                    TFont& font, TColor&) {
                const int rows = static_cast<TIB_Ostrel*>(sender)->DataSet()->RecordCount();
                if (recNo == rows - 1 && colNo == 0) {
                    font.Name = "Courier New";
                    font.Color = clRed;
                }
            };
        }
        return e;
    }
    if (format == "xls" || format == "xls-distinct") {
        auto e = std::make_unique<TIB_OstrelXLS>();
        e->SetFileName(out);
        if (format == "xls-distinct") {
            // Every row's NAME is a text of its own: as many shared strings as rows.
            e->OnGetExportText = [](TObject* sender, int colNo, std::string& text) {
                if (colNo == 1) text += " #" + std::to_string(static_cast<TIB_Ostrel*>(sender)->RecordCounter());
            };
        }
        return e;
    }
    if (format == "xlsx") {
        auto e = std::make_unique<TIB_OstrelXLSX>();
        e->SetFileName(out);
        return e;
    }
    if (format == "dbf") {
        auto e = std::make_unique<TIB_OstrelDBF>();
        e->SetFileName(out);
        return e;
    }
    if (format == "latex") {
        auto e = std::make_unique<TIB_OstrelLaTeX>();
        e->SetFileName(out);
        return e;
    }
    return nullptr;
}

int Generate(int rows, const std::string& dir) {
    TMemDataset ds;
    bench::FillStandardDataset(ds, rows);
    const std::string base = dir + "/bench-" + std::to_string(rows);
    {
        // Plain forms every reader takes: ISO dates, points, no grouping.
        TIB_OstrelASCII csv;
        csv.SetDataSet(&ds);
        csv.SetExportType(etCSV);
        csv.SetCSVComma(',');
        csv.SetRowLimit(0);
        TOstrelFormats& f = csv.Formats();
        f.SetIntegerFormat("0");
        f.SetFloatFormat("0.00");
        f.SetCurrencyFormat("0.0000");
        f.SetDateFormat("yyyy-mm-dd");
        f.SetDateTimeFormat("yyyy-mm-dd hh:nn:ss");
        csv.SetFileName(base + ".csv");
        csv.DoExecute();
    }
    {
        TIB_OstrelSQL sql;
        sql.SetDataSet(&ds);
        sql.SetTableName("BENCH");
        sql.Header().Add(bench::kCreateTable);
        sql.SetCommitRecCount(20000);
        sql.SetCommitAfterScript(true);
        sql.SetFileName(base + "-load.sql");
        sql.DoExecute();
    }
    return 0;
}

int Export(int rows, const std::string& format, const std::string& out, const char* database) {
    const auto begin = std::chrono::steady_clock::now();
    TMemDataset memory;
    TIB_Connection connection;
    TIB_Query query;
    auto exporter = MakeExporter(format, out);
    if (!exporter) {
        std::fprintf(stderr, "unknown format %s\n", format.c_str());
        return 2;
    }
    if (database) {
        connection.SetDatabaseName(database);
        connection.SetUsername("SYSDBA");
        connection.Connect();
        query.SetConnection(&connection);
        query.SetSQL("SELECT * FROM BENCH");
        query.Open();
        exporter->SetDataSet(&query);
    } else {
        bench::FillStandardDataset(memory, rows);
        exporter->SetDataSet(&memory);
    }
    const auto start = std::chrono::steady_clock::now();
    exporter->DoExecute();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    // Rows, the export's seconds and the seconds of opening or building the source.
    std::printf("%d %.3f %.3f\n", exporter->RecordCounter(), seconds,
                std::chrono::duration<double>(start - begin).count());
    return 0;
}

// Cells by column kind: integers, decimals, dates in the locale's short form, and texts, so
// that a type guess meets every kind.
void FillBenchGrid(TMemStringGrid& grid, int cols, int rows) {
    grid.SetSize(cols, rows + 1);
    grid.SetFixedRows(1);
    const TDateTime day0 = EncodeDate(1950, 1, 1);
    for (int c = 0; c < cols; ++c) {
        grid.SetCell(c, 0, "Column " + std::to_string(c));
        for (int r = 1; r <= rows; ++r) {
            const int v = r * 7 + c;
            switch (c % 4) {
                case 0: grid.SetCell(c, r, std::to_string(v)); break;
                case 1: grid.SetCell(c, r, std::to_string(v / 100) + "." + std::to_string(10 + v % 90)); break;
                case 2: grid.SetCell(c, r, FormatDateTime("ddddd", day0 + v % 20000)); break;
                default: grid.SetCell(c, r, "text " + std::to_string(v)); break;
            }
        }
    }
    grid.SetRow(1);
}

int ExportGrid(int cols, int rows, const std::string& format, const std::string& out, const std::string& options) {
    TMemStringGrid grid;
    FillBenchGrid(grid, cols, rows);
    auto exporter = MakeExporter(format, out);
    auto* text = dynamic_cast<TIB_OstrelFormatText*>(exporter.get());
    if (!text) {
        std::fprintf(stderr, "format %s has no captions\n", format.c_str());
        return 2;
    }
    text->SetExportSource(esStringGrid);
    text->SetStringGrid(&grid);
    if (options.find("captions") != std::string::npos)
        for (int c = 0; c < cols; ++c) text->Captions().Add(std::to_string(c) + "=Caption " + std::to_string(c));
    text->SetAutoCalcStrType(options.find("guess") != std::string::npos);
    const auto start = std::chrono::steady_clock::now();
    text->DoExecute();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%d %.3f\n", text->RecordCounter(), seconds);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        if (argc == 4 && std::strcmp(argv[1], "gen") == 0) return Generate(std::atoi(argv[2]), argv[3]);
        if ((argc == 5 || argc == 6) && std::strcmp(argv[1], "export") == 0)
            return Export(std::atoi(argv[2]), argv[3], argv[4], argc == 6 ? argv[5] : nullptr);
        if ((argc == 6 || argc == 7) && std::strcmp(argv[1], "grid") == 0)
            return ExportGrid(std::atoi(argv[2]), std::atoi(argv[3]), argv[4], argv[5], argc == 7 ? argv[6] : "");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "ostrel-bench: %s\n", e.what());
        return 1;
    }
    std::fprintf(stderr, "usage: ostrel-bench gen ROWS DIR | export ROWS FORMAT OUT [DATABASE] |\n"
                         "       grid COLS ROWS FORMAT OUT [captions][,guess]\n");
    return 2;
}
