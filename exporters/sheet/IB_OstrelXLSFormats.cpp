#include "exporters/sheet/IB_OstrelXLSFormats.h"

#include <algorithm>
#include <cstring>

#include "platform/ByteOrder.h"
#include "platform/CodePage.h"
#include "platform/Errors.h"

namespace ostrel {

namespace {

struct TPaletteEntry {
    uint8_t Index;
    uint32_t Rgb;  // #RRGGBB
};

constexpr TPaletteEntry kPalette[kXlsColorCount] = {
    {8, 0x000000},  {60, 0x993300}, {59, 0x333300}, {58, 0x003300}, {56, 0x003366},
    {18, 0x000080}, {62, 0x333399}, {63, 0x333333}, {16, 0x800000}, {53, 0xFF6600},
    {19, 0x808000}, {17, 0x008000}, {21, 0x008080}, {12, 0x0000FF}, {54, 0x666699},
    {23, 0x808080}, {10, 0xFF0000}, {52, 0xFF9900}, {50, 0x99CC00}, {57, 0x339966},
    {49, 0x33CCCC}, {48, 0x3366FF}, {20, 0x800080}, {55, 0x969696}, {14, 0xFF00FF},
    {51, 0xFFCC00}, {13, 0xFFFF00}, {11, 0x00FF00}, {15, 0x00FFFF}, {40, 0x00CCFF},
    {61, 0x993366}, {22, 0xC0C0C0}, {45, 0xFF99CC}, {47, 0xFFCC99}, {43, 0xFFFF99},
    {42, 0xCCFFCC}, {41, 0xCCFFFF}, {44, 0x99CCFF}, {46, 0xCC99FF}, {9, 0xFFFFFF},
};

// Characters a record stores with one length byte.
constexpr size_t kMaxShortString = 255;

std::u16string CutUtf16(std::string_view text) {
    std::u16string wide = ToUtf16(text);
    if (wide.size() > kMaxShortString) wide.resize(kMaxShortString);
    return wide;
}

template <class T>
void ClearLastFirst(std::vector<T>& list) {
    while (!list.empty()) list.pop_back();
}

}  // namespace

const uint8_t kXlsDefaultXF[20] = {0x01, 0x00, 0x00, 0x00, 0x01, 0x00, 0x20, 0x00, 0x00, 0x00,
                                   0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x20};

int PutXlsString(uint8_t* buffer, std::string_view text) {
    if (IsAscii(text)) {
        const size_t n = std::min(text.size(), kMaxShortString);
        PutLE16(buffer, static_cast<uint32_t>(n));
        buffer[2] = 0x00;
        std::memcpy(buffer + 3, text.data(), n);
        return static_cast<int>(3 + n);
    }
    const std::u16string wide = CutUtf16(text);
    PutLE16(buffer, static_cast<uint32_t>(wide.size()));
    buffer[2] = 0x01;
    PutUtf16LE(buffer + 3, wide);
    return static_cast<int>(3 + 2 * wide.size());
}

int PutXlsShortWideString(uint8_t* buffer, std::string_view text) {
    const std::u16string wide = CutUtf16(text);
    buffer[0] = static_cast<uint8_t>(wide.size());
    buffer[1] = 0x01;
    PutUtf16LE(buffer + 2, wide);
    return static_cast<int>(2 + 2 * wide.size());
}

uint8_t XlsPaletteIndex(TxlsColor color) { return kPalette[color < kXlsColorCount ? color : 0].Index; }

TColor XlsScreenColor(TxlsColor color) {
    const uint32_t rgb = kPalette[color < kXlsColorCount ? color : 0].Rgb;
    return static_cast<TColor>(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF));
}

