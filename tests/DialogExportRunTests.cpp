// A run from the dialog without a window: the notifications the progress window receives, the
// component's events and their order, the stop question, the end of the run with and without
// showing the file, failures; and the progress window's state, counters, time and speed.
#include "TestSupport.h"

#include "dialog/DialogExportRun.h"
#include "dialog/IB_OstrelConsts.h"

namespace ostrel::test {
namespace {

using Strings = std::vector<std::string>;

const char* NotificationName(TProgressNotification code) {
    static const char* names[] = {"", "begin", "fetched", "skipped", "exported", "pause",
                                  "continue", "aborted", "finished", "close"};
    return names[code];
}

// Records what the run asks of the window, drives a progress model as the window would, and
// presses the window's button when told to.
class TFakeRunView : public TDialogRunView {
public:
    explicit TFakeRunView(Strings& log) : FLog(log) {}

    void ShowProgress(TIB_Ostrel& exporter) override {
        FLog.push_back("show");
        Exporter = &exporter;
        Progress = TOstrelProgress();
        Shown = true;
    }
    bool HasProgress() const override { return Shown; }
    void Notify(TProgressNotification code) override {
        FLog.push_back(NotificationName(code));
        Progress.Notify(code);
        if (code == pnExported && Progress.Exported() == PressAtExported && Progress.ButtonStops()) Exporter->Abort();
    }
    bool AskAbort() override {
        FLog.push_back("question");
        return AnswerYes;
    }
    void WaitForConfirmation() override { FLog.push_back("wait"); }
    void DestroyProgress() override {
        if (Shown) FLog.push_back("destroy");
        Shown = false;
    }

    TOstrelProgress Progress;
    TIB_Ostrel* Exporter = nullptr;
    int PressAtExported = 0;  // presses the button after this written row
    bool AnswerYes = false;
    bool Shown = false;

private:
    Strings& FLog;
};

class DialogExportRun : public ::testing::Test {
protected:
    void SetUp() override {
        ds.AddField("ID", TMemFieldType::Integer);
        ds.AddField("CITY", TMemFieldType::String, 12);
        for (int i = 1; i <= 7; ++i) ds.AppendRow({int64_t{i}, "City" + std::to_string(i)});
        ds.Open();
        d.SetDataSet(&ds);
        d.DialogColumns().Fill();
        s.FillFromComponent(d, e, &window);
        s.SetStr(dsFileName, dir.File("out.csv"));
        s.SetBool(dsShowFile, false);
        s.SetInt(dsExportType, aeCSV);
    }
    // Keeps the component's events in the same log as the window's notifications.
    void RecordComponentEvents() {
        d.OnBeginExport = [this](TObject* sender) { log.push_back(std::string("OnBegin") + Who(sender)); };
        d.OnEndExport = [this](TObject* sender) { log.push_back(std::string("OnEnd") + Who(sender)); };
        d.OnSkippedRecord = [this](TObject* sender, int recNo) {
            log.push_back("OnSkipped " + std::to_string(recNo) + Who(sender));
        };
        d.OnExportedRecord = [this](TObject* sender, int recNo) {
            log.push_back("OnExported " + std::to_string(recNo) + Who(sender));
        };
    }
    std::string Who(TObject* sender) const {
        if (sender == &e.ASCIIExp) return "";
        return sender == &d ? " (component)" : " (?)";
    }
    // The log without the rows, for the shape of a run.
    Strings Shape() const {
        Strings out;
        for (const auto& entry : log)
            if (entry != "exported" && entry != "skipped" && entry != "fetched" && !entry.starts_with("OnExported") &&
                !entry.starts_with("OnSkipped"))
                out.push_back(entry);
        return out;
    }
    int Count(const std::string& what) const { return int(std::count(log.begin(), log.end(), what)); }

