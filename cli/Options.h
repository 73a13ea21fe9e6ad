// What the command line asks for.
#pragma once

#include <set>
#include <string>
#include <vector>

namespace ostrel::cli {

struct TCliOptions {
    // Source: a query on a database, or a CSV file.
    std::string Database, User = "SYSDBA", Password, CharSet = "UTF8", Sql;
    std::string CsvFile;
    std::string CsvSeparator = ",";
    bool CsvNoHeader = false;
    bool GuessTypes = false;

    std::string Output, Format;

    // Settings every exporter shares.
    std::vector<std::string> Fields;
    int Skip = 0, Limit = 0;
    bool NoCaptions = false, OnlyVisible = false;
    std::vector<std::string> Captions, Widths, Aligns, UserFormats;  // NAME=VALUE
    std::string NullText;
    bool NullTextSet = false;
    std::string TrueText, FalseText;
    std::string IntegerFormat, FloatFormat, CurrencyFormat, DateFormat, TimeFormat, DateTimeFormat;
    std::string Title;
    std::vector<std::string> Header, Footer;

    // Format options.
    std::string Separator;  // CSV and separated clipboard text
    bool NoQuote = false;
    bool FormulaGuard = false;
    int Spacing = -1;  // TXT and fixed clipboard text; -1 keeps the exporter's default
    bool NoAutoWidth = false;
    bool NoRowLimit = false;
    std::string XmlEncoding;
    bool XmlNotStandalone = false;
    bool JsonCaptions = false;  // JSON: keys from the captions, not the column names
    std::string Table;
    bool CreateTable = false, CommitAtEnd = false;
    int CommitEvery = 0;
    std::string CommitStatement = "COMMIT WORK;";
    std::string StatementTerm = ";";
    bool Latex209 = false;
    std::string LatexClass = "article", LatexParams = "a4paper", LatexLanguages = "english";
    int LatexCodePage = 0;
    bool ClipboardFixed = false;
    int HtmlTemplate = -1;  // -1 keeps the exporter's (Classic)
    bool HtmlExternalCss = false, HtmlIndex = false;
    int HtmlPageRows = 0;
    bool Landscape = false;
    std::string SheetTitle, PageHeader, PageFooter;
    bool PageFooterSet = false;
    std::vector<std::string> Aggregates;  // NAME=sum|avg|min|max
    int StartCol = 0;

    bool Quiet = false;

    // An options file saved from the export dialog, replayed against the source.
    std::string OptionsFile;
    // The long names of the options the command line gave (without "--"), so that a replay
    // overrides only what was asked for.
    std::set<std::string> Given;
    bool Gave(const std::string& name) const { return Given.count(name) > 0; }
};

}  // namespace ostrel::cli
