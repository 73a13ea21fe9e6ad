// ostrel-export: exports a database query or a CSV file into any format of the library.
#include <CLI/CLI.hpp>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <regex>

#include "cli/CsvSource.h"
#include "cli/ExporterFactory.h"
#include "data/IB_Query.h"
#include "platform/Parsers.h"

using namespace ostrel;
using namespace ostrel::cli;

namespace {

constexpr int kExitDone = 0, kExitFailed = 1, kExitUsage = 2;

volatile std::sig_atomic_t gInterrupted = 0;

void OnInterrupt(int) { gInterrupted = 1; }

// Shows rows and rows per second on a terminal; silent otherwise.
class TProgress {
public:
    explicit TProgress(bool enabled) : FEnabled(enabled), FStart(Clock::now()), FLast(FStart) {}
    void Row(int rows) {
        FRows = rows;
        if (!FEnabled) return;
        const auto now = Clock::now();
        if (now - FLast < std::chrono::milliseconds(250)) return;
        FLast = now;
        Print(now);
    }
    void Finish() {
        if (!FEnabled) return;
        Print(Clock::now());
        std::fputc('\n', stderr);
    }

private:
    using Clock = std::chrono::steady_clock;
    void Print(Clock::time_point now) {
        const double seconds = std::chrono::duration<double>(now - FStart).count();
        std::fprintf(stderr, "\r%d rows, %.0f rows/s   ", FRows, seconds > 0 ? FRows / seconds : 0.0);
        std::fflush(stderr);
    }
    bool FEnabled;
    Clock::time_point FStart, FLast;
    int FRows = 0;
};

// CSV columns may be named by their header text; the grid knows them by number.
std::vector<std::string> GridFieldNumbers(const std::vector<std::string>& fields, const TCsvTable& table) {
    std::vector<std::string> out;
    for (const auto& f : fields) {
        auto it = std::find_if(table.Header.begin(), table.Header.end(), [&](const std::string& h) { return SameText(h, f); });
        out.push_back(it != table.Header.end() ? std::to_string(it - table.Header.begin()) : f);
    }
    return out;
}

// Keyed settings name CSV columns by header text; the grid keys them by number.
std::vector<std::string> GridKeyed(const std::vector<std::string>& lines, const TCsvTable& table) {
    std::vector<std::string> out;
    for (const auto& line : lines) {
        const size_t eq = line.find('=');
        const std::string name = line.substr(0, eq);
        auto numbers = GridFieldNumbers({name}, table);
        out.push_back(numbers[0] + (eq == std::string::npos ? "" : line.substr(eq)));
    }
    return out;
}

int Run(TCliOptions o) {
    const std::string format = ResolveFormat(o.Format, o.Output);
    if (format.empty()) {
        std::cerr << "ostrel-export: cannot tell the format: give --format (" ;
        for (const auto& n : FormatNames()) std::cerr << n << (n == FormatNames().back() ? "" : ", ");
        std::cerr << ") or an output file with a known extension\n";
        return kExitUsage;
    }
    if (WritesFile(format) && o.Output.empty()) {
        std::cerr << "ostrel-export: the " << format << " format needs an output file\n";
        return kExitUsage;
    }

    // The source.
    TIB_Connection connection;
    TIB_Query query;
    TMemStringGrid grid;
    TCsvTable table;
    if (!o.Database.empty()) {
        connection.SetDatabaseName(o.Database);
        connection.SetUsername(o.User);
        connection.SetPassword(o.Password);
        connection.SetCharSet(o.CharSet);
        connection.Connect();
        query.SetConnection(&connection);
        query.SetSQL(o.Sql);
        query.Open();
    } else {
        table = ReadCsv(o.CsvFile, o.CsvSeparator[0], !o.CsvNoHeader);
        FillGrid(table, grid);
        o.Fields = GridFieldNumbers(o.Fields, table);
        o.Widths = GridKeyed(o.Widths, table);
        o.Aligns = GridKeyed(o.Aligns, table);
        o.UserFormats = GridKeyed(o.UserFormats, table);
        auto captions = GridKeyed(o.Captions, table);
        // Header texts are the default captions.
        for (size_t c = 0; c < table.Header.size(); ++c) captions.push_back(std::to_string(c) + "=" + table.Header[c]);
        o.Captions = captions;
    }

    // The file is written beside its final name and moved there only when the run succeeded.
    const std::string partial = WritesFile(format) ? o.Output + ".part" : "";
    auto exporter = CreateExporter(format, o, partial);
    if (!o.Database.empty()) {
        exporter->SetExportSource(esDataSet);
        exporter->SetDataSet(&query);
    } else {
        exporter->SetExportSource(esStringGrid);
        exporter->SetStringGrid(&grid);
    }
    TProgress progress(!o.Quiet && isatty(STDERR_FILENO));
    auto check = [&](TObject*, int) {
        if (gInterrupted) exporter->Abort();
    };
    exporter->OnSkippedRecord = check;
    exporter->OnExportedRecord = [&](TObject* sender, int recNo) {
        progress.Row(recNo);
        check(sender, recNo);
    };
    std::signal(SIGINT, OnInterrupt);
    std::signal(SIGTERM, OnInterrupt);
    try {
        exporter->DoExecute();
    } catch (const EStreamError& e) {
        std::error_code ec;
        std::filesystem::remove(partial, ec);
        std::string message = e.what();
        if (const size_t at = message.find(partial); !partial.empty() && at != std::string::npos)
            message.replace(at, partial.size(), o.Output);
        throw EOstrelError(message);
    } catch (...) {
        std::error_code ec;
        if (!partial.empty()) std::filesystem::remove(partial, ec);
        throw;
    }
    progress.Finish();
    if (!partial.empty()) std::filesystem::rename(partial, o.Output);

    const std::string where = WritesFile(format) ? o.Output : "the clipboard";
    if (exporter->Aborted()) {
        std::cerr << "ostrel-export: stopped after " << exporter->RecordCounter() << " rows; " << where
                  << " holds the rows written so far\n";
        return kExitFailed;
    }
    if (const int64_t left = RowsLeftOut(*exporter); left > 0)
    {
        if (format == "xls")
            std::cerr << "ostrel-export: warning: " << left
                      << " rows were left out: a worksheet holds at most 65,536 rows\n";
        else
            std::cerr << "ostrel-export: warning: " << left << " rows were left out: the " << format
                      << " format holds at most 65,537 rows (--no-row-limit writes them all)\n";
    }
    if (!o.Quiet) std::cerr << "ostrel-export: " << exporter->RecordCounter() << " rows written to " << where << "\n";
    return kExitDone;
}

}  // namespace

