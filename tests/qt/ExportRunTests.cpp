// "Start Export" offscreen: a whole run from the dialog window with its progress window, the
// counters and states it shows, a stop answered No and Yes, the end confirmed or closing by
// itself, a failure shown with the dialog still open, and the window's layout.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "data/IB_Query.h"
#include "dialog/IB_OstrelDialog.h"
#include "dialog/qt/ErrorDisplay.h"
#include "dialog/qt/IB_OstrelDialogF.h"
#include "dialog/qt/IB_OstrelDialogProgress.h"
#include "dialog/qt/QuestionBox.h"
#include "exporters/text/IB_OstrelASCII.h"
#include "platform/Services.h"
#include "sources/MemDataset.h"

namespace ostrel::qt {
namespace {

struct TRecordingShell : IShellService {
    QStringList Calls;
    void Perform(const std::string& verb, const std::string& fileName) override {
        Calls << QString::fromStdString(verb + " " + fileName);
    }
};

std::string ReadFile(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

QString Shown(const QLabel* name, const QLabel* value) { return name->text() + " " + value->text(); }

class ExportRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() / ("ostrel-run-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        ds.AddField("ID", TMemFieldType::Integer);
        ds.AddField("CITY", TMemFieldType::String, 12);
        for (int i = 1; i <= 7; ++i) ds.AppendRow({int64_t{i}, "City" + std::to_string(i)});
        ds.Open();
        dialog.SetDataSet(&ds);
        dialog.SetFileName((dir / "out.csv").string());
        dialog.SetShowFile(false);
        dialog.SetAllowedExports(ExportBit(aeCSV));
        SetShellService(shell);
        SetErrorDisplayFunction([this](QWidget* parent, const QString& message) {
            errors << message;
            errorParentVisible = parent && parent->isVisible();
        });
    }
    void TearDown() override {
        SetShellService(nullptr);
        SetErrorDisplayFunction(nullptr);
        SetQuestionFunction(nullptr);
        std::filesystem::remove_all(dir);
    }
    std::unique_ptr<TIB_OstrelDialogF> Open() {
        dialog.DialogColumns().Fill();
        auto window = std::make_unique<TIB_OstrelDialogF>(dialog);
        window->setAttribute(Qt::WA_DontShowOnScreen, true);
        window->show();
        QApplication::processEvents();
        return window;
    }
    // Presses the progress window's button once the run has ended, as the user confirms it.
    void ConfirmWhenEnded(TIB_OstrelDialogF& w) {
        auto* poll = new QTimer(&w);
        QObject::connect(poll, &QTimer::timeout, poll, [this, &w, poll] {
            // Only an ended run: during the stop question the button does not stop either, and a
            // slow machine lets the timer fire there.
            TIB_OstrelDialogProgressF* p = w.ProgressWindow();
            if (!p || (p->Progress().State() != psFinished && p->Progress().State() != psAborted)) return;
            endState = Shown(p->Controls().Status, p->Controls().Counter) + " / " + p->Controls().Button->text();
            QTest::mouseClick(p->Controls().Button, Qt::LeftButton);
            poll->deleteLater();
        });
        poll->start(5);
    }

    std::filesystem::path dir;
    TMemDataset ds;
    TIB_OstrelDialog dialog;
    std::shared_ptr<TRecordingShell> shell = std::make_shared<TRecordingShell>();
    QStringList errors;
    bool errorParentVisible = false;
    QString endState;
};

TEST_F(ExportRunTest, WholeRunShowsEachCountUnderItsCaptionAndWaitsForOK) {
    dialog.SetSkipRecCount(2);
    auto w = Open();
    QStringList shownAtRow;
    bool dialogBlocked = false;
    dialog.OnBeginExport = [&](TObject*) { w->ProgressWindow()->SetRepaintInterval(0); };
    dialog.OnExportedRecord = [&](TObject*, int recNo) {
        const auto& c = w->ProgressWindow()->Controls();
        shownAtRow << Shown(c.CounterName, c.Counter);
        if (recNo == 1) {
            // The dialog takes no input during the run: a click on Close, as the window system
            // delivers it, does not close it.
            QPushButton* close = w->Controls().Close;
            ASSERT_NE(w->windowHandle(), nullptr);
            QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, close->mapTo(w.get(), close->rect().center()));
            QApplication::processEvents();
            dialogBlocked = w->isVisible() && QApplication::activeModalWidget() == w->ProgressWindow();
        }
    };
    ConfirmWhenEnded(*w);
    w->StartExport();
    // What the window showed before each row was written: the skipped rows, then the rows.
    EXPECT_EQ(shownAtRow, (QStringList{"Skipped 2", "Exported 1", "Exported 2", "Exported 3", "Exported 4"}));
    EXPECT_EQ(endState, "Finished 5 / OK");
    EXPECT_TRUE(dialogBlocked);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->ProgressWindow(), nullptr);
    EXPECT_EQ(w->RunningExporter(), nullptr);
    EXPECT_EQ(ReadFile((dir / "out.csv").string()).substr(0, 12), "\"ID\";\"CITY\";");
    EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
    EXPECT_TRUE(shell->Calls.isEmpty());
}

