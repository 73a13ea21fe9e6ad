#include "exporters/text/IB_OstrelLaTeX.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <sstream>

#include "platform/CodePage.h"
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

// Characters beyond ASCII that pdflatex sets with the preamble written for them: T1 (with
// lmodern), TS1 and the kernel's UTF-8 definitions, Greek in LGR and Cyrillic in T2A. Found by
// compiling every character of these blocks with TeX Live 2022; the rest needs lualatex.
constexpr char32_t kPdfLaTeXRanges[][2] = {
    {0x00A0, 0x0125}, {0x0128, 0x0137}, {0x0139, 0x013E}, {0x0141, 0x0148}, {0x014A, 0x0165}, {0x0168, 0x017E},
    {0x0192, 0x0192}, {0x01C4, 0x01D4}, {0x01E2, 0x01E3}, {0x01E6, 0x01EB}, {0x01F0, 0x01F0}, {0x01F4, 0x01F5},
    {0x0218, 0x021B}, {0x0232, 0x0233}, {0x0237, 0x0237}, {0x02C6, 0x02C7}, {0x02D8, 0x02D9}, {0x02DB, 0x02DD},
    {0x0374, 0x0375}, {0x037A, 0x037A}, {0x037E, 0x037E}, {0x0384, 0x038A}, {0x038C, 0x038C}, {0x038E, 0x03A1},
    {0x03A3, 0x03CE}, {0x03D8, 0x03DD}, {0x03DF, 0x03E1}, {0x0400, 0x045F}, {0x0490, 0x0493}, {0x0496, 0x049D},
    {0x04A0, 0x04A5}, {0x04AA, 0x04AB}, {0x04AE, 0x04B3}, {0x04B6, 0x04BB}, {0x04C0, 0x04C2}, {0x04D0, 0x04DF},
    {0x04E2, 0x04E9}, {0x04EC, 0x04F5}, {0x04F8, 0x04F9}, {0x1E02, 0x1E03}, {0x1E0D, 0x1E0D}, {0x1E1E, 0x1E21},
    {0x1E25, 0x1E25}, {0x1E30, 0x1E31}, {0x1E37, 0x1E37}, {0x1E43, 0x1E43}, {0x1E45, 0x1E45}, {0x1E47, 0x1E47},
    {0x1E5B, 0x1E5B}, {0x1E63, 0x1E63}, {0x1E6D, 0x1E6D}, {0x1E8E, 0x1E91}, {0x1E9E, 0x1E9E}, {0x1EF2, 0x1EF3},
    {0x1F00, 0x1F15}, {0x1F18, 0x1F1D}, {0x1F20, 0x1F45}, {0x1F48, 0x1F4D}, {0x1F50, 0x1F57}, {0x1F59, 0x1F59},
    {0x1F5B, 0x1F5B}, {0x1F5D, 0x1F5D}, {0x1F5F, 0x1F7D}, {0x1F80, 0x1FB4}, {0x1FB6, 0x1FC4}, {0x1FC6, 0x1FD3},
    {0x1FD6, 0x1FDB}, {0x1FDD, 0x1FEF}, {0x1FF2, 0x1FF4}, {0x1FF6, 0x1FFE}, {0x200C, 0x200C}, {0x2010, 0x2016},
    {0x2018, 0x201A}, {0x201C, 0x201E}, {0x2020, 0x2022}, {0x2026, 0x2026}, {0x2030, 0x2031}, {0x2039, 0x203B},
    {0x203D, 0x203D}, {0x2044, 0x2044}, {0x204E, 0x204E}, {0x2052, 0x2052}, {0x20A1, 0x20A1}, {0x20A4, 0x20A4},
    {0x20A6, 0x20A6}, {0x20A9, 0x20A9}, {0x20AB, 0x20AC}, {0x20B1, 0x20B1}, {0x2103, 0x2103}, {0x2116, 0x2117},
    {0x211E, 0x211E}, {0x2120, 0x2120}, {0x2122, 0x2122}, {0x2126, 0x2127}, {0x212E, 0x212E}, {0x2190, 0x2193},
    {0x2329, 0x232A}, {0x2422, 0x2423}, {0x25E6, 0x25E6}, {0x25EF, 0x25EF}, {0x266A, 0x266A}, {0x27E8, 0x27E9},
    {0xFB00, 0xFB06}, {0xFEFF, 0xFEFF}
};

bool PdfLaTeXSets(char32_t cp) {
    auto it = std::upper_bound(std::begin(kPdfLaTeXRanges), std::end(kPdfLaTeXRanges), cp,
                               [](char32_t c, const char32_t (&r)[2]) { return c < r[0]; });
    return it != std::begin(kPdfLaTeXRanges) && cp <= (*(it - 1))[1];
}

// A script whose runs are wrapped in \ostrel<Code>{...}. Under pdflatex only Greek and
// Cyrillic occur (other scripts make the document one for lualatex); they switch the font
// encoding. Under lualatex the main font sets Greek and Cyrillic; every other script gets the
// first installed of its fonts, shaped by HarfBuzz.
struct TScript {
    const char* Code;
    const char* FontspecScript;  // empty: none given
    bool RightToLeft;
    bool Wide;                   // ideographs and syllables as wide as an em
    std::vector<const char*> Fonts;
};