TxlsColor XlsColorOfScreen(TColor color) {
    switch (color) {
        case clMaroon: return clrDarkRed;
        case clRed: return clrRed;
        case clGreen: return clrGreen;
        case clOlive: return clrDarkYellow;
        case clLime: return clrBrightGreen;
        case clYellow: return clrYellow;
        case clNavy: return clrDarkBlue;
        case clPurple: return clrViolet;
        case clTeal: return clrTeal;
        case clGray: return clrGray50Percent;
        case clSilver: return clrGray25Percent;
        case clBlue: return clrBlue;
        case clFuchsia: return clrPink;
        case clAqua: return clrTurquoise;
        case clWhite: return clrWhite;
        default: return clrBlack;
    }
}

// ---- TxlsFont

void TxlsFont::Assign(const TxlsFont& source) {
    Size = source.Size;
    Style = source.Style;
    Color = source.Color;
    Script = source.Script;
    Underline = source.Underline;
    Charset = source.Charset;
    Name = source.Name;
}

void TxlsFont::Assign(const TFont& source) {
    Size = source.Size;
    Style = {};
    if (source.Style & fsBold) Style.Include(xfsBold);
    if (source.Style & fsItalic) Style.Include(xfsItalic);
    if (source.Style & fsStrikeOut) Style.Include(xfsStrikeOut);
    Underline = (source.Style & fsUnderline) ? fulSingle : fulNone;
    Color = XlsColorOfScreen(source.Color);
    Script = fscNone;
    Charset = static_cast<uint8_t>(source.Charset);
    Name = source.Name;
}

void TxlsFont::SetDefault() {
    Assign(TxlsFont{});
    Index = 0;
}

bool TxlsFont::Equals(const TxlsFont* other) const {
    return other && Size == other->Size && Style == other->Style && Color == other->Color &&
           Script == other->Script && Underline == other->Underline && Charset == other->Charset &&
           Name == other->Name;
}

bool TxlsFont::IsNameStored() const { return !SameText(Name, "Arial"); }

int TxlsFont::BuildFontRecord(uint8_t* buffer) const {
    PutLE16(buffer, static_cast<uint32_t>(Size * 20));
    PutLE16(buffer + 2, (Style.Contains(xfsItalic) ? 0x0002 : 0) | (Style.Contains(xfsStrikeOut) ? 0x0008 : 0));
    PutLE16(buffer + 4, XlsPaletteIndex(Color));
    PutLE16(buffer + 6, Style.Contains(xfsBold) ? 700 : 400);
    PutLE16(buffer + 8, Script);
    static constexpr uint8_t kUnderline[] = {0x00, 0x01, 0x02, 0x21, 0x22};
    buffer[10] = kUnderline[Underline <= fulDoubleAccounting ? Underline : 0];
    buffer[11] = 0;
    buffer[12] = Charset;
    buffer[13] = 0;
    return 14 + PutXlsShortWideString(buffer + 14, Name);
}

// ---- borders, fill, alignment

bool TxlsBorder::Equals(const TxlsBorder* other) const {
    return other && Style == other->Style && Color == other->Color;
}

void TxlsBorders::Assign(const TxlsBorders& source) {
    Left.Assign(source.Left);
    Right.Assign(source.Right);
    Top.Assign(source.Top);
    Bottom.Assign(source.Bottom);
    DiagDown.Assign(source.DiagDown);
    DiagUp.Assign(source.DiagUp);
}

void TxlsBorders::SetDefault() {
    for (TxlsBorder* b : {&Left, &Right, &Top, &Bottom, &DiagDown, &DiagUp}) b->SetDefault();
}

bool TxlsBorders::Equals(const TxlsBorders* other) const {
    return other && Left.Equals(&other->Left) && Right.Equals(&other->Right) && Top.Equals(&other->Top) &&
           Bottom.Equals(&other->Bottom) && DiagDown.Equals(&other->DiagDown) && DiagUp.Equals(&other->DiagUp);
}

bool TxlsBorders::AnyStyle() const {
    for (const TxlsBorder* b : {&Left, &Right, &Top, &Bottom, &DiagDown, &DiagUp})
        if (b->Style != bstNone) return true;
    return false;
}

