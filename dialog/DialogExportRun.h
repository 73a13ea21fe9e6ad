// What "Start Export" does: the settings copied into the embedded exporter of the export type,
// the run, and the exporter's events relayed to the progress window and to the component's
// events. Everything that needs a window (the progress window, the message loop, the stop
// question) goes through a view, so that the run itself is the same with or without one.
#pragma once

#include "dialog/DialogExporters.h"
#include "dialog/DialogProgress.h"
#include "dialog/DialogSettings.h"
#include "dialog/IB_OstrelDialog.h"

namespace ostrel {

class TDialogRunView {
public:
    virtual ~TDialogRunView() = default;
    // Creates the progress window for the exporter and shows it.
    virtual void ShowProgress(TIB_Ostrel& exporter) = 0;
    virtual bool HasProgress() const = 0;
    // Hands a notification to the progress window and lets the message loop run.
    virtual void Notify(TProgressNotification code) = 0;
    // "Do you want to abort export?"; true when the answer is Yes.
    virtual bool AskAbort() = 0;
    // Lets the message loop run until the user confirmed the end with the progress window's button.
    virtual void WaitForConfirmation() = 0;
    virtual void DestroyProgress() = 0;
};

class TDialogExportRun {
public:
    TDialogExportRun(TOstrelDialogSettings& settings, TOstrelDialogExporters& exporters,
                     TIB_OstrelDialog& component, TDialogRunView& view)
        : FSettings(settings), FExporters(exporters), FComponent(component), FView(view) {}

    // Copies the settings into the exporter of the chosen type and runs it. A failure of the
    // run reaches the caller, after the progress window is gone.
    void Execute();
    // The exporter of the run in progress; nullptr between runs.
    TIB_Ostrel* Running() const { return FRunning; }

private:
    void Connect(TIB_Ostrel& exporter);
    void Disconnect(TIB_Ostrel& exporter);
    void Progress(TProgressNotification code);
    void StopRequested(bool& canContinue);

    TOstrelDialogSettings& FSettings;
    TOstrelDialogExporters& FExporters;
    TIB_OstrelDialog& FComponent;
    TDialogRunView& FView;
    TIB_Ostrel* FRunning = nullptr;
};

}  // namespace ostrel
