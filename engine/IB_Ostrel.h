// The export component family: every setting, the run loop, the virtual operations each
// exporter overrides, and the events.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <typeinfo>

#include "engine/IB_OstrelColumns.h"
#include "engine/IB_OstrelCommon.h"
#include "engine/IB_OstrelFormats.h"
#include "engine/IB_OstrelSources.h"
#include "engine/IB_OstrelWriter.h"
#include "platform/ShortCopy.h"

namespace ostrel {

class TIB_Ostrel : public TComponent {
public:
    explicit TIB_Ostrel(TComponent* AOwner = nullptr);
    ~TIB_Ostrel() override;

    // Published settings.
    TOstrelSource ExportSource() const { return FExportSource; }
    void SetExportSource(TOstrelSource value) { FExportSource = value; }
    TIB_Dataset* DataSet() const { return FDataSet; }
    void SetDataSet(TIB_Dataset* value) { SetReference(FDataSet, value); }
    TIB_Grid* IBGrid() const { return FIBGrid; }
    void SetIBGrid(TIB_Grid* value) { SetReference(FIBGrid, value); }
    TListView* ListView() const { return FListView; }
    void SetListView(TListView* value) { SetReference(FListView, value); }
    TStringGrid* StringGrid() const { return FStringGrid; }
    void SetStringGrid(TStringGrid* value) { SetReference(FStringGrid, value); }
    TStrings& ExportedFields() { return FExportedFields; }
    const TStrings& ExportedFields() const { return FExportedFields; }
    void SetExportedFields(const TStrings& value) { FExportedFields.Assign(value); }
    bool GoToFirstRecord() const { return FGoToFirstRecord; }
    void SetGoToFirstRecord(bool value) { FGoToFirstRecord = value; }
    int ExportRecCount() const { return FExportRecCount; }
    void SetExportRecCount(int value) { FExportRecCount = value; }
    int SkipRecCount() const { return FSkipRecCount; }
    void SetSkipRecCount(int value) { FSkipRecCount = value; }
    bool OnlyVisibleFields() const { return FOnlyVisibleFields; }
    void SetOnlyVisibleFields(bool value) { FOnlyVisibleFields = value; }
    bool AutoCalcStrType() const { return FAutoCalcStrType; }
    void SetAutoCalcStrType(bool value) { FAutoCalcStrType = value; }
    const std::string& About() const { return FAbout; }
    void SetAbout(const std::string& value) { FAbout = value; }
    const std::string& _Version() const { return FVersion; }
    void Set_Version(const std::string& value) { FVersion = value; }

    TNotifyEvent OnBeginExport;
    TNotifyEvent OnEndExport;
    TExportedRecordEvent OnSkippedRecord;
    TExportedRecordEvent OnExportedRecord;
    TOstrelStopEvent OnStopExport;
    TGetExportTextEvent OnGetExportText;

    // The lists and formats every exporter keeps, whether or not its format publishes them: for
    // programs that set up any exporter alike (the export dialog copies its settings through it).
    struct TCommonSettings {
        TStrings& Header;
        TStrings& Footer;
        TStrings& Captions;
        TOstrelFormats& Formats;
        TStrings& UserFormats;
        TStrings& ColumnsWidth;
        TStrings& ColumnsAlign;
    };
    TCommonSettings CommonSettings() {
        return {FHeader, FFooter, FCaptions, FFormats, FUserFormats, FColumnsWidth, FColumnsAlign};
    }

    // The public run entry; exceptions from the run reach the caller.
    virtual void DoExecute();
    // Asks a running export to stop at its next check point.
    virtual void Abort();
    TOstrelWriter* Writer() const { return FWriter.get(); }

