// The dialog's settings model: every choice the window offers, as a setting with a value, the
// rules that tie settings together, page visibility and enabling. A window is a view over it:
// editing a control assigns a setting, and every change of a setting is announced so that the
// view shows it. No toolkit type appears here.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "dialog/DialogCaptionsGrid.h"
#include "dialog/DialogFieldLists.h"
#include "dialog/DialogUserFormats.h"
#include "dialog/DialogXLSFormatList.h"
#include "dialog/IB_OstrelDialog.h"
#include "dialog/IB_OstrelConsts.h"

namespace ostrel {

struct TOstrelDialogExporters;
class TIB_OstrelHTML;

enum TSettingKind : int { skString, skInteger, skBoolean, skColor, skChar };

// id, kind, initial value (text for strings, number for the others)
#define OSTREL_DIALOG_SETTINGS(S, N)                 \
    /* destination and record window */             \
    S(FileName, "")                                 \
    N(ShowFile, skBoolean, 1)                       \
    N(PrintFile, skBoolean, 0)                      \
    N(ExportType, skInteger, 0)                     \
    S(OptionsFileName, "")                          \
    N(GoToFirstRecord, skBoolean, 1)                \
    N(ExportRecCount, skInteger, 0)                 \
    N(SkipRecCount, skInteger, 0)                   \
    N(ExportOnly, skBoolean, 0)                     \
    /* formats and captions */                      \
    S(IntegerFormat, "")                            \
    S(FloatFormat, "")                              \
    S(DateFormat, "")                               \
    S(TimeFormat, "")                               \
    S(DateTimeFormat, "")                           \
    S(CurrencyFormat, "")                           \
    S(BooleanTrue, "")                              \
    S(BooleanFalse, "")                             \
    S(NullString, "")                               \
    N(AllowCaptions, skBoolean, 1)                  \
    /* format option pages */                       \
    N(RTFPageOrientation, skInteger, 0)             \
    N(XMLStandalone, skBoolean, 1)                  \
    S(XMLEncoding, "")                              \
    S(SQLTableName, "")                             \
    N(SQLCreateTable, skBoolean, 0)                 \
    N(SQLCommitRecCount, skInteger, 0)              \
    N(SQLCommitAfterScript, skBoolean, 0)           \
    S(SQLCommitStatement, "COMMIT WORK;")           \
    S(SQLStatementTerm, ";")                        \
    S(HTMLTitle, "")                                \
    N(HTMLUsingCSS, skInteger, 0)                   \
    S(HTMLCSSFileName, "")                          \
    N(HTMLFileRecCount, skInteger, 0)               \
    N(HTMLGenerateIndex, skBoolean, 0)              \
    N(HTMLMultiFile, skBoolean, 0)                  \
    S(HTMLFontName, "Arial")                        \
    S(HTMLBackground, "")                           \
    S(HTMLBodyAdvanced, "")                         \
    N(HTMLCellPadding, skInteger, 4)                \
    N(HTMLCellSpacing, skInteger, 1)                \
    N(HTMLBorderWidth, skInteger, 1)                \
    S(HTMLTableAdvanced, "")                        \
    N(HTMLBackgroundColor, skColor, 0x993333)       \
    N(HTMLFontColor, skColor, 0xFFFFFF)             \
    N(HTMLHeadBackgroundColor, skColor, 0x0000FF)   \
    N(HTMLHeadFontColor, skColor, 0xFFFFFF)         \
    N(HTMLOddRowBackgroundColor, skColor, 0xCE6B00) \
    N(HTMLEvenRowBackgroundColor, skColor, 0xEC7A00) \
    N(HTMLDataFontColor, skColor, 0xFFFFFF)         \
    N(HTMLLinkColor, skColor, 0x7DEF69)             \
    N(HTMLVLinkColor, skColor, 0xFF00FF)            \
    N(HTMLALinkColor, skColor, 0x00FF00)            \
    N(HTMLTemplateChoice, skInteger, 2)             \
    N(TXTAutoCalcColWidth, skBoolean, 1)            \
    N(TXTSpacing, skInteger, 1)                     \
    N(CSVQuoteStrings, skBoolean, 1)                \
    N(CSVComma, skChar, ';')                        \
    /* Excel page, advanced */                      \
    S(XLSPageHeader, "")                            \
    S(XLSPageFooter, "Page &P of &N")               \
    S(XLSSheetTitle, "Sheet 1")

enum TDialogSetting : int {
#define OSTREL_SETTING_S(id, text) ds##id,
#define OSTREL_SETTING_N(id, kind, value) ds##id,
    OSTREL_DIALOG_SETTINGS(OSTREL_SETTING_S, OSTREL_SETTING_N)
#undef OSTREL_SETTING_S
#undef OSTREL_SETTING_N
        kDialogSettingCount
};

// The window's pages, in their order.
enum TDialogPage : int {
    dpExportType,
    dpFields,
    dpFormats,
    dpHeaderFooter,
    dpCaptions,
    dpRTF,
    dpXML,
    dpSQL,
    dpHTML,
    dpExcel,
    dpASCII,
    kDialogPageCount
};

// Controls whose enabling follows settings.
enum TDialogControl : int {
    dcDestination,        // "Destination file", the file name edit, "Select...", "Open file after export"
    dcExportCount,        // the count edit after "Export only" and its "records"
    dcStartExport,
    dcSaveLoadButtons,    // "Save Export Options..." and "Load Export Options..." (shown and enabled)
    dcCaptionsGrid,
    dcCSSFileName,        // "CSS file name", its edit and "..."
    dcMultiFileCount,     // "Maximum", its edit and "record(s) in single file"
    dcGenerateIndex,
    kDialogControlCount
};

// The text, the destination filter and the file extension of an export type.
struct TExportTypeInfo {
    TDialogText Text;
    TDialogText Filter;  // meaningless for the clipboard, which has none
    const char* Extension;
};
const TExportTypeInfo& ExportTypeInfo(int code);

class TOstrelDialogSettings {
public:
    TOstrelDialogSettings();

