#include "exporters/text/IB_OstrelHTML.h"

#include <cctype>

#include <cstdio>

#include "engine/IB_OstrelColor.h"
#include "platform/FormatSettings.h"
#include "platform/IniFile.h"
#include "platform/Services.h"

namespace ostrel {

namespace {

const char* const kHtmlSection = "HTML options";
const char* const kTableSection = "Table options";

// The charset a browser must read the page's bytes in.
std::string CharsetMeta() {
    return FormatSettings().CodePage == CP_UTF8 ? " <meta charset=\"utf-8\">"
                                                : " <meta charset=\"windows-" + std::to_string(FormatSettings().CodePage) + "\">";
}

}  // namespace

std::string ColorToHTML(TColor color) {
    const auto v = static_cast<uint32_t>(color);
    const uint32_t rgb = ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
    char buf[16];
    std::snprintf(buf, sizeof buf, "#%.6X", rgb);
    return buf;
}

std::string TOHTMLWriter::AlignToStr(TOstrelColAlign align) {
    switch (align) {
        case ecaLeft: return "Left";
        case ecaCenter: return "Center";
        case ecaRight: return "Right";
    }
    return {};
}

TIB_OstrelHTML::TIB_OstrelHTML(TComponent* AOwner) : TIB_OstrelFormatText(AOwner) {
    Header().Add("<br>");
    Footer().Add("<br>");
    SetHTMLTemplate(htClassic);
}

void TIB_OstrelHTML::SetHTMLTemplate(THTMLTemplate value) {
    if (value == FHTMLTemplate) return;
    FHTMLTemplate = value;
    if (value != htCustom) ApplyTemplate(HTMLTemplateRecord(value));
}

void TIB_OstrelHTML::ApplyTemplate(const RHTMLTemplate& t) {
    FHTMLOptions.BackgroundColor = t.BackgroundColor;
    FHTMLOptions.LinkColor = t.LinkColor;
    FHTMLOptions.VLinkColor = t.VLinkColor;
    FHTMLOptions.ALinkColor = t.ALinkColor;
    FHTMLOptions.TextFont.Color = t.FontColor;
    FHTMLOptions.TextFont.Name = t.FontName;
    FTableOptions.HeadersRowBgColor = t.HeadersRowBgColor;
    FTableOptions.HeadersRowFontColor = t.HeadersRowFontColor;
    FTableOptions.TableBgColor = t.TableBgColor;
    FTableOptions.TableFontColor = t.TableFontColor;
    FTableOptions.OddRowBgColor = t.OddRowBgColor;
}

void TIB_OstrelHTML::SaveTemplateToFile(const std::string& fileName) {
    TIniFile ini(fileName);
    ini.WriteString(kHtmlSection, "Background-color", ColorToString(FHTMLOptions.BackgroundColor));
    ini.WriteString(kHtmlSection, "Font-color", ColorToString(FHTMLOptions.TextFont.Color));
    ini.WriteString(kHtmlSection, "Font-family", FHTMLOptions.TextFont.Name);
    ini.WriteString(kHtmlSection, "LinkColor", ColorToString(FHTMLOptions.LinkColor));
    ini.WriteString(kHtmlSection, "VLinkColor", ColorToString(FHTMLOptions.VLinkColor));
    ini.WriteString(kHtmlSection, "ALinkColor", ColorToString(FHTMLOptions.ALinkColor));
    ini.WriteString(kTableSection, "Header-bgcolor", ColorToString(FTableOptions.HeadersRowBgColor));
    ini.WriteString(kTableSection, "Header-color", ColorToString(FTableOptions.HeadersRowFontColor));
    ini.WriteString(kTableSection, "Table-color", ColorToString(FTableOptions.TableFontColor));
    ini.WriteString(kTableSection, "Even_row-bgcolor", ColorToString(FTableOptions.TableBgColor));
    ini.WriteString(kTableSection, "Odd_row-bgcolor", ColorToString(FTableOptions.OddRowBgColor));
    ini.WriteString(kTableSection, "Border-color", ColorToString(FTableOptions.BorderColor));
}

void TIB_OstrelHTML::LoadTemplateFromFile(const std::string& fileName) {
    const TIniFile ini(fileName);
    // A missing key, or a text that is no colour, leaves the current value.
    auto color = [&](const char* section, const char* key, TColor& target) {
        const std::string text = ini.ReadString(section, key, "");
        if (text.empty()) return;
        try {
            target = StringToColor(text);
        } catch (const EConvertError&) {
        }
    };
    color(kHtmlSection, "Background-color", FHTMLOptions.BackgroundColor);
    color(kHtmlSection, "Font-color", FHTMLOptions.TextFont.Color);
    FHTMLOptions.TextFont.Name = ini.ReadString(kHtmlSection, "Font-family", FHTMLOptions.TextFont.Name);
    color(kHtmlSection, "LinkColor", FHTMLOptions.LinkColor);
    color(kHtmlSection, "VLinkColor", FHTMLOptions.VLinkColor);
    color(kHtmlSection, "ALinkColor", FHTMLOptions.ALinkColor);
    color(kTableSection, "Header-bgcolor", FTableOptions.HeadersRowBgColor);
    color(kTableSection, "Header-color", FTableOptions.HeadersRowFontColor);
    color(kTableSection, "Table-color", FTableOptions.TableFontColor);
    color(kTableSection, "Even_row-bgcolor", FTableOptions.TableBgColor);
    color(kTableSection, "Odd_row-bgcolor", FTableOptions.OddRowBgColor);
    color(kTableSection, "Border-color", FTableOptions.BorderColor);
}

namespace {

// The reference from a page to a file: its bare name when both lie in the same folder.
std::string LinkFrom(const std::string& page, const std::string& target) {
    const size_t a = page.find_last_of("/\\"), b = target.find_last_of("/\\");
    const std::string pageDir = a == std::string::npos ? "" : page.substr(0, a);
    const std::string targetDir = b == std::string::npos ? "" : target.substr(0, b);
    return pageDir == targetDir && b != std::string::npos ? target.substr(b + 1) : target;
}

// A file name as a link: bytes beyond the unreserved ones and "/" percent-encoded, so that
// "#", "?", "%", blanks and quotes neither break the link nor the markup.
std::string Href(const std::string& name) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : name) {
        if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~' || c == '/') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

}  // namespace

std::string TIB_OstrelHTML::PageFileName(int page) const {
    const std::string& name = FileName();
    const std::string number = page < 10 ? "0" + std::to_string(page) : std::to_string(page);
    const size_t slash = name.find_last_of("/\\");
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return name + number;
    return name.substr(0, dot) + number + name.substr(dot);
}

void TIB_OstrelHTML::AddFontLines(int indent) {
    const TFont& f = FHTMLOptions.TextFont;
    if (!(FHTMLOptions.DefaultOptions & doFontName))
        FStyleLines.Add(std::string(indent, ' ') + "font-family: " + f.Name + ";");
    if (!(FHTMLOptions.DefaultOptions & doFontSize))
        FStyleLines.Add(std::string(indent, ' ') + "font-size: " + std::to_string(f.Size) + "pt;");
}

void TIB_OstrelHTML::BeginExport() {
    TIB_OstrelFormatText::BeginExport();
    FormatInPlace(NoteOwnClass<TIB_OstrelHTML>());
    const TTableOptions& t = FTableOptions;
    const THTMLOptions& h = FHTMLOptions;
    FStyleLines.Clear();
    FStyleLines.Add("  BODY { background: " + ColorToHTML(h.BackgroundColor) + ";" + " color: " +
                    ColorToHTML(h.TextFont.Color) + ";");
    AddFontLines(9);
    if (!h.BackgroundFileName.empty()) FStyleLines.Add("background-image: url(" + h.BackgroundFileName + ")");
    FStyleLines.Add("  }");
    FStyleLines.Add("  A:link { color: " + ColorToHTML(h.LinkColor) + " }");
    FStyleLines.Add("  A:visited { color: " + ColorToHTML(h.VLinkColor) + " }");
    FStyleLines.Add("  A:active { color: " + ColorToHTML(h.ALinkColor) + " }");
    FUseBorderColor = t.BorderColor != clWhite;
    if (AllowCaptions()) {
        FStyleLines.Add("  .ThRows { background-color: " + ColorToHTML(t.HeadersRowBgColor) + "; " + " color: " +
                        ColorToHTML(t.HeadersRowFontColor) + ";");
        FStyleLines.Add("            font-weight: bold; text-align: center;");
        AddFontLines(12);
        FStyleLines.Add("  }");
    }
    FStyleLines.Add("  .TrRows { background-color: " + ColorToHTML(t.TableBgColor) + "; " + " color: " +
                    ColorToHTML(t.TableFontColor) + ";");
    AddFontLines(12);
    FStyleLines.Add("  }");
    FStyleLines.Add("  .TrOdd  { background-color: " + ColorToHTML(t.OddRowBgColor) + "; " + " color: " +
                    ColorToHTML(t.TableFontColor) + ";");
    AddFontLines(12);
    FStyleLines.Add("  }");
    if (FUseBorderColor) FStyleLines.Add("  .TrBC { background-color: " + ColorToHTML(t.BorderColor) + " }");
    FPageCount = 0;
    FPageBegun = false;
}

void TIB_OstrelHTML::WriteHeadStyle(TOHTMLWriter& w, bool forIndex) {
    if (FUsingCSS == usExternal) {
        w.WriteLn(" <link rel=\"stylesheet\" type=\"text/css\" href=\"" + Href(LinkFrom(FileName(), FCSSFileName)) +
                  "\">");
        if (forIndex) return;
        bool onPage = FCSSFileName == FileName();
        for (int k = 1; k <= FPageCount; ++k) onPage = onPage || FCSSFileName == PageFileName(k);
        if (onPage) throw EOstrelError("The style sheet " + FCSSFileName + " would replace a page of the export");
        // Every page rewrites it.
        FOutputs->Discard(FCSSFileName);
        TFileStream& css = FOutputs->Create(FCSSFileName);
        for (const auto& line : FStyleLines) {
            css.Write(line);
            css.Write("\r\n");
        }
        css.Close();
    } else {
        w.OpenStyle();
        for (const auto& line : FStyleLines) w.WriteLn(line);
        w.CloseStyle();
    }
}

void TIB_OstrelHTML::BeginPage() {
    std::string name = FileName();
    if (FMaxRecords > 0) name = PageFileName(++FPageCount);
    if (FPageBegun) WriteEndSequence();
    FPageStream->Close();
    // The destination started by DoExecute gives way to the first page; in a paged run it
    // holds the index page or nothing, never an empty file.
    if (!FPageBegun) FOutputs->Discard(FileName());
    FPageStream = &FOutputs->Create(name);
    TOHTMLWriter& w = Html();
    w.SetStream(*FPageStream);
    FPageBegun = true;
    w.OpenHTML();
    w.OpenHead();
    // Without it a browser may read UTF-8 bytes in another encoding.
    w.WriteLn(CharsetMeta());
    w.WriteTitle(Title());
    if (FUsingCSS == usExternal && FCSSFileName.empty()) {
        const size_t slash = name.find_last_of("/\\");
        const size_t dot = name.rfind('.');
        FCSSFileName = (dot == std::string::npos || (slash != std::string::npos && dot < slash) ? name
                                                                                                : name.substr(0, dot)) +
                       ".css";
    }
    WriteHeadStyle(w, false);
    w.CloseHead();
    w.OpenBody();
    for (const auto& line : Header()) w.WriteLn(line);
    if (FUseBorderColor) {
        w.WriteLn("<Table cellspacing=0 cellpadding=0 class=\"TrBC\">");
        w.WriteLn("<tr><td>");
    }
    w.WriteLn("<Table Border=\"" + std::to_string(FTableOptions.Border) + "\" Cellpadding=\"" +
              std::to_string(FTableOptions.CellPadding) + "\" Cellspacing=\"" +
              std::to_string(FTableOptions.CellSpacing) + "\">");
    if (AllowCaptions()) {
        w.WriteLn("  <tr>");
        for (int i = 0; i < Columns().Count(); ++i) w.WriteLn("    <td class=\"ThRows\">" + GetColCaption(i) + "</td>");
        w.WriteLn("  </tr>");
    }
}

void TIB_OstrelHTML::WriteDataRow() {
    const int n = RecordCounter();
    // Every page holds MaxRecords records, the first one included.
    if (FFileDestination && (n == 0 || (FMaxRecords > 0 && n % FMaxRecords == 0))) BeginPage();
    TOHTMLWriter& w = Html();
    static const char* const kOpen[2] = {"    <td class=\"TrRows\"", "    <td class=\"TrOdd\""};
    const char* open = kOpen[n % 2];
    if (FastRows<TIB_OstrelHTML>() && !OnGetCellParams) {
        // The lines below built in one buffer; without cell parameters a cell has only its
        // column's alignment.
        FRow = "  <tr>\r\n";
        if (FCellOpens.size() != static_cast<size_t>(Columns().Count())) FCellOpens.assign(Columns().Count(), {});
        for (int i = 0; i < Columns().Count(); ++i) {
            // The cell's opening tag for odd and even rows, made again if a handler realigns it.
            TCellOpen& cell = FCellOpens[static_cast<size_t>(i)];
            if (cell.Text[0].empty() || cell.Align != Columns()[i].Align) {
                cell.Align = Columns()[i].Align;
                for (int odd = 0; odd < 2; ++odd)
                    cell.Text[odd] = kOpen[odd] + (" align=" + w.AlignToStr(cell.Align)) + '>';
            }
            FRow += cell.Text[n % 2];
            AppendCellText(FRow, i, true);
            FRow += "</td>\r\n";
        }
        FRow += "  </tr>\r\n";
        w.Write(FRow);
        return;
    }
    w.WriteLn("  <tr>");
    for (int i = 0; i < Columns().Count(); ++i) w.WriteLn(open + GetColData(i, true) + "</td>");
    w.WriteLn("  </tr>");
}

void TIB_OstrelHTML::WriteEndSequence() {
    TOHTMLWriter& w = Html();
    w.WriteLn("</Table>");
    // The border wrapper of a page is closed as well.
    if (FUseBorderColor && FPageBegun) {
        w.WriteLn("</td></tr>");
        w.WriteLn("</Table>");
    }
    for (const auto& line : Footer()) w.WriteLn(line);
    w.CloseBody();
    w.CloseHTML();
}

void TIB_OstrelHTML::AfterExport() {
    // Without records the page (the first page of a paged run) still gets its head, its
    // caption row and its end: a whole document, not the end tags alone.
    if (FFileDestination && !FPageBegun) BeginPage();
    WriteEndSequence();
    TIB_OstrelFormatText::AfterExport();
}

void TIB_OstrelHTML::EndExport() {
    if (FMaxRecords > 0 && FGenerateIndex && FFileDestination) WriteIndex();
    TIB_OstrelFormatText::EndExport();
}

void TIB_OstrelHTML::WriteIndex() {
    FOutputs->Discard(FileName());
    TFileStream& file = FOutputs->Create(FileName());
    TOHTMLWriter w(file);
    w.OpenHTML();
    w.OpenHead();
    w.WriteLn(CharsetMeta());
    WriteHeadStyle(w, true);
    w.CloseHead();
    w.OpenBody();
    w.OpenList();
    for (int k = 1; k <= FPageCount; ++k) {
        w.ListItem();
        // Pages lie beside the index: linked by their own names, so the links hold wherever
        // the folder is moved or served from.
        const std::string page = LinkFrom(FileName(), PageFileName(k));
        w.WriteLn("<a href=\"" + Href(page) + "\">" + ReplaceSpecialChars(page) + "</a>");
    }
    w.CloseList();
    w.CloseBody();
    w.CloseHTML();
    file.Close();
}

// The background of a record row's class: TrRows for the first, third, ... row, TrOdd for the
// second, fourth, ...
TColor TIB_OstrelHTML::RowBackground(int recNo) const {
    return recNo % 2 ? FTableOptions.OddRowBgColor : FTableOptions.TableBgColor;
}

void TIB_OstrelHTML::AppendCellText(std::string& out, int Index, bool Formatted) {
    const size_t start = out.size();
    // Known before a handler of the value may change the columns.
    const bool keptRaw = Columns()[Index].ColType == ectBoolean || FBoolAsCheckBox;
    if (!AppendExportTextWith(out, Index, Formatted, TOwnEscape{{*this}}) && !keptRaw) EscapeAppendedText(out, start);
    if (out.size() == start) out += "&nbsp";
}

std::string TIB_OstrelHTML::GetColData(int Index, bool Formatted) {
    std::string v;
    AppendCellText(v, Index, Formatted);
    const TOstrelColumn& c = Columns()[Index];

    const int n = RecordCounter();
    TColor background = RowBackground(n);
    TOstrelColAlign align = c.Align;
    TFont font = FHTMLOptions.TextFont;
    DoGetCellParams(n, Index, v, align, font, background);

    std::string attributes = " align=" + Html().AlignToStr(align);
    const TFont& base = FHTMLOptions.TextFont;
    std::string style;
    auto item = [&](const std::string& text) { style += (style.empty() ? "" : " ") + text + ";"; };
    if (background != RowBackground(n)) item("background-color: " + ColorToHTML(background));
    if (!SameText(font.Name, base.Name)) item("font-family: " + font.Name);
    if (font.Size != base.Size) item("font-size: " + std::to_string(font.Size) + "pt");
    if (font.Color != base.Color) item("color: " + ColorToHTML(font.Color));
    auto flag = [&](TFontStyle f, const char* property, const char* on, const char* off) {
        const bool now = font.Style & f, was = base.Style & f;
        if (now != was) item(std::string(property) + ": " + (now ? on : off));
    };
    flag(fsBold, "font-weight", "bold", "normal");
    flag(fsItalic, "font-style", "italic", "normal");
    flag(fsUnderline, "text-decoration", "underline", "none");
    if (!style.empty()) {
        style.pop_back();
        attributes += " style=\"" + style + "\"";
    }
    return attributes + ">" + v;
}

namespace {

const TCharSet& HtmlSpecialChars() {
    static const TCharSet set = CharSetOf("\"&<>");
    return set;
}

}  // namespace

TCharSet TIB_OstrelHTML::GetSpecialChars() { return HtmlSpecialChars(); }

std::string TIB_OstrelHTML::ReplaceSpecialChars(const std::string& Text) {
    std::string out;
    out.reserve(Text.size() + 8);
    AppendEscaped(out, Text);
    return out;
}

void TIB_OstrelHTML::EscapeAppended(std::string& out, size_t start) {
    // A plain number or date is its own escaping.
    TMarkupEscape{*this}.Formatted(out, start);
}

void TIB_OstrelHTML::AppendSpecialChars(std::string& out, std::string_view Text) {
    // A descendant's own ReplaceSpecialChars is honoured.
    if (typeid(*this) != typeid(TIB_OstrelHTML)) return TIB_OstrelFormatText::AppendSpecialChars(out, Text);
    AppendEscaped(out, Text);
}

void TIB_OstrelHTML::AppendEscaped(std::string& out, std::string_view Text) {
    // The characters that are not shown as they are: the special ones and line breaks; this
    // class's own set made once, a descendant's asked for.
    auto withBreaks = [](TCharSet set) { return set.set('\r').set('\n'); };
    static const TCharSet ownStop = withBreaks(HtmlSpecialChars());
    TCharSet descendantStop;
    const TCharSet& stop =
        typeid(*this) == typeid(TIB_OstrelHTML) ? ownStop : (descendantStop = withBreaks(GetSpecialChars()));
    bool lastBreak = false;
    size_t run = 0;  // start of the characters not yet copied, all shown as they are
    for (size_t i = 0; i < Text.size(); ++i) {
        const char c = Text[i];
        if (!stop[static_cast<unsigned char>(c)]) {
            lastBreak = false;
            continue;
        }
        out.append(Text.data() + run, i - run);
        run = i + 1;
        if (c == '\r' || c == '\n') {
            // CR LF, LF CR and a lone CR or LF each give one break.
            if (!lastBreak) out += "<br>";
            lastBreak = !lastBreak;
            continue;
        }
        lastBreak = false;
        if (c == '"') out += "&quot;";
        else if (c == '&') out += "&amp;";
        else if (c == '<') out += "&lt;";
        else out += "&gt;";
    }
    out.append(Text.data() + run, Text.size() - run);
}

void TIB_OstrelHTML::DoExecute() {
    TOutputFiles files;
    FOutputs = &files;
    FPageStream = &files.Create(FileName());
    FFileDestination = true;
    try {
        ExportToStream(*FPageStream);
        files.Commit();
    } catch (...) {
        FPageStream = nullptr;
        FOutputs = nullptr;
        FFileDestination = false;
        throw;
    }
    FPageStream = nullptr;
    FOutputs = nullptr;
    FFileDestination = false;
    ShowResult();
}

void TIB_OstrelHTML::ShowResult() {
    // Without an index the first page is what there is to show.
    if (FMaxRecords > 0 && !FGenerateIndex && FPageCount > 0) {
        if (Aborted()) return;
        if (ShowFile()) ShellService().Perform("open", PageFileName(1));
        if (PrintFile()) ShellService().Perform("print", PageFileName(1));
        return;
    }
    TIB_OstrelFormatText::ShowResult();
}

}  // namespace ostrel
