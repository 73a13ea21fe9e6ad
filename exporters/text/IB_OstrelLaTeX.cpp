#include "exporters/text/IB_OstrelLaTeX.h"

#include "platform/FormatSettings.h"

namespace ostrel {

namespace {

// The input encoding option for a code page: inputenc knows UTF-8 as "utf8".
std::string InputEncoding(int codePage) {
    return codePage == CP_UTF8 ? "utf8" : "cp" + std::to_string(codePage);
}

std::string WithoutLastSeparator(std::string row) {
    if (row.size() >= 3) row.resize(row.size() - 3);
    return row;
}

}  // namespace

std::string DocStyleName(TLaTeXDocStyle style) {
    switch (style) {
        case dsArticle: return "article";
        case dsBook: return "book";
    }
    return {};
}

TLaTeXOptions::TLaTeXOptions() : FCodePage(FormatSettings().CodePage) {}

void TLaTeXOptions::SetCodePage(int value) { FCodePage = value > 0 ? value : FormatSettings().CodePage; }

void TLaTeXOptions::Assign(const TLaTeXOptions& source) {
    FLaTeXVersion = source.FLaTeXVersion;
    FDocumentStyle = source.FDocumentStyle;
    FDocumentParams = source.FDocumentParams;
    SetCodePage(source.FCodePage);
    FLanguages = source.FLanguages;
}

void TOLaTeXWriter::BeginEnv(const std::string& name, const std::string& arg) {
    WriteLn("\\begin{" + name + "}" + (arg.empty() ? "" : "{" + arg + "}"));
}

bool TIB_OstrelLaTeX::Russian() const { return UpperCase(FOptions.Languages()).find("RUSSIAN") != std::string::npos; }

void TIB_OstrelLaTeX::BeginExport() {
    TIB_OstrelFormatText::BeginExport();
    TOLaTeXWriter& w = TexWriter();
    const std::string cls = DocStyleName(FOptions.DocumentStyle());
    const std::string& params = FOptions.DocumentParams();
    if (FOptions.LaTeXVersion() == LaTeX2e) {
        w.WriteLn(params.empty() ? "\\documentclass{" + cls + "}" : "\\documentclass[" + params + "]{" + cls + "}");
        w.UsePackage("inputenc", InputEncoding(FOptions.CodePage()));
        w.UsePackage("babel", FOptions.Languages());
        if (!FPreambula.Empty()) {
            for (const auto& line : FPreambula) w.WriteLn(line);
            w.EmptyLine();
        }
    } else {
        w.WriteLn(params.empty() ? "\\documentstyle{" + cls + "}" : "\\documentstyle[" + params + "]{" + cls + "}");
    }
    // \Rus comes from old Cyrillic set-ups; define it where LaTeX lacks it.
    if (Russian())
        w.WriteLn(FOptions.LaTeXVersion() == LaTeX2e ? "\\providecommand{\\Rus}{\\selectlanguage{russian}}"
                                                    : "\\providecommand{\\Rus}{}");
    w.BeginEnv("document", "");
    if (Russian()) w.WriteLn("\\Rus");
    w.EmptyLine();
    for (const auto& line : Header()) w.WriteLn(line);
    w.WriteLn("\\par\\bigskip");
    std::string layout = "|";
    for (int i = 0; i < Columns().Count(); ++i) {
        const TOstrelColType t = Columns()[i].ColType;
        layout += (t == ectInteger || t == ectFloat || t == ectCurrency) ? "r|" : "l|";
    }
    w.BeginEnv("tabular", layout);
    w.HLine();
}

void TIB_OstrelLaTeX::EndExport() {
    TOLaTeXWriter& w = TexWriter();
    w.EndEnv("tabular");
    w.EmptyLine();
    for (const auto& line : Footer()) w.WriteLn(line);
    w.EndEnv("document");
    TIB_OstrelFormatText::EndExport();
}

std::string TIB_OstrelLaTeX::GetColCaption(int Index) { return TIB_OstrelFormatText::GetColCaption(Index) + " & "; }

std::string TIB_OstrelLaTeX::GetColData(int Index, bool Formatted) {
    return TIB_OstrelFormatText::GetColData(Index, Formatted) + " & ";
}

std::string TIB_OstrelLaTeX::GetCaptionRow() { return WithoutLastSeparator(TIB_OstrelFormatText::GetCaptionRow()); }

std::string TIB_OstrelLaTeX::GetDataRow(bool Formatted) {
    return WithoutLastSeparator(TIB_OstrelFormatText::GetDataRow(Formatted));
}

void TIB_OstrelLaTeX::WriteCaptionRow() {
    TOLaTeXWriter& w = TexWriter();
    w.WriteLn(GetCaptionRow());
    w.RowEnd();
    w.HLine();
}

void TIB_OstrelLaTeX::WriteDataRow() {
    TOLaTeXWriter& w = TexWriter();
    w.WriteLn(GetDataRow(true));
    w.RowEnd();
    w.HLine();
}

TCharSet TIB_OstrelLaTeX::GetSpecialChars() {
    TCharSet set;
    for (unsigned char c : {'#', '$', '%', '&', '\\', '^', '_', '{', '}', '~'}) set.set(c);
    return set;
}

std::string TIB_OstrelLaTeX::ReplaceSpecialChars(const std::string& Text) {
    const TCharSet special = GetSpecialChars();
    std::string out;
    out.reserve(Text.size() + 8);
    for (char c : Text) {
        const auto u = static_cast<unsigned char>(c);
        // Backslash, caret and tilde print as themselves; a plain "\" would start a command
        // and "\^", "\~" are accents.
        if (c == '\\') out += "\\textbackslash{}";
        else if (c == '^') out += "\\textasciicircum{}";
        else if (c == '~') out += "\\textasciitilde{}";
        else if (special.test(u)) (out += '\\') += c;
        else if (c == '<') out += "$<$";
        else if (c == '>') out += "$>$";
        else out += c;
    }
    return out;
}

}  // namespace ostrel
