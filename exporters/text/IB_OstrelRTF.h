// RTF documents (also saved under a Word file name): header, font and colour tables, one
// bordered table of the rows.
#pragma once

#include <memory>
#include <vector>

#include "engine/IB_Ostrel.h"

namespace ostrel {

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
    // Writes the colour table line; from here on the body goes to the spill file.
    void WriteColorTable();
    // Writes the head, the final tables and the body to the destination; later calls do nothing.
    void Finish();
    void WritePar() { WriteLn("\\par"); }
    void WriteDocumentEnd() { Write("}"); }
    size_t HeaderLength() const;
    size_t FontTableLength() const;
    size_t ColorTableLength() const;
    void AddFont(const std::string& name);
    void AddColor(TColor color);
    // "\fN\fsS" for the font, adding it to the written font table when it is new.
    std::string FontRef(const TFont& font, bool writeIt);
    // "\cfN" or "\cbpatN" for the colour, adding it to the written colour table when it is new.
    std::string ColorRef(TColor color, bool background);
    // Inserts text at a byte position of the output, moving the rest of it.
    void InsertText(int64_t position, const std::string& text);
    std::string AlignToStr(TOstrelColAlign align) override;

private:
    TStream* FDestination = nullptr;
    std::unique_ptr<TFileStream> FSpill;
    std::string FSpillName;
};

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

private:
    TORTFWriter& Rtf() { return static_cast<TORTFWriter&>(*Writer()); }
    TRTFOptions FOptions;
};

// RTF text: backslashes and braces escaped, characters beyond ASCII as \uN? escapes.
std::string RtfEscape(std::string_view text);

}  // namespace ostrel
