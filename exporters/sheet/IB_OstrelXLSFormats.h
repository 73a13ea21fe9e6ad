// Cell styles of workbooks: the palette, the persistent style classes the user edits, and
// the per-run registry that turns styles into FONT, FORMAT and XF records.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "engine/Classes.h"
#include "platform/Graphics.h"

namespace ostrel {

enum TxlsColor : uint8_t {
    clrBlack, clrBrown, clrOliveGreen, clrDarkGreen, clrDarkTeal, clrDarkBlue, clrIndigo,
    clrGray80Percent, clrDarkRed, clrOrange, clrDarkYellow, clrGreen, clrTeal, clrBlue,
    clrBlueGray, clrGray50Percent, clrRed, clrLightOrange, clrLime, clrSeaGreen, clrAqua,
    clrLightBlue, clrViolet, clrGray40Percent, clrPink, clrGold, clrYellow, clrBrightGreen,
    clrTurquoise, clrSkyBlue, clrPlum, clrGray25Percent, clrRose, clrTan, clrLightYellow,
    clrLihtGreen, clrLightTurquoise, clrPaleBlue, clrLavender, clrWhite
};
constexpr int kXlsColorCount = 40;

// The index of the colour in the workbook's default palette, which is what cells store.
uint8_t XlsPaletteIndex(TxlsColor color);
// The colour the user interface paints for it ($BBGGRR).
TColor XlsScreenColor(TxlsColor color);
// The palette colour of a screen colour; anything without an exact match is black.
TxlsColor XlsColorOfScreen(TColor color);

// The fixed XF 15: the workbook's default cell format, and the template of registered XFs.
extern const uint8_t kXlsDefaultXF[20];
// Strings of record bodies, cut to the 255 characters a count holds. A count of two bytes,
// the option byte, then the text: 8-bit when it is all ASCII, else UTF-16 (beyond ASCII the
// bytes would be read in the workbook's code page). Returns the bytes written.
int PutXlsString(uint8_t* buffer, std::string_view text);
// A count of one byte, the option byte 0x01, then the text in UTF-16.
int PutXlsShortWideString(uint8_t* buffer, std::string_view text);

enum TxlsFontStyle : uint8_t { xfsBold, xfsItalic, xfsStrikeOut };
enum TxlsFontScript : uint8_t { fscNone, fscSuperscript, fscSubscript };
enum TxlsFontUnderline : uint8_t { fulNone, fulSingle, fulDouble, fulSingleAccounting, fulDoubleAccounting };
enum TxlsBorderStyle : uint8_t {
    bstNone, bstThin, bstMedium, bstDashed, bstDotted, bstThick, bstDouble, bstHair,
    bstMediumDashed, bstDashDot, bstMediumDashDot, bstDashDotDot, bstMediumDashDotDot,
    bstSlantedDashDot
};
enum TxlsPattern : uint8_t {
    ptNone, ptSolid, ptChess, ptWhiteSpots, ptBlackSpots, ptBoldHorizontal, ptBoldVertical,
    ptBoldDiagRight, ptBoldDiagLeft, ptBoldChess, ptRingMail, ptThinGorizontal, ptThinVertical,
    ptThinDiagLeft, ptThinDiagRight, ptCells, ptCrissCross, ptThinSpots, ptThinThinSpots
};
enum TxlsHorizontalAlignment : uint8_t { halGeneral, halLeft, halCenter, halRight, halFill };
enum TxlsVerticalAlignment : uint8_t { valTop, valCenter, valBottom, valJustify };
enum TxlsAggregate : uint8_t { aggNone, aggSum, aggAvg, aggMin, aggMax };

// A set of font styles.
class TxlsFontStyles {
public:
    constexpr TxlsFontStyles() = default;
    constexpr TxlsFontStyles(std::initializer_list<TxlsFontStyle> styles) {
        for (auto s : styles) FBits |= Bit(s);
    }
    constexpr bool Contains(TxlsFontStyle s) const { return FBits & Bit(s); }
    constexpr void Include(TxlsFontStyle s) { FBits |= Bit(s); }
    constexpr void Exclude(TxlsFontStyle s) { FBits &= ~Bit(s); }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr bool operator==(const TxlsFontStyles&) const = default;

private:
    static constexpr uint8_t Bit(TxlsFontStyle s) { return static_cast<uint8_t>(1u << s); }
    uint8_t FBits = 0;
};

class TxlsFont : public TObject {
public:
    int Size = 10;  // points
    TxlsFontStyles Style;
    TxlsColor Color = clrBlack;
    TxlsFontScript Script = fscNone;
    TxlsFontUnderline Underline = fulNone;
    uint8_t Charset = 1;  // the platform's default character set
    std::string Name = "Arial";
    uint16_t Index = 0;  // font number once registered

