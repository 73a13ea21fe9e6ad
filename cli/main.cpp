// ostrel-export: exports a database query or a CSV file into any format of the library.
#include <CLI/CLI.hpp>
#include <unistd.h>

#include <chrono>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <functional>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <regex>

#include "cli/ExporterFactory.h"
#include "cli/OptionsReplay.h"
#include "cli/Source.h"
#include "dialog/DialogExportCopy.h"
#include "dialog/DialogOptionsFile.h"
#include "exporters/text/IB_OstrelJSON.h"
#include "exporters/text/IB_OstrelLaTeX.h"
#include "exporters/text/IB_OstrelSQL.h"
#include "platform/Parsers.h"

using namespace ostrel;
using namespace ostrel::cli;

namespace {

constexpr int kExitDone = 0, kExitFailed = 1, kExitUsage = 2;
constexpr int kMaxWidth = 1000;  // characters of a column; beyond it a width is a typo, not a layout

// Checks the VALUE of NAME=VALUE options.
CLI::Validator KeyedValue(const std::string& what, std::function<bool(const std::string&)> valid) {
    return CLI::Validator(
        [what, valid](std::string& line) -> std::string {
            const size_t eq = line.find('=');
            if (eq == std::string::npos || eq == 0) return "expected NAME=" + what;
            return valid(line.substr(eq + 1)) ? "" : "expected NAME=" + what + ", not " + line;
        },
        "NAME=" + what);
}

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

// A usage fault found once the source is open: exit code 2 with this message.
struct EUsage : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Refuses a name that matches no column, listing the ones there are.
void CheckColumnName(const std::string& option, const std::string& name, const std::vector<std::string>& known) {
    if (std::any_of(known.begin(), known.end(), [&](const std::string& k) { return SameText(k, name); })) return;
    std::string list;
    for (const auto& k : known) list += (list.empty() ? "" : ", ") + k;
    throw EUsage(option + ": no column named '" + name + "'; the columns are: " + list);
}

void CheckKeyedNames(const std::string& option, const std::vector<std::string>& lines,
                     const std::vector<std::string>& known) {
    for (const auto& line : lines) CheckColumnName(option, line.substr(0, line.find('=')), known);
}

// Every column name the options give; false after telling which one is wrong.
bool ColumnNamesKnown(const TCliOptions& o, const std::vector<std::string>& known) {
    try {
        for (const auto& f : o.Fields) CheckColumnName("--fields", f, known);
        CheckKeyedNames("--caption", o.Captions, known);
        CheckKeyedNames("--width", o.Widths, known);
        CheckKeyedNames("--align", o.Aligns, known);
        CheckKeyedNames("--user-format", o.UserFormats, known);
        CheckKeyedNames("--aggregate", o.Aggregates, known);
        return true;
    } catch (const EUsage& e) {
        std::cerr << "ostrel-export: " << e.what() << "\n";
        return false;
    }
}

bool IsFolder(const std::string& name) {
    std::error_code ec;
    return !name.empty() && std::filesystem::is_directory(name, ec);
}

// Runs the exporter with progress on a terminal and Ctrl-C as a stop, then tells how it went.
// `format` is the command line's name of what it writes.
int RunExporter(TIB_Ostrel& exporter, const std::string& format, const std::string& where, bool quiet) {
    TProgress progress(!quiet && isatty(STDERR_FILENO));
    int written = 0;
    auto check = [&](TObject*, int) {
        if (gInterrupted) exporter.Abort();
    };
    exporter.OnSkippedRecord = check;
    exporter.OnExportedRecord = [&](TObject* sender, int recNo) {
        progress.Row(++written);
        check(sender, recNo);
    };
    std::signal(SIGINT, OnInterrupt);
    std::signal(SIGTERM, OnInterrupt);
    exporter.DoExecute();
    progress.Finish();

    if (exporter.Aborted()) {
        std::cerr << "ostrel-export: stopped after " << written << " rows; " << where
                  << " holds the rows written so far\n";
        return kExitFailed;
    }
    if (const int64_t left = RowsLeftOut(exporter); left > 0)
    {
        if (format == "xls" || format == "xlsx")
            std::cerr << "ostrel-export: warning: " << left << " rows were left out: a worksheet holds at most "
                      << (format == "xls" ? "65,536" : "1,048,576") << " rows\n";
        else
            std::cerr << "ostrel-export: warning: " << left << " rows were left out: the " << format
                      << " format holds at most 65,537 rows (--no-row-limit writes them all)\n";
    }
    if (!quiet) std::cerr << "ostrel-export: " << written << " rows written to " << where << "\n";
    // The TeX engine that compiles the document; lualatex is named even when quiet, as pdflatex
    // fails on such a file.
    if (const auto* latex = dynamic_cast<const TIB_OstrelLaTeX*>(&exporter)) {
        if (latex->Engine() == "lualatex")
            std::cerr << "ostrel-export: note: " << where
                      << " needs lualatex: it holds characters that pdflatex cannot set\n";
        else if (!quiet)
            std::cerr << "ostrel-export: compile " << where << " with pdflatex\n";
    }
    // A key that repeated was given a suffix: a reader looking for the column's own name would
    // not find it.
    if (const auto* json = dynamic_cast<const TIB_OstrelJSON*>(&exporter); json && !quiet) {
        for (int i = 0; i < json->Columns().Count() && i < static_cast<int>(json->Keys().size()); ++i) {
            const TOstrelColumn& c = json->Columns()[i];
            const std::string& given = json->CaptionsAsKeys() ? c.Caption : c.Name;
            if (json->Keys()[i] != given)
                std::cerr << "ostrel-export: note: column " << i + 1 << " (" << c.Name << ") has the key " << given
                          << " of an earlier column: written as " << json->Keys()[i] << "\n";
        }
    }
    return kExitDone;
}

// SQL needs a table: the output file's name without folder and extension, in upper case, and
// quoted when it is not a plain identifier (or is a reserved word).
std::string TableNameFromFile(const std::string& output) {
    return SqlIdentifier(UpperCase(std::filesystem::path(output).stem().string()));
}

int Run(TCliOptions o) {
    if (o.Output.empty() && LowerCase(o.Format) != "clipboard") {
        std::cerr << "ostrel-export: no output: give an output file (its extension may name the format) or "
                     "--format clipboard\n";
        return kExitUsage;
    }
    if (IsFolder(o.Output)) {
        std::cerr << "ostrel-export: " << o.Output << " is a folder: give the name of the file to write\n";
        return kExitUsage;
    }
    const std::string format = ResolveFormat(o.Format, o.Output);
    if (format.empty()) {
        std::cerr << "ostrel-export: cannot tell the format: give --format (" ;
        for (const auto& n : FormatNames()) std::cerr << n << (n == FormatNames().back() ? "" : ", ");
        std::cerr << ") or an output file with a known extension\n";
        return kExitUsage;
    }
    if (format == "sql" && o.Table.empty()) o.Table = TableNameFromFile(o.Output);
    if (format == "xls" && o.StartCol > 255) {
        std::cerr << "ostrel-export: --start-col: an XLS worksheet has 256 columns (0 to 255)\n";
        return kExitUsage;
    }

    TCliSource source;
    source.Open(o);
    // A column renamed to be told apart still shows its header text.
    for (const auto& c : source.RenamedCaptions()) o.Captions.push_back(c);
    if (!ColumnNamesKnown(o, source.ColumnNames())) return kExitUsage;

    // The library writes each file under a temporary name and moves it into place only when
    // the run succeeded.
    auto exporter = CreateExporter(format, o, WritesFile(format) ? o.Output : "");
    source.AttachTo(*exporter);
    return RunExporter(*exporter, format, WritesFile(format) ? o.Output : "the clipboard", o.Quiet);
}

// --options: the dialog's own path from an options file to the file it writes, on the command
// line's source; the options given beside it win over the file.
int RunReplay(const TCliOptions& o) {
    // The load reads a missing file as an empty one; here that is a mistake in the command.
    if (IsFolder(o.OptionsFile)) {
        std::cerr << "ostrel-export: --options: " << o.OptionsFile << " is a folder, not an options file\n";
        return kExitUsage;
    }
    if (std::ifstream probe(o.OptionsFile); !probe) {
        std::cerr << "ostrel-export: --options: cannot read " << o.OptionsFile << ": " << std::strerror(errno)
                  << "\n";
        return kExitUsage;
    }
    int exportType = -1;
    if (o.Gave("format")) {
        exportType = ExportTypeOfFormat(ResolveFormat(o.Format, ""));
        if (exportType < 0 && !ResolveFormat(o.Format, "").empty()) {
            std::cerr << "ostrel-export: --options: the export dialog has no " << ResolveFormat(o.Format, "")
                      << " export type; leave --options out to write it\n";
            return kExitUsage;
        }
        if (exportType < 0) {
            std::cerr << "ostrel-export: unknown format " << o.Format << ": give one of ";
            std::string types;
            for (const auto& n : FormatNames())
                if (ExportTypeOfFormat(n) >= 0) types += (types.empty() ? "" : ", ") + n;
            std::cerr << types << "\n";
            return kExitUsage;
        }
    }
    if (IsFolder(o.Output)) {
        std::cerr << "ostrel-export: " << o.Output << " is a folder: give the name of the file to write\n";
        return kExitUsage;
    }

    // As the window is created: the component's column list, the settings from the component
    // and the embedded exporters, then the file.
    TCliSource source;
    source.Open(o);
    TIB_OstrelDialog component;
    source.AttachTo(component);
    component.SetOnlyVisibleFields(o.OnlyVisible);
    component.SetAutoCalcStrType(o.GuessTypes);
    for (const auto& c : source.RenamedCaptions()) component.Captions().Add(c);
    component.DialogColumns().Fill();
    TOstrelDialogExporters exporters;
    TOstrelDialogSettings settings;
    settings.FillFromComponent(component, exporters, nullptr);
    try {
        LoadOptions(settings, exporters, component, o.OptionsFile);
    } catch (const std::exception& e) {
        std::cerr << "ostrel-export: " << o.OptionsFile << ": " << e.what() << "\n";
        return kExitFailed;
    }
    if (!ColumnNamesKnown(o, DialogColumnNames(component))) return kExitUsage;
    OverrideSettings(settings, exporters, component, o, exportType);

    const int type = settings.Int(dsExportType);
    const std::string& fileName = settings.Str(dsFileName);
    if (type != aeClipboard && fileName.empty()) {
        std::cerr << "ostrel-export: no output: " << o.OptionsFile << " names no file: give an output file\n";
        return kExitUsage;
    }
    if (type != aeClipboard && IsFolder(fileName)) {
        std::cerr << "ostrel-export: " << fileName << " is a folder: give the name of the file to write\n";
        return kExitUsage;
    }
    TIB_Ostrel& exporter = CopySettingsToExporter(settings, exporters, component, type);
    OverrideExporter(exporter, settings, component, o);
    return RunExporter(exporter, FormatOfExportType(type), type == aeClipboard ? "the clipboard" : fileName, o.Quiet);
}

}  // namespace