    // Run state.
    TOstrelColumns& Columns() { return FColumns; }
    const TOstrelColumns& Columns() const { return FColumns; }
    int RecordCounter() const { return FRecordCounter; }
    bool Aborted() const { return FAborted; }

protected:
    // Settings stored here that only some exporters publish (with `using`).
    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& value) { FTitle = value; }
    TStrings& Header() { return FHeader; }
    void SetHeader(const TStrings& value) { FHeader.Assign(value); }
    TStrings& Footer() { return FFooter; }
    void SetFooter(const TStrings& value) { FFooter.Assign(value); }
    bool AllowCaptions() const { return FAllowCaptions; }
    void SetAllowCaptions(bool value) { FAllowCaptions = value; }
    TStrings& Captions() { return FCaptions; }
    void SetCaptions(const TStrings& value) { FCaptions.Assign(value); }
    TOstrelFormats& Formats() { return FFormats; }
    void SetFormats(const TOstrelFormats& value) { FFormats.Assign(value); }
    TStrings& UserFormats() { return FUserFormats; }
    void SetUserFormats(const TStrings& value) { FUserFormats.Assign(value); }
    TStrings& ColumnsWidth() { return FColumnsWidth; }
    void SetColumnsWidth(const TStrings& value) { FColumnsWidth.Assign(value); }
    TStrings& ColumnsAlign() { return FColumnsAlign; }
    void SetColumnsAlign(const TStrings& value) { FColumnsAlign.Assign(value); }
    bool AutoCalcColWidth() const { return FAutoCalcColWidth; }
    void SetAutoCalcColWidth(bool value) { FAutoCalcColWidth = value; }
    TExportedRecordEvent OnFetchedRecord;
    TGetCellParamsEvent OnGetCellParams;

    // Virtual operations, in slot order.
    virtual TOstrelWriterClass GetWriterClass();
    virtual void BeginExport();
    virtual void BeforeExport() {}
    virtual void AfterExport() {}
    virtual void EndExport();
    virtual bool IsEndOfData();
    virtual std::string GetCaptionRow();
    virtual void WriteCaptionRow() {}
    virtual std::string GetDataRow(bool Formatted);
    virtual void WriteDataRow() {}
    virtual std::string GetColCaption(int Index);
    virtual std::string GetColData(int Index, bool Formatted);
    virtual bool IsNullValue(int Index);
    virtual TCharSet GetSpecialChars();
    virtual std::string ReplaceSpecialChars(const std::string& Text);
    // Appends ReplaceSpecialChars(Text); formats that escape override it with an appending form
    // of the same escaping, so that a row is built without a string per value.
    virtual void AppendSpecialChars(std::string& out, std::string_view Text);
    // Escapes as AppendSpecialChars the text of a formatted number or date just appended to out
    // (from start), for formats that format in place (FormatInPlace); the default takes it out
    // and appends it through AppendSpecialChars.
    virtual void EscapeAppended(std::string& out, size_t start);
    // Whether a source without rows gives a document without rows rather than failing the run:
    // for formats whose empty document says "no rows" (an empty JSON array).
    virtual bool WritesEmptySource() const { return false; }
    // Whether a handler is assigned that runs between the rows of a run (and so might change
    // the source or the formats there).
    virtual bool HandlesRows() const {
        return OnSkippedRecord || OnExportedRecord || OnStopExport || OnGetExportText || OnFetchedRecord ||
               OnGetCellParams;
    }