    TTempDir dir;
    TMemDataset ds;
    TIB_OstrelDialog d;
    TOstrelDialogExporters e;
    TOstrelDialogSettings s;
    TObject window;
    Strings log;
    TFakeRunView view{log};
    TDialogExportRun run{s, e, d, view};
    TShellScope shell;
};

TEST_F(DialogExportRun, SkippedThenWrittenRowsReachTheWindowAndTheComponentInOrder) {
    RecordComponentEvents();
    s.SetInt(dsSkipRecCount, 2);
    run.Execute();
    EXPECT_EQ(log, (Strings{"show", "begin", "OnBegin", "skipped", "OnSkipped 1", "skipped", "OnSkipped 2",
                            "OnExported 1", "exported", "OnExported 2", "exported", "OnExported 3", "exported",
                            "OnExported 4", "exported", "OnExported 5", "exported", "finished", "OnEnd", "wait",
                            "destroy"}));
    EXPECT_EQ(view.Progress.State(), psFinished);
    EXPECT_EQ(view.Progress.Skipped(), 2);
    EXPECT_EQ(view.Progress.Exported(), 5);
    EXPECT_EQ(run.Running(), nullptr);
    EXPECT_EQ(ReadAll(dir.File("out.csv")).substr(0, 10), "\"ID\";\"CITY");
    // The handlers let go of the run.
    EXPECT_FALSE(e.ASCIIExp.OnExportedRecord);
    EXPECT_FALSE(e.ASCIIExp.OnStopExport);
}

TEST_F(DialogExportRun, TextWidthPrePassIsReportedAsFetchedRows) {
    d.OnFetchedRecord = [this](TObject*, int recNo) { log.push_back("OnFetched " + std::to_string(recNo)); };
    s.SetInt(dsExportType, aeTXT);
    s.SetBool(dsTXTAutoCalcColWidth, true);
    s.SetStr(dsFileName, dir.File("out.txt"));
    run.Execute();
    EXPECT_EQ(Count("fetched"), 7);
    EXPECT_EQ(Count("exported"), 7);
    // The component hears of a fetched row before the window.
    const auto first = std::find(log.begin(), log.end(), "OnFetched 1");
    ASSERT_NE(first, log.end());
    EXPECT_EQ(*(first + 1), "fetched");
    EXPECT_EQ(view.Progress.Fetched(), 7);
}

TEST_F(DialogExportRun, StopAnsweredNoGoesOnAndYesEndsTheRunWithoutFinished) {
    view.PressAtExported = 2;
    view.AnswerYes = false;
    run.Execute();
    EXPECT_EQ(Shape(), (Strings{"show", "begin", "pause", "question", "continue", "finished", "wait", "destroy"}));
    EXPECT_EQ(view.Progress.Exported(), 7);
    EXPECT_FALSE(e.ASCIIExp.Aborted());

    log.clear();
    view.AnswerYes = true;
    run.Execute();
    EXPECT_EQ(Shape(), (Strings{"show", "begin", "pause", "question", "aborted", "wait", "destroy"}));
    EXPECT_EQ(view.Progress.State(), psAborted);
    EXPECT_EQ(view.Progress.Exported(), 2);
    EXPECT_TRUE(e.ASCIIExp.Aborted());
}

TEST_F(DialogExportRun, ComponentMayOverruleTheAnswerAndConfirmAbortFalseStopsWithoutAsking) {
    TObject* stopSender = nullptr;
    d.OnStopExport = [&](TObject* sender, bool& canContinue) {
        stopSender = sender;
        canContinue = true;
    };
    view.PressAtExported = 3;
    view.AnswerYes = true;
    run.Execute();
    EXPECT_EQ(stopSender, &d);
    EXPECT_EQ(Count("continue"), 1);
    EXPECT_EQ(view.Progress.Exported(), 7);

    log.clear();
    d.OnStopExport = nullptr;
    d.SetConfirmAbort(false);
    run.Execute();
    EXPECT_EQ(Shape(), (Strings{"show", "begin", "pause", "aborted", "wait", "destroy"}));
}

TEST_F(DialogExportRun, ShowFileClosesTheWindowAfterACompletedRunAndNotAfterAStoppedOne) {
    s.SetBool(dsShowFile, true);
    run.Execute();
    EXPECT_EQ(Shape(), (Strings{"show", "begin", "finished", "close", "destroy"}));
    EXPECT_EQ(shell.Service->Calls, (Strings{"open " + dir.File("out.csv")}));

    log.clear();
    shell.Service->Calls.clear();
    view.PressAtExported = 1;
    view.AnswerYes = true;
    run.Execute();
    EXPECT_EQ(Shape(), (Strings{"show", "begin", "pause", "question", "aborted", "destroy"}));
    EXPECT_TRUE(shell.Service->Calls.empty());
}

TEST_F(DialogExportRun, FailedRunDestroysTheWindowAndReachesTheCaller) {
    ds.Close();
    try {
        run.Execute();
        FAIL() << "a closed source must fail";
    } catch (const std::exception& ex) {
        EXPECT_NE(std::string(ex.what()).find("is closed"), std::string::npos) << ex.what();
    }
    EXPECT_EQ(log, (Strings{"show", "destroy"}));
    EXPECT_EQ(run.Running(), nullptr);
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.csv")));
}

TEST_F(DialogExportRun, ExportTextEventOnlyWhenTheComponentHasOne) {
    run.Execute();
    EXPECT_EQ(ReadAll(dir.File("out.csv")).find("X1"), std::string::npos);
    d.OnGetExportText = [](TObject*, int colNo, std::string& text) {
        if (colNo == 1 && text.find("City") != std::string::npos) text.replace(text.find("City"), 4, "X");
    };
    run.Execute();
    EXPECT_NE(ReadAll(dir.File("out.csv")).find("\"X1\""), std::string::npos) << ReadAll(dir.File("out.csv"));
}

// The progress window's model.

TEST(DialogProgress, CountersShowTheLastChangedUnderTheStateCaption) {
    TOstrelProgress p;
    EXPECT_EQ(p.State(), psNone);
    EXPECT_EQ(p.CounterCaption(), "Exported");
    EXPECT_EQ(p.CounterText(), "");
    EXPECT_EQ(p.ButtonCaption(), "");
    EXPECT_EQ(p.TimeText(), "0:00:00");
    EXPECT_EQ(p.SpeedText(), "");
    p.Notify(pnBegin);
    EXPECT_EQ(p.StatusText(), "Preparing...");
    EXPECT_EQ(p.ButtonCaption(), "Cancel");
    Strings shown;
    for (int i = 0; i < 2; ++i) {
        p.Notify(pnSkipped);
        shown.push_back(p.CounterCaption() + " " + p.CounterText());
    }
    for (int i = 0; i < 5; ++i) {
        p.Notify(pnExported);
        shown.push_back(p.CounterCaption() + " " + p.CounterText());
    }
    EXPECT_EQ(shown, (Strings{"Skipped 1", "Skipped 2", "Exported 1", "Exported 2", "Exported 3", "Exported 4",
                              "Exported 5"}));
    EXPECT_EQ(p.StatusText(), "Exporting...");
    EXPECT_TRUE(p.ButtonStops());
    p.Tick();
    EXPECT_EQ(p.SpeedText(), "7 rows/sec");
    EXPECT_EQ(p.TimeText(), "0:00:01");
    p.Notify(pnFinished);
    EXPECT_EQ(p.StatusText(), "Finished");
    EXPECT_EQ(p.ButtonCaption(), "OK");
    EXPECT_FALSE(p.ButtonStops());
    EXPECT_FALSE(p.TimerOn());
    EXPECT_EQ(p.CounterText(), "5");
}

TEST(DialogProgress, PauseResumeAbortAndCodesThatAreNone) {
    TOstrelProgress p;
    p.Notify(pnBegin);
    p.Notify(pnFetched);
    EXPECT_EQ(p.CounterCaption(), "Fetched");
    p.Notify(pnPause);
    EXPECT_EQ(p.StatusText(), "Pause");
    EXPECT_FALSE(p.TimerOn());
    EXPECT_FALSE(p.ButtonStops());
    EXPECT_EQ(p.CounterCaption(), "Fetched");
    p.Notify(pnContinue);
    EXPECT_EQ(p.State(), psResumed);
    EXPECT_EQ(p.StatusText(), "Exporting...");
    EXPECT_TRUE(p.TimerOn());
    EXPECT_TRUE(p.ButtonStops());
    p.Notify(pnAborted);
    EXPECT_EQ(p.StatusText(), "Aborted");
    EXPECT_EQ(p.ButtonCaption(), "OK");
    const std::string before = p.StatusText() + p.CounterText() + p.ButtonCaption();
    EXPECT_FALSE(p.Notify(0));
    EXPECT_FALSE(p.Notify(10));
    EXPECT_FALSE(p.Notify(-1));
    EXPECT_EQ(p.StatusText() + p.CounterText() + p.ButtonCaption(), before);
    EXPECT_FALSE(p.CloseRequested());
    EXPECT_TRUE(p.Notify(pnClose));
    EXPECT_TRUE(p.CloseRequested());
}

TEST(DialogProgress, TimeAndSpeedCountTheTimeOfDayOnly) {
    TOstrelProgress p;
    p.Notify(pnBegin);
    for (int i = 0; i < 100; ++i) p.Notify(pnExported);
    for (int i = 0; i < 3600 * 25 + 61; ++i) p.Tick();
    // 25 hours, 1 minute and 1 second show as 1:01:01, and the speed is 100 rows in 3661 s.
    EXPECT_EQ(p.TimeText(), "1:01:01");
    EXPECT_EQ(p.SpeedText(), "0 rows/sec");
    TOstrelProgress q;
    for (int i = 0; i < 10; ++i) q.Notify(pnExported);
    for (int i = 0; i < 24 * 3600; ++i) q.Tick();
    // Exactly a day: no seconds of the day have passed, so the speed is 0, not a division by zero.
    EXPECT_EQ(q.TimeText(), "0:00:00");
    EXPECT_EQ(q.SpeedText(), "0 rows/sec");
    q.Tick();
    EXPECT_EQ(q.SpeedText(), "10 rows/sec");
}

}  // namespace
}  // namespace ostrel::test