void TxlsFill::Assign(const TxlsFill& source) {
    Background = source.Background;
    Pattern = source.Pattern;
    Foreground = source.Foreground;
}

void TxlsFill::SetDefault() { Assign(TxlsFill{}); }

bool TxlsFill::Equals(const TxlsFill* other) const {
    return other && Background == other->Background && Pattern == other->Pattern && Foreground == other->Foreground;
}

bool TxlsAlignment::Equals(const TxlsAlignment* other) const {
    return other && Horizontal == other->Horizontal && Vertical == other->Vertical;
}

// ---- TxlsFormat, TxlsFieldFormat

TxlsFormat::TxlsFormat(TxlsFieldFormats* collection) : FCollection(collection) {
    if (collection && collection->DataFormat()) TxlsFormat::Assign(*collection->DataFormat());
}

void TxlsFormat::Assign(const TxlsFormat& source) {
    if (&source == this) return;
    Font.Assign(source.Font);
    Borders.Assign(source.Borders);
    Fill.Assign(source.Fill);
    Alignment.Assign(source.Alignment);
    Wrap = source.Wrap;
}

std::string TxlsFormat::GetDisplayName() const { return "TxlsFormat"; }

void TxlsFormat::SetDefault() {
    Font.SetDefault();
    Borders.SetDefault();
    Fill.SetDefault();
    Alignment.SetDefault();
    Wrap = false;
}

bool TxlsFormat::IsDefault() const {
    const TxlsFont fresh;
    if (Font.Size != fresh.Size || !Font.Style.Empty() || Font.Color != clrBlack || Font.Script != fscNone ||
        Font.Underline != fulNone || Font.Charset != fresh.Charset || Font.Name != fresh.Name)
        return false;
    if (Borders.AnyStyle()) return false;
    return Fill.Background == clrWhite && Fill.Pattern == ptNone && Fill.Foreground == clrBlack &&
           Alignment.Horizontal == halGeneral && Alignment.Vertical == valBottom && !Wrap;
}

void TxlsFieldFormat::Assign(const TxlsFormat& source) {
    if (&source == this) return;
    if (auto* field = dynamic_cast<const TxlsFieldFormat*>(&source)) {
        Aggregate = field->Aggregate;
        Width = field->Width;
    }
    TxlsFormat::Assign(source);
}

std::string TxlsFieldFormat::GetDisplayName() const {
    return FieldName.empty() ? TxlsFormat::GetDisplayName() : FieldName;
}

void TxlsFieldFormat::SetDefault() {
    TxlsFormat::SetDefault();
    Aggregate = aggNone;
    Width = 0;
    FieldName.clear();
}

TxlsFieldFormat* TxlsFieldFormats::Add() {
    FItems.push_back(std::make_unique<TxlsFieldFormat>(this));
    return FItems.back().get();
}

void TxlsFieldFormats::Clear() { ClearLastFirst(FItems); }

int TxlsFieldFormats::IndexOf(const std::string& fieldName) const {
    for (int i = 0; i < Count(); ++i)
        if (SameText(FItems[i]->FieldName, fieldName)) return i;
    return -1;
}

const TxlsFieldFormat* TxlsFieldFormats::Find(const std::string& fieldName) const {
    const int i = IndexOf(fieldName);
    return i < 0 ? nullptr : FItems[i].get();
}

void TxlsFieldFormats::Assign(const TxlsFieldFormats& source) {
    if (&source == this) return;
    Clear();
    for (const auto& item : source.FItems) Add()->Assign(*item);
}

TXLSOptions::TXLSOptions() { CaptionsFormat.Font.Style = {xfsBold}; }

void TXLSOptions::Assign(const TXLSOptions& source) {
    if (&source == this) return;
    PageHeader = source.PageHeader;
    PageFooter = source.PageFooter;
    FSheetTitle = source.FSheetTitle;
    HeaderFormat.Assign(source.HeaderFormat);
    CaptionsFormat.Assign(source.CaptionsFormat);
    DataFormat.Assign(source.DataFormat);
    AggregateFormat.Assign(source.AggregateFormat);
    FooterFormat.Assign(source.FooterFormat);
}

