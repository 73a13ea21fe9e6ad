#include "exporters/sheet/IB_OstrelXLSX.h"

#include <sys/stat.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <unordered_map>
#include <vector>

#include "engine/IB_OstrelWriter.h"
#include "exporters/sheet/XlsxPacking.h"
#include "platform/CodePage.h"
#include "platform/Errors.h"
#include "platform/FormatSettings.h"
#include "platform/OutputFiles.h"

namespace ostrel {

namespace {

constexpr int kMaxSheetTitle = 31;     // characters of a sheet name
constexpr int kMaxPageText = 255;      // characters of a page header or footer
constexpr int kMaxNumberFormat = 255;  // characters of a number-format code

bool IsHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// Whether the text at i reads as an escape _xHHHH_.
bool IsEscapeAt(std::string_view s, size_t i) {
    return i + 7 <= s.size() && s[i] == '_' && (s[i + 1] == 'x' || s[i + 1] == 'X') && IsHex(s[i + 2]) &&
           IsHex(s[i + 3]) && IsHex(s[i + 4]) && IsHex(s[i + 5]) && s[i + 6] == '_';
}

// Whether the bytes are UTF-8 characters throughout: no stray or missing continuation byte,
// no overlong form, surrogate or value past U+10FFFF (what DecodeUtf8At reads as U+FFFD).
bool IsValidUtf8(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        if (b < 0x80) {
            ++i;
            continue;
        }
        const size_t length = b >= 0xC2 && b < 0xE0 ? 2 : b >= 0xE0 && b < 0xF0 ? 3 : b >= 0xF0 && b < 0xF5 ? 4 : 0;
        if (length == 0 || i + length > s.size()) return false;
        for (size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        const auto b1 = static_cast<unsigned char>(s[i + 1]);
        if ((b == 0xE0 && b1 < 0xA0) || (b == 0xED && b1 >= 0xA0) || (b == 0xF0 && b1 < 0x90) ||
            (b == 0xF4 && b1 >= 0x90))
            return false;
        i += length;
    }
    return true;
}

// The text in UTF-8: from the process code page, a byte that is no UTF-8 as U+FFFD.
std::string ToUtf8(std::string_view text) {
    const int codePage = FormatSettings().CodePage;
    if (IsAscii(text) || (codePage == CP_UTF8 && IsValidUtf8(text))) return std::string(text);
    return FromUtf16(ToUtf16(text, codePage), CP_UTF8);
}

// Characters of UTF-16 in a UTF-8 text.
size_t Utf16Units(std::string_view utf8) {
    size_t n = 0;
    for (unsigned char c : utf8) n += (c & 0xC0) != 0x80 ? ((c >= 0xF0) ? 2 : 1) : 0;
    return n;
}

// The head of a UTF-8 text of at most `units` UTF-16 units, ending on a character.
std::string CutUtf16Units(const std::string& utf8, size_t units) {
    size_t n = 0, i = 0;
    while (i < utf8.size()) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        const size_t length = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
        const size_t width = c >= 0xF0 ? 2 : 1;
        if (n + width > units) break;
        n += width;
        i += length;
    }
    return utf8.substr(0, i);
}

void AppendEscape(std::string& out, unsigned value) {
    static const char kHex[] = "0123456789ABCDEF";
    out += "_x";
    for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(value >> shift) & 0xF];
    out += '_';
}

// Text that XML attributes and page texts can hold: control characters become blanks.
std::string PlainXmlText(std::string_view text) {
    std::string out = ToUtf8(text);
    for (size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (c < 0x20) out[i] = ' ';
        // U+FFFE and U+FFFF are no XML characters either.
        if (c == 0xEF && i + 2 < out.size() && out[i + 1] == '\xBF' && (out[i + 2] == '\xBE' || out[i + 2] == '\xBF'))
            out.replace(i, 3, "\xEF\xBF\xBD");
    }
    return out;
}