    void Assign(const TxlsFont& source);
    // From a screen font: size, styles, single underline, colour by the palette table.
    void Assign(const TFont& source);
    void SetDefault();
    bool Equals(const TxlsFont* other) const;
    // Whether Name differs from the default and so is worth storing.
    bool IsNameStored() const;
    // The FONT record body; returns its length.
    int BuildFontRecord(uint8_t* buffer) const;
};

class TxlsBorder : public TObject {
public:
    TxlsBorderStyle Style = bstNone;
    TxlsColor Color = clrBlack;
    void Assign(const TxlsBorder& source) { Style = source.Style, Color = source.Color; }
    void SetDefault() { Style = bstNone, Color = clrBlack; }
    bool Equals(const TxlsBorder* other) const;
};

class TxlsBorders : public TObject {
public:
    TxlsBorder Left, Right, Top, Bottom, DiagDown, DiagUp;
    void Assign(const TxlsBorders& source);
    void SetDefault();
    bool Equals(const TxlsBorders* other) const;
    bool AnyStyle() const;
};

class TxlsFill : public TObject {
public:
    TxlsColor Background = clrWhite;  // what the cell shows with ptSolid
    TxlsPattern Pattern = ptNone;
    TxlsColor Foreground = clrBlack;  // the pattern's second ink
    void Assign(const TxlsFill& source);
    void SetDefault();
    bool Equals(const TxlsFill* other) const;
};

class TxlsAlignment : public TObject {
public:
    TxlsHorizontalAlignment Horizontal = halGeneral;
    TxlsVerticalAlignment Vertical = valBottom;
    void Assign(const TxlsAlignment& source) { Horizontal = source.Horizontal, Vertical = source.Vertical; }
    void SetDefault() { Horizontal = halGeneral, Vertical = valBottom; }
    bool Equals(const TxlsAlignment* other) const;
};

class TxlsFieldFormats;

// A cell style; also an item of a field-format collection.
class TxlsFormat : public TObject {
public:
    TxlsFormat() = default;
    // Created inside a collection: starts as a copy of the exporter's data format.
    explicit TxlsFormat(TxlsFieldFormats* collection);
    TxlsFormat(const TxlsFormat&) = delete;
    TxlsFormat& operator=(const TxlsFormat&) = delete;

    TxlsFont Font;
    TxlsBorders Borders;
    TxlsFill Fill;
    TxlsAlignment Alignment;
    bool Wrap = false;

    void SetFont(const TxlsFont& value) { Font.Assign(value); }
    void SetBorders(const TxlsBorders& value) { Borders.Assign(value); }
    void SetFill(const TxlsFill& value) { Fill.Assign(value); }
    void SetAlignment(const TxlsAlignment& value) { Alignment.Assign(value); }

    TxlsFieldFormats* Collection() const { return FCollection; }
    virtual void Assign(const TxlsFormat& source);
    virtual std::string GetDisplayName() const;
    virtual void SetDefault();
    bool IsDefault() const;

private:
    TxlsFieldFormats* FCollection = nullptr;
};

class TxlsFieldFormat : public TxlsFormat {
public:
    using TxlsFormat::TxlsFormat;
    std::string FieldName;
    int Width = 0;  // copied with the format; column widths come from ColumnsWidth
    TxlsAggregate Aggregate = aggNone;

    // Copies Width and Aggregate from a field format and the style from any format; the
    // field name stays.
    void Assign(const TxlsFormat& source) override;
    std::string GetDisplayName() const override;
    void SetDefault() override;
};

// The per-field formats of one exporter; new items start as its data format.
class TxlsFieldFormats : public TObject {
public:
    TxlsFieldFormats(TComponent* owner, const TxlsFormat* dataFormat)
        : FOwner(owner), FDataFormat(dataFormat) {}
    TxlsFieldFormats(const TxlsFieldFormats&) = delete;
    TxlsFieldFormats& operator=(const TxlsFieldFormats&) = delete;

