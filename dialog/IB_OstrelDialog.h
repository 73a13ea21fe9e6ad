// The export dialog component: the settings a host application gives the dialog to start from,
// its event handlers, and Execute, which checks the source, lists the source's columns and shows
// the dialog window. No toolkit type appears here; the window is shown by whatever dialog runner
// the user-interface layer installed (the Qt layer installs one when it starts).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/IB_OstrelCommon.h"
#include "engine/IB_OstrelFormats.h"
#include "engine/IB_OstrelSources.h"

namespace ostrel {

// The export types; the ordinal is the export-type code of the dialog and its options file.
enum TAllowedExport : int {
    aeXLS = 0,
    aeWord = 1,
    aeRTF = 2,
    aeHTML = 3,
    aeXML = 4,
    aeDBF = 5,
    aeTXT = 6,
    aeCSV = 7,
    aeDIFF = 8,
    aeSylk = 9,
    aeLaTeX = 10,
    aeSQL = 11,
    aeClipboard = 12
};
constexpr int kExportTypeCount = 13;

// A set of export types as a 16-bit mask, bit n standing for code n.
using TAllowedExports = uint16_t;
constexpr TAllowedExports kAllExports = 0x1FFF;  // 8191
constexpr TAllowedExports ExportBit(TAllowedExport e) { return static_cast<TAllowedExports>(1u << e); }
constexpr bool Contains(TAllowedExports set, TAllowedExport e) { return (set & ExportBit(e)) != 0; }

// The common pages of the dialog.
enum TCommonOption : int { coFields = 0, coFormats = 1, coColons = 2, coCaptions = 3, coOptions = 4 };
using TCommonOptions = uint8_t;
constexpr TCommonOptions kAllCommonOptions = 0x1F;  // 31
constexpr TCommonOptions OptionBit(TCommonOption o) { return static_cast<TCommonOptions>(1u << o); }
constexpr bool Contains(TCommonOptions set, TCommonOption o) { return (set & OptionBit(o)) != 0; }

using TOstrelGetColonEvent = std::function<void(TObject* Sender, TStrings& Colon)>;
using TOstrelEvent = TNotifyEvent;
using TORecordExportedEvent = TExportedRecordEvent;
using TOGetExportTextEvent = TGetExportTextEvent;

class TIB_OstrelDialog;
class TOstrelDialogColumns;

struct TOstrelDialogColumn {
    TOstrelDialogColumns* Columns = nullptr;
    int Number = 0;         // index of the column in its source
    std::string Name;       // field name, list-view column caption, or string-grid column number
    std::string Caption;
    TOstrelColType ColType = ectUnknown;
    std::string Format;
    int Width = 0;          // characters
    TOstrelColAlign Align = ecaLeft;
};

// The source's columns as the dialog offers them. Unlike an exporter's column list, large-object
// columns and DB_KEY stay in it; the copy into an exporter leaves them out.
class TOstrelDialogColumns : public TObject {
public:
    explicit TOstrelDialogColumns(TIB_OstrelDialog& dialog) : FDialog(dialog) {}

    // Rebuilds the list from the dialog's source and settings.
    void Fill();
    TOstrelDialogColumn& Add();
    void Delete(int index) { FItems.erase(FItems.begin() + index); }
    void Clear() { FItems.clear(); }
    int Count() const { return static_cast<int>(FItems.size()); }
    TOstrelDialogColumn& operator[](int index) { return *FItems.at(index); }
    const TOstrelDialogColumn& operator[](int index) const { return *FItems.at(index); }
    TOstrelDialogColumn& Items(int index) { return *FItems.at(index); }
    // The index of the last column of that name (without regard to case), or -1.
    int IndexOf(const std::string& name) const;
    // Whether the column of that name is a large-object column of a dataset or data-grid
    // source; when several carry the name, the last one decides.
    bool IsBlobColumn(const std::string& name) const;
    TIB_OstrelDialog& Dialog() const { return FDialog; }

private:
    int SourceColumnCount() const;
    int FindSourceIndex(int i) const;
    TIB_Column* SourceColumn(int number) const;
    void SetFields(TOstrelDialogColumn& c) const;

