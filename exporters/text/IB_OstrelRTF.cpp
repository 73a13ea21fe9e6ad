#include "exporters/text/IB_OstrelRTF.h"

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/CodePage.h"
#include "platform/FormatSettings.h"
#include "platform/Services.h"

namespace ostrel {

TRTFOptions::TRTFOptions() {
    DefaultFont.Name = "Arial";
    DefaultFont.Size = 10;
    HeaderFont = DefaultFont;
    HeaderFont.Style |= fsBold;
}

std::string TRTFFontTableItem::Text() const {
    return "{\\f" + std::to_string(Index) + "\\f" + Family + " " + RtfEscape(Name) + ";}";
}

std::string TRTFColorTableItem::Text() const {
    return "\\red" + std::to_string(Red) + "\\green" + std::to_string(Green) + "\\blue" + std::to_string(Blue) + ";";
}

TColor ResolveColor(TColor color) {
    const auto v = static_cast<uint32_t>(color);
    if ((v & 0xFF000000u) != 0x80000000u) return static_cast<TColor>(v & 0xFFFFFF);
    switch (v & 0xFF) {
        case 5: case 9: case 14: case 20: return 0xFFFFFF;           // window, caption and highlight text
        case 15: case 4: case 10: case 11: return 0xF0F0F0;          // faces, menus, borders
        case 13: return 0xD77800;                                    // highlight
        case 16: case 17: return 0xA0A0A0;                           // shadows, grey text
        case 24: return 0xE1FFFF;                                    // info background
        default: return 0;                                           // window and button text
    }
}

std::string RtfEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    AppendRtfEscape(out, text);
    return out;
}

namespace {

// A UTF-16 unit as markup, a backslash before the markup characters, \uN? for the rest.
void AppendRtfUnit(std::string& out, char16_t u) {
    if (u == '\\' || u == '{' || u == '}') {
        out += '\\';
        out += static_cast<char>(u);
    } else if (u < 0x80) {
        out += static_cast<char>(u);
    } else {
        // Readers take \uN as the UTF-16 unit N (signed) and skip the "?" that follows.
        char unit[12] = {'\\', 'u'};
        char* end = std::to_chars(unit + 2, unit + sizeof unit - 1, static_cast<int16_t>(u)).ptr;
        *end++ = '?';
        out.append(unit, static_cast<size_t>(end - unit));
    }
}

}  // namespace

void AppendRtfEscape(std::string& out, std::string_view text) {
    // ASCII runs are copied, a backslash put before each character that is markup; in UTF-8,
    // well-formed two- and three-byte characters (one UTF-16 unit each) are decoded here, and
    // from the first other character on the text goes through the general decoder.
    const bool utf8 = FormatSettings().CodePage == CP_UTF8;
    size_t run = 0, i = 0;
    for (; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c != '\\' && c != '{' && c != '}' && c < 0x80) continue;
        out.append(text.data() + run, i - run);
        run = i + 1;
        if (c < 0x80) {
            out += '\\';
            out += static_cast<char>(c);
            continue;
        }
        const size_t length = utf8 ? ShortUtf8Length(text, i) : 0;
        if (length == 0) break;
        const auto c1 = static_cast<unsigned char>(text[i + 1]) & 0x3Fu;
        const char16_t u = length == 2 ? static_cast<char16_t>((c & 0x1Fu) << 6 | c1)
                                       : static_cast<char16_t>((c & 0x0Fu) << 12 | c1 << 6 |
                                                               (static_cast<unsigned char>(text[i + 2]) & 0x3Fu));
        AppendRtfUnit(out, u);
        i += length - 1;
        run = i + 1;
    }
    if (i >= text.size()) {
        out.append(text.data() + run, text.size() - run);
        return;
    }
    for (char16_t u : ToUtf16(text.substr(i))) AppendRtfUnit(out, u);
}

void TORTFWriter::WriteHeader() {
    WriteLn("\\rtf" + std::to_string(Header.Version) + "\\" + Header.Charset + "\\deff" +
            std::to_string(Header.DefaultFontIndex) + "\\deftab" + std::to_string(Header.DefTab));
}

void TORTFWriter::WriteFontTable() {
    Write("{\\fonttbl");
    for (const auto& f : FontTable) Write(f.Text());
    WriteLn("}");
}

void TORTFWriter::WriteColorTable() {
    Write("{\\colortbl");
    for (const auto& c : ColorTable) Write(c.Text());
    WriteLn("}");
    // The body follows; the tables stay open for new entries (see BeginSpill).
    FBodyStart = Stream().Position();
}