    TxlsFieldFormat* Add();
    TxlsFieldFormat* Items(int i) const { return FItems.at(i).get(); }
    int Count() const { return static_cast<int>(FItems.size()); }
    void Delete(int i) { FItems.erase(FItems.begin() + i); }
    void Clear();
    // The first item for the field (without regard to case), or -1.
    int IndexOf(const std::string& fieldName) const;
    const TxlsFieldFormat* Find(const std::string& fieldName) const;
    // Copies every item; the copies have no field names.
    void Assign(const TxlsFieldFormats& source);
    TComponent* Owner() const { return FOwner; }
    const TxlsFormat* DataFormat() const { return FDataFormat; }

private:
    TComponent* FOwner;
    const TxlsFormat* FDataFormat;
    std::vector<std::unique_ptr<TxlsFieldFormat>> FItems;
};

class TXLSOptions : public TObject {
public:
    TXLSOptions();
    TXLSOptions(const TXLSOptions&) = delete;
    TXLSOptions& operator=(const TXLSOptions&) = delete;

    std::string PageHeader;
    std::string PageFooter = "Page &P of &N";
    const std::string& SheetTitle() const { return FSheetTitle; }
    // An empty title is stored as "Sheet1".
    void SetSheetTitle(const std::string& value) { FSheetTitle = value.empty() ? "Sheet1" : value; }
    TxlsFormat HeaderFormat, CaptionsFormat, DataFormat, AggregateFormat, FooterFormat;

    void Assign(const TXLSOptions& source);

private:
    std::string FSheetTitle = "Sheet 1";
};

// Registry entries of one run.

struct TxlsTextFormat {
    uint16_t Index = 0;
    std::string Text = "General";
    bool Equals(const TxlsTextFormat* other) const { return other && Text == other->Text; }
    // The FORMAT record body; returns its length.
    int BuildFormatRecord(uint8_t* buffer) const;
};

struct TxlsXFormat {
    uint16_t Index = 0;
    TxlsFont* Font = nullptr;                  // none: the workbook's data font (font 1)
    TxlsTextFormat* NumberFormat = nullptr;    // none: General
    TxlsBorders Borders;
    TxlsFill Fill;
    TxlsAlignment Alignment;
    bool Wrap = false;

    bool Equals(const TxlsXFormat* other) const;
    // The 20-byte XF record body.
    void BuildXFRecord(uint8_t* buffer) const;
};

struct TxlsXFormatField {
    std::string FieldName;
    TxlsXFormat* XFormat = nullptr;
};

// The fonts, number formats and cell formats a run needs, numbered as the workbook writes
// them: fonts from 5, number formats from 50, XFs from 16.
class TxlsFormatRegistry {
public:
    static constexpr uint16_t kDefaultXF = 15;
    TxlsFormatRegistry() { Reset(); }

    std::vector<std::unique_ptr<TxlsFont>> Fonts;
    std::vector<std::unique_ptr<TxlsTextFormat>> NumberFormats;
    std::vector<std::unique_ptr<TxlsXFormat>> XFormats;
    std::vector<TxlsXFormatField> FieldXFormats;
    int LastFontIndex = 4;
    int LastFormatIndex = 49;
    int LastXFIndex = 15;

    // Empties the lists (last entry first) and restarts the numbers.
    void Reset();
    // The XF number for the number format and style; registers what is new. dataFont is the
    // font of the workbook's font 1.
    uint16_t GetXFIndex(const std::string& formatText, const TxlsFormat* format, const TxlsFont& dataFont);

    int IndexOfFont(const TxlsFont& font) const;
    int IndexOfText(const std::string& text) const;
    // The Index of the first equal XF, or -1.
    int IndexOfXFormat(const TxlsXFormat& x) const;
    // The position of the XF with this number, or -1.
    int IndexOfIndex(int index) const;
    int IndexOfField(const std::string& fieldName) const;
    // The XF prepared for a field; the default cell format when none.
    uint16_t XFIndexOf(const std::string& fieldName) const;
    // The number format of an XF, "General" when it has none.
    std::string NumberFormatOf(uint16_t xfIndex) const;
};

}  // namespace ostrel
