// The window side of a run from the dialog: the progress window, the message loop run inside
// the exporter's events, the stop question, and the wait for the user's "OK".
#pragma once

#include <QElapsedTimer>
#include <QPointer>

#include "dialog/DialogExportRun.h"
#include "dialog/qt/IB_OstrelDialogProgress.h"

namespace ostrel::qt {

class TProgressRunView : public TDialogRunView {
public:
    // Rows let the message loop run at most this often: once per row would cost more than
    // writing the row. Notifications of a new state always run it.
    static constexpr int kLoopIntervalMs = 15;

    explicit TProgressRunView(QWidget* dialog) : FDialog(dialog) {}
    ~TProgressRunView() override { DestroyProgress(); }

    void ShowProgress(TIB_Ostrel& exporter) override;
    bool HasProgress() const override { return !FWindow.isNull(); }
    void Notify(TProgressNotification code) override;
    bool AskAbort() override;
    void WaitForConfirmation() override;
    void DestroyProgress() override;

    TIB_OstrelDialogProgressF* Window() const { return FWindow.data(); }

private:
    void RunLoopOnce();

    QWidget* FDialog;
    QPointer<TIB_OstrelDialogProgressF> FWindow;
    QElapsedTimer FLoopRun;
};

}  // namespace ostrel::qt