    TIB_OstrelDialog& FDialog;
    std::vector<std::unique_ptr<TOstrelDialogColumn>> FItems;
};

class TIB_OstrelDialog : public TComponent {
public:
    // Shows the dialog window for a component whose column list is filled, modally; returns when
    // the window has closed and is destroyed.
    using TDialogRunner = std::function<void(TIB_OstrelDialog&)>;
    // The user-interface layer installs its runner; nullptr removes it. Returns the runner it
    // replaces.
    static TDialogRunner SetDialogRunner(TDialogRunner runner);
    static bool HasDialogRunner();

    explicit TIB_OstrelDialog(TComponent* AOwner = nullptr);
    ~TIB_OstrelDialog() override;

    // Checks the source and the allowed exports, fills the column list and shows the window.
    void Execute();

    TOstrelSource ExportSource() const { return FExportSource; }
    void SetExportSource(TOstrelSource value) { FExportSource = value; }
    TIB_Dataset* DataSet() const { return FDataSet; }
    void SetDataSet(TIB_Dataset* value) { SetReference(FDataSet, value); }
    TListView* ListView() const { return FListView; }
    void SetListView(TListView* value) { SetReference(FListView, value); }
    TIB_Grid* IBGrid() const { return FIBGrid; }
    void SetIBGrid(TIB_Grid* value) { SetReference(FIBGrid, value); }
    TStringGrid* StringGrid() const { return FStringGrid; }
    void SetStringGrid(TStringGrid* value) { SetReference(FStringGrid, value); }

    TAllowedExports AllowedExports() const { return FAllowedExports; }
    void SetAllowedExports(TAllowedExports value) { FAllowedExports = value & kAllExports; }
    TCommonOptions CommonOptions() const { return FCommonOptions; }
    void SetCommonOptions(TCommonOptions value) { FCommonOptions = value & kAllCommonOptions; }
    bool AutoChangeFileExt() const { return FAutoChangeFileExt; }
    void SetAutoChangeFileExt(bool value) { FAutoChangeFileExt = value; }
    bool ConfirmAbort() const { return FConfirmAbort; }
    void SetConfirmAbort(bool value) { FConfirmAbort = value; }
    bool OnlyVisibleFields() const { return FOnlyVisibleFields; }
    void SetOnlyVisibleFields(bool value) { FOnlyVisibleFields = value; }
    bool AutoCalcStrType() const { return FAutoCalcStrType; }
    void SetAutoCalcStrType(bool value) { FAutoCalcStrType = value; }
    const std::string& OptionsFileName() const { return FOptionsFileName; }
    void SetOptionsFileName(const std::string& value) { FOptionsFileName = value; }
    bool AutoSaveOptions() const { return FAutoSaveOptions; }
    void SetAutoSaveOptions(bool value) { FAutoSaveOptions = value; }
    bool AutoLoadOptions() const { return FAutoLoadOptions; }
    void SetAutoLoadOptions(bool value) { FAutoLoadOptions = value; }
    bool SaveLoadButtons() const { return FSaveLoadButtons; }
    void SetSaveLoadButtons(bool value) { FSaveLoadButtons = value; }
    const std::string& About() const { return FAbout; }
    void SetAbout(const std::string& value) { FAbout = value; }
    const std::string& _Version() const { return FVersion; }
    void Set_Version(const std::string& value) { FVersion = value; }
    const std::string& FileName() const { return FFileName; }
    void SetFileName(const std::string& value) { FFileName = value; }
    bool ShowFile() const { return FShowFile; }
    void SetShowFile(bool value) { FShowFile = value; }
    bool PrintFile() const { return FPrintFile; }
    void SetPrintFile(bool value) { FPrintFile = value; }

