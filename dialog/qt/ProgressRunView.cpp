#include "dialog/qt/ProgressRunView.h"

#include <QCoreApplication>
#include <QEventLoop>

#include "dialog/qt/DialogTexts.h"
#include "dialog/qt/QuestionBox.h"

namespace ostrel::qt {

void TProgressRunView::ShowProgress(TIB_Ostrel& exporter) {
    FWindow = new TIB_OstrelDialogProgressF(FDialog, exporter);
    // The dialog takes no input while its exporter runs: no second run, no closing, no change
    // of a setting the run is using.
    FWindow->setWindowModality(Qt::WindowModal);
    FWindow->show();
    RunLoopOnce();
}

void TProgressRunView::RunLoopOnce() {
    QCoreApplication::processEvents();
    FLoopRun.start();
}

void TProgressRunView::Notify(TProgressNotification code) {
    if (!FWindow) return;
    if (code == pnFetched || code == pnSkipped || code == pnExported) {
        // Counted at once, so the counters stay exact whatever the loop's pace.
        FWindow->Notify(code);
        if (!FLoopRun.isValid() || FLoopRun.elapsed() >= kLoopIntervalMs) RunLoopOnce();
        return;
    }
    QCoreApplication::postEvent(FWindow, new TProgressEvent(code));
    RunLoopOnce();
}

bool TProgressRunView::AskAbort() {
    QWidget* parent = FWindow ? static_cast<QWidget*>(FWindow.data()) : FDialog;
    return AskQuestion(parent, Text(sAbortTitle), Text(sAbortQuestion));
}

void TProgressRunView::WaitForConfirmation() {
    if (!FWindow) return;
    FWindow->ShowCounters();
    if (FWindow->Confirmed()) return;
    QEventLoop loop;
    QObject::connect(FWindow, &QDialog::finished, &loop, &QEventLoop::quit);
    QObject::connect(FWindow, &QObject::destroyed, &loop, &QEventLoop::quit);
    loop.exec();
}

void TProgressRunView::DestroyProgress() {
    delete FWindow.data();
    FWindow = nullptr;
}

}  // namespace ostrel::qt
