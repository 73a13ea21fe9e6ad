// LaTeX sources: a preamble for LaTeX 2e or 2.09, header lines, a ruled table of the rows,
// footer lines.
//
// The head of the document (preamble, header lines and table start) is written last, once the
// rows are known: the rows go to a spill file first. What the head then holds:
//
// - Scripts. With the UTF-8 code page every non-ASCII run of a script other than Latin is
//   wrapped in a command named after the script (\ostrelCyrl{...}, \ostrelArab{...}, ...). When
//   every character is one that pdflatex sets (Latin, Greek and Cyrillic through the T1, LGR and
//   T2A font encodings), the preamble loads those encodings and defines the commands to switch
//   to them: the document is for pdflatex. Otherwise it is for lualatex: the preamble stops any
//   other engine with a message, loads fontspec with Noto Serif (Latin, Greek, Cyrillic) and,
//   for each other script, the first installed of a few Debian fonts that cover it (Noto, and
//   WenQuanYi Micro Hei for Chinese, Japanese and Korean), set right to left where the script
//   is. Engine() tells which engine a run's file needs. Other code pages keep their preamble.
// - Layout. A table of at most SmallTableRows rows that fits the class's text width is the one
//   tabular of old. A longer or wider one is a longtable, whose caption row repeats on every
//   page. A table too wide for the text width is set in the largest of the normal, small,
//   footnote and script sizes at which it fits, on a portrait or else a landscape page with
//   15 mm margins (geometry). When it fits at none, it is set in script size on a landscape
//   page with wrapping columns (each at least as wide as its longest word), and, when even
//   those do not fit side by side, its columns are split into parts shown one after another,
//   each part with every row. Widths are estimated from the characters of the texts.
//   LaTeX 2.09 documents always hold the one tabular.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "engine/IB_Ostrel.h"

namespace ostrel {

enum TLaTeXVersion : int { LaTeX209 = 0, LaTeX2e = 1 };
enum TLaTeXDocStyle : int { dsArticle = 0, dsBook = 1 };

std::string DocStyleName(TLaTeXDocStyle style);

class TLaTeXOptions : public TObject {
public:
    TLaTeXOptions();
    TLaTeXVersion LaTeXVersion() const { return FLaTeXVersion; }
    void SetLaTeXVersion(TLaTeXVersion value) { FLaTeXVersion = value; }
    TLaTeXDocStyle DocumentStyle() const { return FDocumentStyle; }
    void SetDocumentStyle(TLaTeXDocStyle value) { FDocumentStyle = value; }
    const std::string& DocumentParams() const { return FDocumentParams; }
    void SetDocumentParams(const std::string& value) { FDocumentParams = value; }
    int CodePage() const { return FCodePage; }
    // 0 or less stores the process code page.
    void SetCodePage(int value);
    const std::string& Languages() const { return FLanguages; }
    void SetLanguages(const std::string& value) { FLanguages = value; }
    void Assign(const TLaTeXOptions& source);

private:
    TLaTeXVersion FLaTeXVersion = LaTeX2e;
    TLaTeXDocStyle FDocumentStyle = dsArticle;
    std::string FDocumentParams = "a4paper";
    int FCodePage;
    std::string FLanguages = "english";
};

class TOLaTeXWriter : public TOstrelWriter {
public:
    using TOstrelWriter::TOstrelWriter;
    void BeginEnv(const std::string& name, const std::string& arg);
    void EndEnv(const std::string& name) { WriteLn("\\end{" + name + "}"); }
    void HLine() { WriteLn("\\hline"); }
    void RowEnd() { WriteLn("\\\\"); }
    void UsePackage(const std::string& name, const std::string& options) {
        WriteLn("\\usepackage[" + options + "]{" + name + "}");
    }

