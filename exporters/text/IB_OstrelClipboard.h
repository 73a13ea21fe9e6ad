// Clipboard text: separated values or right-aligned fixed-width columns.
#pragma once

#include "engine/IB_Ostrel.h"

namespace ostrel {

enum TOClipboardExportType : int { etSeparated = 0, etFixed = 1 };

class TIB_OstrelClipboard : public TIB_OstrelMemory {
public:
    explicit TIB_OstrelClipboard(TComponent* AOwner = nullptr);

    TOClipboardExportType ExportType() const { return FExportType; }
    // The fixed layout turns the width pre-pass on, the separated one off.
    void SetExportType(TOClipboardExportType value);
    char Separator() const { return FSeparator; }
    void SetSeparator(char value) { FSeparator = value; }
    int Spacing() const { return FSpacing; }
    void SetSpacing(int value) { FSpacing = value; }
    // Kept with the component; the export does not start it.
    const std::string& ClipboardViewer() const { return FClipboardViewer; }
    void SetClipboardViewer(const std::string& value) { FClipboardViewer = value; }

    using TIB_Ostrel::AllowCaptions;
    using TIB_Ostrel::Captions;
    using TIB_Ostrel::Footer;
    using TIB_Ostrel::Formats;
    using TIB_Ostrel::Header;
    using TIB_Ostrel::OnFetchedRecord;
    using TIB_Ostrel::SetAllowCaptions;
    using TIB_Ostrel::SetCaptions;
    using TIB_Ostrel::SetFooter;
    using TIB_Ostrel::SetFormats;
    using TIB_Ostrel::SetHeader;
    using TIB_Ostrel::SetUserFormats;
    using TIB_Ostrel::UserFormats;
    // Unpublished but written when set.
    using TIB_Ostrel::SetTitle;
    using TIB_Ostrel::Title;

protected:
    void BeginExport() override;
    void EndExport() override;
    void WriteCaptionRow() override;
    void WriteDataRow() override;
    std::string GetColCaption(int Index) override;
    std::string GetColData(int Index, bool Formatted) override;

private:
    std::string Cell(int Index, const std::string& text) const;

    TOClipboardExportType FExportType = etSeparated;
    char FSeparator;
    int FSpacing = 2;
    std::string FClipboardViewer = "Clipbrd.exe";
};

}  // namespace ostrel