void TORTFWriter::BeginSpill() {
    char name[] = "/tmp/ostrel-rtf-XXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0) throw EStreamError("Cannot create a temporary file for the document body");
    close(fd);
    FSpillName = name;
    FSpill = std::make_unique<TFileStream>(FSpillName, TFileMode::Create);
    TStream& out = Stream();
    FDestination = &out;
    // Finish writes the tables and this body over the old ones: never shorter, since entries
    // are only added.
    int64_t left = out.Size() - FBodyStart;
    out.SetPosition(FBodyStart);
    std::vector<char> buf(1 << 16);
    while (left > 0) {
        const size_t n = out.Read(buf.data(), static_cast<size_t>(std::min<int64_t>(left, static_cast<int64_t>(buf.size()))));
        if (n == 0) throw EStreamError("Stream read error");
        FSpill->Write(buf.data(), n);
        left -= static_cast<int64_t>(n);
    }
    SetStream(*FSpill);
}

void TORTFWriter::Finish() {
    if (!FSpill) return;
    TFileStream& spill = *FSpill;
    TStream& out = *FDestination;
    SetStream(out);
    // The head as written, with the tables as they ended up.
    const int64_t headEnd = static_cast<int64_t>(1 + HeaderLength());
    out.SetPosition(headEnd);
    std::string tables = "{\\fonttbl";
    for (const auto& f : FontTable) tables += f.Text();
    tables += "}\r\n{\\colortbl";
    for (const auto& c : ColorTable) tables += c.Text();
    tables += "}\r\n";
    out.Write(tables);
    spill.SetPosition(0);
    std::vector<char> buf(1 << 16);
    size_t n;
    while ((n = spill.Read(buf.data(), buf.size())) > 0) out.Write(buf.data(), n);
    FSpill.reset();
    std::remove(FSpillName.c_str());
}

TORTFWriter::~TORTFWriter() {
    try {
        Finish();
    } catch (...) {
        // A failing run reports its own error; the spill file goes either way.
    }
    if (!FSpillName.empty()) std::remove(FSpillName.c_str());
}

size_t TORTFWriter::HeaderLength() const {
    return 19 + std::to_string(Header.Version).size() + std::to_string(Header.DefaultFontIndex).size() +
           std::to_string(Header.DefTab).size() + Header.Charset.size();
}

size_t TORTFWriter::FontTableLength() const {
    size_t n = 11;
    for (const auto& f : FontTable) n += f.Text().size();
    return n;
}

size_t TORTFWriter::ColorTableLength() const {
    size_t n = 12;
    for (const auto& c : ColorTable) n += c.Text().size();
    return n;
}

void TORTFWriter::AddFont(const std::string& name) {
    if (FBodyStart >= 0 && !FSpill) BeginSpill();
    int next = 0;
    for (const auto& f : FontTable) next = std::max(next, f.Index + 1);
    FontTable.push_back({next, "nil", name});
}

void TORTFWriter::AddColor(TColor color) {
    if (FBodyStart >= 0 && !FSpill) BeginSpill();
    const auto v = static_cast<uint32_t>(ResolveColor(color));
    ColorTable.push_back({static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>((v >> 16) & 0xFF)});
}

std::string TORTFWriter::FontRef(const TFont& font, bool writeIt) { return FontRef(font, writeIt, font.Size * 2); }

std::string TORTFWriter::FontRef(const TFont& font, bool writeIt, int halfPoints) {
    auto it = std::find_if(FontTable.begin(), FontTable.end(), [&](const auto& f) { return SameText(f.Name, font.Name); });
    int index;
    if (it == FontTable.end()) {
        const int64_t position = static_cast<int64_t>(HeaderLength() + FontTableLength()) - 1;
        AddFont(font.Name);
        // While the body is spilled the table is written by Finish.
        if (!FSpill) InsertText(position, FontTable.back().Text());
        index = FontTable.back().Index;
    } else {
        index = it->Index;
    }
    const std::string ref = "\\f" + std::to_string(index) + "\\fs" + std::to_string(halfPoints);
    if (writeIt) WriteLn(ref);
    return ref;
}