TEST_F(ExportRunTest, StopAnsweredNoGoesOnAndYesStopsWithOKToPress) {
    auto w = Open();
    QStringList asked;
    bool answer = false;
    SetQuestionFunction([&](QWidget*, const QString& title, const QString& text) {
        const auto& c = w->ProgressWindow()->Controls();
        asked << title + " | " + text + " | " + c.Status->text() + " | timer " +
                     (c.Timer->isActive() ? "on" : "off");
        return answer;
    });
    dialog.OnExportedRecord = [&](TObject*, int recNo) {
        if (recNo == 3) QTest::mouseClick(w->ProgressWindow()->Controls().Button, Qt::LeftButton);
    };
    ConfirmWhenEnded(*w);
    w->StartExport();
    EXPECT_EQ(asked, (QStringList{"Are you sure? | Do you want to abort export? | Pause | timer off"}));
    EXPECT_EQ(endState, "Finished 7 / OK");

    asked.clear();
    answer = true;
    ConfirmWhenEnded(*w);
    w->StartExport();
    EXPECT_EQ(asked.size(), 1);
    EXPECT_EQ(endState, "Aborted 3 / OK");
    // The stopped run still ends its file; the rows written so far are in it.
    const std::string csv = ReadFile((dir / "out.csv").string());
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 4) << csv;
}

TEST_F(ExportRunTest, ShowFileOpensTheFileAndClosesTheProgressWindowByItself) {
    dialog.SetShowFile(true);
    auto w = Open();
    TIB_OstrelDialogProgressF* progress = nullptr;
    dialog.OnEndExport = [&](TObject*) { progress = w->ProgressWindow(); };
    w->StartExport();
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(shell->Calls, QStringList{"open " + QString::fromStdString((dir / "out.csv").string())});
    EXPECT_EQ(w->ProgressWindow(), nullptr);
}

TEST_F(ExportRunTest, FailureIsShownWithTheDialogOpenAndTheSettingsKept) {
    auto w = Open();
    ds.Close();
    w->StartExport();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains("is closed")) << errors[0].toStdString();
    EXPECT_TRUE(errorParentVisible);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->ProgressWindow(), nullptr);
    EXPECT_EQ(w->Settings().Str(dsFileName), (dir / "out.csv").string());
    EXPECT_FALSE(std::filesystem::exists(dir / "out.csv"));
    // Open again, it runs.
    ds.Open();
    ConfirmWhenEnded(*w);
    w->StartExport();
    EXPECT_EQ(endState, "Finished 7 / OK");
}

// The window's own export and ostrel-export replaying the options file the window saved write
// the same bytes, for every format (dBase files differ only in the date of the run).
TEST(ExportRunReplay, OptionsFileSavedByTheWindowIsReplayedByTheCommandLineToTheSameBytes) {
    const auto dir = std::filesystem::temp_directory_path() / ("ostrel-replay-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir / "window");
    std::filesystem::create_directories(dir / "cli");
    for (const char* copy : {"window.gdb", "cli.gdb"}) std::filesystem::copy_file(OSTREL_SAMPLE_DB, dir / copy);
    const char* sql = "select * from country order by id";
    TIB_Connection connection;
    connection.SetDatabaseName((dir / "window.gdb").string());
    connection.SetUsername("SYSDBA");
    connection.SetPassword("tallowfin");
    connection.SetCharSet("UTF8");
    connection.Connect();
    TIB_Query query;
    query.SetConnection(&connection);
    query.SetSQL(sql);
    query.Open();
    TIB_OstrelDialog dialog;
    dialog.SetDataSet(&query);
    dialog.SetShowFile(false);
    dialog.DialogColumns().Fill();
    TIB_OstrelDialogF w(dialog);
    w.setAttribute(Qt::WA_DontShowOnScreen, true);
    w.show();
    TOstrelDialogSettings& s = w.Settings();
    const char* extensions[] = {"xls", "doc", "rtf", "htm", "xml", "dbf", "txt", "csv", "dif", "slk", "tex", "sql"};
    for (int type = aeXLS; type <= aeSQL; ++type) {
        SCOPED_TRACE(extensions[type]);
        s.SetInt(dsExportType, type);
        // Some choices on the pages every type shows.
        s.SetInt(dsSkipRecCount, 3);
        s.SetInt(dsExportRecCount, 25);
        const std::string name = std::string("out.") + extensions[type];
        s.SetStr(dsFileName, (dir / "window" / name).string());
        const std::string cfg = (dir / (name + ".cfg")).string();
        ASSERT_TRUE(w.SaveOptions(cfg));
        // Confirms the end of the run as the user does.
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &poll, [&w] {
            if (auto* p = w.ProgressWindow(); p && !p->Progress().ButtonStops()) p->Controls().Button->click();
        });
        poll.start(2);
        w.StartExport();
        // The same environment as this process, so that both take the same locale.
        const std::string command = std::string(OSTREL_EXPORT_BIN) + " -q --options '" + cfg +
                                    "' --database '" + (dir / "cli.gdb").string() +
                                    "' --password tallowfin --sql '" + sql + "' '" + (dir / "cli" / name).string() +
                                    "' </dev/null 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        std::string fromWindow = ReadFile((dir / "window" / name).string());
        std::string fromCli = ReadFile((dir / "cli" / name).string());
        ASSERT_FALSE(fromWindow.empty());
        if (type == aeDBF) {
            fromWindow.replace(1, 3, 3, '\0');
            fromCli.replace(1, 3, 3, '\0');
        }
        EXPECT_TRUE(fromWindow == fromCli) << name << " differs at byte "
                                           << std::mismatch(fromWindow.begin(), fromWindow.end(), fromCli.begin(),
                                                            fromCli.end()).first - fromWindow.begin();
    }
    std::filesystem::remove_all(dir);
}