const std::vector<TScript>& Scripts() {
    static const std::vector<TScript> scripts = {
        {"Grek", "Greek", false, false, {}},
        {"Cyrl", "Cyrillic", false, false, {}},
        {"Armn", "Armenian", false, false, {"Noto Serif Armenian", "Noto Sans Armenian", "DejaVu Serif"}},
        {"Hebr", "Hebrew", true, false, {"Noto Serif Hebrew", "Noto Sans Hebrew", "DejaVu Sans"}},
        {"Arab", "Arabic", true, false, {"Noto Naskh Arabic", "Noto Sans Arabic", "DejaVu Sans"}},
        {"Syrc", "Syriac", true, false, {"Noto Sans Syriac"}},
        {"Thaa", "Thaana", true, false, {"Noto Sans Thaana"}},
        {"Nkoo", "", true, false, {"Noto Sans NKo"}},
        {"Deva", "Devanagari", false, false, {"Noto Serif Devanagari", "Noto Sans Devanagari"}},
        {"Beng", "Bengali", false, false, {"Noto Serif Bengali", "Noto Sans Bengali"}},
        {"Guru", "Gurmukhi", false, false, {"Noto Serif Gurmukhi", "Noto Sans Gurmukhi"}},
        {"Gujr", "Gujarati", false, false, {"Noto Serif Gujarati", "Noto Sans Gujarati"}},
        {"Orya", "Oriya", false, false, {"Noto Sans Oriya"}},
        {"Taml", "Tamil", false, false, {"Noto Serif Tamil", "Noto Sans Tamil"}},
        {"Telu", "Telugu", false, false, {"Noto Serif Telugu", "Noto Sans Telugu"}},
        {"Knda", "Kannada", false, false, {"Noto Serif Kannada", "Noto Sans Kannada"}},
        {"Mlym", "Malayalam", false, false, {"Noto Serif Malayalam", "Noto Sans Malayalam"}},
        {"Sinh", "Sinhala", false, false, {"Noto Serif Sinhala", "Noto Sans Sinhala"}},
        {"Thai", "Thai", false, false, {"Noto Serif Thai", "Noto Sans Thai"}},
        {"Laoo", "Lao", false, false, {"Noto Serif Lao", "Noto Sans Lao", "DejaVu Sans"}},
        {"Tibt", "Tibetan", false, false, {"Noto Serif Tibetan"}},
        {"Mymr", "Myanmar", false, false, {"Noto Serif Myanmar", "Noto Sans Myanmar"}},
        {"Geor", "Georgian", false, false, {"Noto Serif Georgian", "Noto Sans Georgian", "DejaVu Serif"}},
        {"Hang", "Hangul", false, true, {"WenQuanYi Micro Hei", "Noto Sans CJK KR", "Droid Sans Fallback"}},
        {"Ethi", "Ethiopic", false, false, {"Noto Serif Ethiopic", "Noto Sans Ethiopic"}},
        {"Cher", "Cherokee", false, false, {"Noto Sans Cherokee"}},
        {"Cans", "", false, false, {"Noto Sans Canadian Aboriginal"}},
        {"Khmr", "Khmer", false, false, {"Noto Serif Khmer", "Noto Sans Khmer"}},
        {"Mong", "Mongolian", false, false, {"Noto Sans Mongolian"}},
        {"Hani", "CJK", false, true, {"WenQuanYi Micro Hei", "Noto Sans CJK SC", "Droid Sans Fallback"}},
        // Latin words beyond ASCII: in T1 under pdflatex, whatever encoding a language chose.
        {"Latn", "", false, false, {}},
    };
    return scripts;
}

enum : int { kGrek = 0, kCyrl = 1, kLatn = 30, kNoScript = -1 };

bool LatinLetter(char32_t c) {
    return (c >= 0x00C0 && c <= 0x02FF && c != 0xD7 && c != 0xF7) || (c >= 0x1E00 && c <= 0x1EFF);
}

// The script of a character, or kNoScript for Latin, digits, punctuation, symbols and marks.
int ScriptOf(char32_t c) {
    struct TBlock { char32_t First, Last; int Script; };
    static constexpr TBlock blocks[] = {
        {0x0370, 0x03FF, 0},  {0x0400, 0x052F, 1},  {0x0530, 0x058F, 2},  {0x0590, 0x05FF, 3},
        {0x0600, 0x06FF, 4},  {0x0700, 0x074F, 5},  {0x0750, 0x077F, 4},  {0x0780, 0x07BF, 6},
        {0x07C0, 0x07FF, 7},  {0x08A0, 0x08FF, 4},  {0x0900, 0x097F, 8},  {0x0980, 0x09FF, 9},
        {0x0A00, 0x0A7F, 10}, {0x0A80, 0x0AFF, 11}, {0x0B00, 0x0B7F, 12}, {0x0B80, 0x0BFF, 13},
        {0x0C00, 0x0C7F, 14}, {0x0C80, 0x0CFF, 15}, {0x0D00, 0x0D7F, 16}, {0x0D80, 0x0DFF, 17},
        {0x0E00, 0x0E7F, 18}, {0x0E80, 0x0EFF, 19}, {0x0F00, 0x0FFF, 20}, {0x1000, 0x109F, 21},
        {0x10A0, 0x10FF, 22}, {0x1100, 0x11FF, 23}, {0x1200, 0x139F, 24}, {0x13A0, 0x13FF, 25},
        {0x1400, 0x167F, 26}, {0x1780, 0x17FF, 27}, {0x1800, 0x18AF, 28}, {0x19E0, 0x19FF, 27},
        {0x1C80, 0x1C8F, 1},  {0x1C90, 0x1CBF, 22}, {0x1F00, 0x1FFF, 0},  {0x2D00, 0x2D2F, 22},
        {0x2D80, 0x2DDF, 24}, {0x2DE0, 0x2DFF, 1},  {0x2E80, 0x2FDF, 29}, {0x3000, 0x303F, 29},
        {0x3040, 0x312F, 29}, {0x3130, 0x318F, 23}, {0x31A0, 0x31FF, 29}, {0x3200, 0x33FF, 29},
        {0x3400, 0x4DBF, 29}, {0x4E00, 0x9FFF, 29}, {0xA640, 0xA69F, 1},  {0xA8E0, 0xA8FF, 8},
        {0xAC00, 0xD7AF, 23}, {0xF900, 0xFAFF, 29}, {0xFB13, 0xFB17, 2},  {0xFB1D, 0xFB4F, 3},
        {0xFB50, 0xFDFF, 4},  {0xFE30, 0xFE4F, 29}, {0xFE70, 0xFEFE, 4},  {0xFF00, 0xFFEF, 29},
        {0x20000, 0x3FFFF, 29},
    };
    auto it = std::upper_bound(std::begin(blocks), std::end(blocks), c,
                               [](char32_t v, const TBlock& b) { return v < b.First; });
    if (it == std::begin(blocks) || c > (it - 1)->Last) return kNoScript;
    return (it - 1)->Script;
}