    // Operations descendants call.
    void ExportToStream(TStream& stream);
    // Runs the export through the given writer and hands it back when the run succeeded, for
    // writers that complete their file afterwards; on failure the writer is destroyed.
    std::unique_ptr<TOstrelWriter> RunWith(std::unique_ptr<TOstrelWriter> writer);
    // After a format's own row limit ended the loop: the rows the run would still have
    // written, walked to the end of the source.
    int64_t CountRowsLeft();
    void RunExport();
    void MoveFirst();
    void MoveNext();
    void SkipRecords(int Count);
    int SavePosition();
    void RestorePosition(int Position);
    bool AskContinue();
    // Runs a pass over the source and returns it to the row it stood on, also when the pass fails.
    template <class F>
    void RestoringPosition(F pass) {
        const int position = SavePosition();
        try {
            pass();
        } catch (...) {
            try {
                RestorePosition(position);
            } catch (...) {
                // The pass's own failure is the one to report.
            }
            throw;
        }
        RestorePosition(position);
    }
    // Walks the rows a run is about to write (from the first row, past SkipRecCount, within
    // ExportRecCount), calling row() on each before moving on and fetched() after; the source
    // returns to where it stood. False when the pass was stopped.
    bool PrePass(const std::function<void()>& row, const std::function<void()>& fetched);
    void DoGetCellParams(int RecNo, int ColNo, const std::string& Value, TOstrelColAlign& Align,
                         TFont& Font, TColor& Background);
    void CheckSource();
    bool IsSourceActive();
    bool IsSourceEmpty();
    void DisableSourceControls();
    void EnableSourceControls();
    // The value of column Index in the current row as export text.
    std::string GetExportText(int Index, bool Formatted);
    // The same text appended to out; whether it went through ReplaceSpecialChars, as
    // IsEscapedByFormatting tells, without reading the value again.
    bool AppendExportText(std::string& out, int Index, bool Formatted);
    // The formatted text of column Index that the column width pre-pass measures; a format
    // whose fast rows write the same bytes may append it by its own faster code.
    virtual void AppendWidthText(std::string& out, int Index) { AppendExportText(out, Index, true); }
    // AppendExportText with the value read by AppendCellWith (kind: what it read, ckNone when
    // it appended nothing, and the value takes the general way); the text appended from start
    // is the value's so far.
    bool FinishExportText(std::string& out, size_t start, int Index, bool Formatted, TCellKind kind) {
        if (kind != ckNone && !OnGetExportText) {
            // As IsEscapedByFormatting.
            const TOstrelColType type = FColumns[Index].ColType;
            return Formatted && kind != ckNull && type != ectBoolean && type != ectUnknown;
        }
        return FinishGeneralText(out, start, Index, Formatted, kind);
    }
    // AppendExportText with the format's own escaping for the values read directly (see
    // AppendCellWith).
    template <class Escape>
    bool AppendExportTextWith(std::string& out, int Index, bool Formatted, Escape&& escape) {
        const size_t start = out.size();
        return FinishExportText(out, start, Index, Formatted, Formatted ? AppendCellWith(out, Index, escape) : ckNone);
    }
    // The escaping of fast rows for formats whose escaping leaves printable ASCII without
    // markup characters as it is (HTML, XML, RTF); the format adds Text.
    struct TMarkupEscape {
        TIB_Ostrel& Exporter;
        std::string& Target(std::string& out) { return out; }
        void Formatted(std::string& out, size_t start) {
            if (!IsPlainMarkupAppended(out, start)) Exporter.EscapeAppendedText(out, start);
        }
    };
    // A value of a fast row read in one call and appended in its column's format, escaped by
    // the format's own code, known at compile time, instead of through the virtual steps.
    // Escape gives:
    //   std::string& Target(std::string& out)   where numbers and dates are formatted;
    //   void Formatted(std::string& out, size_t start)   their text escaped onto out (start: in
    //                                                     the target, where it began);
    //   void Text(std::string& out, std::string_view text)   a string column's text escaped.
    // ckNone, with nothing appended, when the value takes the general way (FinishExportText).
    template <class Escape>
    TCellKind AppendCellWith(std::string& out, int Index, Escape&& escape) {
        if (!FReadsCellsDirectly) return ckNone;
        const TOstrelColumn& c = FColumns[Index];
        const TCellPlan plan = CellPlan(Index, c);
        const TIB_Column* const column = plan.Column;
        if (!column) return ckNone;
        TCellValue value;
        // Each kind goes the way the general steps would take it; any other pairing of kind
        // and column type is left to them.
        const TCellKind kind = column->ReadCell(value);
        switch (kind) {
            case ckNone: return ckNone;
            case ckNull: out += FFormats.NullString(); return ckNull;
            case ckText:
                if (c.ColType == ectString) escape.Text(out, value.Text);
                else if (c.ColType == ectBoolean || c.ColType == ectUnknown) out += value.Text;
                else return ckNone;
                return ckText;
            case ckInteger:
            case ckFloat: {
                if (c.ColType != ectFloat && c.ColType != ectCurrency && (kind == ckFloat || c.ColType != ectInteger))
                    return ckNone;
                std::string& target = escape.Target(out);
                const size_t start = target.size();
                const TNumberPattern& pattern = PatternsOf(plan, Index, c).Number;
                if (kind == ckInteger) pattern.AppendInt64(target, value.Integer);
                else pattern.AppendDouble(target, value.Float);
                escape.Formatted(out, start);
                return kind;
            }
            case ckDateTime: {
                if (c.ColType != ectDate && c.ColType != ectTime && c.ColType != ectDateTime) return ckNone;
                std::string& target = escape.Target(out);
                const size_t start = target.size();
                AppendDateCell(target, PatternsOf(plan, Index, c).Date, value);
                escape.Formatted(out, start);
                return kind;
            }
        }
        return ckNone;
    }
    // A DateTime cell in a pattern, split or not (out of line: the per-value template stays
    // small enough for its own steps to be written in line).
    static void AppendDateCell(std::string& out, const TDateTimePattern& pattern, const TCellValue& value);
    // The raw text of a column in the current row, before formatting.
    std::string SourceText(const TOstrelColumn& column);
    // The same, read in place where the source allows it, else copied into a buffer of the run;
    // valid until the source moves or the next call.
    std::string_view SourceTextView(const TOstrelColumn& column);
    bool FormatTypedValue(const TOstrelColumn& column, std::string& text);
    std::string FormatSourceText(const TOstrelColumn& column, std::string text);
    bool AppendTypedValue(std::string& out, const TOstrelColumn& column);
    // Whether a row may be built by the exporter's own appending code instead of through the
    // virtual per-value steps: the exporter is an `Exact` itself (no descendant overrides a
    // step) and no OnGetExportText handler wants to see each value's text. Both paths give the
    // same bytes.
    template <class Exact>
    bool FastRows() {
        return NoteOwnClass<Exact>() && !OnGetExportText;
    }
    // Records and returns whether the exporter is an `Exact` itself. Then no descendant
    // overrides IsNullValue either, and values are read from their columns in one call;
    // exporters note it before their first value is read (pre-passes included).
    template <class Exact>
    bool NoteOwnClass() {
        FReadsCellsDirectly = typeid(*this) == typeid(Exact);
        return FReadsCellsDirectly;
    }
    // Set by a format at the start of a run when EscapeAppended escapes as its
    // AppendSpecialChars does (its own class): numbers and dates are then formatted straight
    // into the row and escaped there, instead of in a buffer of their own.
    void FormatInPlace(bool inPlace) { FFormatsInPlace = inPlace; }
    // Whether the text appended to out from start is printable ASCII without the characters
    // markup formats escape (quotes, ampersand, angle brackets, backslash, braces): HTML, XML
    // and RTF leave such a text as it is.
    static bool IsPlainMarkupAppended(const std::string& out, size_t start) {
        // In line: asked for every number and date of HTML, XML and RTF rows.
        static constexpr auto kPlain = [] {
            std::array<bool, 256> plain{};
            for (int c = 0x20; c < 0x7F; ++c) plain[static_cast<size_t>(c)] = true;
            for (const char c : std::string_view("\"&<>\\{}")) plain[static_cast<unsigned char>(c)] = false;
            return plain;
        }();
        for (size_t i = start; i < out.size(); ++i)
            if (!kPlain[static_cast<unsigned char>(out[i])]) return false;
        return true;
    }
    // The text appended to out from start, taken out and appended again through
    // AppendSpecialChars: for texts the value formatting left unescaped.
    void EscapeAppendedText(std::string& out, size_t start);
    // The current value of export column Index read in one step, for exporters whose rows
    // read each value themselves; ckNone when the source or the exporter's class (a descendant
    // may override IsNullValue) does not allow it, and the value is read by the steps above.
    TCellKind ReadSourceCell(int Index, TCellValue& value) {
        if (!FReadsCellsDirectly) return ckNone;
        const TIB_Column* column = CellPlan(Index, FColumns[Index]).Column;
        return column ? column->ReadCell(value) : ckNone;
    }
    // Whether GetExportText passed the value through ReplaceSpecialChars: formatted, not NULL,
    // and of a type it escapes. Exporters escape the other values where their format needs it.
    bool IsEscapedByFormatting(int Index, bool Formatted);
    // The dataset column behind an export column, for typed reads; nullptr for list views and
    // string grids.
    const TIB_Column* DatasetColumn(int Index) const;