int main(int argc, char** argv) {
    TCliOptions o;
    CLI::App app{"Exports the rows of a database query or a CSV file into a file or onto the clipboard."};
    app.set_help_flag("-h,--help", "Show this help and exit");
    app.add_option("output", o.Output, "The file to write (its extension may name the format)");

    auto* db = app.add_option("-d,--database", o.Database, "Database file, or host:path on a server")->group("Source");
    app.add_option("-u,--user", o.User, "User name")->capture_default_str()->group("Source");
    app.add_option("-p,--password", o.Password, "Password")->group("Source");
    app.add_option("--charset", o.CharSet, "Character set of the connection")->capture_default_str()->group("Source");
    auto* sql = app.add_option("-s,--sql", o.Sql, "The SELECT statement to export")->group("Source");
    auto* csv = app.add_option("--csv", o.CsvFile, "A CSV file to export instead of a query")->group("Source")
                    ->check(CLI::ExistingFile);
    app.add_option("--csv-separator", o.CsvSeparator, "Field separator of the CSV file")
        ->capture_default_str()->group("Source")->check([](const std::string& s) {
            return s.size() == 1 ? std::string() : std::string("must be one character");
        });
    app.add_flag("--csv-no-header", o.CsvNoHeader, "The CSV file has no header row")->group("Source");
    app.add_flag("--guess-types", o.GuessTypes, "Type CSV columns by their text (numbers, dates, Booleans)")->group("Source");
    db->needs(sql);
    sql->needs(db);
    db->excludes(csv);

    std::string formatHelp = "Format:";
    for (const auto& n : FormatNames()) formatHelp += " " + n;
    app.add_option("-f,--format", o.Format, formatHelp + " (default: from the output file's extension)");

    const char* common = "Columns and values";
    app.add_option("--fields", o.Fields, "Columns to export, in order (comma-separated)")->delimiter(',')->group(common);
    app.add_option("--skip", o.Skip, "Rows to pass over first")->check(CLI::NonNegativeNumber)->group(common);
    app.add_option("--limit", o.Limit, "At most this many rows (0: all)")->check(CLI::NonNegativeNumber)->group(common);
    app.add_flag("--no-captions", o.NoCaptions, "Leave the caption row out")->group(common);
    app.add_flag("--only-visible", o.OnlyVisible, "Leave hidden columns out")->group(common);
    app.add_option("--caption", o.Captions, "NAME=CAPTION (repeatable)")->group(common);
    app.add_option("--width", o.Widths, "NAME=CHARACTERS (repeatable)")->group(common);
    app.add_option("--align", o.Aligns, "NAME=L|C|R (repeatable)")->group(common);
    app.add_option("--user-format", o.UserFormats, "NAME=PATTERN (repeatable)")->group(common);
    app.add_option("--null", o.NullText, "Text for NULL values")->group(common)->each([&](const std::string&) { o.NullTextSet = true; });
    app.add_option("--true", o.TrueText, "Text of a true Boolean")->group(common);
    app.add_option("--false", o.FalseText, "Text of a false Boolean")->group(common);
    app.add_option("--integer-format", o.IntegerFormat, "Number pattern of integers")->group(common);
    app.add_option("--float-format", o.FloatFormat, "Number pattern of floating-point numbers")->group(common);
    app.add_option("--currency-format", o.CurrencyFormat, "Number pattern of currency amounts")->group(common);
    app.add_option("--date-format", o.DateFormat, "Date pattern")->group(common);
    app.add_option("--time-format", o.TimeFormat, "Time pattern")->group(common);
    app.add_option("--datetime-format", o.DateTimeFormat, "Date-and-time pattern")->group(common);
    app.add_option("--title", o.Title, "Title line (TXT, DIF, clipboard)")->group(common);
    app.add_option("--header", o.Header, "A line before the rows (repeatable)")->group(common);
    app.add_option("--footer", o.Footer, "A line after the rows (repeatable)")->group(common);

    const char* fmt = "Format options";
    app.add_option("--separator", o.Separator, "CSV field separator; separator of clipboard text")->group(fmt);
    app.add_flag("--no-quote", o.NoQuote, "CSV: do not quote texts")->group(fmt);
    app.add_option("--spacing", o.Spacing, "TXT and fixed clipboard text: blanks after each field")
        ->check(CLI::NonNegativeNumber)->group(fmt);
    app.add_flag("--no-auto-width", o.NoAutoWidth, "TXT: take widths from the source, not from the data")->group(fmt);
    app.add_flag("--no-row-limit", o.NoRowLimit, "CSV, DIF, SYLK: write every row, not at most 65,537")->group(fmt);
    app.add_option("--xml-encoding", o.XmlEncoding, "XML: encoding named in the declaration")->group(fmt);
    app.add_flag("--xml-not-standalone", o.XmlNotStandalone, "XML: standalone=\"no\"")->group(fmt);
    app.add_option("--table", o.Table, "SQL: table name")->group(fmt);
    app.add_flag("--create-table", o.CreateTable, "SQL: write CREATE TABLE first")->group(fmt);
    app.add_option("--commit-every", o.CommitEvery, "SQL: commit after every N rows")->check(CLI::NonNegativeNumber)->group(fmt);
    app.add_flag("--commit-at-end", o.CommitAtEnd, "SQL: commit at the end")->group(fmt);
    app.add_option("--commit-statement", o.CommitStatement, "SQL: the commit statement")->capture_default_str()->group(fmt);
    app.add_option("--statement-term", o.StatementTerm, "SQL: character after each INSERT")->capture_default_str()->group(fmt);
    app.add_flag("--latex209", o.Latex209, "LaTeX: LaTeX 2.09 preamble")->group(fmt);
    app.add_option("--latex-class", o.LatexClass, "LaTeX: article or book")->check(CLI::IsMember({"article", "book"}))
        ->capture_default_str()->group(fmt);
    app.add_option("--latex-params", o.LatexParams, "LaTeX: class options")->capture_default_str()->group(fmt);
    app.add_option("--latex-languages", o.LatexLanguages, "LaTeX: babel languages")->capture_default_str()->group(fmt);
    app.add_option("--latex-codepage", o.LatexCodePage, "LaTeX: input code page (0: the process's)")->group(fmt);
    app.add_flag("--clipboard-fixed", o.ClipboardFixed, "Clipboard: right-aligned fixed-width columns")->group(fmt);
    app.add_option("--html-template", o.HtmlTemplate, "HTML: colour template 1..9 (Black&White, Classic, ColorFul, "
                   "Gray, MS_Money, Murky, Olive, Plain, Simple)")->check(CLI::Range(0, 9))->group(fmt);
    app.add_flag("--html-external-css", o.HtmlExternalCss, "HTML: write the style sheet into a .css file")->group(fmt);
    app.add_option("--html-page-rows", o.HtmlPageRows, "HTML: rows per page file (0: one page)")
        ->check(CLI::NonNegativeNumber)->group(fmt);
    app.add_flag("--html-index", o.HtmlIndex, "HTML: write an index page of the page files")->group(fmt);
    app.add_flag("--landscape", o.Landscape, "RTF and Word: landscape pages")->group(fmt);
    app.add_option("--sheet-title", o.SheetTitle, "XLS: name of the worksheet")->group(fmt);
    app.add_option("--page-header", o.PageHeader, "XLS: printed page header (&P page, &N pages)")->group(fmt);
    app.add_option("--page-footer", o.PageFooter, "XLS: printed page footer (default \"Page &P of &N\")")->group(fmt);
    app.add_option("--aggregate", o.Aggregates, "XLS: NAME=sum|avg|min|max, a formula below the column")
        ->check(CLI::Validator(
            [](std::string& a) -> std::string {
                static const std::regex kind(".+=(sum|avg|min|max)", std::regex::icase);
                return std::regex_match(a, kind) ? "" : "expected NAME=sum, NAME=avg, NAME=min or NAME=max";
            },
            "NAME=KIND"))
        ->group(fmt);
    app.add_option("--start-col", o.StartCol, "XLS: sheet column of the first field")->check(CLI::Range(0, 255))->group(fmt);
    app.add_flag("-q,--quiet", o.Quiet, "No progress and no summary");

    try {
        app.parse(argc, argv);
        o.PageFooterSet = app.count("--page-footer") > 0;
        if (o.Database.empty() && o.CsvFile.empty())
            throw CLI::ValidationError("a source is needed: --database with --sql, or --csv");
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return kExitUsage;
    }
    try {
        return Run(o);
    } catch (const std::exception& e) {
        std::cerr << "ostrel-export: " << e.what() << "\n";
        return kExitFailed;
    }
}