uint32_t Rgb(TxlsColor color) {
    const TColor bgr = XlsScreenColor(color);
    const uint32_t rgb = ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
    // The library reads 0 as "no colour"; black has a value of its own.
    return rgb == 0 ? static_cast<uint32_t>(LXW_COLOR_BLACK) : rgb;
}

std::string CellMessage(const char* pattern, int row, int col) {
    return FormatMessage(FormatMessage(pattern, std::to_string(row)), std::to_string(col));
}

// The key of a registered style: every field that reaches the file.
std::string StyleKey(const std::string& numberFormat, const TxlsFormat& f) {
    std::string key = numberFormat;
    key += '\0';
    key += f.Font.Name;
    key += '\0';
    const TxlsBorder* borders[] = {&f.Borders.Left, &f.Borders.Right, &f.Borders.Top,
                                   &f.Borders.Bottom, &f.Borders.DiagDown, &f.Borders.DiagUp};
    key += std::to_string(f.Font.Size);
    for (int bit : {f.Font.Style.Contains(xfsBold), f.Font.Style.Contains(xfsItalic), f.Font.Style.Contains(xfsStrikeOut)})
        key += static_cast<char>('0' + bit);
    for (uint8_t v : {uint8_t(f.Font.Color), uint8_t(f.Font.Script), uint8_t(f.Font.Underline), f.Font.Charset,
                      uint8_t(f.Fill.Background), uint8_t(f.Fill.Pattern), uint8_t(f.Fill.Foreground),
                      uint8_t(f.Alignment.Horizontal), uint8_t(f.Alignment.Vertical), uint8_t(f.Wrap)})
        key += static_cast<char>(v + 1);
    for (const TxlsBorder* b : borders) {
        key += static_cast<char>(b->Style + 1);
        key += static_cast<char>(b->Color + 1);
    }
    return key;
}

// The numbers of a column, for the result an aggregate formula stores with it: readers that do
// not compute on load (LibreOffice by default, readers of values) show that result.
struct TColumnNumbers {
    double Sum = 0, Compensation = 0;  // Neumaier's sum, as spreadsheets add
    double Min = 0, Max = 0;
    int64_t Count = 0;
    void Add(double v) {
        const double t = Sum + v;
        Compensation += std::abs(Sum) >= std::abs(v) ? (Sum - t) + v : (v - t) + Sum;
        Sum = t;
        Min = Count == 0 ? v : std::min(Min, v);
        Max = Count == 0 ? v : std::max(Max, v);
        ++Count;
    }
    double Result(TxlsAggregate aggregate) const {
        switch (aggregate) {
            case aggAvg: return Count ? (Sum + Compensation) / static_cast<double>(Count) : 0;
            case aggMin: return Min;
            case aggMax: return Max;
            default: return Sum + Compensation;
        }
    }
};

}  // namespace