    static TSettingKind Kind(TDialogSetting id);
    static const char* Name(TDialogSetting id);

    const std::string& Str(TDialogSetting id) const { return FText[id]; }
    int Int(TDialogSetting id) const { return FNumber[id]; }
    bool Bool(TDialogSetting id) const { return FNumber[id] != 0; }

    // Assigning an unchanged value does nothing; a change is stored, announced, and followed by
    // the rules of the setting.
    void SetStr(TDialogSetting id, const std::string& value);
    void SetInt(TDialogSetting id, int value);
    void SetBool(TDialogSetting id, bool value) { SetInt(id, value ? 1 : 0); }
    // A numeric edit's text: assigned only when it reads as a decimal integer; false otherwise.
    bool SetIntText(TDialogSetting id, std::string_view text);
    // The "Comma" edit: its one character, or code 0 when empty. False for a text that is not
    // one single-byte character.
    bool SetCommaText(std::string_view text);
    // Whole-number edits take only the digits 0 to 9 and backspace from the keyboard.
    static bool AcceptsDigitKey(int character);

    // Told the setting after every change (views show the value and re-check enabling).
    void AddListener(std::function<void(TDialogSetting)> listener) { FListeners.push_back(std::move(listener)); }

    // Settings of the component that stay fixed while the window lives.
    void SetCommonOptions(TCommonOptions value) { FCommonOptions = value; }
    TCommonOptions CommonOptions() const { return FCommonOptions; }
    void SetAutoChangeFileExt(bool value) { FAutoChangeFileExt = value; }
    void SetSaveLoadButtons(bool value) { FSaveLoadButtons = value; }

