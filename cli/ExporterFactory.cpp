#include "cli/ExporterFactory.h"

#include <algorithm>

#include "exporters/sheet/IB_OstrelDBF.h"
#include "exporters/sheet/IB_OstrelXLS.h"
#include "exporters/sheet/IB_OstrelXLSX.h"
#include "exporters/text/IB_OstrelASCII.h"
#include "exporters/text/IB_OstrelClipboard.h"
#include "exporters/text/IB_OstrelHTML.h"
#include "exporters/text/IB_OstrelJSON.h"
#include "exporters/text/IB_OstrelLaTeX.h"
#include "exporters/text/IB_OstrelRTF.h"
#include "exporters/text/IB_OstrelSQL.h"
#include "exporters/text/IB_OstrelXML.h"

namespace ostrel::cli {

namespace {

struct TFormatEntry {
    const char* Name;
    std::vector<const char*> Extensions;
};

const std::vector<TFormatEntry>& Formats() {
    static const std::vector<TFormatEntry> formats = {
        {"txt", {"txt"}}, {"csv", {"csv"}}, {"dif", {"dif"}},          {"sylk", {"slk", "sylk"}},
        {"json", {"json"}}, {"jsonl", {"jsonl", "ndjson"}},
        {"xml", {"xml"}}, {"sql", {"sql"}}, {"latex", {"tex", "latex"}}, {"html", {"htm", "html"}},
        {"rtf", {"rtf"}}, {"word", {"doc"}}, {"xls", {"xls"}}, {"xlsx", {"xlsx"}}, {"dbf", {"dbf"}}, {"clipboard", {}},
    };
    return formats;
}

char FirstChar(const std::string& s, char def) { return s.empty() ? def : s[0]; }

void AddLines(TStrings& list, const std::vector<std::string>& lines) {
    for (const auto& l : lines) list.Add(l);
}

// Settings of the base that every exporter has.
void ApplyBase(TIB_Ostrel& e, const TCliOptions& o) {
    for (const auto& f : o.Fields) e.ExportedFields().Add(f);
    e.SetSkipRecCount(o.Skip);
    e.SetExportRecCount(o.Limit);
    e.SetOnlyVisibleFields(o.OnlyVisible);
    e.SetAutoCalcStrType(o.GuessTypes);
}

void ApplyFormats(TOstrelFormats& f, const TCliOptions& o) {
    if (o.NullTextSet) f.SetNullString(o.NullText);
    if (!o.TrueText.empty()) f.SetBooleanTrue(o.TrueText);
    if (!o.FalseText.empty()) f.SetBooleanFalse(o.FalseText);
    if (!o.IntegerFormat.empty()) f.SetIntegerFormat(o.IntegerFormat);
    if (!o.FloatFormat.empty()) f.SetFloatFormat(o.FloatFormat);
    if (!o.CurrencyFormat.empty()) f.SetCurrencyFormat(o.CurrencyFormat);
    if (!o.DateFormat.empty()) f.SetDateFormat(o.DateFormat);
    if (!o.TimeFormat.empty()) f.SetTimeFormat(o.TimeFormat);
    if (!o.DateTimeFormat.empty()) f.SetDateTimeFormat(o.DateTimeFormat);
}

// The settings an exporter publishes, whichever subset that is.
template <class E>
void ApplyPublished(E& e, const TCliOptions& o) {
    ApplyBase(e, o);
    if constexpr (requires { e.Header(); }) {
        AddLines(e.Header(), o.Header);
        AddLines(e.Footer(), o.Footer);
    }
    if constexpr (requires { e.SetAllowCaptions(true); }) e.SetAllowCaptions(!o.NoCaptions);
    if constexpr (requires { e.Captions(); }) AddLines(e.Captions(), o.Captions);
    if constexpr (requires { e.UserFormats(); }) AddLines(e.UserFormats(), o.UserFormats);
    if constexpr (requires { e.Formats(); }) ApplyFormats(e.Formats(), o);
    if constexpr (requires { e.ColumnsWidth(); }) AddLines(e.ColumnsWidth(), o.Widths);
    if constexpr (requires { e.ColumnsAlign(); }) AddLines(e.ColumnsAlign(), o.Aligns);
    if constexpr (requires { e.SetTitle(std::string()); }) e.SetTitle(o.Title);
}

template <class E>
std::unique_ptr<E> Configured(const TCliOptions& o, const std::string& fileName) {
    auto e = std::make_unique<E>();
    if constexpr (requires { e->SetFileName(fileName); }) e->SetFileName(fileName);
    return e;
}

// The workbook settings, which XLS and XLSX share.
void ApplySheet(TIB_OstrelSheet& e, const TCliOptions& o) {
    ApplyPublished(e, o);
    if (!o.SheetTitle.empty()) e.Options().SetSheetTitle(o.SheetTitle);
    e.Options().PageHeader = o.PageHeader;
    if (o.PageFooterSet) e.Options().PageFooter = o.PageFooter;
    e.SetStartDataCol(o.StartCol);
    for (const auto& a : o.Aggregates) {
        const size_t eq = a.find('=');
        const std::string kind = eq == std::string::npos ? "" : LowerCase(a.substr(eq + 1));
        static const std::vector<std::pair<std::string, TxlsAggregate>> kinds = {
            {"sum", aggSum}, {"avg", aggAvg}, {"min", aggMin}, {"max", aggMax}};
        auto found = std::find_if(kinds.begin(), kinds.end(), [&](const auto& k) { return k.first == kind; });
        if (found == kinds.end()) continue;  // refused when the command line was parsed
        TxlsFieldFormat* f = e.FieldFormats().Add();
        f->FieldName = a.substr(0, eq);
        f->Aggregate = found->second;
    }
}

}  // namespace

const std::vector<std::string>& FormatNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> out;
        for (const auto& f : Formats()) out.push_back(f.Name);
        return out;
    }();
    return names;
}