// Marks and joiners belong to the run they follow.
bool Joins(char32_t c) {
    return (c >= 0x0300 && c <= 0x036F) || (c >= 0x1AB0 && c <= 0x1AFF) || (c >= 0x1DC0 && c <= 0x1DFF) ||
           (c >= 0x20D0 && c <= 0x20FF) || (c >= 0xFE20 && c <= 0xFE2F) || (c >= 0xFE00 && c <= 0xFE0F) ||
           c == 0x200C || c == 0x200D;
}

// Estimated advance of a character, in ems: close to Computer Modern's, somewhat wide, so that
// a table judged to fit does.
// The ASCII widths in a table: every character of every cell is measured. Plain are the
// characters a cell shows as they are whatever stands around them.
struct TAsciiWidths {
    double Of[128];
    bool Plain[128];
    constexpr TAsciiWidths() : Of(), Plain() {
        for (int c = 0; c < 128; ++c) {
            Plain[c] = c >= 0x20 && c != 0x7F;
            for (const char* n = "\\^~<>-'`,!?#$%&_{}"; *n; ++n)
                if (*n == c) Plain[c] = false;
            double w = 0.52;
            if (c >= 'A' && c <= 'Z') w = 0.76;
            if (c == '#' || c == '%' || c == '&' || c == '@' || c == '~') w = 0.8;
            for (const char* n = "il.,:;'|!`()[]/-jtfI"; *n; ++n)
                if (*n == c) w = 0.32;
            if (c == 0) w = 0.32;  // a NUL, written as a blank, counts as narrow
            if (c == 'm' || c == 'w') w = 0.84;
            if (c == 'M' || c == 'W') w = 1.0;
            if (c == ' ') w = 0.34;
            Of[c] = w;
        }
    }
};
constexpr TAsciiWidths kAsciiWidths;

