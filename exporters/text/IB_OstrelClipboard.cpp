#include "exporters/text/IB_OstrelClipboard.h"

#include "platform/FormatSettings.h"

namespace ostrel {

TIB_OstrelClipboard::TIB_OstrelClipboard(TComponent* AOwner)
    : TIB_OstrelMemory(AOwner), FSeparator(FormatSettings().ListSeparator) {}

void TIB_OstrelClipboard::SetExportType(TOClipboardExportType value) {
    FExportType = value;
    SetAutoCalcColWidth(value == etFixed);
}

void TIB_OstrelClipboard::BeginExport() {
    TIB_OstrelMemory::BeginExport();
    SetAutoCalcColWidth(FExportType == etFixed);
    if (!Title().empty()) Writer()->WriteLn(Title());
    if (!Header().Empty()) {
        for (const auto& line : Header()) Writer()->WriteLn(line);
        Writer()->EmptyLine();
    }
}

void TIB_OstrelClipboard::EndExport() {
    if (!Footer().Empty()) {
        for (const auto& line : Footer()) Writer()->WriteLn(line);
        Writer()->EmptyLine();
    }
    TIB_OstrelMemory::EndExport();
}

void TIB_OstrelClipboard::WriteCaptionRow() { Writer()->WriteLn(GetCaptionRow()); }

void TIB_OstrelClipboard::WriteDataRow() { Writer()->WriteLn(GetDataRow(true)); }

std::string TIB_OstrelClipboard::GetColCaption(int Index) {
    return Cell(Index, TIB_OstrelMemory::GetColCaption(Index));
}

std::string TIB_OstrelClipboard::GetColData(int Index, bool Formatted) {
    return Cell(Index, TIB_OstrelMemory::GetColData(Index, Formatted));
}

std::string TIB_OstrelClipboard::Cell(int Index, const std::string& text) const {
    if (FExportType == etSeparated) return text + FSeparator;
    return TOstrelWriter::PadLeft(text, ' ', Columns()[Index].Width) + std::string(std::max(FSpacing, 0), ' ');
}

}  // namespace ostrel
