#include "dialog/DialogExportRun.h"

#include "dialog/DialogExportCopy.h"

namespace ostrel {

namespace {

// The exporters that publish the width pre-pass's event.
TExportedRecordEvent* FetchedEvent(TOstrelDialogExporters& exporters, TIB_Ostrel& exporter) {
    if (&exporter == &exporters.ASCIIExp) return &exporters.ASCIIExp.OnFetchedRecord;
    if (&exporter == &exporters.ClipExp) return &exporters.ClipExp.OnFetchedRecord;
    return nullptr;
}

}  // namespace

void TDialogExportRun::Progress(TProgressNotification code) {
    if (FView.HasProgress()) FView.Notify(code);
}

void TDialogExportRun::Connect(TIB_Ostrel& exporter) {
    TIB_OstrelDialog& c = FComponent;
    exporter.OnBeginExport = [this, &c](TObject* sender) {
        Progress(pnBegin);
        if (c.OnBeginExport) c.OnBeginExport(sender);
    };
    exporter.OnEndExport = [this, &c, &exporter](TObject* sender) {
        if (!exporter.Aborted()) Progress(pnFinished);
        if (c.OnEndExport) c.OnEndExport(sender);
    };
    exporter.OnSkippedRecord = [this, &c](TObject* sender, int recNo) {
        Progress(pnSkipped);
        if (c.OnSkippedRecord) c.OnSkippedRecord(sender, recNo);
    };
    exporter.OnExportedRecord = [this, &c](TObject* sender, int recNo) {
        if (c.OnExportedRecord) c.OnExportedRecord(sender, recNo);
        Progress(pnExported);
    };
    if (TExportedRecordEvent* fetched = FetchedEvent(FExporters, exporter)) {
        *fetched = [this, &c](TObject* sender, int recNo) {
            if (c.OnFetchedRecord) c.OnFetchedRecord(sender, recNo);
            Progress(pnFetched);
        };
    }
    // Asked for every cell, so only connected when there is someone to tell.
    exporter.OnGetExportText = nullptr;
    if (c.OnGetExportText)
        exporter.OnGetExportText = [&c](TObject* sender, int colNo, std::string& text) {
            c.OnGetExportText(sender, colNo, text);
        };
    exporter.OnStopExport = [this](TObject*, bool& canContinue) { StopRequested(canContinue); };
}

void TDialogExportRun::Disconnect(TIB_Ostrel& exporter) {
    exporter.OnBeginExport = nullptr;
    exporter.OnEndExport = nullptr;
    exporter.OnSkippedRecord = nullptr;
    exporter.OnExportedRecord = nullptr;
    exporter.OnGetExportText = nullptr;
    exporter.OnStopExport = nullptr;
    if (TExportedRecordEvent* fetched = FetchedEvent(FExporters, exporter)) *fetched = nullptr;
}

void TDialogExportRun::StopRequested(bool& canContinue) {
    Progress(pnPause);
    // A component that does not want the question stops at once.
    canContinue = FComponent.ConfirmAbort() ? !FView.AskAbort() : false;
    if (FComponent.OnStopExport) FComponent.OnStopExport(&FComponent, canContinue);
    Progress(canContinue ? pnContinue : pnAborted);
}

void TDialogExportRun::Execute() {
    TIB_Ostrel& exporter =
        CopySettingsToExporter(FSettings, FExporters, FComponent, FSettings.Int(dsExportType));
    Connect(exporter);
    FRunning = &exporter;
    // The window goes and the handlers let go of this run however the run ends.
    struct TRunEnd {
        TDialogExportRun& Run;
        TIB_Ostrel& Exporter;
        ~TRunEnd() {
            Run.FView.DestroyProgress();
            Run.Disconnect(Exporter);
            Run.FRunning = nullptr;
        }
    } end{*this, exporter};

    FView.ShowProgress(exporter);
    exporter.DoExecute();
    if (!FSettings.Bool(dsShowFile)) {
        FView.WaitForConfirmation();
    } else if (!exporter.Aborted()) {
        // The exporter has opened the file already.
        Progress(pnClose);
    }
}

}  // namespace ostrel