double CharWidth(char32_t c) {
    if (c < 0x80) return kAsciiWidths.Of[c];
    if (Joins(c)) return 0;
    const int s = ScriptOf(c);
    if (s != kNoScript && Scripts()[s].Wide) return 1.0;
    return s == kNoScript ? 0.62 : 0.7;
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

std::unique_ptr<TFileStream> TOLaTeXWriter::TemporaryFile() {
    char name[] = "/tmp/ostrel-tex-XXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0) throw EStreamError("Cannot create a temporary file for the document body");
    // Nameless from the start: it goes with the run, however the run ends.
    ::unlink(name);
    return std::make_unique<TFileStream>(fd, name);
}

void TOLaTeXWriter::Spill() {
    if (FSpill) return;
    FSpill = TemporaryFile();
    FLengths = TemporaryFile();
    FDestination = &Stream();
    SetStream(*FSpill);
}

void TOLaTeXWriter::Unspill() {
    if (!FDestination) return;
    SetStream(*FDestination);
    FDestination = nullptr;
}

void TOLaTeXWriter::SpillRow(const std::vector<std::string>& cells) {
    std::string& record = FRecord;
    record.clear();
    FCellLengths.assign(1, static_cast<uint32_t>(cells.size()));
    for (const auto& c : cells) {
        if (&c != &cells.front()) record += " & ";
        record += c;
        FCellLengths.push_back(static_cast<uint32_t>(c.size()));
    }
    record += kRowEnd;
    FSpill->Write(record);
    FLengths->Write(FCellLengths.data(), FCellLengths.size() * sizeof(uint32_t));
}

namespace {

// A spill file read forward in large blocks.
class TSpillReader {
public:
    explicit TSpillReader(TFileStream& file) : FFile(file), FBlock(1 << 16) {}
    // Fills data whole, or returns false at the end of the file.
    bool Read(void* data, size_t count) {
        char* out = static_cast<char*>(data);
        while (count > 0) {
            if (FAt == FEnd) {
                FEnd = FFile.Read(FBlock.data(), FBlock.size());
                FAt = 0;
                if (FEnd == 0) return false;
            }
            const size_t n = std::min(count, FEnd - FAt);
            std::memcpy(out, FBlock.data() + FAt, n);
            FAt += n;
            out += n;
            count -= n;
        }
        return true;
    }

private:
    TFileStream& FFile;
    std::vector<char> FBlock;
    size_t FAt = 0, FEnd = 0;
};

void Rewind(TFileStream& spill) {
    spill.Flush();
    spill.SetPosition(0);
}

}  // namespace

void TOLaTeXWriter::CopySpill() {
    if (!FSpill) return;
    Rewind(*FSpill);
    std::vector<char> block(1 << 20);
    while (const size_t n = FSpill->Read(block.data(), block.size())) Write(std::string_view(block.data(), n));
}

void TOLaTeXWriter::ReadSpill(const std::function<void(const std::vector<std::string_view>&)>& row) {
    if (!FSpill) return;
    Rewind(*FSpill);
    Rewind(*FLengths);
    TSpillReader rows(*FSpill), sizes(*FLengths);
    std::vector<std::string_view> cells;
    std::vector<uint32_t> lengths;
    std::string record;
    uint32_t count;
    while (sizes.Read(&count, sizeof count)) {
        lengths.resize(count);
        if (count && !sizes.Read(lengths.data(), count * sizeof(uint32_t))) throw EStreamError("Stream read error");
        size_t size = kRowEnd.size() + (count ? 3 * (count - 1) : 0);
        for (uint32_t n : lengths) size += n;
        record.resize(size);
        if (!rows.Read(record.data(), size)) throw EStreamError("Stream read error");
        cells.clear();
        size_t at = 0;
        for (uint32_t n : lengths) {
            cells.emplace_back(record.data() + at, n);
            at += n + 3;
        }
        row(cells);
    }
}

// How the table is set: which environment, type size, page and column widths.
struct TLaTeXLayout {
    bool Long = false;                    // longtable rather than tabular
    std::string Size;                     // a size command without the backslash, or empty
    bool Geometry = false, Landscape = false;
    bool Wrap = false;                    // paragraph columns of the widths below
    std::vector<std::vector<int>> Parts;  // the columns of each part, in order
    std::vector<double> Widths;           // points, by column, when Wrap
};

namespace {

// Page dimensions in points for the class options: the paper, its orientation, the base size.
struct TPage {
    double PaperWidth = 614.295, PaperHeight = 794.97;  // letter, the classes' default
    double BaseSize = 10;
    double TextWidth() const {
        const double cap = BaseSize >= 12 ? 390 : BaseSize >= 11 ? 360 : 345;
        return std::min(cap, PaperWidth - 144.54);
    }
};

TPage PageOf(const std::string& params) {
    TPage p;
    std::stringstream in(params);
    std::string option;
    bool landscape = false;
    constexpr double mm = 2.84528;
    while (std::getline(in, option, ',')) {
        option.erase(0, option.find_first_not_of(" \t"));
        option.erase(option.find_last_not_of(" \t") + 1);
        if (option == "a4paper") p.PaperWidth = 210 * mm, p.PaperHeight = 297 * mm;
        else if (option == "a5paper") p.PaperWidth = 148 * mm, p.PaperHeight = 210 * mm;
        else if (option == "b5paper") p.PaperWidth = 176 * mm, p.PaperHeight = 250 * mm;
        else if (option == "letterpaper") p.PaperWidth = 614.295, p.PaperHeight = 794.97;
        else if (option == "legalpaper") p.PaperWidth = 614.295, p.PaperHeight = 1011.78;
        else if (option == "executivepaper") p.PaperWidth = 523.56, p.PaperHeight = 759.04;
        else if (option == "landscape") landscape = true;
        else if (option == "11pt") p.BaseSize = 10.95;
        else if (option == "12pt") p.BaseSize = 12;
    }
    if (landscape) std::swap(p.PaperWidth, p.PaperHeight);
    return p;
}

// Widths between minimum and natural that add up to the budget where they can: every column
// first gets its minimum, then the rest is shared evenly, no column beyond its natural width.
std::vector<double> ShareWidths(const std::vector<double>& minimum, const std::vector<double>& natural,
                                double budget) {
    std::vector<double> w = minimum;
    double rest = budget;
    for (double m : minimum) rest -= m;
    std::vector<size_t> open;
    for (size_t i = 0; i < w.size(); ++i)
        if (natural[i] > w[i]) open.push_back(i);
    while (rest > 1e-6 && !open.empty()) {
        const double share = rest / static_cast<double>(open.size());
        std::vector<size_t> still;
        for (size_t i : open) {
            const double add = std::min(share, natural[i] - w[i]);
            w[i] += add;
            rest -= add;
            if (natural[i] - w[i] > 1e-6) still.push_back(i);
        }
        if (still.size() == open.size()) break;  // every open column took a full share
        open = std::move(still);
    }
    return w;
}

std::string Fixed(double value) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f", value);
    return buf;
}

}  // namespace

bool TIB_OstrelLaTeX::Russian() const { return UpperCase(FOptions.Languages()).find("RUSSIAN") != std::string::npos; }

bool TIB_OstrelLaTeX::Utf8() const { return FOptions.CodePage() == CP_UTF8 && FOptions.LaTeXVersion() == LaTeX2e; }

void TIB_OstrelLaTeX::BeginExport() {
    TIB_OstrelFormatText::BeginExport();
    NoteOwnClass<TIB_OstrelLaTeX>();
    FNeeds = {};
    FEngine = "pdflatex";
    FSizes.assign(Columns().Count(), {});
    FCells.assign(Columns().Count(), {});
    FCaptions.clear();
    FRows = 0;
    FCompleted = false;
    // The head depends on every row: the rows are spilled and the head written at the end.
    TexWriter().Spill();
    // A run stopped by OnBeginExport gets no EndExport; its document is complete all the same.
    if (Aborted()) Complete();
}