    void Notification(TComponent* AComponent, TOperation Operation) override;

    int FRecordCounter = 0;
    bool FAborted = false;

private:
    friend class TOstrelColumns;

    template <class T>
    void SetReference(T*& field, T* value) {
        if (field == value) return;
        T* old = field;
        field = value;
        if (old && !IsReferenced(old)) RemoveFreeNotification(old);
        if (value) FreeNotification(value);
    }
    bool IsReferenced(TComponent* c) const;
    void ResetSourceRow();
    // The dataset behind a dataset or data-grid source (nullptr when missing).
    TIB_Dataset* SourceDataset() const;
    // In line: the direct reads ask for it for every value.
    TIB_Column* SourceColumn(int number) const {
        if (FExportSource == esDataSet) return FDataSet ? FDataSet->Fields(number) : nullptr;
        if (FExportSource == esDBGrid) return FIBGrid ? FIBGrid->GridColumn(number) : nullptr;
        return nullptr;
    }
    void RunSteps();
    void RunRows();

    TOstrelSource FExportSource = esDataSet;
    TIB_Dataset* FDataSet = nullptr;
    TIB_Grid* FIBGrid = nullptr;
    TListView* FListView = nullptr;
    TStringGrid* FStringGrid = nullptr;
    TStrings FExportedFields;
    bool FGoToFirstRecord = true;
    int FExportRecCount = 0;
    int FSkipRecCount = 0;
    bool FOnlyVisibleFields = false;
    bool FAutoCalcStrType = false;
    std::string FAbout = "(About Morvane Brannix)";
    std::string FVersion = "2.00";