std::string TORTFWriter::ColorRef(TColor color, bool background) {
    const TColor rgb = ResolveColor(color);
    int index = -1;
    for (size_t i = 0; i < ColorTable.size(); ++i)
        if (ColorTable[i].Value() == rgb) {
            index = static_cast<int>(i);
            break;
        }
    if (index < 0) {
        const int64_t position = static_cast<int64_t>(HeaderLength() + FontTableLength() + ColorTableLength());
        AddColor(color);
        if (!FSpill) InsertText(position, ColorTable.back().Text());
        index = static_cast<int>(ColorTable.size()) - 1;
    }
    return (background ? "\\cbpat" : "\\cf") + std::to_string(index);
}

void TORTFWriter::InsertText(int64_t position, const std::string& text) {
    TStream& s = Stream();
    const int64_t size = s.Size() - position;
    std::vector<char> tail(static_cast<size_t>(std::max<int64_t>(size, 0)));
    s.SetPosition(position);
    size_t got = 0;
    while (got < tail.size()) {
        const size_t n = s.Read(tail.data() + got, tail.size() - got);
        if (n == 0) throw EStreamError("Stream read error");
        got += n;
    }
    s.SetPosition(position);
    s.Write(text);
    if (!tail.empty()) s.Write(tail.data(), tail.size());
}

std::string TORTFWriter::AlignToStr(TOstrelColAlign align) {
    switch (align) {
        case ecaLeft: return "\\ql";
        case ecaCenter: return "\\qc";
        case ecaRight: return "\\qr";
    }
    return {};
}

namespace {

constexpr int kSideMargins = 2 * 1800;  // what readers assume when \margl and \margr are absent
constexpr int kRowLeft = 36;            // \trleft
constexpr int kCellPadding = 10;        // added to every natural width
constexpr int kCellIndents = 60;        // \li30\ri30 of every cell paragraph
constexpr int kMinChars = 6;            // keeps short numbers and words whole
constexpr int kWholeChars = 12;         // numbers, dates and codes, kept whole when there is room
constexpr double kWholeLeastScale = 0.75;  // how much smaller the type may get to keep them whole
constexpr int kMinHalfPoints = 12;      // the smallest table font, 6 points

int ScaledHalfPoints(int halfPoints, double scale) {
    if (scale >= 1) return halfPoints;
    const int scaled = static_cast<int>(std::floor(halfPoints * scale + 1e-9));
    return std::max(std::min(halfPoints, kMinHalfPoints), scaled);
}

// Widths proportional to the natural ones, none below its floor, filling the room exactly; the
// floors must fit the room and the natural widths must not.
std::vector<double> Proportional(const std::vector<double>& natural, const std::vector<double>& floors,
                                 double room) {
    std::vector<bool> fixed(natural.size(), false);
    double ratio = 0;
    for (;;) {
        double rest = room, shared = 0;
        for (size_t i = 0; i < natural.size(); ++i) {
            if (fixed[i]) rest -= floors[i];
            else shared += natural[i];
        }
        if (shared <= 0) break;
        ratio = rest / shared;
        bool changed = false;
        for (size_t i = 0; i < natural.size(); ++i)
            if (!fixed[i] && natural[i] * ratio < floors[i]) fixed[i] = changed = true;
        if (!changed) break;
    }
    std::vector<double> widths(natural.size());
    for (size_t i = 0; i < natural.size(); ++i) widths[i] = fixed[i] ? floors[i] : natural[i] * ratio;
    return widths;
}

}  // namespace