void TIB_OstrelLaTeX::EndExport() {
    Complete();
    TIB_OstrelFormatText::EndExport();
}

void TIB_OstrelLaTeX::Measure(int Index, double width, double word) {
    if (Index < 0 || Index >= static_cast<int>(FSizes.size())) return;
    FSizes[Index].Natural = std::max(FSizes[Index].Natural, width);
    FSizes[Index].Word = std::max(FSizes[Index].Word, word);
}

std::string TIB_OstrelLaTeX::GetColCaption(int Index) {
    FLastWidth = FLastWord = 0;
    const std::string caption = TIB_OstrelFormatText::GetColCaption(Index);
    Measure(Index, FLastWidth, FLastWord);
    return caption + " & ";
}

void TIB_OstrelLaTeX::FinishCell(std::string& cell, int Index, bool escaped) {
    // NULL texts, Booleans and raw values are not escaped by the value formatting; a brace or
    // ampersand in them would break the table.
    if (!escaped) cell = ReplaceSpecialChars(cell);
    Measure(Index, FLastWidth, FLastWord);
}

std::string TIB_OstrelLaTeX::GetColData(int Index, bool Formatted) {
    FLastWidth = FLastWord = 0;
    std::string v = TIB_OstrelFormatText::GetColData(Index, Formatted);
    FinishCell(v, Index, IsEscapedByFormatting(Index, Formatted));
    if (Index >= 0 && Index < static_cast<int>(FCells.size())) FCells[Index] = v;
    return v + " & ";
}

std::string TIB_OstrelLaTeX::GetCaptionRow() { return WithoutLastSeparator(TIB_OstrelFormatText::GetCaptionRow()); }

std::string TIB_OstrelLaTeX::GetDataRow(bool Formatted) {
    return WithoutLastSeparator(TIB_OstrelFormatText::GetDataRow(Formatted));
}

void TIB_OstrelLaTeX::WriteCaptionRow() {
    FCaptions.clear();
    for (int i = 0; i < Columns().Count(); ++i) FCaptions.push_back(WithoutLastSeparator(GetColCaption(i)));
}

void TIB_OstrelLaTeX::WriteDataRow() {
    if (FastRows<TIB_OstrelLaTeX>()) {
        // GetColData's cells, built where they are kept, without the row GetDataRow joins.
        for (int i = 0; i < Columns().Count() && i < static_cast<int>(FCells.size()); ++i) {
            FLastWidth = FLastWord = 0;
            std::string& cell = FCells[i];
            cell.clear();
            FinishCell(cell, i, AppendExportText(cell, i, true));
        }
    } else {
        GetDataRow(true);
    }
    TexWriter().SpillRow(FCells);
    ++FRows;
}

namespace {

const TCharSet& LaTeXSpecialChars() {
    static const TCharSet set = CharSetOf("#$%&\\^_{}~");
    return set;
}

// What the measuring loop asks of an ASCII byte, in one look: shown as it is whatever stands
// around it (no special character of this class either), a Latin letter, a blank.
enum : uint8_t { kRunPlain = 1, kRunLetter = 2, kRunSpace = 4 };
const std::array<uint8_t, 256>& RunClasses() {
    static const std::array<uint8_t, 256> classes = [] {
        std::array<uint8_t, 256> c{};
        for (int u = 0; u < 0x80; ++u) {
            if (kAsciiWidths.Plain[u] && !LaTeXSpecialChars().test(static_cast<size_t>(u))) c[u] |= kRunPlain;
            if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z')) c[u] |= kRunLetter;
            if (u == ' ') c[u] |= kRunSpace;
        }
        return c;
    }();
    return classes;
}

}  // namespace

TCharSet TIB_OstrelLaTeX::GetSpecialChars() { return LaTeXSpecialChars(); }

std::string TIB_OstrelLaTeX::ReplaceSpecialChars(const std::string& Text) {
    std::string out;
    out.reserve(Text.size() + 8);
    AppendEscaped(out, Text);
    return out;
}

void TIB_OstrelLaTeX::AppendSpecialChars(std::string& out, std::string_view Text) {
    // A descendant's own ReplaceSpecialChars is honoured.
    if (typeid(*this) != typeid(TIB_OstrelLaTeX)) return TIB_OstrelFormatText::AppendSpecialChars(out, Text);
    AppendEscaped(out, Text);
}

