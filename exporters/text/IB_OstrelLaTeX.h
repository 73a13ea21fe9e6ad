// LaTeX sources: a preamble for LaTeX 2e or 2.09, header lines, one ruled tabular, footer lines.
#pragma once

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
};

class TIB_OstrelLaTeX : public TIB_OstrelFormatText {
public:
    using TIB_OstrelFormatText::TIB_OstrelFormatText;
    TLaTeXOptions& Options() { return FOptions; }
    void SetOptions(const TLaTeXOptions& value) { FOptions.Assign(value); }
    TStrings& Preambula() { return FPreambula; }
    void SetPreambula(const TStrings& value) { FPreambula.Assign(value); }

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

private:
    TOLaTeXWriter& TexWriter() { return static_cast<TOLaTeXWriter&>(*Writer()); }
    bool Russian() const;

    TLaTeXOptions FOptions;
    TStrings FPreambula;
};

}  // namespace ostrel
