// The small window the export dialog shows while its exporter runs: status, a row counter,
// elapsed time and speed, and one button that stops the run while it is in progress and
// confirms its end afterwards. It does not watch the exporter; the dialog tells it what happens.
#pragma once

#include <QDialog>
#include <QEvent>
#include <QElapsedTimer>

#include "dialog/DialogProgress.h"

class QLabel;
class QPushButton;
class QTimer;

namespace ostrel {
class TIB_Ostrel;
}

namespace ostrel::qt {

// A notification as a posted message: the message number kProgressMessage, the code as its
// parameter.
class TProgressEvent : public QEvent {
public:
    explicit TProgressEvent(int code) : QEvent(Type()), FCode(code) {}
    static QEvent::Type Type() { return static_cast<QEvent::Type>(kProgressMessage); }
    int Code() const { return FCode; }

private:
    int FCode;
};

class TIB_OstrelDialogProgressF : public QDialog {
public:
    static constexpr int kClientWidth = 301;
    static constexpr int kClientHeight = 140;
    // Row counters are drawn at most this often; the counts themselves are always exact.
    static constexpr int kDefaultRepaintMs = 40;

    TIB_OstrelDialogProgressF(QWidget* owner, TIB_Ostrel& exporter);

    // Applies a notification now (posted ones arrive through the message loop as TProgressEvent).
    void Notify(int code);
    const TOstrelProgress& Progress() const { return FProgress; }
    // The modal result OK once the user confirmed the end of the run.
    bool Confirmed() const { return result() == QDialog::Accepted; }
    // 0 draws every row; for tests and pictures.
    void SetRepaintInterval(int ms) { FRepaintMs = ms; }
    // Draws the counters as they stand (a row notification may have left them undrawn).
    void ShowCounters();

    struct TControls {
        QLabel* StatusName = nullptr;
        QLabel* Status = nullptr;
        QLabel* CounterName = nullptr;
        QLabel* Counter = nullptr;
        QLabel* TimeName = nullptr;
        QLabel* Time = nullptr;
        QLabel* SpeedName = nullptr;
        QLabel* Speed = nullptr;
        QPushButton* Button = nullptr;
        QTimer* Timer = nullptr;
    };
    const TControls& Controls() const { return FControls; }

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Neither Escape nor the window frame closes it: the run or the button decides.
    void reject() override {}
    void closeEvent(QCloseEvent* event) override;

private:
    void ButtonClicked();
    void TimerTick();
    void ShowState();

    TIB_Ostrel& FExporter;
    TOstrelProgress FProgress;
    TControls FControls;
    QElapsedTimer FLastDrawn;
    int FRepaintMs = kDefaultRepaintMs;
    bool FClosing = false;
};

}  // namespace ostrel::qt