// ---- registry entries

int TxlsTextFormat::BuildFormatRecord(uint8_t* buffer) const {
    PutLE16(buffer, Index);
    return 2 + PutXlsString(buffer + 2, Text);
}

bool TxlsXFormat::Equals(const TxlsXFormat* other) const {
    if (!other) return false;
    const bool sameNumberFormat = NumberFormat ? NumberFormat->Equals(other->NumberFormat) : !other->NumberFormat;
    const bool sameFont = Font ? Font->Equals(other->Font) : !other->Font;
    return sameNumberFormat && sameFont && Borders.Equals(&other->Borders) && Fill.Equals(&other->Fill) &&
           Alignment.Equals(&other->Alignment) && Wrap == other->Wrap;
}

void TxlsXFormat::BuildXFRecord(uint8_t* buffer) const {
    std::memcpy(buffer, kXlsDefaultXF, sizeof kXlsDefaultXF);
    if (Font) PutLE16(buffer, Font->Index);
    if (NumberFormat) PutLE16(buffer + 2, NumberFormat->Index);
    PutLE16(buffer + 6, Alignment.Horizontal | (Wrap ? 0x08 : 0) | (Alignment.Vertical << 4));
    const bool borders = Borders.AnyStyle();
    PutLE16(buffer + 8, 0x4000 | 0x1000 | (Font ? 0x0800 : 0) | (borders ? 0x2000 : 0));
    uint32_t styles = 0, sides = 0, topBottom = 0;
    if (borders) {
        auto side = [](const TxlsBorder& b, int styleShift, uint32_t& colours, int colourShift, uint32_t& lines) {
            if (b.Style == bstNone) return;
            lines |= static_cast<uint32_t>(b.Style & 0x0F) << styleShift;
            colours |= static_cast<uint32_t>(XlsPaletteIndex(b.Color) & 0x7F) << colourShift;
        };
        side(Borders.Left, 0, sides, 0, styles);
        side(Borders.Right, 4, sides, 7, styles);
        side(Borders.Top, 8, topBottom, 0, styles);
        side(Borders.Bottom, 12, topBottom, 7, styles);
        if (Borders.DiagDown.Style != bstNone) sides |= 0x4000;
        if (Borders.DiagUp.Style != bstNone) sides |= 0x8000;
        const TxlsBorder& diagonal = Borders.DiagDown.Style != bstNone ? Borders.DiagDown : Borders.DiagUp;
        if (diagonal.Style != bstNone) {
            topBottom |= static_cast<uint32_t>(XlsPaletteIndex(diagonal.Color) & 0x7F) << 14;
            topBottom |= static_cast<uint32_t>(diagonal.Style & 0x0F) << 21;
        }
    }
    topBottom |= static_cast<uint32_t>(Fill.Pattern & 0x3F) << 26;
    PutLE16(buffer + 10, styles);
    PutLE16(buffer + 12, sides);
    PutLE32(buffer + 14, topBottom);
    PutLE16(buffer + 18, (XlsPaletteIndex(Fill.Background) & 0x7F) | ((XlsPaletteIndex(Fill.Foreground) & 0x7F) << 7));
}

// ---- the registry

void TxlsFormatRegistry::Reset() {
    FieldXFormats.clear();
    ClearLastFirst(XFormats);
    ClearLastFirst(NumberFormats);
    ClearLastFirst(Fonts);
    LastFormatIndex = 49;
    LastXFIndex = 15;
    LastFontIndex = 4;
}

int TxlsFormatRegistry::IndexOfFont(const TxlsFont& font) const {
    for (size_t i = 0; i < Fonts.size(); ++i)
        if (Fonts[i]->Equals(&font)) return static_cast<int>(i);
    return -1;
}

