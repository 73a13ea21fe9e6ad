// RTF documents (also saved under a Word file name): header, font and colour tables, one
// bordered table of the rows.
//
// Tables wider than the page. A column's natural width is 15 twips per pixel of its width in
// characters (the pixel width of "k" in the header font) plus 10. The text area is the page
// width less the left and right margins of 1800 twips that RTF readers assume when a document
// names none (8306 twips portrait, 13238 landscape; readers with narrower default margins have
// room to spare). A row that ends within it is written as it always was. A wider row is
// narrowed to end at the text area's right edge, and cell text wraps:
// - first choice: no column becomes narrower than twelve characters of the header font, or its
//   natural width when that is less, so that numbers, dates and codes stay whole and only the
//   wider text columns wrap, in proportion; the table's type may get up to a quarter smaller
//   (whole half-points) to keep them so;
// - when that cannot fit, widths stay proportional to the natural ones, but no column becomes narrower than six
//   characters of the header font, or its natural width when that is less, so that numbers,
//   dates and short words stay whole;
// - when there are too many columns for six characters each (of columns that wide, more than
//   12 at 10 points portrait, 20 landscape), the fonts of the table shrink so that six
//   characters still fit, down to 6 points; the text before and after the table keeps its size;
// - beyond that the columns share the row in proportion, none narrower than one character at
//   the shrunk size plus the cell indents (133 twips at 6 points). Only when even that is too
//   wide (more than 62 columns portrait, 99 landscape) does the row run past the page, the
//   columns at that minimum: narrower cells would show no character whole.
#pragma once

#include <memory>
#include <vector>

#include "engine/IB_Ostrel.h"

namespace ostrel {

// RTF text: backslashes and braces escaped, characters beyond ASCII as \uN? escapes.
std::string RtfEscape(std::string_view text);
void AppendRtfEscape(std::string& out, std::string_view text);

enum TOstrelPageOrientation : int { poPortrait = 0, poLandscape = 1 };

class TRTFOptions : public TObject {
public:
    TRTFOptions();
    TFont DefaultFont;
    TFont HeaderFont;
    TOstrelPageOrientation PageOrientation = poPortrait;
    void Assign(const TRTFOptions& source) { *this = source; }
};

struct TRTFHeader {
    int Version = 1;
    int DefaultFontIndex = 0;
    int DefTab = 720;
    std::string Charset = "ansi";
};

struct TRTFFontTableItem {
    int Index;
    std::string Family = "nil";
    std::string Name;
    std::string Text() const;
};

struct TRTFColorTableItem {
    int Red, Green, Blue;
    std::string Text() const;
    TColor Value() const { return Red | (Green << 8) | (Blue << 16); }
};

// The tables lead the document but grow while it is written. The writer keeps them in memory
// and writes everything after them to a spill file; Finish puts the head, the tables as they
// ended up and the spilled body into the destination. A new font or colour then costs the
// same however much of the document is written.
class TORTFWriter : public TOstrelWriter {
public:
    using TOstrelWriter::TOstrelWriter;
    ~TORTFWriter() override;

    TRTFHeader Header;
    std::vector<TRTFFontTableItem> FontTable;
    std::vector<TRTFColorTableItem> ColorTable;

    void WriteDocumentStart() { Write("{"); }
    void WriteHeader();
    void WriteFontTable();
    // Writes the colour table line; the body follows it, until a font or colour is added: then
    // it goes to a spill file, and Finish writes the tables again before it.
    void WriteColorTable();
    // When the body was spilled, writes the final tables and the body after the head in the
    // destination; later calls, and runs without a spill, do nothing.
    void Finish();
    void WritePar() { WriteLn("\\par"); }
    void WriteDocumentEnd() { Write("}"); }
    size_t HeaderLength() const;
    size_t FontTableLength() const;
    size_t ColorTableLength() const;
    // Table entries; after the tables they start the spill (see WriteColorTable).
    void AddFont(const std::string& name);
    void AddColor(TColor color);
    // "\fN\fsS" for the font, adding it to the written font table when it is new.
    std::string FontRef(const TFont& font, bool writeIt);
    // The same with the size given in half-points.
    std::string FontRef(const TFont& font, bool writeIt, int halfPoints);
    // "\cfN" or "\cbpatN" for the colour, adding it to the written colour table when it is new.
    std::string ColorRef(TColor color, bool background);
    // Inserts text at a byte position of the output, moving the rest of it.
    void InsertText(int64_t position, const std::string& text);
    std::string AlignToStr(TOstrelColAlign align) override;

private:
    // Moves the body written since the tables to a spill file, where the rest of it goes too:
    // a table entry added after the tables makes Finish write them again before the body.
    void BeginSpill();

    int64_t FBodyStart = -1;  // where the body began, once the tables are written
    TStream* FDestination = nullptr;
    std::unique_ptr<TFileStream> FSpill;
    std::string FSpillName;
};

// How a row of cells fits the text area (see the top of this file).
struct TRTFTableFit {
    std::vector<int> CellX;  // the right boundary of every cell, in twips from the margin
    double FontScale = 1;    // the table's font sizes are multiplied by this (1: unchanged)
};
// natural: the natural widths in twips; charTwips: one character of the header font in twips;
// halfPoints: the header font's size; pageWidth: the paper width in twips.
TRTFTableFit FitRtfTable(const std::vector<int64_t>& natural, int charTwips, int halfPoints, int pageWidth);

// The RGB value of a colour, system colours resolved to those of a light desktop theme.
TColor ResolveColor(TColor color);

class TIB_OstrelRTF : public TIB_OstrelFormatText {
public:
    using TIB_OstrelFormatText::TIB_OstrelFormatText;
    TRTFOptions& Options() { return FOptions; }
    void SetOptions(const TRTFOptions& value) { FOptions.Assign(value); }
    using TIB_Ostrel::ColumnsAlign;
    using TIB_Ostrel::ColumnsWidth;
    using TIB_Ostrel::OnGetCellParams;
    using TIB_Ostrel::SetColumnsAlign;
    using TIB_Ostrel::SetColumnsWidth;

protected:
    TOstrelWriterClass GetWriterClass() override { return &CreateWriterOf<TORTFWriter>; }
    void BeginExport() override;
    void BeforeExport() override;
    void EndExport() override;
    void WriteCaptionRow() override;
    void WriteDataRow() override;
    std::string GetColCaption(int Index) override;
    std::string GetColData(int Index, bool Formatted) override;
    std::string ReplaceSpecialChars(const std::string& Text) override;
    void AppendSpecialChars(std::string& out, std::string_view Text) override;
    void EscapeAppended(std::string& out, size_t start) override;

private:
    void AppendCellText(std::string& out, int Index, bool Formatted);
    // This class's escaping of directly read values, without virtual calls.
    struct TOwnEscape : TMarkupEscape {
        void Text(std::string& out, std::string_view text) { AppendRtfEscape(out, text); }
    };
    TORTFWriter& Rtf() { return static_cast<TORTFWriter&>(*Writer()); }
    // A font reference inside the table, at the table's font scale.
    std::string TableFontRef(const TFont& font, bool writeIt);
    TRTFOptions FOptions;
    double FFontScale = 1;  // of this run's table, below 1 when it was shrunk to fit the page
    std::string FRow, FValue;  // the fast rows' buffers
    struct TCellOpen {
        TOstrelColAlign Align = ecaLeft;
        std::string Format, Text;
    };
    std::vector<TCellOpen> FCellOpens;  // the fast rows' cell openings by column
};

}  // namespace ostrel