void TIB_OstrelLaTeX::AppendEscaped(std::string& out, std::string_view Text) {
    // This class's special characters are known; a descendant's are asked for.
    const bool own = typeid(*this) == typeid(TIB_OstrelLaTeX);
    const TCharSet special = own ? LaTeXSpecialChars() : GetSpecialChars();
    const std::array<uint8_t, 256>& classes = RunClasses();
    const bool utf8 = Utf8();
    double width = 0, word = 0, wordWidth = 0;
    // A word with Latin letters beyond ASCII is wrapped whole: where its ASCII letters began.
    size_t letters = std::string::npos;
    bool latin = false;
    auto advance = [&](char32_t c) {
        const double w = CharWidth(c);
        width += w;
        if (c == ' ') {
            wordWidth = 0;
        } else {
            wordWidth += w;
            word = std::max(word, wordWidth);
            // A line may break after a hyphen, and in wrapping columns after an underscore.
            if (c == '-' || c == '_') wordWidth = 0;
        }
    };
    // Characters written as they are, with nothing to look at before or after them.
    auto plain = [&](char c) {
        const auto u = static_cast<unsigned char>(c);
        return (classes[u] & kRunPlain) && (own || !special.test(u));
    };
    for (size_t i = 0; i < Text.size();) {
        const char c = Text[i];
        const auto u = static_cast<unsigned char>(c);
        if (!latin && plain(c)) {
            // A run of them, measured one by one (as advance does: no hyphen or underscore
            // among them) and copied at once.
            const size_t run = i;
            do {
                const auto r = static_cast<unsigned char>(Text[i]);
                const uint8_t kind = classes[r];
                if (kind & kRunLetter) {
                    if (letters == std::string::npos) letters = out.size() + (i - run);
                } else {
                    letters = std::string::npos;
                }
                const double w = kAsciiWidths.Of[r];
                width += w;
                if (kind & kRunSpace) {
                    wordWidth = 0;
                } else {
                    wordWidth += w;
                    word = std::max(word, wordWidth);
                }
                ++i;
            } while (i < Text.size() && plain(Text[i]));
            out.append(Text.data() + run, i - run);
            continue;
        }
        if (u < 0x80 || !utf8) {
            const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
            if (latin && !letter) {
                out += '}';
                latin = false;
            }
            if (!letter) letters = std::string::npos;
            else if (letters == std::string::npos) letters = out.size();
            ++i;
            advance(u < 0x80 ? u : 0xE9);
            const char next = i < Text.size() ? Text[i] : '\0';
            // Backslash, caret and tilde print as themselves; a plain "\" would start a command
            // and "\^", "\~" are accents.
            if (c == '\\') out += "\\textbackslash{}";
            else if (c == '^') out += "\\textasciicircum{}";
            else if (c == '~') out += "\\textasciitilde{}";
            else if (special.test(u)) (out += '\\') += c;
            else if (c == '<') out += "$<$";
            else if (c == '>') out += "$>$";
            else if (u < 0x20 || u == 0x7F) out += ' ';  // a line break or tab would end the row or cell
            else {
                out += c;
                // Pairs that fonts join into other characters ("--" a dash, "''" a quote) stay two.
                if ((c == '-' && next == '-') || (c == '\'' && next == '\'') || (c == '`' && next == '`') ||
                    (c == ',' && next == ',') || ((c == '!' || c == '?') && next == '`'))
                    out += "{}";
            }
            if (u >= 0x80) FNeeds.NonAscii = true;
            continue;
        }
        FNeeds.NonAscii = true;
        const size_t start = i;
        const char32_t cp = DecodeUtf8At(Text, i);
        const int script = ScriptOf(cp);
        advance(cp);
        if (script == kNoScript && (LatinLetter(cp) || (latin && Joins(cp)))) {
            // The whole word, so that it keeps its kerning.
            if (!latin) out.insert(letters == std::string::npos ? out.size() : letters, "\\ostrelLatn{");
            latin = true;
            FNeeds.Scripts |= uint64_t{1} << kLatn;
            if (!PdfLaTeXSets(cp)) FNeeds.Unicode = true;
            out.append(Text.substr(start, i - start));
            continue;
        }
        if (latin) {
            out += '}';
            latin = false;
        }
        letters = std::string::npos;
        if (script == kNoScript) {
            if (cp == 0xFFFD && Text.compare(start, i - start, "\xEF\xBF\xBD") != 0) {
                out += '?';  // a byte that is no UTF-8
                continue;
            }
            if (!PdfLaTeXSets(cp)) FNeeds.Unicode = true;
            out.append(Text.substr(start, i - start));
            continue;
        }
        // The run: characters of the script, the marks that follow them, and blanks between them.
        bool pdf = script == kGrek || script == kCyrl;
        if (pdf && !PdfLaTeXSets(cp)) pdf = false;
        size_t end = i;
        while (end < Text.size()) {
            size_t j = end;
            while (j < Text.size() && Text[j] == ' ') ++j;
            if (j == Text.size()) break;
            size_t k = j;
            const char32_t n = DecodeUtf8At(Text, k);
            if (n >= 0x80 && (ScriptOf(n) == script || (j == end && Joins(n)))) {
                for (size_t b = end; b < j; ++b) advance(' ');
                advance(n);
                if (Joins(n) || !PdfLaTeXSets(n)) pdf = false;
                end = k;
            } else {
                break;
            }
        }
        if (!pdf) FNeeds.Unicode = true;
        FNeeds.Scripts |= uint64_t{1} << script;
        out += "\\ostrel";
        out += Scripts()[script].Code;
        out += '{';
        out.append(Text.substr(start, end - start));
        out += '}';
        i = end;
    }
    if (latin) out += '}';
    FLastWidth += width;
    FLastWord = std::max(FLastWord, word);
}