int main(int argc, char** argv) {
    TCliOptions o;
    CLI::App app{"Exports the rows of a database query or a CSV file into a file or onto the clipboard."};
    app.set_help_flag("-h,--help", "Show this help and exit");
    app.add_option("output", o.Output,
                   "The file to write (its extension may name the format; with --options, the file's by default)");
    app.add_option("--options", o.OptionsFile,
                   "Replay an options file saved from the export dialog (FILE.cfg) on the source: its export "
                   "type, file and settings, as the dialog would export them; options given beside it win")
        ->type_name("FILE.cfg");

    auto* db = app.add_option("-d,--database", o.Database, "Database file, or host:path on a server")->group("Source");
    app.add_option("-u,--user", o.User, "User name")->capture_default_str()->group("Source");
    app.add_option("-p,--password", o.Password, "Password")->group("Source");
    app.add_option("--charset", o.CharSet, "Character set of the connection")->capture_default_str()->group("Source");
    auto* sql = app.add_option("-s,--sql", o.Sql, "The SELECT statement to export")->group("Source");
    auto* csv = app.add_option("--csv", o.CsvFile, "A CSV file to export instead of a query")->group("Source")
                    ->check(CLI::ExistingFile);
    app.add_option("--csv-separator", o.CsvSeparator, "Field separator of the CSV file")
        ->capture_default_str()->group("Source")->check([](const std::string& s) {
            // A quote or a line break cannot separate fields: they mean something else in CSV.
            if (s.size() != 1) return std::string("must be one character");
            return s == "\"" || s == "\r" || s == "\n" ? std::string("cannot be a quote or a line break") : std::string();
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
    // One value per occurrence, so that a repeatable option never swallows the output name.
    app.add_option("--fields", o.Fields, "Columns to export, in order (comma-separated; repeatable)")
        ->delimiter(',')->allow_extra_args(false)->group(common);
    app.add_option("--skip", o.Skip, "Rows to pass over first")->check(CLI::NonNegativeNumber)->group(common);
    app.add_option("--limit", o.Limit, "At most this many rows (0: all)")->check(CLI::NonNegativeNumber)->group(common);
    app.add_flag("--no-captions", o.NoCaptions, "Leave the caption row out")->group(common);
    app.add_flag("--only-visible", o.OnlyVisible, "Leave hidden columns out")->group(common);
    const auto any = [](const std::string&) { return true; };
    app.add_option("--caption", o.Captions, "NAME=CAPTION (repeatable)")->allow_extra_args(false)
        ->check(KeyedValue("CAPTION", any))->group(common);
    app.add_option("--width", o.Widths, "NAME=CHARACTERS, 0 to " + std::to_string(kMaxWidth) + " (repeatable)")
        ->allow_extra_args(false)->check(KeyedValue("CHARACTERS", [](const std::string& v) {
            int n = 0;
            return TryStrToInt(v, n) && n >= 0 && n <= kMaxWidth;
        }))->group(common);
    app.add_option("--align", o.Aligns, "NAME=L|C|R (repeatable)")->allow_extra_args(false)
        ->check(KeyedValue("L|C|R", [](const std::string& v) {
            const std::string a = UpperCase(v);
            return a == "L" || a == "C" || a == "R";
        }))->group(common);
    app.add_option("--user-format", o.UserFormats, "NAME=PATTERN (repeatable)")->allow_extra_args(false)
        ->check(KeyedValue("PATTERN", any))->group(common);
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
    app.add_option("--header", o.Header, "A line before the rows (repeatable)")->allow_extra_args(false)->group(common);
    app.add_option("--footer", o.Footer, "A line after the rows (repeatable)")->allow_extra_args(false)->group(common);

    const char* fmt = "Format options";
    app.add_option("--separator", o.Separator, "CSV field separator; separator of clipboard text")->group(fmt);
    app.add_flag("--no-quote", o.NoQuote, "CSV: do not quote texts")->group(fmt);
    app.add_flag("--formula-guard", o.FormulaGuard,
                 "CSV: write texts starting with = + - @ so that spreadsheets show them as text")->group(fmt);
    app.add_option("--spacing", o.Spacing, "TXT and fixed clipboard text: blanks after each field (0 to 100)")
        ->check(CLI::Range(0, 100))->group(fmt);
    app.add_flag("--no-auto-width", o.NoAutoWidth, "TXT: take widths from the source, not from the data")->group(fmt);
    app.add_flag("--no-row-limit", o.NoRowLimit, "CSV, DIF, SYLK: write every row, not at most 65,537")->group(fmt);
    app.add_option("--xml-encoding", o.XmlEncoding, "XML: encoding named in the declaration")->group(fmt);
    app.add_flag("--xml-not-standalone", o.XmlNotStandalone, "XML: standalone=\"no\"")->group(fmt);
    app.add_flag("--json-captions", o.JsonCaptions,
                 "JSON, JSON Lines: keys from the captions (--caption, labels), not the column names")->group(fmt);
    app.add_option("--table", o.Table, "SQL: table name (default: the output file's name)")->group(fmt);
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
    app.add_option("--sheet-title", o.SheetTitle, "XLS, XLSX: name of the worksheet")->group(fmt);
    app.add_option("--page-header", o.PageHeader, "XLS, XLSX: printed page header (&P page, &N pages)")->group(fmt);
    app.add_option("--page-footer", o.PageFooter, "XLS, XLSX: printed page footer (default \"Page &P of &N\")")->group(fmt);
    app.add_option("--aggregate", o.Aggregates, "XLS, XLSX: NAME=sum|avg|min|max, a formula below the column (repeatable)")
        ->allow_extra_args(false)->check(CLI::Validator(
            [](std::string& a) -> std::string {
                static const std::regex kind(".+=(sum|avg|min|max)", std::regex::icase);
                return std::regex_match(a, kind) ? "" : "expected NAME=sum, NAME=avg, NAME=min or NAME=max";
            },
            "NAME=KIND"))
        ->group(fmt);
    app.add_option("--start-col", o.StartCol, "XLS, XLSX: sheet column of the first field (XLS: 0 to 255)")
        ->check(CLI::Range(0, 16383))->group(fmt);
    app.add_flag("-q,--quiet", o.Quiet, "No progress and no summary");

    try {
        app.parse(argc, argv);
        o.PageFooterSet = app.count("--page-footer") > 0;
        for (const CLI::Option* option : app.get_options()) {
            if (option->count() == 0) continue;
            if (option->get_lnames().empty()) o.Given.insert(option->get_name());
            for (const std::string& name : option->get_lnames()) o.Given.insert(name);
        }
        if (o.Database.empty() && o.CsvFile.empty())
            throw CLI::ValidationError("a source is needed: --database with --sql, or --csv");
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return kExitUsage;
    }
    try {
        return o.OptionsFile.empty() ? Run(o) : RunReplay(o);
    } catch (const std::exception& e) {
        std::cerr << "ostrel-export: " << e.what() << "\n";
        return kExitFailed;
    }
}