    TStrings& ExportedFields() { return FExportedFields; }
    const TStrings& ExportedFields() const { return FExportedFields; }
    void SetExportedFields(const TStrings& value) { FExportedFields.Assign(value); }
    TStrings& Header() { return FHeader; }
    const TStrings& Header() const { return FHeader; }
    void SetHeader(const TStrings& value) { FHeader.Assign(value); }
    bool AllowCaptions() const { return FAllowCaptions; }
    void SetAllowCaptions(bool value) { FAllowCaptions = value; }
    TStrings& Captions() { return FCaptions; }
    const TStrings& Captions() const { return FCaptions; }
    void SetCaptions(const TStrings& value) { FCaptions.Assign(value); }
    TStrings& Footer() { return FFooter; }
    const TStrings& Footer() const { return FFooter; }
    void SetFooter(const TStrings& value) { FFooter.Assign(value); }
    TOstrelFormats& Formats() { return FFormats; }
    const TOstrelFormats& Formats() const { return FFormats; }
    // Copies the eight patterns and Boolean texts and the NULL text.
    void SetFormats(const TOstrelFormats& value);
    TStrings& UserFormats() { return FUserFormats; }
    const TStrings& UserFormats() const { return FUserFormats; }
    void SetUserFormats(const TStrings& value) { FUserFormats.Assign(value); }
    TStrings& ColumnsWidth() { return FColumnsWidth; }
    const TStrings& ColumnsWidth() const { return FColumnsWidth; }
    void SetColumnsWidth(const TStrings& value) { FColumnsWidth.Assign(value); }
    TStrings& ColumnsAlign() { return FColumnsAlign; }
    const TStrings& ColumnsAlign() const { return FColumnsAlign; }
    void SetColumnsAlign(const TStrings& value) { FColumnsAlign.Assign(value); }
    bool GoToFirstRecord() const { return FGoToFirstRecord; }
    void SetGoToFirstRecord(bool value) { FGoToFirstRecord = value; }
    int ExportRecCount() const { return FExportRecCount; }
    void SetExportRecCount(int value) { FExportRecCount = value; }
    int SkipRecCount() const { return FSkipRecCount; }
    void SetSkipRecCount(int value) { FSkipRecCount = value; }

    TOstrelDialogColumns& DialogColumns() { return FColumns; }
    const TOstrelDialogColumns& DialogColumns() const { return FColumns; }

    TOstrelGetColonEvent OnGetHeader;
    TOstrelGetColonEvent OnGetFooter;
    TOstrelEvent OnBeginExport;
    TOstrelEvent OnEndExport;
    TORecordExportedEvent OnFetchedRecord;
    TORecordExportedEvent OnSkippedRecord;
    TORecordExportedEvent OnExportedRecord;
    TOstrelStopEvent OnStopExport;
    TOGetExportTextEvent OnGetExportText;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    template <class T>
    void SetReference(T*& field, T* value) {
        if (field == value) return;
        T* old = field;
        field = value;
        if (old && !IsReferenced(old)) RemoveFreeNotification(old);
        if (value) FreeNotification(value);
    }
    bool IsReferenced(TComponent* c) const;
    // Whether the reference ExportSource selects is set.
    bool SourceAssigned() const;

    TOstrelSource FExportSource = esDataSet;
    TIB_Dataset* FDataSet = nullptr;
    TListView* FListView = nullptr;
    TIB_Grid* FIBGrid = nullptr;
    TStringGrid* FStringGrid = nullptr;
    TAllowedExports FAllowedExports = kAllExports;
    TCommonOptions FCommonOptions = kAllCommonOptions;
    bool FAutoChangeFileExt = true;
    bool FConfirmAbort = true;
    bool FOnlyVisibleFields = false;
    bool FAutoCalcStrType = false;
    std::string FOptionsFileName;
    bool FAutoSaveOptions = false;
    bool FAutoLoadOptions = false;
    bool FSaveLoadButtons = false;
    std::string FAbout, FVersion;
    std::string FFileName;
    bool FShowFile = true;
    bool FPrintFile = false;
    TStrings FExportedFields, FHeader, FCaptions, FFooter;
    bool FAllowCaptions = true;
    TOstrelFormats FFormats;
    TStrings FUserFormats, FColumnsWidth, FColumnsAlign;
    bool FGoToFirstRecord = true;
    int FExportRecCount = 0;
    int FSkipRecCount = 0;
    TOstrelDialogColumns FColumns{*this};
};

}  // namespace ostrel