    // From here on the output goes to a temporary spill file, until Unspill.
    void Spill();
    // Back to the destination; the spill stays readable through CopySpill and ReadSpill.
    void Unspill();
    bool Spilling() const { return FDestination != nullptr; }
    // A row spilled as the table of every column writes it: its cells joined by " & " and
    // its end (kRowEnd); the cells' lengths apart, for tables of other columns.
    void SpillRow(const std::vector<std::string>& cells);
    // Writes the spilled rows as they are.
    void CopySpill();
    // Calls row(cells) for every spilled row, in order.
    void ReadSpill(const std::function<void(const std::vector<std::string_view>&)>& row);
    // What follows a row of the table: the row's end and its rule.
    static constexpr std::string_view kRowEnd = "\r\n\\\\\r\n\\hline\r\n";

private:
    std::unique_ptr<TFileStream> TemporaryFile();
    TStream* FDestination = nullptr;
    std::unique_ptr<TFileStream> FSpill;    // the rows
    std::unique_ptr<TFileStream> FLengths;  // each row's cell count and cell lengths
    std::string FRecord;  // the row being spilled
    std::vector<uint32_t> FCellLengths;
};

struct TLaTeXLayout;

class TIB_OstrelLaTeX : public TIB_OstrelFormatText {
public:
    using TIB_OstrelFormatText::TIB_OstrelFormatText;
    TLaTeXOptions& Options() { return FOptions; }
    void SetOptions(const TLaTeXOptions& value) { FOptions.Assign(value); }
    TStrings& Preambula() { return FPreambula; }
    void SetPreambula(const TStrings& value) { FPreambula.Assign(value); }

    // The engine the file of the last run needs: "pdflatex" or "lualatex".
    const std::string& Engine() const { return FEngine; }
    // Rows a tabular keeps to; more go into a longtable.
    static constexpr int SmallTableRows = 30;

protected:
    TOstrelWriterClass GetWriterClass() override { return &CreateWriterOf<TOLaTeXWriter>; }
    void BeginExport() override;
    void EndExport() override;
    std::string GetCaptionRow() override;
    void WriteCaptionRow() override;
    std::string GetDataRow(bool Formatted) override;
    void WriteDataRow() override;
    std::string GetColCaption(int Index) override;
    std::string GetColData(int Index, bool Formatted) override;
    TCharSet GetSpecialChars() override;
    std::string ReplaceSpecialChars(const std::string& Text) override;
    void AppendSpecialChars(std::string& out, std::string_view Text) override;

private:
    // ReplaceSpecialChars's text appended to out, measured as it is.
    void AppendEscaped(std::string& out, std::string_view Text);
    // A cell holding its value's export text: escaped where the formatting did not, its widths
    // recorded for its column.
    void FinishCell(std::string& cell, int Index, bool escaped);
    // What the texts passed through ReplaceSpecialChars need.
    struct TTextNeeds {
        bool NonAscii = false;  // any character beyond ASCII
        bool Unicode = false;   // a character that pdflatex cannot set
        uint64_t Scripts = 0;   // a bit for each script wrapped in its command
    };
    // One column's estimated widths, in ems of the table's type.
    struct TColumnSize {
        double Natural = 0;  // the widest text on one line
        double Word = 0;     // the widest word
    };

    TOLaTeXWriter& TexWriter() { return static_cast<TOLaTeXWriter&>(*Writer()); }
    bool Russian() const;
    // Whether non-ASCII runs are wrapped in script commands: UTF-8 text in a LaTeX 2e document.
    bool Utf8() const;
    void Measure(int Index, double width, double word);
    // Writes the head, the spilled rows and the tail; later calls do nothing.
    void Complete();
    TLaTeXLayout ChooseLayout();
    void WritePreamble(const TLaTeXLayout& layout);
    void WriteTables(const TLaTeXLayout& layout);

    TLaTeXOptions FOptions;
    TStrings FPreambula;
    std::string FEngine = "pdflatex";

    // State of one run.
    TTextNeeds FNeeds;
    double FLastWidth = 0, FLastWord = 0;  // of the texts of one cell or caption
    std::vector<TColumnSize> FSizes;
    std::vector<std::string> FCaptions;  // empty when the run has no caption row
    std::vector<std::string> FCells;     // of the row being written
    int64_t FRows = 0;
    bool FCompleted = false;
};

}  // namespace ostrel
