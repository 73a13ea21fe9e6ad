// HTML pages: a style sheet from colour and font options, one table, optional paging over
// several files with an index page.
#pragma once

#include <memory>

#include "engine/IB_Ostrel.h"
#include "platform/OutputFiles.h"
#include "exporters/text/IB_OstrelHTMLTemplates.h"

namespace ostrel {

enum TUsingCSS : int { usInternal = 0, usExternal = 1 };
enum TDefaultOption : unsigned { doFontName = 1u << 0, doFontSize = 1u << 1 };
using TDefaultOptions = unsigned;

class TTableOptions : public TObject {
public:
    int Border = 1, CellPadding = 4, CellSpacing = 1;
    TStrings AdvancedAttributes;
    TColor HeadersRowBgColor = 0, HeadersRowFontColor = 0, TableBgColor = 0, TableFontColor = 0,
           OddRowBgColor = 0;
    TColor BorderColor = clWhite;
    void Assign(const TTableOptions& source) { *this = source; }
};

class THTMLOptions : public TObject {
public:
    THTMLOptions() { TextFont.Name = "Arial"; }
    TColor BackgroundColor = 0;
    std::string BackgroundFileName;
    TColor LinkColor = 0, VLinkColor = 0, ALinkColor = 0;
    TFont TextFont;
    TStrings AdvancedAttributes;
    TDefaultOptions DefaultOptions = doFontSize;
    void Assign(const THTMLOptions& source) { *this = source; }
};

class TOHTMLWriter : public TOstrelWriter {
public:
    using TOstrelWriter::TOstrelWriter;
    void OpenHTML() { WriteLn("<HTML>"); }
    void CloseHTML() { WriteLn("</HTML>"); }
    void OpenHead() { WriteLn("<HEAD>"); }
    void CloseHead() { WriteLn("</HEAD>"); }
    void OpenBody() { WriteLn("<BODY>"); }
    void CloseBody() { WriteLn("</BODY>"); }
    void OpenStyle() { WriteLn("<Style type=\"text/css\">"); }
    void CloseStyle() { WriteLn("</STYLE>"); }
    void OpenList() { WriteLn("<UI>"); }
    void CloseList() { WriteLn("</UI>"); }
    void ListItem() { WriteLn("<LI>"); }
    void WriteTitle(const std::string& text) { WriteLn(" <Title>" + text + "</Title>"); }
    std::string AlignToStr(TOstrelColAlign align) override;
};

// "#RRGGBB" of a colour.
std::string ColorToHTML(TColor color);

class TIB_OstrelHTML : public TIB_OstrelFormatText {
public:
    explicit TIB_OstrelHTML(TComponent* AOwner = nullptr);

    TUsingCSS UsingCSS() const { return FUsingCSS; }
    void SetUsingCSS(TUsingCSS value) { FUsingCSS = value; }
    TTableOptions& TableOptions() { return FTableOptions; }
    const TTableOptions& TableOptions() const { return FTableOptions; }
    void SetTableOptions(const TTableOptions& value) { FTableOptions.Assign(value); }
    THTMLOptions& HTMLOptions() { return FHTMLOptions; }
    const THTMLOptions& HTMLOptions() const { return FHTMLOptions; }
    void SetHTMLOptions(const THTMLOptions& value) { FHTMLOptions.Assign(value); }
    THTMLTemplate HTMLTemplate() const { return FHTMLTemplate; }
    // Copies the template's colours and font name; selecting the current one changes nothing.
    void SetHTMLTemplate(THTMLTemplate value);
    void ApplyTemplate(const RHTMLTemplate& t);
    const std::string& CSSFileName() const { return FCSSFileName; }
    void SetCSSFileName(const std::string& value) { FCSSFileName = value; }
    int MaxRecords() const { return FMaxRecords; }
    void SetMaxRecords(int value) { FMaxRecords = value < 0 ? 0 : value; }
    bool GenerateIndex() const { return FGenerateIndex; }
    void SetGenerateIndex(bool value) { FGenerateIndex = value; }
    bool BoolAsCheckBox() const { return FBoolAsCheckBox; }
    void SetBoolAsCheckBox(bool value) { FBoolAsCheckBox = value; }
    using TIB_Ostrel::ColumnsAlign;
    using TIB_Ostrel::OnGetCellParams;
    using TIB_Ostrel::SetColumnsAlign;
    using TIB_Ostrel::SetTitle;
    using TIB_Ostrel::Title;

    // Template files: two INI sections of colour texts and the font name.
    void SaveTemplateToFile(const std::string& fileName);
    void LoadTemplateFromFile(const std::string& fileName);

    // The file name of page k (from 1) of a paged export.
    std::string PageFileName(int page) const;
    int PageCount() const { return FPageCount; }
    const TStrings& StyleLines() const { return FStyleLines; }

    void DoExecute() override;

protected:
    TOstrelWriterClass GetWriterClass() override { return &CreateWriterOf<TOHTMLWriter>; }
    void BeginExport() override;
    void AfterExport() override;
    void EndExport() override;
    void WriteCaptionRow() override {}
    void WriteDataRow() override;
    std::string GetColData(int Index, bool Formatted) override;
    TCharSet GetSpecialChars() override;
    std::string ReplaceSpecialChars(const std::string& Text) override;
    void AppendSpecialChars(std::string& out, std::string_view Text) override;
    void EscapeAppended(std::string& out, size_t start) override;
    void ShowResult() override;

private:
    // A cell's text as GetColData shows it after its attributes.
    void AppendCellText(std::string& out, int Index, bool Formatted);
    // This class's escaping of directly read values, without virtual calls.
    struct TOwnEscape : TMarkupEscape {
        void Text(std::string& out, std::string_view text) {
            static_cast<TIB_OstrelHTML&>(Exporter).AppendEscaped(out, text);
        }
    };
    // The special characters as entities, line breaks as <br>.
    void AppendEscaped(std::string& out, std::string_view Text);
    TOHTMLWriter& Html() { return static_cast<TOHTMLWriter&>(*Writer()); }
    void AddFontLines(int indent);
    void BeginPage();
    void WriteHeadStyle(TOHTMLWriter& w, bool forIndex);
    void WriteEndSequence();
    void WriteIndex();
    TColor RowBackground(int recNo) const;

    TUsingCSS FUsingCSS = usInternal;
    TTableOptions FTableOptions;
    THTMLOptions FHTMLOptions;
    THTMLTemplate FHTMLTemplate = htCustom;
    std::string FCSSFileName;
    int FMaxRecords = 0;
    bool FGenerateIndex = false;
    bool FBoolAsCheckBox = false;

    TStrings FStyleLines;
    int FPageCount = 0;
    bool FUseBorderColor = false;
    bool FPageBegun = false;
    bool FFileDestination = false;
    TFileStream* FPageStream = nullptr;  // owned by FOutputs
    TOutputFiles* FOutputs = nullptr;    // the files of the run in progress
    std::string FRow;                    // the fast rows' buffer
    struct TCellOpen {
        TOstrelColAlign Align = ecaLeft;
        std::string Text[2];  // even, odd rows
    };
    std::vector<TCellOpen> FCellOpens;  // the fast rows' opening tags by column
};

}  // namespace ostrel