int TxlsFormatRegistry::IndexOfText(const std::string& text) const {
    for (size_t i = 0; i < NumberFormats.size(); ++i)
        if (NumberFormats[i]->Text == text) return static_cast<int>(i);
    return -1;
}

int TxlsFormatRegistry::IndexOfXFormat(const TxlsXFormat& x) const {
    for (const auto& entry : XFormats)
        if (entry->Equals(&x)) return entry->Index;
    return -1;
}

int TxlsFormatRegistry::IndexOfIndex(int index) const {
    for (size_t i = 0; i < XFormats.size(); ++i)
        if (XFormats[i]->Index == index) return static_cast<int>(i);
    return -1;
}

int TxlsFormatRegistry::IndexOfField(const std::string& fieldName) const {
    for (size_t i = 0; i < FieldXFormats.size(); ++i)
        if (SameText(FieldXFormats[i].FieldName, fieldName)) return FieldXFormats[i].XFormat ? static_cast<int>(i) : -1;
    return -1;
}

uint16_t TxlsFormatRegistry::XFIndexOf(const std::string& fieldName) const {
    const int i = IndexOfField(fieldName);
    return i < 0 ? kDefaultXF : FieldXFormats[i].XFormat->Index;
}

std::string TxlsFormatRegistry::NumberFormatOf(uint16_t xfIndex) const {
    const int i = IndexOfIndex(xfIndex);
    if (i < 0 || !XFormats[i]->NumberFormat) return "General";
    return XFormats[i]->NumberFormat->Text;
}

uint16_t TxlsFormatRegistry::GetXFIndex(const std::string& formatText, const TxlsFormat* format,
                                        const TxlsFont& dataFont) {
    if (formatText == "General" && !format) return kDefaultXF;
    std::unique_ptr<TxlsTextFormat> numberFormat;
    if (formatText != "General") {
        // FORMAT records hold at most 255 characters; a longer format would be cut and misread.
        if (Utf16Length(formatText) > kMaxShortString)
            throw EOstrelError(FormatMessage("Number format longer than 255 characters: %s", formatText));
        numberFormat = std::make_unique<TxlsTextFormat>();
        numberFormat->Text = formatText;
    }
    auto x = std::make_unique<TxlsXFormat>();
    x->NumberFormat = numberFormat.get();
    std::unique_ptr<TxlsFont> newFont;
    if (format) {
        if (!dataFont.Equals(&format->Font)) {
            newFont = std::make_unique<TxlsFont>();
            newFont->Assign(format->Font);
        }
        x->Borders.Assign(format->Borders);
        x->Fill.Assign(format->Fill);
        x->Alignment.Assign(format->Alignment);
        x->Wrap = format->Wrap;
    }
    x->Font = newFont.get();
    if (const int k = IndexOfXFormat(*x); k != -1) return static_cast<uint16_t>(k);
    // Every number is written as a 16-bit field.
    if (LastXFIndex >= 0xFFFF || LastFontIndex >= 0xFFFF || LastFormatIndex >= 0xFFFF)
        throw EOstrelError("Too many cell formats for one workbook");
    if (newFont) {
        if (const int f = IndexOfFont(*newFont); f != -1) {
            x->Font = Fonts[f].get();
        } else {
            newFont->Index = static_cast<uint16_t>(++LastFontIndex);
            Fonts.push_back(std::move(newFont));
        }
    }
    if (numberFormat) {
        if (const int t = IndexOfText(numberFormat->Text); t != -1) {
            x->NumberFormat = NumberFormats[t].get();
        } else {
            numberFormat->Index = static_cast<uint16_t>(++LastFormatIndex);
            NumberFormats.push_back(std::move(numberFormat));
        }
    }
    x->Index = static_cast<uint16_t>(++LastXFIndex);
    XFormats.push_back(std::move(x));
    return XFormats.back()->Index;
}

}  // namespace ostrel