TEST(ProgressWindow, LayoutTextsAndNotificationsByMessage) {
    TIB_OstrelASCII exporter;
    TIB_OstrelDialogProgressF p(nullptr, exporter);
    p.setAttribute(Qt::WA_DontShowOnScreen, true);
    p.show();
    QApplication::processEvents();
    const auto& c = p.Controls();
    EXPECT_EQ(p.size(), QSize(301, 140));
    EXPECT_EQ(p.windowTitle(), "Exporting...");
    EXPECT_EQ(c.StatusName->text(), "Status");
    EXPECT_EQ(c.TimeName->text(), "Time");
    EXPECT_EQ(c.SpeedName->text(), "Speed");
    EXPECT_EQ(c.CounterName->text(), "Exported");
    EXPECT_EQ(c.Time->text(), "0:00:00");
    EXPECT_EQ(c.Status->text(), "");
    EXPECT_EQ(c.Counter->text(), "");
    EXPECT_EQ(c.Speed->text(), "");
    EXPECT_EQ(c.Button->text(), "");
    EXPECT_EQ(c.Button->size(), QSize(75, 22));
    EXPECT_EQ(c.StatusName->width(), 207);
    EXPECT_EQ(c.Status->width(), 80);
    EXPECT_FALSE(p.windowFlags() & Qt::WindowCloseButtonHint);

    // Posted as messages: a code that is none changes nothing, the others act.
    QApplication::postEvent(&p, new TProgressEvent(0));
    QApplication::postEvent(&p, new TProgressEvent(10));
    QApplication::processEvents();
    EXPECT_EQ(c.Status->text(), "");
    QApplication::postEvent(&p, new TProgressEvent(pnBegin));
    QApplication::postEvent(&p, new TProgressEvent(pnSkipped));
    QApplication::processEvents();
    EXPECT_EQ(c.Status->text() + " " + c.Button->text(), "Skipping... Cancel");
    EXPECT_TRUE(c.Timer->isActive());
    EXPECT_EQ(Shown(c.CounterName, c.Counter), "Skipped 1");
    // Escape and the frame do not close it while the run is on.
    QTest::keyClick(&p, Qt::Key_Escape);
    p.close();
    EXPECT_TRUE(p.isVisible());
    // The button stops the exporter during the run.
    QTest::mouseClick(c.Button, Qt::LeftButton);
    EXPECT_TRUE(exporter.Aborted());
    // A run that ends before the first tick leaves the speed empty and the time at 0.
    p.Notify(pnFinished);
    EXPECT_FALSE(c.Timer->isActive());
    EXPECT_EQ(c.Speed->text(), "");
    EXPECT_EQ(c.Time->text(), "0:00:00");
    EXPECT_EQ(c.Button->text(), "OK");
    QTest::mouseClick(c.Button, Qt::LeftButton);
    EXPECT_TRUE(p.Confirmed());
    EXPECT_FALSE(c.Timer->isActive());
}

TEST(ProgressWindow, RowCountersAreExactThoughDrawnAtABoundedRate) {
    TIB_OstrelASCII exporter;
    TIB_OstrelDialogProgressF p(nullptr, exporter);
    p.SetRepaintInterval(60 * 1000);
    p.Notify(pnBegin);
    for (int i = 0; i < 1000; ++i) p.Notify(pnExported);
    // The first row changed the state and was drawn; the others were counted, not drawn.
    EXPECT_EQ(p.Controls().Counter->text(), "1");
    EXPECT_EQ(p.Progress().Exported(), 1000);
    p.Notify(pnFinished);
    EXPECT_EQ(p.Controls().Counter->text(), "1000");
}

}  // namespace
}  // namespace ostrel::qt