TRTFTableFit FitRtfTable(const std::vector<int64_t>& natural, int charTwips, int halfPoints, int pageWidth) {
    TRTFTableFit fit;
    const double room = pageWidth - kSideMargins - kRowLeft;
    int64_t total = 0;
    for (int64_t n : natural) total += n;
    if (total <= room) {
        int64_t x = kRowLeft;
        for (int64_t n : natural) {
            x += n;
            fit.CellX.push_back(static_cast<int>(x));
        }
        return fit;
    }
    std::vector<double> wide;
    for (int64_t n : natural) wide.push_back(static_cast<double>(std::max<int64_t>(n, kCellPadding)));
    auto floorsAt = [&](double most) {
        std::vector<double> floors;
        for (double n : wide) floors.push_back(std::min(n, most));
        return floors;
    };
    auto sum = [](const std::vector<double>& v) {
        double s = 0;
        for (double x : v) s += x;
        return s;
    };
    auto minimumAt = [&](double scale) { return floorsAt(kMinChars * charTwips * scale + kCellPadding); };
    auto wholeAt = [&](double scale) { return floorsAt(kWholeChars * charTwips * scale + kCellPadding); };
    // First choice: columns of up to twelve characters (numbers, dates, codes) keep their width
    // and only wider ones wrap, the type made up to a quarter smaller for it when needed.
    std::vector<double> floors = wholeAt(1);
    if (sum(floors) > room && halfPoints > 0) {
        double scale = 0;
        for (int h = halfPoints - 1; h >= static_cast<int>(std::ceil(halfPoints * kWholeLeastScale)); --h)
            if (sum(wholeAt(static_cast<double>(h) / halfPoints)) <= room) {
                scale = static_cast<double>(h) / halfPoints;
                break;
            }
        if (scale > 0) {
            fit.FontScale = scale;
            floors = wholeAt(scale);
        }
    }
    if (sum(floors) > room) floors = minimumAt(1);
    if (sum(floors) > room) {
        // The largest font scale at which six characters per column fit, in whole half-points.
        const double least = halfPoints > kMinHalfPoints ? static_cast<double>(kMinHalfPoints) / halfPoints : 1.0;
        double scale = least;
        if (sum(minimumAt(least)) <= room) {
            double low = least, high = 1;
            for (int i = 0; i < 60; ++i) {
                const double mid = (low + high) / 2;
                (sum(minimumAt(mid)) <= room ? low : high) = mid;
            }
            scale = low;
        }
        fit.FontScale = halfPoints > 0 ? static_cast<double>(ScaledHalfPoints(halfPoints, scale)) / halfPoints : 1.0;
        floors = minimumAt(fit.FontScale);
        if (sum(floors) > room) floors = floorsAt(charTwips * fit.FontScale + kCellIndents + kCellPadding);
    }
    // Floors that do not fit are the widths: the row runs past the page.
    const std::vector<double> widths = sum(floors) > room ? floors : Proportional(wide, floors, room);
    double x = kRowLeft;
    for (double w : widths) {
        x += w;
        fit.CellX.push_back(static_cast<int>(std::floor(x + 1e-6)));
    }
    return fit;
}

std::string TIB_OstrelRTF::TableFontRef(const TFont& font, bool writeIt) {
    return Rtf().FontRef(font, writeIt, ScaledHalfPoints(font.Size * 2, FFontScale));
}

void TIB_OstrelRTF::BeginExport() {
    FFontScale = 1;
    TIB_OstrelFormatText::BeginExport();
    FormatInPlace(NoteOwnClass<TIB_OstrelRTF>());
    TORTFWriter& w = Rtf();
    w.WriteDocumentStart();
    w.WriteHeader();
    w.AddFont(FOptions.HeaderFont.Name);
    w.AddFont(FOptions.DefaultFont.Name);
    w.WriteFontTable();
    w.AddColor(clBlack);
    w.WriteColorTable();
    w.FontRef(FOptions.DefaultFont, true);
    if (FOptions.PageOrientation == poLandscape) {
        w.WriteLn("\\landscape");
        w.WriteLn("\\paperw16838");
        w.WriteLn("\\paperh11906");
    } else {
        w.WriteLn("\\paperw11906");
        w.WriteLn("\\paperh16838");
    }
    for (const auto& line : Header()) {
        w.WriteLn(line);
        w.WritePar();
    }
    w.WritePar();
    w.WriteLn("\\trowd\\trql\\trgaph0\\trleft36");
    const int k = FontMetrics().TextWidth(FOptions.HeaderFont, "k");
    std::vector<int64_t> natural;
    for (const auto& c : Columns()) natural.push_back(15 * (static_cast<int64_t>(c.Width) * k) + kCellPadding);
    const TRTFTableFit fit = FitRtfTable(natural, 15 * k, FOptions.HeaderFont.Size * 2,
                                         FOptions.PageOrientation == poLandscape ? 16838 : 11906);
    FFontScale = fit.FontScale;
    for (int x : fit.CellX) {
        w.WriteLn("\\clbrdrl\\brdrth \\clbrdrr\\brdrth \\clbrdrt\\brdrth \\clbrdrb\\brdrth");
        w.WriteLn("\\cellx" + std::to_string(x));
    }
}

void TIB_OstrelRTF::BeforeExport() { TableFontRef(FOptions.DefaultFont, true); }

void TIB_OstrelRTF::WriteCaptionRow() {
    TableFontRef(FOptions.HeaderFont, true);
    Rtf().WriteLn(GetCaptionRow() + "\\row");
}

namespace {

std::string StyleOf(TFontStyles styles) {
    std::string s;
    if (styles & fsBold) s += "\\b";
    if (styles & fsItalic) s += "\\i";
    if (styles & fsUnderline) s += "\\ul";
    if (styles & fsStrikeOut) s += "\\strike";
    return s;
}

}  // namespace