TLaTeXLayout TIB_OstrelLaTeX::ChooseLayout() {
    TLaTeXLayout l;
    const int n = Columns().Count();
    std::vector<int> all(n);
    for (int i = 0; i < n; ++i) all[i] = i;
    l.Parts = {all};
    if (FOptions.LaTeXVersion() != LaTeX2e || n == 0) return l;
    // Noto Serif runs a little wider than Computer Modern.
    const bool unicode = FEngine == "lualatex";
    const double scale = unicode ? 1.05 : 1.0;
    std::vector<double> natural(n), word(n);
    for (int i = 0; i < n; ++i) {
        word[i] = std::max(FSizes[i].Word * scale * 1.05, 0.5);
        natural[i] = std::max(FSizes[i].Natural * scale, word[i]);
    }
    // Points a table needs at a size (points per em) and column gap.
    auto need = [&](const std::vector<int>& cols, double em, double sep) {
        double sum = 0.4;
        for (int i : cols) sum += natural[i] * em + 2 * sep + 0.4;
        return sum;
    };
    const TPage page = PageOf(FOptions.DocumentParams());
    const double body = page.BaseSize, classWidth = page.TextWidth();
    // A tabular starts an indented paragraph.
    if (need(all, body, 6) <= classWidth - 1.5 * body && FRows <= SmallTableRows) return l;
    l.Long = true;
    bool geometry = true;
    for (const auto& line : FPreambula)
        if (line.find("geometry") != std::string::npos) geometry = false;  // the user sets the page
    constexpr double margins = 2 * 15 * 2.84528;
    const double portrait = std::min(page.PaperWidth, page.PaperHeight) - margins;
    const double landscape = std::max(page.PaperWidth, page.PaperHeight) - margins;
    const bool isLandscape = page.PaperWidth > page.PaperHeight;
    // Points per em of each size, relative to the body's: Computer Modern's small sizes are
    // wider than scaled ones (script size by 13%); Noto Serif's are scaled.
    static const std::pair<const char*, double> optical[] = {
        {"", 1.0}, {"small", 0.93}, {"footnotesize", 0.85}, {"scriptsize", 0.8}};
    static const std::pair<const char*, double> scaled[] = {
        {"", 1.0}, {"small", 0.9}, {"footnotesize", 0.8}, {"scriptsize", 0.7}};
    for (const auto& [name, factor] : unicode ? scaled : optical) {
        const double width = need(all, body * factor, 6);
        l.Size = name;
        if (width <= classWidth) return l;
        if (!geometry) continue;
        l.Geometry = true;
        if (width <= (isLandscape ? landscape : portrait)) return l;
        l.Landscape = !isLandscape;
        if (width <= landscape) return l;
        l.Geometry = l.Landscape = false;
    }
    // Wrapping columns in script size with narrower gaps, in as many parts as the words need.
    l.Wrap = true;
    l.Size = "scriptsize";
    const double em = body * (unicode ? scaled : optical)[3].second, sep = 3;
    double width = classWidth;
    if (geometry) {
        l.Geometry = true;
        l.Landscape = !isLandscape;
        width = landscape;
    }
    l.Parts.clear();
    std::vector<int> part;
    double used = 0.4;
    for (int i = 0; i < n; ++i) {
        const double add = word[i] * em + 2 * sep + 0.4;
        if (!part.empty() && used + add > width) {
            l.Parts.push_back(part);
            part.clear();
            used = 0.4;
        }
        part.push_back(i);
        used += add;
    }
    l.Parts.push_back(part);
    l.Widths.assign(n, 0);
    for (const auto& cols : l.Parts) {
        std::vector<double> minimum, wide;
        for (int i : cols) {
            minimum.push_back(word[i]);
            wide.push_back(natural[i]);
        }
        const double budget = (width - 0.4 - static_cast<double>(cols.size()) * (2 * sep + 0.4)) / em;
        const std::vector<double> w = ShareWidths(minimum, wide, budget);
        for (size_t k = 0; k < cols.size(); ++k) l.Widths[cols[k]] = w[k] * em;
    }
    return l;
}

void TIB_OstrelLaTeX::WritePreamble(const TLaTeXLayout& layout) {
    TOLaTeXWriter& w = TexWriter();
    const std::string cls = DocStyleName(FOptions.DocumentStyle());
    const std::string& params = FOptions.DocumentParams();
    if (FOptions.LaTeXVersion() != LaTeX2e) {
        w.WriteLn(params.empty() ? "\\documentstyle{" + cls + "}" : "\\documentstyle[" + params + "]{" + cls + "}");
        if (Russian()) w.WriteLn("\\providecommand{\\Rus}{}");
        return;
    }
    w.WriteLn(params.empty() ? "\\documentclass{" + cls + "}" : "\\documentclass[" + params + "]{" + cls + "}");
    auto uses = [&](int script) { return (FNeeds.Scripts >> script & 1) != 0; };
    if (Utf8() && FEngine == "lualatex") {
        w.WriteLn("\\usepackage{iftex}");
        w.WriteLn("\\ifLuaTeX\\else\\errmessage{This document needs lualatex: it holds characters that pdflatex "
                  "cannot set}\\expandafter\\endinput\\fi");
        w.WriteLn("\\usepackage{fontspec}");
        w.WriteLn("\\IfFontExistsTF{Noto Serif}{\\setmainfont{Noto Serif}}{\\IfFontExistsTF{DejaVu Serif}"
                  "{\\setmainfont{DejaVu Serif}}{}}");
        w.UsePackage("babel", FOptions.Languages());
        const auto& scripts = Scripts();
        for (size_t s = 0; s < scripts.size(); ++s) {
            if (!uses(static_cast<int>(s))) continue;
            const TScript& script = scripts[s];
            const std::string family = std::string("\\ostrelfont") + script.Code;
            const std::string command = std::string("\\newcommand*\\ostrel") + script.Code + "[1]";
            if (script.Fonts.empty()) {
                w.WriteLn(command + "{#1}");
                continue;
            }
            // The first of the fonts that is installed; without any, the main font.
            std::string features = "[Renderer=HarfBuzz";
            if (*script.FontspecScript) features += std::string(",Script=") + script.FontspecScript;
            features += "]";
            std::string choice = "\\let" + family + "\\relax\\typeout{No font installed for " + script.Code + " text}";
            for (auto f = script.Fonts.rbegin(); f != script.Fonts.rend(); ++f)
                choice = std::string("\\IfFontExistsTF{") + *f + "}{\\newfontfamily" + family + "{" + *f + "}" +
                         features + "}{" + choice + "}";
            w.WriteLn(choice);
            w.WriteLn(command + "{{" + family + (script.RightToLeft ? "\\textdir TRT" : "") + " #1}}");
        }
    } else {
        if (Utf8() && FNeeds.NonAscii) {
            std::string encodings = uses(kGrek) ? "LGR," : "";
            if (uses(kCyrl)) encodings += "T2A,";
            w.UsePackage("fontenc", encodings + "T1");
            w.WriteLn("\\usepackage{lmodern}");
        }
        w.UsePackage("inputenc", InputEncoding(FOptions.CodePage()));
        w.UsePackage("babel", FOptions.Languages());
        if (Utf8() && uses(kGrek)) w.WriteLn("\\newcommand*\\ostrelGrek[1]{{\\fontencoding{LGR}\\selectfont#1}}");
        if (Utf8() && uses(kCyrl)) w.WriteLn("\\newcommand*\\ostrelCyrl[1]{{\\fontencoding{T2A}\\selectfont#1}}");
        if (Utf8() && uses(kLatn)) w.WriteLn("\\newcommand*\\ostrelLatn[1]{{\\fontencoding{T1}\\selectfont#1}}");
    }
    if (layout.Long) w.WriteLn("\\usepackage{longtable}");
    if (layout.Wrap) w.WriteLn("\\usepackage{array}");
    if (layout.Geometry) w.WriteLn(layout.Landscape ? "\\usepackage[landscape,margin=15mm]{geometry}"
                                                    : "\\usepackage[margin=15mm]{geometry}");
    if (!FPreambula.Empty()) {
        for (const auto& line : FPreambula) w.WriteLn(line);
        w.EmptyLine();
    }
    // \Rus comes from old Cyrillic set-ups; define it where LaTeX lacks it.
    if (Russian()) w.WriteLn("\\providecommand{\\Rus}{\\selectlanguage{russian}}");
}

