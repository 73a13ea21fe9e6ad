// The order of calls and events of a run: normal, skipped and limited, stopped, failing.
#include "TestSupport.h"

namespace ostrel::test {
namespace {

using Log = std::vector<std::string>;

class RunLoop : public ::testing::Test {
protected:
    void SetUp() override {
        FillNumbered(ds, 10);
        e.SetDataSet(&ds);
        e.SetFileName(dir.File("out.txt"));
        RecordEvents(e);
    }
    std::string Output() { return ReadAll(dir.File("out.txt")); }

    TTempDir dir;
    TMemDataset ds;
    TFileRecorder e;
    TShellScope shell;
};

TEST_F(RunLoop, SkipAndLimitFromTheFirstRow) {
    ds.SetRecNo(6);
    e.SetSkipRecCount(2);
    e.SetExportRecCount(3);
    e.DoExecute();
    EXPECT_EQ(e.Log, (Log{"OnBeginExport", "BeginExport", "WriteCaptionRow", "BeforeExport",
                          "OnSkippedRecord 1", "OnSkippedRecord 2", "WriteDataRow", "OnExportedRecord 1",
                          "WriteDataRow", "OnExportedRecord 2", "WriteDataRow", "OnExportedRecord 3",
                          "AfterExport", "EndExport", "OnEndExport"}));
    EXPECT_EQ(Output(), "ID|NAME|\r\n3|row 3|\r\n4|row 4|\r\n5|row 5|\r\n<end>\r\n");
    EXPECT_EQ(ds.ControlsDisabled(), 0);
    EXPECT_EQ(ds.EnableCalls(), 1);
    EXPECT_EQ(e.Writer(), nullptr);
    EXPECT_EQ(ds.RecNo(), 6);  // the run leaves the dataset where it stopped
    EXPECT_FALSE(e.Aborted());
}

TEST_F(RunLoop, StartsAtTheCurrentRowWithoutGoToFirstRecord) {
    e.SetGoToFirstRecord(false);
    e.SetAllowCaptions(false);
    ds.SetRecNo(10);
    e.DoExecute();
    EXPECT_EQ(Output(), "10|row 10|\r\n<end>\r\n");
    EXPECT_TRUE(ds.Eof());
}

TEST_F(RunLoop, AbortInBeginExportSkipsEverythingButReenablesControls) {
    e.SetShowFile(true);
    e.OnBeginExport = [&](TObject*) {
        e.Note("OnBeginExport");
        e.Abort();
    };
    e.DoExecute();
    EXPECT_EQ(e.Log, (Log{"OnBeginExport", "BeginExport"}));
    EXPECT_EQ(Output(), "");
    EXPECT_EQ(ds.ControlsDisabled(), 0);
    EXPECT_TRUE(shell.Service->Calls.empty());
    EXPECT_TRUE(e.Aborted());
}

TEST_F(RunLoop, AbortWithoutStopHandlerEndsAfterTheCurrentRow) {
    e.SetShowFile(true);
    e.SetAllowCaptions(false);
    e.OnExportedRecord = [&](TObject*, int n) {
        e.Note("OnExportedRecord " + std::to_string(n));
        if (n == 2) e.Abort();
    };
    e.DoExecute();
    EXPECT_EQ(e.Log, (Log{"OnBeginExport", "BeginExport", "BeforeExport", "WriteDataRow",
                          "OnExportedRecord 1", "WriteDataRow", "OnExportedRecord 2", "AfterExport",
                          "EndExport", "OnEndExport"}));
    EXPECT_EQ(Output(), "1|row 1|\r\n2|row 2|\r\n<end>\r\n");
    EXPECT_TRUE(shell.Service->Calls.empty());
}

TEST_F(RunLoop, StopHandlerDecidesWhetherTheRunGoesOn) {
    e.SetShowFile(true);
    int asked = 0;
    e.OnStopExport = [&](TObject*, bool& canContinue) {
        ++asked;
        EXPECT_FALSE(canContinue);  // the loop asks because Aborted is set
        canContinue = true;
    };
    e.OnExportedRecord = [&](TObject*, int n) {
        if (n == 3) e.Abort();
    };
    e.DoExecute();
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(e.Aborted());
    EXPECT_EQ(e.RecordCounter(), 10);
    EXPECT_EQ(shell.Service->Calls, (Log{"open " + dir.File("out.txt")}));

    // Refusing stops the run at the same check point.
    e.OnStopExport = [&](TObject*, bool& canContinue) { canContinue = false; };
    e.DoExecute();
    EXPECT_TRUE(e.Aborted());
    EXPECT_EQ(e.RecordCounter(), 3);
    EXPECT_EQ(shell.Service->Calls.size(), 1u);
}

TEST_F(RunLoop, AbortAtEachEarlierCheckPoint) {
    struct Case {
        std::string AbortAfter;
        Log Tail;  // the log after the abort point
    };
    const Case cases[] = {
        {"WriteCaptionRow", {"EndExport", "OnEndExport"}},
        {"BeforeExport", {"EndExport", "OnEndExport"}},
        {"OnSkippedRecord 1", {"OnSkippedRecord 2", "EndExport", "OnEndExport"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.AbortAfter);
        e.Log.clear();
        e.SetSkipRecCount(2);
        e.Hook = [&](TFileRecorder& r, const std::string& what) {
            if (what == c.AbortAfter) r.Abort();
        };
        e.DoExecute();
        auto at = std::find(e.Log.begin(), e.Log.end(), c.AbortAfter);
        ASSERT_NE(at, e.Log.end());
        EXPECT_EQ(Log(at + 1, e.Log.end()), c.Tail);
        EXPECT_EQ(ds.ControlsDisabled(), 0);
    }
}

TEST_F(RunLoop, MissingClosedAndEmptySourcesFailBeforeWriting) {
    TFileRecorder fresh;
    fresh.SetFileName(dir.File("none.txt"));
    {
        std::ofstream old(dir.File("none.txt"));
        old << "old content";
    }
    const std::pair<TOstrelSource, const char*> kinds[] = {
        {esDataSet, "DataSet"}, {esListView, "ListView"}, {esDBGrid, "DBGrid"}, {esStringGrid, "StringGrid"}};
    for (auto [kind, name] : kinds) {
        fresh.SetExportSource(kind);
        try {
            fresh.DoExecute();
            FAIL() << name;
        } catch (const EOstrelError& err) {
            EXPECT_EQ(std::string(err.what()), std::string("Export source (") + name + ") is not assigned");
        }
        EXPECT_EQ(ReadAll(dir.File("none.txt")), "old content");  // a failed run replaces nothing
    }
    // A grid without a data source counts as missing.
    TMemGrid grid;
    fresh.SetExportSource(esDBGrid);
    fresh.SetIBGrid(&grid);
    EXPECT_THROW(fresh.DoExecute(), EOstrelError);

    ds.Close();
    try {
        e.DoExecute();
        FAIL();
    } catch (const EOstrelError& err) {
        EXPECT_STREQ(err.what(), "Export source (DataSet) is closed");
    }
    EXPECT_EQ(ds.ControlsDisabled(), 0);
    EXPECT_EQ(ds.EnableCalls(), 0);

    TMemStringGrid sg;
    sg.SetSize(2, 1);
    sg.SetFixedRows(1);
    fresh.SetExportSource(esStringGrid);
    fresh.SetStringGrid(&sg);
    try {
        fresh.DoExecute();
        FAIL();
    } catch (const EOstrelError& err) {
        EXPECT_STREQ(err.what(), "Export source (StringGrid) is empty");
    }
    TMemListView lv;
    fresh.SetExportSource(esListView);
    fresh.SetListView(&lv);
    EXPECT_THROW(fresh.DoExecute(), EOstrelError);
}

TEST_F(RunLoop, FailureInTheSeventhRowStillEndsTheDocument) {
    e.SetShowFile(true);
    e.FailInRow = 7;
    try {
        e.DoExecute();
        FAIL();
    } catch (const EOstrelError& err) {
        EXPECT_STREQ(err.what(), "row failed");
    }
    EXPECT_EQ(e.Log.back(), "OnEndExport");
    EXPECT_EQ(std::count(e.Log.begin(), e.Log.end(), "AfterExport"), 0);
    EXPECT_EQ(ds.ControlsDisabled(), 0);
    EXPECT_EQ(e.Writer(), nullptr);
    EXPECT_TRUE(shell.Service->Calls.empty());
    // The document was ended, but a failed run leaves no file at all, not even a temporary one.
    EXPECT_TRUE(std::filesystem::is_empty(std::filesystem::path(e.FileName()).parent_path()));
}

TEST_F(RunLoop, DataLayerErrorWhileSkippingEndsTheRun) {
    e.SetSkipRecCount(11);
    EXPECT_THROW(e.DoExecute(), EOstrelError);
    EXPECT_EQ(e.Log.back(), "OnEndExport");
    EXPECT_EQ(ds.ControlsDisabled(), 0);
}

TEST_F(RunLoop, ShowAndPrintThroughTheShell) {
    e.SetShowFile(true);
    e.SetPrintFile(true);
    e.DoExecute();
    const std::string f = dir.File("out.txt");
    EXPECT_EQ(shell.Service->Calls, (Log{"open " + f, "print " + f}));
}

TEST_F(RunLoop, AbortInEndExportOnlyStopsTheShell) {
    e.SetShowFile(true);
    e.OnEndExport = [&](TObject*) { e.Abort(); };
    e.DoExecute();
    EXPECT_EQ(e.RecordCounter(), 10);
    EXPECT_TRUE(shell.Service->Calls.empty());
}

TEST_F(RunLoop, AbortBeforeARunHasNoEffectOnIt) {
    e.Abort();
    e.SetAllowCaptions(false);
    e.DoExecute();
    EXPECT_EQ(e.RecordCounter(), 10);
}

TEST_F(RunLoop, DestroyedSourceClearsTheReference) {
    auto owner = std::make_unique<TComponent>();
    auto* owned = new TMemDataset(owner.get());
    FillNumbered(*owned, 1);
    TFileRecorder other;
    other.SetDataSet(owned);
    e.SetDataSet(owned);
    owner.reset();  // the owner destroys the dataset
    EXPECT_EQ(e.DataSet(), nullptr);
    EXPECT_EQ(other.DataSet(), nullptr);
    try {
        e.DoExecute();
        FAIL();
    } catch (const EOstrelError& err) {
        EXPECT_STREQ(err.what(), "Export source (DataSet) is not assigned");
    }
    // References to the other kinds are cleared the same way.
    auto lv = std::make_unique<TMemListView>();
    auto sg = std::make_unique<TMemStringGrid>();
    e.SetListView(lv.get());
    e.SetStringGrid(sg.get());
    lv.reset();
    sg.reset();
    EXPECT_EQ(e.ListView(), nullptr);
    EXPECT_EQ(e.StringGrid(), nullptr);
}

TEST_F(RunLoop, WidthPassReadsOnlyTheRowsToBeWrittenAndComesBack) {
    e.SetAutoCalcColWidth(true);
    e.SetExportRecCount(2);
    e.SetSkipRecCount(8);
    e.ColumnsWidth().SetText("ID=1\r\nNAME=1");
    std::vector<TObject*> senders;
    e.OnFetchedRecord = [&](TObject* sender, int n) {
        senders.push_back(sender);
        e.Note("OnFetchedRecord " + std::to_string(n));
    };
    ds.SetRecNo(4);
    int recNoAtCaptions = 0;
    e.Hook = [&](TFileRecorder&, const std::string& what) {
        if (what == "WriteCaptionRow") recNoAtCaptions = ds.RecNo();
    };
    e.DoExecute();
    EXPECT_EQ(recNoAtCaptions, 4);  // the pass returned to where the dataset stood
    ASSERT_EQ(senders.size(), 2u);
    EXPECT_EQ(senders[0], &e.Columns());
    // Rows 9 and 10: "row 10" is the longest text; the caption widens ID.
    EXPECT_EQ(e.Columns()[0].Width, 2);
    EXPECT_EQ(e.Columns()[1].Width, 6);
    auto first = std::find(e.Log.begin(), e.Log.end(), "OnSkippedRecord 1");
    EXPECT_LT(first - e.Log.begin(),
              std::find(e.Log.begin(), e.Log.end(), "OnFetchedRecord 1") - e.Log.begin());
    EXPECT_EQ(std::count(e.Log.begin(), e.Log.end(), "OnSkippedRecord 8"), 2);  // both passes skip
}

TEST_F(RunLoop, AbortDuringTheWidthPassEndsWithoutEndExport) {
    e.SetAutoCalcColWidth(true);
    e.OnFetchedRecord = [&](TObject*, int n) {
        if (n == 3) e.Abort();
    };
    ds.SetRecNo(5);
    e.DoExecute();
    EXPECT_EQ(std::count(e.Log.begin(), e.Log.end(), "EndExport"), 0);
    EXPECT_EQ(ds.RecNo(), 5);
    EXPECT_EQ(ds.ControlsDisabled(), 0);
}

TEST(RunLoopSources, ListViewSkipsAndStringGridEndsOnItsLastRow) {
    TTempDir dir;
    TMemListView lv;
    FillDemoListView(lv);
    TFileRecorder e;
    RecordEvents(e);
    e.SetExportSource(esListView);
    e.SetListView(&lv);
    e.SetFileName(dir.File("lv.txt"));
    e.SetSkipRecCount(2);
    e.SetAllowCaptions(false);
    e.DoExecute();
    EXPECT_EQ(std::count_if(e.Log.begin(), e.Log.end(),
                            [](const std::string& s) { return s.rfind("OnSkippedRecord", 0) == 0; }),
              2);
    EXPECT_EQ(ReadAll(dir.File("lv.txt")),
              "3|JÜRGEN|03.03.1969|99.5|true|\r\n4|ŁUCJA|24.12.1990|3100.25|false|\r\n"
              "5|東|01.01.2000|0|true|\r\n<end>\r\n");
    EXPECT_EQ(lv.UpdateDepth(), 0);
    EXPECT_EQ(lv.FocusedIndex(), 0);

    TMemStringGrid g;
    g.SetSize(2, 3);
    for (int r = 0; r < 3; ++r) g.SetCell(0, r, "r" + std::to_string(r));
    TFileRecorder s;
    s.SetExportSource(esStringGrid);
    s.SetStringGrid(&g);
    s.SetAllowCaptions(false);
    s.SetFileName(dir.File("sg.txt"));
    s.DoExecute();
    EXPECT_EQ(ReadAll(dir.File("sg.txt")), "r0||\r\nr1||\r\nr2||\r\n<end>\r\n");
    EXPECT_EQ(g.Row(), 2);
    // Without GoToFirstRecord the grid exports from its current row.
    g.SetRow(1);
    s.SetGoToFirstRecord(false);
    s.DoExecute();
    EXPECT_EQ(ReadAll(dir.File("sg.txt")), "r1||\r\nr2||\r\n<end>\r\n");
}

TEST(RunLoopSources, DataGridRunsOnItsDataset) {
    TTempDir dir;
    TMemDataset ds;
    FillNumbered(ds, 3);
    TMemDataSource src;
    src.SetDataset(&ds);
    TMemGrid grid;
    grid.SetDataSource(&src);
    grid.AddColumn("NAME", 100);
    TFileRecorder e;
    e.SetExportSource(esDBGrid);
    e.SetIBGrid(&grid);
    e.SetFileName(dir.File("g.txt"));
    e.DoExecute();
    EXPECT_EQ(ReadAll(dir.File("g.txt")), "NAME|\r\nrow 1|\r\nrow 2|\r\nrow 3|\r\n<end>\r\n");
    EXPECT_EQ(ds.EnableCalls(), 1);
    src.SetDataset(nullptr);
    EXPECT_THROW(e.DoExecute(), EOstrelError);
}

TEST(MemoryExporter, ClipboardGetsWhatWasWrittenEvenWhenStopped) {
    TMemDataset ds;
    FillNumbered(ds, 100);
    TClipboardScope clip;
    TMemoryRecorder e;
    e.SetDataSet(&ds);
    e.SetAllowCaptions(false);
    e.OnExportedRecord = [&](TObject*, int n) {
        if (n == 5) e.Abort();
    };
    e.DoExecute();
    EXPECT_EQ(clip.Service->Text, "1|row 1|\r\n2|row 2|\r\n3|row 3|\r\n4|row 4|\r\n5|row 5|\r\n<end>\r\n");

    // A failing run leaves the clipboard as it was.
    clip.Service->Text = "before";
    e.OnExportedRecord = nullptr;
    e.FailInRow = 2;
    EXPECT_THROW(e.DoExecute(), EOstrelError);
    EXPECT_EQ(clip.Service->Text, "before");
    EXPECT_EQ(clip.Service->SetCalls, 1);
}

}  // namespace
}  // namespace ostrel::test