    std::string FTitle;
    TStrings FHeader, FFooter;
    bool FAllowCaptions = true;
    TStrings FCaptions;
    TOstrelFormats FFormats;
    TStrings FUserFormats, FColumnsWidth, FColumnsAlign;
    bool FAutoCalcColWidth = false;

    TOstrelColumns FColumns{*this};
    std::unique_ptr<TOstrelWriter> FWriter;
    int FSourceRow = 0;  // list-view item or string-grid row being read
    size_t FRowCapacity = 0;     // bytes GetDataRow reserves
    // A dataset value read in one step and formatted by its column's pattern compiled once:
    // the kind read, none when the value takes the general way.
    TCellKind AppendReadCell(std::string& out, int Index);
    bool FinishGeneralText(std::string& out, size_t start, int Index, bool Formatted, TCellKind kind);
    // The compiled patterns of one export column; rebuilt when the column's format text changes.
    struct TCellPatterns {
        explicit TCellPatterns(const std::string& format) : Number(format), Date(format) {}
        TNumberPattern Number;
        TDateTimePattern Date;
    };
    // Compiled again when the column's format text changes (a handler may change it between
    // rows).
    const TCellPatterns& CellPatterns(int Index, const std::string& format) {
        if (static_cast<size_t>(Index) < FCellPatterns.size()) {
            const TCellPatterns* p = FCellPatterns[static_cast<size_t>(Index)].get();
            if (p && SameBytes(p->Number.Text(), format)) return *p;
        }
        return CompileCellPatterns(Index, format);
    }
    const TCellPatterns& CompileCellPatterns(int Index, const std::string& format);
    std::vector<std::unique_ptr<TCellPatterns>> FCellPatterns;  // by export column
    // An export column's source column and, for numbers and dates, its compiled patterns.
    // Looked up once per run when no handler runs between the rows (nothing else can change
    // the source's columns or the formats then), else for every value.
    struct TCellPlan {
        const TIB_Column* Column = nullptr;
        const TCellPatterns* Patterns = nullptr;
    };
    TCellPlan CellPlan(int Index, const TOstrelColumn& c) {
        if (!FPlansCells) return {SourceColumn(c.Number), nullptr};
        if (FCellPlans.empty()) PlanCells();
        return FCellPlans[static_cast<size_t>(Index)];
    }
    const TCellPatterns& PatternsOf(const TCellPlan& plan, int Index, const TOstrelColumn& c) {
        return plan.Patterns ? *plan.Patterns : CellPatterns(Index, c.Format);
    }
    void PlanCells();
    std::vector<TCellPlan> FCellPlans;  // by export column, built at the first value of a run
    bool FPlansCells = false;
    bool FReadsCellsDirectly = false;  // the exporter is its own class: no step overridden
    bool FFormatsInPlace = false;
    // Where a typed value is formatted: the row itself when the format escapes in place, else
    // FFormatBuffer; and its escaping from there onto the end of out.
    std::string& FormatTarget(std::string& out);
    void EscapeFormatted(std::string& out, size_t start);
    std::string FFormatBuffer;  // a typed value's text before ReplaceSpecialChars
    std::string FTextBuffer;    // a source text that cannot be read in place
};

