#include "dialog/qt/RunScreenshots.h"

#include <QDir>
#include <QEventLoop>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "dialog/IB_OstrelDialog.h"
#include "dialog/qt/IB_OstrelDialogF.h"
#include "dialog/qt/IB_OstrelDialogProgress.h"
#include "dialog/qt/QuestionBox.h"
#include "dialog/qt/WindowPicture.h"

namespace ostrel::qt {

namespace {

constexpr int kRowOfTheStop = 3;
// Long enough for one tick of the progress window's timer, so that time and speed show.
constexpr int kRunningMs = 1100;

void Wait(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Puts back what the run changed, however it ends.
class TRestore {
public:
    explicit TRestore(TIB_OstrelDialogF& window)
        : FWindow(window), FEvent(window.Owner().OnExportedRecord), FType(window.Settings().Int(dsExportType)),
          FFile(window.Settings().Str(dsFileName)), FShow(window.Settings().Bool(dsShowFile)) {}
    ~TRestore() {
        FWindow.Owner().OnExportedRecord = FEvent;
        SetQuestionFunction(nullptr);
        TOstrelDialogSettings& s = FWindow.Settings();
        s.SetInt(dsExportType, FType);
        s.SetStr(dsFileName, FFile);
        s.SetBool(dsShowFile, FShow);
    }

private:
    TIB_OstrelDialogF& FWindow;
    TExportedRecordEvent FEvent;
    int FType;
    std::string FFile;
    bool FShow;
};

}  // namespace

QStringList SaveRunScreenshots(TIB_OstrelDialogF& window, const QString& dir, int& number) {
    QStringList written;
    auto save = [&](QWidget& w, const char* name) {
        const QString path =
            QDir(dir).filePath(QStringLiteral("dialog-%1-%2.png").arg(++number, 2, 10, QChar('0')).arg(name));
        if (WindowPicture(w).save(path)) written << path;
    };
    QTemporaryDir out;
    TRestore restore(window);
    TOstrelDialogSettings& s = window.Settings();
    s.SetInt(dsExportType, aeCSV);
    s.SetStr(dsFileName, QDir(out.path()).filePath(QStringLiteral("run.csv")).toStdString());
    s.SetBool(dsShowFile, false);

    bool stopped = false;
    window.Owner().OnExportedRecord = [&](TObject*, int recNo) {
        TIB_OstrelDialogProgressF* progress = window.ProgressWindow();
        if (stopped || recNo < kRowOfTheStop || !progress) return;
        stopped = true;
        Wait(kRunningMs);
        progress->ShowCounters();
        save(*progress, "progress-running");
        progress->Controls().Button->click();
    };
    SetQuestionFunction([&](QWidget* parent, const QString& title, const QString& text) {
        save(*MakeQuestionBox(QMessageBox::Question, parent, title, text), "stop-question");
        return true;
    });
    QTimer confirm;
    QObject::connect(&confirm, &QTimer::timeout, &confirm, [&] {
        TIB_OstrelDialogProgressF* progress = window.ProgressWindow();
        // Not while the question is open (its picture lets the loop run): the run must have ended.
        if (!progress || (progress->Progress().State() != psAborted && progress->Progress().State() != psFinished))
            return;
        confirm.stop();
        save(*progress, "progress-stopped");
        progress->Controls().Button->click();
    });
    confirm.start(5);
    window.StartExport();
    return written;
}

}  // namespace ostrel::qt