std::string ResolveFormat(const std::string& name, const std::string& outputFile) {
    if (!name.empty()) {
        const std::string lower = LowerCase(name);
        for (const auto& f : Formats()) {
            if (lower == f.Name) return f.Name;
            for (const char* ext : f.Extensions)
                if (lower == ext) return f.Name;
        }
        return {};
    }
    const size_t dot = outputFile.rfind('.');
    const size_t slash = outputFile.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    return ResolveFormat(outputFile.substr(dot + 1), "");
}

bool WritesFile(const std::string& format) { return format != "clipboard"; }

std::unique_ptr<TIB_Ostrel> CreateExporter(const std::string& format, const TCliOptions& o,
                                           const std::string& fileName) {
    if (format == "txt" || format == "csv" || format == "dif" || format == "sylk") {
        auto e = Configured<TIB_OstrelASCII>(o, fileName);
        e->SetExportType(format == "txt" ? etTXT : format == "csv" ? etCSV : format == "dif" ? etDIF : etSYLK);
        ApplyPublished(*e, o);
        if (!o.Separator.empty()) e->SetCSVComma(o.Separator[0]);
        e->SetCSVQuoteStrings(!o.NoQuote);
        e->SetCSVFormulaGuard(o.FormulaGuard);
        if (o.Spacing >= 0) e->SetTXTSpacing(o.Spacing);
        if (o.NoAutoWidth) e->SetAutoCalcColWidth(false);
        if (o.NoRowLimit) e->SetRowLimit(0);
        return e;
    }
    if (format == "xml") {
        auto e = Configured<TIB_OstrelXML>(o, fileName);
        ApplyPublished(*e, o);
        e->Options().SetEncoding(o.XmlEncoding);
        e->Options().SetStandAlone(!o.XmlNotStandalone);
        return e;
    }
    if (format == "sql") {
        auto e = Configured<TIB_OstrelSQL>(o, fileName);
        ApplyPublished(*e, o);
        e->SetTableName(o.Table);
        e->SetCreateTable(o.CreateTable);
        e->SetCommitRecCount(o.CommitEvery);
        e->SetCommitAfterScript(o.CommitAtEnd);
        e->SetCommitStatement(o.CommitStatement);
        e->SetStatementTerm(FirstChar(o.StatementTerm, ';'));
        return e;
    }
    if (format == "json" || format == "jsonl") {
        auto e = Configured<TIB_OstrelJSON>(o, fileName);
        ApplyPublished(*e, o);
        e->SetLayout(format == "jsonl" ? jlLines : jlArray);
        e->SetCaptionsAsKeys(o.JsonCaptions);
        return e;
    }
    if (format == "latex") {
        auto e = Configured<TIB_OstrelLaTeX>(o, fileName);
        ApplyPublished(*e, o);
        TLaTeXOptions& l = e->Options();
        l.SetLaTeXVersion(o.Latex209 ? LaTeX209 : LaTeX2e);
        l.SetDocumentStyle(o.LatexClass == "book" ? dsBook : dsArticle);
        l.SetDocumentParams(o.LatexParams);
        l.SetLanguages(o.LatexLanguages);
        l.SetCodePage(o.LatexCodePage);
        return e;
    }
    if (format == "html") {
        auto e = Configured<TIB_OstrelHTML>(o, fileName);
        ApplyPublished(*e, o);
        if (o.HtmlTemplate >= 0) e->SetHTMLTemplate(static_cast<THTMLTemplate>(o.HtmlTemplate));
        e->SetUsingCSS(o.HtmlExternalCss ? usExternal : usInternal);
        e->SetMaxRecords(o.HtmlPageRows);
        e->SetGenerateIndex(o.HtmlIndex);
        return e;
    }
    if (format == "rtf" || format == "word") {
        // A Word document is the same RTF content under a .doc name.
        auto e = Configured<TIB_OstrelRTF>(o, fileName);
        ApplyPublished(*e, o);
        if (o.Landscape) e->Options().PageOrientation = poLandscape;
        return e;
    }
    if (format == "xls") {
        auto e = Configured<TIB_OstrelXLS>(o, fileName);
        ApplySheet(*e, o);
        return e;
    }
    if (format == "xlsx") {
        auto e = Configured<TIB_OstrelXLSX>(o, fileName);
        ApplySheet(*e, o);
        return e;
    }
    if (format == "dbf") {
        auto e = Configured<TIB_OstrelDBF>(o, fileName);
        ApplyPublished(*e, o);
        return e;
    }
    if (format == "clipboard") {
        auto e = Configured<TIB_OstrelClipboard>(o, fileName);
        ApplyPublished(*e, o);
        e->SetExportType(o.ClipboardFixed ? etFixed : etSeparated);
        if (!o.Separator.empty()) e->SetSeparator(o.Separator[0]);
        if (o.Spacing >= 0) e->SetSpacing(o.Spacing);
        return e;
    }
    return nullptr;
}

int64_t RowsLeftOut(TIB_Ostrel& exporter) {
    if (auto* ascii = dynamic_cast<TIB_OstrelASCII*>(&exporter)) return ascii->RowsLeftOut();
    if (auto* sheet = dynamic_cast<TIB_OstrelSheet*>(&exporter)) return sheet->RowsLeftOut();
    return 0;
}

}  // namespace ostrel::cli