    // The export types the radio group offers, in code order; the first becomes selected.
    void FillExportTypes(TAllowedExports allowed);
    const std::vector<int>& OfferedTypes() const { return FOfferedTypes; }
    // What follows a change of ExportType: filter and extension of the destination dialog, the
    // file extension, enabling and page visibility (announced as a change of ExportType).
    void ExportTypeChanged();
    // Replaces the file name's extension by the export type's when that is wanted.
    void ApplyFileExt();
    const std::string& DestinationFilter() const { return FDestinationFilter; }
    const std::string& DestinationDefaultExt() const { return FDestinationDefaultExt; }

    // "Export all records" clicked.
    void ExportAllRecords();

    std::string Caption() const;
    bool PageVisible(TDialogPage page) const;
    bool OptionsSubPageVisible() const { return (FCommonOptions & OptionBit(coOptions)) != 0; }
    bool Enabled(TDialogControl control) const;

    // The HTML template choice: "Custom" leaves the colours; a template puts its colours into the
    // exporter (when it is not the exporter's template already) and from there into the settings.
    void ChooseHTMLTemplate(int choice, TIB_OstrelHTML& html);
    // A template file was read into the exporter: its colours, and the choice shows "Custom".
    void TemplateLoaded(const TIB_OstrelHTML& html);
    // A colour picked on the preview: the setting takes it and the choice shows "Custom".
    void PickHTMLColour(TDialogSetting id, TColor colour);
    // The ten colour settings from the exporter, and back into it.
    void CopyTemplateColours(const TIB_OstrelHTML& html);
    void CopyColoursToExporter(TIB_OstrelHTML& html) const;

    TStrings& HeaderLines() { return FHeader; }
    TStrings& FooterLines() { return FFooter; }
    TOstrelDialogFieldLists& Fields() { return FFields; }
    const TOstrelDialogFieldLists& Fields() const { return FFields; }
    TOstrelDialogUserFormats& UserFormats() { return FUserFormats; }
    TOstrelCaptionsGrid& CaptionsGrid() { return FCaptionsGrid; }
    TOstrelXLSFormatList& XLSFormats() { return FXLSFormats; }
    // Told after every change of the field lists, once the Excel format list follows them.
    void AddFieldsListener(std::function<void()> listener) { FFieldsListeners.push_back(std::move(listener)); }
    // The dialog columns the lists were filled from (nullptr before FillFromComponent).
    const TOstrelDialogColumns* Columns() const { return FColumns; }

    // The nine format settings from a formats object.
    void ResetFormats(const TOstrelFormats& formats);
    // The option pages' settings from the embedded exporters, in page order.
    void FillFormatPages(TOstrelDialogExporters& exporters);
    // Everything the window takes from the component when it is created, in the order the
    // window fills itself; `sender` is passed to OnGetHeader and OnGetFooter. `applyTexts` runs
    // where the window sets its texts, after the header and footer and before the settings.
    void FillFromComponent(TIB_OstrelDialog& dialog, TOstrelDialogExporters& exporters, TObject* sender,
                           const std::function<void()>& applyTexts = {});

private:
    void Notify(TDialogSetting id);
    void ApplyRules(TDialogSetting id);

    std::vector<std::string> FText;
    std::vector<int> FNumber;
    std::vector<std::function<void(TDialogSetting)>> FListeners;
    TCommonOptions FCommonOptions = kAllCommonOptions;
    bool FAutoChangeFileExt = true;
    bool FSaveLoadButtons = false;
    std::vector<int> FOfferedTypes;
    std::string FDestinationFilter, FDestinationDefaultExt;
    TStrings FHeader, FFooter;
    // "Maximum" and its edit follow the last check or uncheck of "Use multi-file export"; until
    // then they are open, so that typing a count is what checks it.
    bool FMultiFileControlsEnabled = true;
    TOstrelDialogFieldLists FFields;
    TOstrelDialogUserFormats FUserFormats;
    TOstrelCaptionsGrid FCaptionsGrid;
    TOstrelXLSFormatList FXLSFormats;
    std::vector<std::function<void()>> FFieldsListeners;
    const TOstrelDialogColumns* FColumns = nullptr;
};

}  // namespace ostrel