std::string XlsxCellText(std::string_view text) {
    std::string utf8 = ToUtf8(text);
    bool plain = true;
    for (char c : utf8) {
        const auto b = static_cast<unsigned char>(c);
        if ((b < 0x20 && c != '\t' && c != '\n') || c == '_' || b == 0xEF) {
            plain = false;
            break;
        }
    }
    if (plain) return utf8;
    std::string out;
    out.reserve(utf8.size() + 16);
    for (size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 && c != '\t' && c != '\n') {
            AppendEscape(out, b);  // a carriage return too: XML reads it as a line feed
        } else if (IsEscapeAt(utf8, i)) {
            AppendEscape(out, '_');  // the underscore of a text that reads as an escape
        } else if (b == 0xEF && i + 2 < utf8.size() && utf8[i + 1] == '\xBF' &&
                   (utf8[i + 2] == '\xBE' || utf8[i + 2] == '\xBF')) {
            AppendEscape(out, utf8[i + 2] == '\xBE' ? 0xFFFE : 0xFFFF);
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

// The workbook of one run: libxlsxwriter's workbook and worksheet, the run's styles and
// their formats, and where the library writes the file.
class TXlsxBook : public TOstrelWriter {
public:
    TXlsxBook(TIB_OstrelXLSX& exporter, TFileStream& file) : TOstrelWriter(file), FExporter(exporter), FFile(file) {
        Reset();
    }
    ~TXlsxBook() override {
        if (FBook) lxw_workbook_free(FBook);  // a run that failed before the workbook was closed
        if (!FScratch.empty()) ::unlink(FScratch.c_str());
    }

    void Reset() {
        FStyles.clear();
        FKeys.clear();
        FFormats.clear();
        FNumbers.clear();
        // Style 0: General with the data format's font, for cells that name no style.
        auto defaultStyle = std::make_unique<TStyle>();
        defaultStyle->Format.Font.Assign(FExporter.Options().DataFormat.Font);
        FKeys.emplace(StyleKey("General", defaultStyle->Format), 0);
        FStyles.push_back(std::move(defaultStyle));
        FFormats.push_back(nullptr);
    }

    uint32_t Style(const std::string& numberFormat, const TxlsFormat* format) {
        // numFmt codes hold at most 255 characters, as FORMAT records do.
        if (Utf16Length(numberFormat) > kMaxNumberFormat)
            throw EOstrelError(FormatMessage("Number format longer than 255 characters: %s", numberFormat));
        auto style = std::make_unique<TStyle>();
        style->NumberFormat = numberFormat;
        if (format) style->Format.Assign(*format);
        else style->Format.Font.Assign(FExporter.Options().DataFormat.Font);
        std::string key = StyleKey(numberFormat, style->Format);
        if (auto found = FKeys.find(key); found != FKeys.end()) return found->second;
        const auto index = static_cast<uint32_t>(FStyles.size());
        FKeys.emplace(std::move(key), index);
        FStyles.push_back(std::move(style));
        FFormats.push_back(nullptr);
        return index;
    }

    void Open() {
        // The library opens the file by name when it closes the workbook: the run's temporary
        // file through its descriptor, so that no other file can take its place meanwhile. A
        // pipe or a device cannot take the zip container's seeks: a scratch file first.
        std::string target;
        struct stat st;
        if (FFile.Handle() >= 0 && ::fstat(FFile.Handle(), &st) == 0 && S_ISREG(st.st_mode)) {
            target = "/proc/self/fd/" + std::to_string(FFile.Handle());
            if (::access(target.c_str(), W_OK) != 0) target = FFile.FileName();
        } else {
            const char* tmp = std::getenv("TMPDIR");
            FScratch = std::string(tmp && *tmp ? tmp : "/tmp") + "/ostrel-xlsx-XXXXXX";
            const int fd = ::mkstemp(FScratch.data());
            if (fd < 0) {
                FScratch.clear();
                throw EStreamError("Cannot create a scratch file for \"" + FFile.FileName() + "\"");
            }
            ::close(fd);
            target = FScratch;
        }
        lxw_workbook_options options = {};
        options.constant_memory = LXW_TRUE;
        options.use_zip64 = LXW_TRUE;  // a million rows of text can pass 4 GiB before packing
        FBook = workbook_new_opt(target.c_str(), &options);
        if (!FBook) throw EOstrelError("Cannot create the workbook \"" + FFile.FileName() + "\"");

        const TXLSOptions& o = FExporter.Options();
        std::string title = CutUtf16Units(ToUtf8(o.SheetTitle()), kMaxSheetTitle);
        lxw_error error = LXW_NO_ERROR;
        for (unsigned char c : title)
            if (c < 0x20) error = LXW_ERROR_INVALID_SHEETNAME_CHARACTER;
        if (error == LXW_NO_ERROR) error = workbook_validate_sheet_name(FBook, title.c_str());
        if (error != LXW_NO_ERROR)
            throw EOstrelError("Sheet title \"" + title + "\" cannot name a worksheet: " + lxw_strerror(error));
        FSheet = workbook_add_worksheet(FBook, title.c_str());
        if (!FSheet) throw EOstrelError("Cannot add the worksheet \"" + title + "\"");
        // Text before any section code is centred; it gets its code, which some readers need.
        auto pageText = [](const std::string& text) {
            std::string t = PlainXmlText(text);
            if (t.size() < 2 || t[0] != '&' || std::string_view("LCRlcr").find(t[1]) == std::string_view::npos)
                t.insert(0, "&C");
            return CutUtf16Units(t, kMaxPageText);
        };
        if (!o.PageHeader.empty()) Check(worksheet_set_header(FSheet, pageText(o.PageHeader).c_str()), "Page header");
        if (!o.PageFooter.empty()) Check(worksheet_set_footer(FSheet, pageText(o.PageFooter).c_str()), "Page footer");
        // Widths sit on the sheet columns that hold the data; a column is at most 255 characters.
        for (int i = 0; i < FExporter.Columns().Count(); ++i) {
            const int width = std::clamp(FExporter.Columns()[i].Width, 0, 255);
            const auto col = static_cast<lxw_col_t>(FExporter.StartDataCol() + i);
            Check(worksheet_set_column(FSheet, col, col, width, nullptr), "Column width");
        }
    }

    lxw_worksheet* Sheet() const { return FSheet; }
    // The numbers written in each sheet column so far.
    TColumnNumbers& Numbers(int col) {
        if (FNumbers.size() <= static_cast<size_t>(col)) FNumbers.resize(col + 1);
        return FNumbers[col];
    }

    lxw_format* Format(uint32_t index) {
        lxw_format*& f = FFormats.at(index);
        if (!f) f = MakeFormat(*FStyles[index]);
        return f;
    }

    void Close() {
        if (!FBook) return;
        lxw_workbook* book = FBook;
        FBook = nullptr;  // workbook_close frees it, written or not
        const TFastXlsxPacking fastPacking;
        const lxw_error error = workbook_close(book);
        if (error != LXW_NO_ERROR)
            throw EOstrelError("Cannot write the workbook \"" + FFile.FileName() + "\": " + lxw_strerror(error));
    }

    // The scratch file's bytes into the output, for a pipe or a device.
    void Finish() {
        if (FScratch.empty()) return;
        TFileStream scratch(FScratch, TFileMode::OpenRead);
        std::vector<char> buffer(1 << 16);
        for (size_t n; (n = scratch.Read(buffer.data(), buffer.size())) > 0;) FFile.Write(buffer.data(), n);
    }

    void Check(lxw_error error, const std::string& what) {
        if (error != LXW_NO_ERROR) throw EOstrelError(what + ": " + lxw_strerror(error));
    }
    // The message is only made for a failing cell.
    void CheckCell(lxw_error error, int row, int col) {
        if (error != LXW_NO_ERROR) Check(error, CellMessage("Cell R%d,C%d", row, col));
    }

private:
    struct TStyle {
        std::string NumberFormat = "General";
        TxlsFormat Format;
    };

    lxw_format* MakeFormat(const TStyle& s) {
        lxw_format* f = workbook_add_format(FBook);
        const TxlsFormat& x = s.Format;
        format_set_font_name(f, PlainXmlText(x.Font.Name).c_str());
        format_set_font_size(f, std::clamp(x.Font.Size, 1, 409));
        format_set_font_color(f, Rgb(x.Font.Color));
        if (x.Font.Style.Contains(xfsBold)) format_set_bold(f);
        if (x.Font.Style.Contains(xfsItalic)) format_set_italic(f);
        if (x.Font.Style.Contains(xfsStrikeOut)) format_set_font_strikeout(f);
        if (x.Font.Underline != fulNone && x.Font.Underline <= fulDoubleAccounting)
            format_set_underline(f, x.Font.Underline);  // the library's order
        if (x.Font.Script == fscSuperscript) format_set_font_script(f, LXW_FONT_SUPERSCRIPT);
        if (x.Font.Script == fscSubscript) format_set_font_script(f, LXW_FONT_SUBSCRIPT);
        if (x.Font.Charset != 1) format_set_font_charset(f, x.Font.Charset);
        if (s.NumberFormat != "General") format_set_num_format(f, PlainXmlText(s.NumberFormat).c_str());
        static constexpr uint8_t kHorizontal[] = {LXW_ALIGN_NONE, LXW_ALIGN_LEFT, LXW_ALIGN_CENTER, LXW_ALIGN_RIGHT,
                                                  LXW_ALIGN_FILL};
        static constexpr uint8_t kVertical[] = {LXW_ALIGN_VERTICAL_TOP, LXW_ALIGN_VERTICAL_CENTER,
                                                LXW_ALIGN_VERTICAL_BOTTOM, LXW_ALIGN_VERTICAL_JUSTIFY};
        if (x.Alignment.Horizontal != halGeneral && x.Alignment.Horizontal <= halFill)
            format_set_align(f, kHorizontal[x.Alignment.Horizontal]);
        if (x.Alignment.Vertical != valBottom && x.Alignment.Vertical <= valJustify)
            format_set_align(f, kVertical[x.Alignment.Vertical]);
        if (x.Wrap) format_set_text_wrap(f);
        // The border styles are the library's in the same order.
        auto side = [&](const TxlsBorder& b, void (*style)(lxw_format*, uint8_t),
                        void (*color)(lxw_format*, lxw_color_t)) {
            if (b.Style == bstNone || b.Style > bstSlantedDashDot) return;
            style(f, b.Style);
            color(f, Rgb(b.Color));
        };
        side(x.Borders.Left, format_set_left, format_set_left_color);
        side(x.Borders.Right, format_set_right, format_set_right_color);
        side(x.Borders.Top, format_set_top, format_set_top_color);
        side(x.Borders.Bottom, format_set_bottom, format_set_bottom_color);
        const bool down = x.Borders.DiagDown.Style != bstNone, up = x.Borders.DiagUp.Style != bstNone;
        if (down || up) {
            const TxlsBorder& diagonal = down ? x.Borders.DiagDown : x.Borders.DiagUp;
            format_set_diag_type(f, down && up ? LXW_DIAGONAL_BORDER_UP_DOWN
                                    : down     ? LXW_DIAGONAL_BORDER_DOWN
                                               : LXW_DIAGONAL_BORDER_UP);
            format_set_diag_border(f, std::min<uint8_t>(diagonal.Style, bstSlantedDashDot));
            format_set_diag_color(f, Rgb(diagonal.Color));
        }
        // The fill patterns are the library's in the same order. Background is the colour the
        // cell shows (the pattern's ink), Foreground the second one; the library swaps the two
        // of a solid fill itself.
        if (x.Fill.Pattern != ptNone && x.Fill.Pattern <= ptThinThinSpots) {
            format_set_pattern(f, x.Fill.Pattern);
            if (x.Fill.Pattern == ptSolid) {
                format_set_bg_color(f, Rgb(x.Fill.Background));
                format_set_fg_color(f, Rgb(x.Fill.Foreground));
            } else {
                format_set_fg_color(f, Rgb(x.Fill.Background));
                format_set_bg_color(f, Rgb(x.Fill.Foreground));
            }
        }
        return f;
    }

    TIB_OstrelXLSX& FExporter;
    TFileStream& FFile;
    lxw_workbook* FBook = nullptr;
    lxw_worksheet* FSheet = nullptr;
    std::string FScratch;
    std::vector<std::unique_ptr<TStyle>> FStyles;
    std::unordered_map<std::string, uint32_t> FKeys;
    std::vector<lxw_format*> FFormats;  // made when a cell first takes the style
    std::vector<TColumnNumbers> FNumbers;
};

TIB_OstrelXLSX::TIB_OstrelXLSX(TComponent* AOwner) : TIB_OstrelSheet(AOwner, kMaxRows, kMaxColumns, -1) {}

TIB_OstrelXLSX::~TIB_OstrelXLSX() = default;

TXlsxBook& TIB_OstrelXLSX::Book() { return static_cast<TXlsxBook&>(*Writer()); }

void TIB_OstrelXLSX::DoExecute() {
    TOutputFiles files;
    TFileStream& file = files.Create(FileName());
    std::unique_ptr<TOstrelWriter> writer = RunWith(std::make_unique<TXlsxBook>(*this, file));
    static_cast<TXlsxBook&>(*writer).Finish();
    writer.reset();
    files.Commit();
    ShowResult();
}

void TIB_OstrelXLSX::ResetSheet() {
    if (Writer()) Book().Reset();
}

TIB_OstrelSheet::TCellStyle TIB_OstrelXLSX::CellStyle(const std::string& numberFormat, const TxlsFormat* format) {
    return Book().Style(numberFormat, format);
}

void TIB_OstrelXLSX::BeginSheet() { Book().Open(); }

void TIB_OstrelXLSX::PutText(int row, int col, TCellStyle style, const std::string& text) {
    const char* tooLong = "Cell R%d,C%d: String length more than 32767 characters";
    // Counted before the escapes, as readers count the text.
    if (text.size() > kMaxTextLength && Utf16Units(ToUtf8(text)) > static_cast<size_t>(kMaxTextLength))
        throw EOstrelError(CellMessage(tooLong, row, col));
    // Most texts are printable ASCII without an underscore: written as they are, uncopied.
    bool plain = true;
    for (char c : text) plain &= (c >= 0x20 && c < 0x7F && c != '_') || c == '\t' || c == '\n';
    std::string converted;
    if (!plain) converted = XlsxCellText(text);
    const lxw_error error = worksheet_write_string(Book().Sheet(), row, static_cast<lxw_col_t>(col),
                                                   plain ? text.c_str() : converted.c_str(), Book().Format(style));
    if (error == LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED) throw EOstrelError(CellMessage(tooLong, row, col));
    Book().CheckCell(error, row, col);
}

void TIB_OstrelXLSX::PutNumber(int row, int col, TCellStyle style, double value) {
    // Numbers are only written on data rows, which the aggregates' ranges span.
    Book().Numbers(col).Add(value);
    const auto c = static_cast<lxw_col_t>(col);
    Book().CheckCell(worksheet_write_number(Book().Sheet(), row, c, value, Book().Format(style)), row, col);
}

void TIB_OstrelXLSX::PutBoolean(int row, int col, TCellStyle style, bool value) {
    const auto c = static_cast<lxw_col_t>(col);
    Book().CheckCell(worksheet_write_boolean(Book().Sheet(), row, c, value ? 1 : 0, Book().Format(style)), row, col);
}

void TIB_OstrelXLSX::PutEmptyValue(int row, int col, TCellStyle style, TOstrelColType) {
    const auto c = static_cast<lxw_col_t>(col);
    Book().CheckCell(worksheet_write_blank(Book().Sheet(), row, c, Book().Format(style)), row, col);
}

void TIB_OstrelXLSX::PutAggregate(int row, int col, TCellStyle style, TxlsAggregate aggregate, int firstRow,
                                  int lastRow) {
    static const char* const kFunctions[] = {"SUM", "SUM", "AVERAGE", "MIN", "MAX"};
    char range[64];
    lxw_rowcol_to_range(range, static_cast<lxw_row_t>(firstRow), static_cast<lxw_col_t>(col),
                        static_cast<lxw_row_t>(std::max(lastRow, 0)), static_cast<lxw_col_t>(col));
    const std::string formula =
        std::string("=") + kFunctions[aggregate <= aggMax ? aggregate : aggSum] + "(" + range + ")";
    const double result = Book().Numbers(col).Result(aggregate);
    const auto c = static_cast<lxw_col_t>(col);
    Book().CheckCell(worksheet_write_formula_num(Book().Sheet(), row, c, formula.c_str(), Book().Format(style), result),
                     row, col);
}

void TIB_OstrelXLSX::CompleteSheet() { Book().Close(); }

}  // namespace ostrel
