#include "engine/IB_Ostrel.h"

#include "platform/OutputFiles.h"

#include <algorithm>

#include "platform/Services.h"

namespace ostrel {

TIB_Ostrel::TIB_Ostrel(TComponent* AOwner) : TComponent(AOwner) {}

TIB_Ostrel::~TIB_Ostrel() {
    for (TComponent* c : {static_cast<TComponent*>(FDataSet), static_cast<TComponent*>(FIBGrid),
                          static_cast<TComponent*>(FListView), static_cast<TComponent*>(FStringGrid)})
        if (c) RemoveFreeNotification(c);
}

bool TIB_Ostrel::IsReferenced(TComponent* c) const {
    return c == FDataSet || c == FIBGrid || c == FListView || c == FStringGrid;
}

void TIB_Ostrel::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove) return;
    if (AComponent == FDataSet) FDataSet = nullptr;
    if (AComponent == FIBGrid) FIBGrid = nullptr;
    if (AComponent == FListView) FListView = nullptr;
    if (AComponent == FStringGrid) FStringGrid = nullptr;
}

void TIB_Ostrel::DoExecute() {}

void TIB_Ostrel::Abort() { FAborted = true; }

TOstrelWriterClass TIB_Ostrel::GetWriterClass() { return &CreateWriterOf<TOstrelWriter>; }

void TIB_Ostrel::BeginExport() {
    FColumns.Clear();
    FColumns.Fill();
    FAborted = false;
    if (OnBeginExport) OnBeginExport(this);
}

void TIB_Ostrel::EndExport() {
    if (OnEndExport) OnEndExport(this);
}

std::string TIB_Ostrel::GetCaptionRow() {
    std::string row;
    for (int i = 0; i < FColumns.Count(); ++i) row += GetColCaption(i);
    return row;
}

std::string TIB_Ostrel::GetDataRow(bool Formatted) {
    // Rows of one run are alike in length: room for the longest so far, and a line end.
    std::string row;
    row.reserve(FRowCapacity);
    for (int i = 0; i < FColumns.Count(); ++i) row += GetColData(i, Formatted);
    FRowCapacity = std::max(FRowCapacity, row.size() + 16);
    return row;
}

std::string TIB_Ostrel::GetColCaption(int Index) { return ReplaceSpecialChars(FColumns[Index].Caption); }

std::string TIB_Ostrel::GetColData(int Index, bool Formatted) { return GetExportText(Index, Formatted); }

TCharSet TIB_Ostrel::GetSpecialChars() { return {}; }

std::string TIB_Ostrel::ReplaceSpecialChars(const std::string& Text) { return Text; }

void TIB_Ostrel::ExportToStream(TStream& stream) { RunWith(GetWriterClass()(stream)); }

std::unique_ptr<TOstrelWriter> TIB_Ostrel::RunWith(std::unique_ptr<TOstrelWriter> writer) {
    FWriter = std::move(writer);
    try {
        RunExport();
    } catch (...) {
        FWriter.reset();
        throw;
    }
    return std::move(FWriter);
}

int64_t TIB_Ostrel::CountRowsLeft() {
    int64_t passed = FRecordCounter, left = 0;
    while (!TIB_Ostrel::IsEndOfData() && (FExportRecCount == 0 || passed < FExportRecCount)) {
        MoveNext();
        ++passed;
        ++left;
    }
    return left;
}

void TIB_Ostrel::RunExport() {
    FRecordCounter = 0;
    FFormatsInPlace = false;
    ResetSourceRow();
    CheckSource();
    const std::string name = SourceName(FExportSource);
    if (!IsSourceActive()) throw EOstrelError(FormatMessage("Export source (%s) is closed", name));
    if (!WritesEmptySource() && IsSourceEmpty()) throw EOstrelError(FormatMessage("Export source (%s) is empty", name));
    DisableSourceControls();
    FCellPlans.clear();
    FPlansCells = !HandlesRows();
    try {
        RunSteps();
    } catch (...) {
        FPlansCells = false;
        try {
            EnableSourceControls();
        } catch (...) {
            // The run's own failure is the one to report.
        }
        throw;
    }
    FPlansCells = false;
    EnableSourceControls();
}

void TIB_Ostrel::RunSteps() {
    BeginExport();
    if (FAborted) return;
    if (FAutoCalcColWidth) {
        FColumns.AutoCalcWidth();
        if (FAborted) return;
    }
    try {
        RunRows();
    } catch (...) {
        try {
            EndExport();
        } catch (...) {
            // The run's own failure is the one to report.
        }
        throw;
    }
    EndExport();
}

void TIB_Ostrel::RunRows() {
    if (FAllowCaptions) {
        WriteCaptionRow();
        if (FAborted) return;
    }
    if (FGoToFirstRecord) MoveFirst();
    BeforeExport();
    if (FAborted) return;
    SkipRecords(FSkipRecCount);
    if (FAborted) return;
    FRecordCounter = 0;
    while (!IsEndOfData() && (FExportRecCount == 0 || FRecordCounter < FExportRecCount)) {
        if (FAborted && !AskContinue()) break;
        WriteDataRow();
        MoveNext();
        if (OnExportedRecord) OnExportedRecord(this, FRecordCounter);
    }
    AfterExport();
}

void TIB_Ostrel::SkipRecords(int Count) {
    for (int i = 0; i < Count; ++i) {
        MoveNext();
        if (OnSkippedRecord) OnSkippedRecord(this, FRecordCounter);
    }
}

bool TIB_Ostrel::PrePass(const std::function<void()>& row, const std::function<void()>& fetched) {
    bool completed = true;
    RestoringPosition([&] {
        MoveFirst();
        SkipRecords(FSkipRecCount);
        FRecordCounter = 0;
        while (!IsEndOfData() && (FExportRecCount == 0 || FRecordCounter < FExportRecCount)) {
            if (FAborted && !AskContinue()) {
                completed = false;
                break;
            }
            if (row) row();
            MoveNext();
            if (fetched) fetched();
        }
    });
    return completed;
}

bool TIB_Ostrel::AskContinue() {
    bool canContinue = !FAborted;
    if (OnStopExport) OnStopExport(this, canContinue);
    FAborted = !canContinue;
    return canContinue;
}

void TIB_Ostrel::DoGetCellParams(int RecNo, int ColNo, const std::string& Value, TOstrelColAlign& Align,
                                 TFont& Font, TColor& Background) {
    if (OnGetCellParams) OnGetCellParams(this, RecNo, ColNo, Value, Align, Font, Background);
}

void TIB_OstrelText::DoExecute() {
    TOutputFiles files;
    ExportToStream(files.Create(FileName()));
    files.Commit();
    ShowResult();
}

void TIB_OstrelText::ShowResult() {
    if (Aborted()) return;
    if (FShowFile) ShellService().Perform("open", FFileName);
    if (FPrintFile) ShellService().Perform("print", FFileName);
}

void TIB_OstrelMemory::DoExecute() {
    TMemoryStream memory;
    ExportToStream(memory);
    ClipboardService().SetText(memory.Text());
}

}  // namespace ostrel