void TIB_OstrelLaTeX::WriteTables(const TLaTeXLayout& layout) {
    TOLaTeXWriter& w = TexWriter();
    const std::string env = layout.Long ? "longtable" : "tabular";
    for (size_t p = 0; p < layout.Parts.size(); ++p) {
        const std::vector<int>& cols = layout.Parts[p];
        std::string row;  // one buffer for every row of the part
        auto join = [&](const auto& cells) -> const std::string& {
            row.clear();
            for (int i : cols) {
                if (i != cols.front()) row += " & ";
                if (i >= static_cast<int>(cells.size())) continue;
                if (!layout.Wrap) {
                    row += cells[i];
                    continue;
                }
                // Names joined by underscores may break after them.
                const std::string_view cell = cells[i];
                for (size_t at = 0; at < cell.size(); ++at) {
                    row += cell[at];
                    if (cell[at] == '\\' && at + 1 < cell.size()) {
                        row += cell[++at];
                        if (cell[at] == '_') row += "\\allowbreak{}";
                    }
                }
            }
            return row;
        };
        if (p > 0) w.WriteLn("\\par\\bigskip");
        const bool group = !layout.Size.empty() || layout.Wrap;
        if (group) w.WriteLn("\\begingroup" + (layout.Size.empty() ? "" : "\\" + layout.Size));
        if (layout.Wrap) w.WriteLn("\\setlength\\tabcolsep{3pt}");
        std::string columnFormat = "|";
        for (int i : cols) {
            const TOstrelColType t = Columns()[i].ColType;
            const bool number = t == ectInteger || t == ectFloat || t == ectCurrency;
            if (layout.Wrap)
                columnFormat += std::string(">{\\") + (number ? "raggedleft" : "raggedright") +
                        "\\arraybackslash\\hspace{0pt}}p{" + Fixed(layout.Widths[i]) + "pt}|";
            else
                columnFormat += number ? "r|" : "l|";
        }
        w.BeginEnv(env, columnFormat);
        w.HLine();
        if (!FCaptions.empty()) {
            w.WriteLn(join(FCaptions));
            w.RowEnd();
            w.HLine();
        }
        if (layout.Long) w.WriteLn("\\endhead");
        if (cols.size() == FCells.size() && !layout.Wrap) {
            w.CopySpill();  // the rows were spilled as this table writes them
        } else {
            w.ReadSpill([&](const std::vector<std::string_view>& cells) {
                // The row, its end and its rule in one write.
                join(cells);
                row += TOLaTeXWriter::kRowEnd;
                w.Write(row);
            });
        }
        w.EndEnv(env);
        if (group) w.WriteLn("\\endgroup");
    }
}

void TIB_OstrelLaTeX::Complete() {
    if (FCompleted) return;
    FCompleted = true;
    // Header and footer lines are LaTeX as given; their characters still choose the engine.
    for (const auto& line : Header()) ReplaceSpecialChars(line);
    for (const auto& line : Footer()) ReplaceSpecialChars(line);
    FEngine = Utf8() && FNeeds.Unicode ? "lualatex" : "pdflatex";
    const TLaTeXLayout layout = ChooseLayout();
    TOLaTeXWriter& w = TexWriter();
    w.Unspill();
    WritePreamble(layout);
    w.BeginEnv("document", "");
    if (Russian()) w.WriteLn("\\Rus");
    w.EmptyLine();
    for (const auto& line : Header()) w.WriteLn(line);
    w.WriteLn("\\par\\bigskip");
    WriteTables(layout);
    w.EmptyLine();
    for (const auto& line : Footer()) w.WriteLn(line);
    w.EndEnv("document");
}

}  // namespace ostrel