// Writes to the file FileName and shows or prints it afterwards.
class TIB_OstrelText : public TIB_Ostrel {
public:
    using TIB_Ostrel::TIB_Ostrel;
    const std::string& FileName() const { return FFileName; }
    void SetFileName(const std::string& value) { FFileName = value; }
    bool ShowFile() const { return FShowFile; }
    void SetShowFile(bool value) { FShowFile = value; }
    bool PrintFile() const { return FPrintFile; }
    void SetPrintFile(bool value) { FPrintFile = value; }

    void DoExecute() override;

protected:
    virtual void ShowResult();

private:
    std::string FFileName;
    bool FShowFile = false;
    bool FPrintFile = false;
};

class TIB_OstrelAdvancedText : public TIB_OstrelText {
public:
    using TIB_OstrelText::TIB_OstrelText;
    using TIB_Ostrel::Footer;
    using TIB_Ostrel::Header;
    using TIB_Ostrel::SetFooter;
    using TIB_Ostrel::SetHeader;
};

class TIB_OstrelFormatText : public TIB_OstrelAdvancedText {
public:
    using TIB_OstrelAdvancedText::TIB_OstrelAdvancedText;
    using TIB_Ostrel::AllowCaptions;
    using TIB_Ostrel::Captions;
    using TIB_Ostrel::Formats;
    using TIB_Ostrel::SetAllowCaptions;
    using TIB_Ostrel::SetCaptions;
    using TIB_Ostrel::SetFormats;
    using TIB_Ostrel::SetUserFormats;
    using TIB_Ostrel::UserFormats;
};

// Writes into memory and puts the result on the clipboard as text.
class TIB_OstrelMemory : public TIB_Ostrel {
public:
    using TIB_Ostrel::TIB_Ostrel;
    void DoExecute() override;
};

}  // namespace ostrel