void TIB_OstrelRTF::WriteDataRow() {
    if (!FastRows<TIB_OstrelRTF>() || OnGetCellParams) return Rtf().WriteLn(GetDataRow(true) + "\\row");
    // The same line built in one buffer; without cell parameters every cell has the default
    // font, a white background and its column's alignment.
    TORTFWriter& w = Rtf();
    std::string format = StyleOf(FOptions.DefaultFont.Style);
    if (!format.empty()) format += ' ';
    FRow.clear();
    if (FCellOpens.size() != static_cast<size_t>(Columns().Count())) FCellOpens.assign(Columns().Count(), {});
    for (int i = 0; i < Columns().Count(); ++i) {
        // The cell's opening, made again if a handler realigns the column or restyles the font.
        TCellOpen& cell = FCellOpens[static_cast<size_t>(i)];
        if (cell.Text.empty() || cell.Align != Columns()[i].Align || cell.Format != format) {
            cell.Align = Columns()[i].Align;
            cell.Format = format;
            cell.Text = "\\pard\\intbl\\li30\\ri30" + w.AlignToStr(cell.Align) + '{' + format;
        }
        FRow += cell.Text;
        AppendCellText(FRow, i, true);
        FRow += "}\\cell";
    }
    FRow += "\\row\r\n";
    w.Write(FRow);
}

// A cell's text: NULL texts, Booleans and raw values are not escaped by the value formatting;
// a brace or backslash in them would break the document.
void TIB_OstrelRTF::AppendCellText(std::string& out, int Index, bool Formatted) {
    const size_t start = out.size();
    if (AppendExportTextWith(out, Index, Formatted, TOwnEscape{{*this}})) return;
    FValue.assign(out, start, std::string::npos);
    out.resize(start);
    AppendRtfEscape(out, FValue);
}

std::string TIB_OstrelRTF::GetColCaption(int Index) {
    return "\\pard\\intbl\\li30\\ri30{" + StyleOf(FOptions.HeaderFont.Style) + " " +
           TIB_OstrelFormatText::GetColCaption(Index) + "}\\cell";
}

std::string TIB_OstrelRTF::GetColData(int Index, bool Formatted) {
    std::string v;
    AppendCellText(v, Index, Formatted);
    const TOstrelColumn& c = Columns()[Index];
    TFont font = FOptions.DefaultFont;
    TOstrelColAlign align = c.Align;
    TColor background = clWhite;
    DoGetCellParams(RecordCounter(), Index, v, align, font, background);
    TORTFWriter& w = Rtf();
    const std::string alignment = w.AlignToStr(align);
    const std::string fontText = SameText(font.Name, FOptions.DefaultFont.Name) ? "" : TableFontRef(font, false);
    const std::string colourText = font.Color != FOptions.DefaultFont.Color ? w.ColorRef(font.Color, false) : "";
    std::string format = fontText + colourText + StyleOf(font.Style | FOptions.DefaultFont.Style);
    if (!format.empty()) format += ' ';
    const std::string backText = background != clWhite ? w.ColorRef(background, true) : "";
    return "\\pard\\intbl\\li30\\ri30" + backText + alignment + "{" + format + v + "}\\cell";
}

std::string TIB_OstrelRTF::ReplaceSpecialChars(const std::string& Text) { return RtfEscape(Text); }

void TIB_OstrelRTF::EscapeAppended(std::string& out, size_t start) {
    // A plain number or date is its own escaping.
    TMarkupEscape{*this}.Formatted(out, start);
}

void TIB_OstrelRTF::AppendSpecialChars(std::string& out, std::string_view Text) {
    // A descendant's own ReplaceSpecialChars is honoured.
    if (typeid(*this) != typeid(TIB_OstrelRTF)) return TIB_OstrelFormatText::AppendSpecialChars(out, Text);
    AppendRtfEscape(out, Text);
}

void TIB_OstrelRTF::EndExport() {
    TORTFWriter& w = Rtf();
    // The footer in the document's size again.
    if (FFontScale < 1) w.FontRef(FOptions.DefaultFont, true);
    w.WriteLn("\\pard");
    w.WritePar();
    for (const auto& line : Footer()) {
        w.WritePar();
        w.WriteLn(line);
    }
    w.WriteDocumentEnd();
    w.Finish();
    TIB_OstrelFormatText::EndExport();
}

}  // namespace ostrel
