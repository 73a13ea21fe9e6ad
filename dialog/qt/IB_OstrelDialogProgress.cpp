#include "dialog/qt/IB_OstrelDialogProgress.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "dialog/qt/DialogTexts.h"
#include "engine/IB_Ostrel.h"

namespace ostrel::qt {

namespace {

constexpr int kPanelHeight = 106;
constexpr int kNameWidth = 207, kValueWidth = 80;
constexpr int kRowTop = 6, kRowStep = 24, kRowHeight = 22, kLeft = 5, kGap = 4;
constexpr int kButtonWidth = 75, kButtonHeight = 22;

QLabel* Field(QWidget* parent, int row, bool value) {
    auto* label = new QLabel(parent);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    const int x = value ? kLeft + kNameWidth + kGap : kLeft;
    label->setGeometry(x, kRowTop + row * kRowStep, value ? kValueWidth : kNameWidth, kRowHeight);
    return label;
}

bool IsRowNotification(int code) { return code == pnFetched || code == pnSkipped || code == pnExported; }

}  // namespace

TIB_OstrelDialogProgressF::TIB_OstrelDialogProgressF(QWidget* owner, TIB_Ostrel& exporter)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), FExporter(exporter) {
    setFixedSize(kClientWidth, kClientHeight);
    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(0, 0, kClientWidth, kPanelHeight);
    TControls& c = FControls;
    c.StatusName = Field(panel, 0, false);
    c.Status = Field(panel, 0, true);
    c.CounterName = Field(panel, 1, false);
    c.Counter = Field(panel, 1, true);
    c.TimeName = Field(panel, 2, false);
    c.Time = Field(panel, 2, true);
    c.SpeedName = Field(panel, 3, false);
    c.Speed = Field(panel, 3, true);
    c.CounterName->setText(ToQString(FProgress.CounterCaption()));
    c.Time->setText(ToQString(FProgress.TimeText()));

    c.Button = new QPushButton(this);
    c.Button->setGeometry((kClientWidth - kButtonWidth) / 2,
                          kPanelHeight + (kClientHeight - kPanelHeight - kButtonHeight) / 2, kButtonWidth,
                          kButtonHeight);
    connect(c.Button, &QPushButton::clicked, this, [this] { ButtonClicked(); });

    c.Timer = new QTimer(this);
    c.Timer->setInterval(1000);
    connect(c.Timer, &QTimer::timeout, this, [this] { TimerTick(); });

    if (const QScreen* s = owner ? owner->screen() : QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());
    FLastDrawn.start();
}

void TIB_OstrelDialogProgressF::showEvent(QShowEvent* event) {
    setWindowTitle(Text(sProgressCaption));
    FControls.StatusName->setText(Text(sProgressStatus));
    FControls.TimeName->setText(Text(sProgressTime));
    FControls.SpeedName->setText(Text(sProgressSpeed));
    QDialog::showEvent(event);
}

bool TIB_OstrelDialogProgressF::event(QEvent* event) {
    if (event->type() == TProgressEvent::Type()) {
        Notify(static_cast<TProgressEvent*>(event)->Code());
        return true;
    }
    return QDialog::event(event);
}

void TIB_OstrelDialogProgressF::closeEvent(QCloseEvent* event) {
    if (FClosing) QDialog::closeEvent(event);
    else event->ignore();
}

void TIB_OstrelDialogProgressF::Notify(int code) {
    const TProgressState before = FProgress.State();
    if (!FProgress.Notify(code)) return;
    if (code == pnClose) {
        FClosing = true;
        done(QDialog::Rejected);
        return;
    }
    if (FProgress.TimerOn() != FControls.Timer->isActive()) {
        if (FProgress.TimerOn()) FControls.Timer->start();
        else FControls.Timer->stop();
    }
    // Rows come by the thousand: their counter is drawn at a bounded rate, a new state at once.
    if (IsRowNotification(code) && FProgress.State() == before) {
        if (FLastDrawn.elapsed() >= FRepaintMs) ShowCounters();
        return;
    }
    ShowState();
}

void TIB_OstrelDialogProgressF::ShowCounters() {
    FControls.Counter->setText(ToQString(FProgress.CounterText()));
    FLastDrawn.restart();
}

void TIB_OstrelDialogProgressF::ShowState() {
    FControls.Status->setText(ToQString(FProgress.StatusText()));
    FControls.CounterName->setText(ToQString(FProgress.CounterCaption()));
    FControls.Button->setText(ToQString(FProgress.ButtonCaption()));
    ShowCounters();
}

void TIB_OstrelDialogProgressF::TimerTick() {
    FProgress.Tick();
    FControls.Time->setText(ToQString(FProgress.TimeText()));
    FControls.Speed->setText(ToQString(FProgress.SpeedText()));
    // The counter catches up at least once a second.
    ShowCounters();
}

void TIB_OstrelDialogProgressF::ButtonClicked() {
    if (FProgress.ButtonStops()) FExporter.Abort();
    else done(QDialog::Accepted);
}

}  // namespace ostrel::qt
