// The demo window: on the sample database and without it, its tabs as export sources, the
// POPULATION label of the DBGrid tab, and its pictures.
#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QImage>
#include <QPalette>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "demo/Form1.h"
#include "demo/Screenshots.h"
#include "dialog/qt/QtDataGrid.h"
#include "dialog/qt/QtLayer.h"
#include "dialog/qt/QtListView.h"
#include "dialog/qt/QtStringGrid.h"
#include "dialog/qt/WindowPicture.h"

namespace ostrel::demo {
namespace {

enum TTab { kDataSet = 0, kDBGrid = 1, kListView = 2, kStringGrid = 3 };

// A directory holding a copy of the sample database, so that the demo finds it "beside the
// program" and no other test shares the file.
class SampleDir {
public:
    SampleDir() {
        const QString db = QStringLiteral(OSTREL_SAMPLE_DB);
        if (!QFileInfo::exists(db)) return;
        FReady = QFile::copy(db, FDir.filePath(QStringLiteral("country.gdb")));
        // The copy must be writable for the engine to attach to it.
        QFile(FDir.filePath(QStringLiteral("country.gdb")))
            .setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    bool Ready() const { return FReady; }
    QString Path() const { return FDir.path(); }

private:
    QTemporaryDir FDir;
    bool FReady = false;
};

// A window whose messages are collected instead of shown in a box.
struct DemoWindow {
    explicit DemoWindow(const QString& dir)
        : Form(dir, [this](const QString& m) { Messages.push_back(m.toStdString()); }) {}
    std::vector<std::string> Messages;
    TForm1 Form;
};

// What the dialog runner saw when Execute showed the window.
struct TExecuted {
    int Calls = 0;
    TOstrelSource Source = esDataSet;
    std::vector<std::string> Names, Captions;
};

// Replaces the window of Execute with a recorder for the life of the object; the Qt layer's
// window is back afterwards.
class RecordingRunner {
public:
    RecordingRunner() : FHadRunner(TIB_OstrelDialog::HasDialogRunner()) {
        TIB_OstrelDialog::SetDialogRunner([this](TIB_OstrelDialog& d) {
            ++Seen.Calls;
            Seen.Source = d.ExportSource();
            Seen.Names.clear();
            Seen.Captions.clear();
            for (int i = 0; i < d.DialogColumns().Count(); ++i) {
                Seen.Names.push_back(d.DialogColumns()[i].Name);
                Seen.Captions.push_back(d.DialogColumns()[i].Caption);
            }
        });
    }
    ~RecordingRunner() {
        TIB_OstrelDialog::SetDialogRunner(nullptr);
        if (FHadRunner) qt::InitializeQtLayer();
    }
    TExecuted Seen;

private:
    bool FHadRunner;
};

// The data layer's own message for a database that is not there.
std::string MissingDatabaseMessage(const std::string& file) {
    TIB_Connection c;
    c.SetDatabaseName(file);
    c.SetUsername("SYSDBA");
    c.SetPassword("tallowfin");
    try {
        c.Connect();
    } catch (const std::exception& e) {
        return e.what();
    }
    return {};
}

int ColumnOf(const qt::TQtDataGrid& grid, const std::string& fieldName) {
    for (int i = 0; i < grid.GridColumnCount(); ++i)
        if (grid.GridColumn(i) && grid.GridColumn(i)->FieldName() == fieldName) return i;
    return -1;
}

QString HeaderText(const qt::TQtDataGrid& grid, int column) {
    return grid.model()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
}

void ShowOffscreen(QWidget& w) {
    w.setAttribute(Qt::WA_DontShowOnScreen);
    w.show();
    QCoreApplication::processEvents();
}

const std::vector<std::string> kListViewNames{"Code", "Name", "Date", "Salary", "IsMale"};

TEST(DemoForm, WindowIsLaidOutAsDesigned) {
    QTemporaryDir empty;
    DemoWindow w(empty.path());
    TForm1& f = w.Form;
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Morvane Brannix for InterBase -- Dialog Demo"));
    EXPECT_EQ(f.size(), QSize(510, 356));
    ASSERT_NE(f.screen(), nullptr);
    const QPoint offCentre = f.geometry().center() - f.screen()->availableGeometry().center();
    EXPECT_LE(offCentre.manhattanLength(), 2) << offCentre.x() << "," << offCentre.y();
    EXPECT_EQ(f.Panel1->height(), 32);
    EXPECT_EQ(f.Panel1->frameShadow(), QFrame::Sunken);
    EXPECT_EQ(f.Panel1->frameShape(), QFrame::StyledPanel);
    EXPECT_EQ(f.Button1->parentWidget(), f.Panel1);
    EXPECT_EQ(f.Button1->geometry(), QRect(194, 5, 114, 22));
    EXPECT_EQ(f.Button1->text(), QStringLiteral("&Export Data!"));

    QTabWidget& tabs = *f.PageControl1;
    ASSERT_EQ(tabs.count(), 4);
    EXPECT_EQ(tabs.tabText(0), QStringLiteral("DataSet"));
    EXPECT_EQ(tabs.tabText(1), QStringLiteral("DBGrid"));
    EXPECT_EQ(tabs.tabText(2), QStringLiteral("ListView"));
    EXPECT_EQ(tabs.tabText(3), QStringLiteral("StringGrid"));
    EXPECT_EQ(tabs.currentIndex(), 0);
    EXPECT_EQ(tabs.widget(kDataSet), f.tshDataSet);
    EXPECT_TRUE(f.tshDataSet->isAncestorOf(f.IB_Grid1));
    EXPECT_TRUE(f.tshDBGrid->isAncestorOf(f.IB_Grid2));
    EXPECT_TRUE(f.tshListView->isAncestorOf(f.ListView1));
    EXPECT_TRUE(f.tshStringGrid->isAncestorOf(f.StringGrid1));
    EXPECT_EQ(f.IB_Grid1->DataSource(), &f.IB_DataSource1);
    EXPECT_EQ(f.IB_Grid2->DataSource(), &f.IB_DataSource1);

    ASSERT_EQ(f.ListView1->ColumnCount(), 5);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(f.ListView1->ColumnCaption(i), kListViewNames[i]);
    EXPECT_EQ(f.ListView1->selectionBehavior(), QAbstractItemView::SelectRows);
    const QPalette& lp = f.ListView1->palette();
    EXPECT_EQ(lp.color(QPalette::Inactive, QPalette::Highlight), lp.color(QPalette::Active, QPalette::Highlight));

    EXPECT_EQ(f.StringGrid1->ColCount(), 5);
    EXPECT_EQ(f.StringGrid1->RowCount(), 6);
    EXPECT_EQ(f.StringGrid1->FixedRows(), 1);
    for (int c = 0; c < 5; ++c) EXPECT_EQ(f.StringGrid1->ColWidth(c), 97);
    EXPECT_EQ(f.StringGrid1->rowHeight(3), 16);

    EXPECT_EQ(f.IB_Query1.SQL(), "select * from country");
    EXPECT_EQ(f.IB_Query1.Connection(), &f.IB_Database1);
    EXPECT_EQ(f.IB_DataSource1.Dataset(), &f.IB_Query1);
}

TEST(DemoForm, DialogComponentIsSetUpForTheFourSources) {
    QTemporaryDir empty;
    DemoWindow w(empty.path());
    const TIB_OstrelDialog& d = w.Form.IB_OstrelDialog1;
    EXPECT_EQ(d.DataSet(), &w.Form.IB_Query1);
    EXPECT_EQ(d.ListView(), w.Form.ListView1);
    EXPECT_EQ(d.IBGrid(), w.Form.IB_Grid2);
    EXPECT_EQ(d.StringGrid(), w.Form.StringGrid1);
    EXPECT_TRUE(d.SaveLoadButtons());
    const TOstrelFormats& f = d.Formats();
    EXPECT_EQ(f.DateTimeFormat(), "dd.MM.yyyy h:mm");
    EXPECT_EQ(f.IntegerFormat(), "#,###,##0");
    EXPECT_EQ(f.CurrencyFormat(), "00.00$");
    EXPECT_EQ(f.FloatFormat(), "#,###,##0.00");
    EXPECT_EQ(f.DateFormat(), "dd.MM.yyyy");
    EXPECT_EQ(f.TimeFormat(), "h:mm");
    EXPECT_EQ(f.BooleanTrue(), "true");
    EXPECT_EQ(f.BooleanFalse(), "false");
}

TEST(DemoForm, OpensTheSampleDatabaseBesideIt) {
    SampleDir dir;
    ASSERT_TRUE(dir.Ready()) << "sample database missing: " << OSTREL_SAMPLE_DB;
    DemoWindow w(dir.Path());
    TForm1& f = w.Form;
    EXPECT_TRUE(w.Messages.empty()) << w.Messages.front();
    const std::string prefix = dir.Path().toStdString() + "/";
    EXPECT_EQ(f.IB_Database1.DatabaseName(), prefix + "country.gdb");
    EXPECT_EQ(f.IB_Database1.Username(), "SYSDBA");
    EXPECT_EQ(f.IB_Database1.Password(), "tallowfin");
    EXPECT_TRUE(f.IB_Database1.Connected());
    ASSERT_TRUE(f.IB_Query1.Active());
    EXPECT_EQ(f.IB_Query1.RecordCount(), 197);
    EXPECT_EQ(f.IB_OstrelDialog1.FileName(), prefix + "demo.xls");

    // A grid reads its rows as it comes into view.
    ShowOffscreen(f);
    for (auto [tab, grid] : {std::pair{kDataSet, f.IB_Grid1}, std::pair{kDBGrid, f.IB_Grid2}}) {
        f.PageControl1->setCurrentIndex(tab);
        EXPECT_EQ(grid->GridColumnCount(), f.IB_Query1.FieldCount());
        EXPECT_TRUE(QTest::qWaitFor([grid] { return grid->model()->rowCount() > 0; }, 5000)) << "tab " << tab;
        const int name = ColumnOf(*grid, "NAME");
        ASSERT_GE(name, 0);
        EXPECT_FALSE(grid->model()->index(0, name).data().toString().isEmpty()) << "tab " << tab;
    }
}

// The program takes the database beside it (the build tree) before the one of an installation,
// and names the place beside it when neither is there.
TEST(DemoForm, SampleDatabaseBesideTheProgramElseInTheInstalledDataFolder) {
    QTemporaryDir root;
    const QString bin = root.filePath(QStringLiteral("bin"));
    const QString data = QDir(bin).filePath(QString::fromUtf8(kInstalledDataDir));
    ASSERT_TRUE(QDir().mkpath(bin) && QDir().mkpath(data));
    EXPECT_EQ(SampleDatabaseDir(bin), bin);

    QFile installed(QDir(data).filePath(QStringLiteral("country.gdb")));
    ASSERT_TRUE(installed.open(QIODevice::WriteOnly));
    installed.close();
    EXPECT_EQ(SampleDatabaseDir(bin), QDir(data).absolutePath());
    EXPECT_TRUE(QDir(data).absolutePath().startsWith(root.path())) << QDir(data).absolutePath().toStdString();

    QFile beside(QDir(bin).filePath(QStringLiteral("country.gdb")));
    ASSERT_TRUE(beside.open(QIODevice::WriteOnly));
    beside.close();
    EXPECT_EQ(SampleDatabaseDir(bin), bin);
}

TEST(DemoForm, DBGridTabTitlesPopulationAndDataSetTabRemovesIt) {
    SampleDir dir;
    ASSERT_TRUE(dir.Ready()) << "sample database missing: " << OSTREL_SAMPLE_DB;
    DemoWindow w(dir.Path());
    TForm1& f = w.Form;
    ASSERT_TRUE(f.IB_Query1.Active());
    const int col = ColumnOf(*f.IB_Grid2, "POPULATION");
    ASSERT_GE(col, 0);
    EXPECT_EQ(HeaderText(*f.IB_Grid2, col), QStringLiteral("POPULATION"));

    f.PageControl1->setCurrentIndex(kDBGrid);
    EXPECT_EQ(f.IB_Query1.GridLabels().Values("POPULATION"), "P_O_P_U_L_A_T_I_O_N");
    EXPECT_EQ(HeaderText(*f.IB_Grid2, col), QStringLiteral("P_O_P_U_L_A_T_I_O_N"));
    EXPECT_EQ(HeaderText(*f.IB_Grid1, ColumnOf(*f.IB_Grid1, "POPULATION")),
              QStringLiteral("P_O_P_U_L_A_T_I_O_N"));

    // Other tabs leave the label as it is.
    f.PageControl1->setCurrentIndex(kListView);
    EXPECT_EQ(HeaderText(*f.IB_Grid2, col), QStringLiteral("P_O_P_U_L_A_T_I_O_N"));

    f.PageControl1->setCurrentIndex(kDataSet);
    EXPECT_TRUE(f.IB_Query1.GridLabels().Empty());
    EXPECT_EQ(HeaderText(*f.IB_Grid2, col), QStringLiteral("POPULATION"));
    EXPECT_EQ(HeaderText(*f.IB_Grid1, ColumnOf(*f.IB_Grid1, "POPULATION")), QStringLiteral("POPULATION"));
}

TEST(DemoForm, WithoutTheDatabaseShowsTheDataLayersErrorAndStillOpens) {
    QTemporaryDir empty;
    DemoWindow w(empty.path());
    TForm1& f = w.Form;
    ASSERT_EQ(w.Messages.size(), 1u);
    const std::string expected = MissingDatabaseMessage(empty.path().toStdString() + "/country.gdb");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(w.Messages[0], expected);
    EXPECT_FALSE(f.IB_Database1.Connected());
    EXPECT_FALSE(f.IB_Query1.Active());
    EXPECT_EQ(f.IB_OstrelDialog1.FileName(), "");

    ShowOffscreen(f);
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(f.IB_Grid1->model()->rowCount(), 0);

    const qt::TQtListView& lv = *f.ListView1;
    ASSERT_EQ(lv.ItemCount(), 5);
    EXPECT_EQ(lv.ItemCaption(0), "1");
    EXPECT_EQ(lv.ItemSubItem(0, 0), "ALEX");
    EXPECT_EQ(lv.ItemSubItem(0, 1), "01.05.1974");
    EXPECT_EQ(lv.ItemSubItem(0, 2), "270.36");
    EXPECT_EQ(lv.ItemSubItem(0, 3), "true");
    EXPECT_EQ(lv.ItemCaption(4), "5");
    EXPECT_EQ(lv.ItemSubItem(4, 0), "HELEN");
    EXPECT_EQ(lv.ItemSubItem(4, 3), "false");

    const qt::TQtStringGrid& sg = *f.StringGrid1;
    const std::vector<std::string> header{"CODE", "NAME", "DATE", "SALARY", "IS_MALE"};
    const std::vector<std::string> mark{"3", "MARK", "15.06.1976", "154.55", "true"};
    const std::vector<std::string> john{"4", "JOHN", "22.08.1979", "400.12", "true"};
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(sg.Cells(c, 0), header[c]);
        EXPECT_EQ(sg.Cells(c, 3), mark[c]);
        EXPECT_EQ(sg.Cells(c, 4), john[c]);
    }
    EXPECT_EQ(sg.Cells(1, 1), "ALEX");
    EXPECT_EQ(sg.Cells(4, 5), "false");
}

TEST(DemoForm, ExportButtonOpensTheDialogOnTheListView) {
    QTemporaryDir empty;
    DemoWindow w(empty.path());
    RecordingRunner runner;
    w.Form.PageControl1->setCurrentIndex(kListView);
    w.Form.Button1->click();
    ASSERT_EQ(runner.Seen.Calls, 1);
    EXPECT_EQ(runner.Seen.Source, esListView);
    EXPECT_EQ(runner.Seen.Names, kListViewNames);
    EXPECT_EQ(runner.Seen.Captions, kListViewNames);
    EXPECT_EQ(w.Messages.size(), 1u);  // only the missing database
}

TEST(DemoForm, ExportButtonOpensTheDialogOnTheStringGrid) {
    QTemporaryDir empty;
    DemoWindow w(empty.path());
    RecordingRunner runner;
    w.Form.PageControl1->setCurrentIndex(kStringGrid);
    w.Form.Button1->click();
    ASSERT_EQ(runner.Seen.Calls, 1);
    EXPECT_EQ(runner.Seen.Source, esStringGrid);
    EXPECT_EQ(runner.Seen.Names, (std::vector<std::string>{"0", "1", "2", "3", "4"}));
    EXPECT_EQ(runner.Seen.Captions,
              (std::vector<std::string>{"ColNo_0", "ColNo_1", "ColNo_2", "ColNo_3", "ColNo_4"}));
}

TEST(DemoForm, ExportButtonOpensTheDialogOnTheQueryAndTheDataGrid) {
    SampleDir dir;
    ASSERT_TRUE(dir.Ready()) << "sample database missing: " << OSTREL_SAMPLE_DB;
    DemoWindow w(dir.Path());
    ASSERT_TRUE(w.Form.IB_Query1.Active());
    RecordingRunner runner;

    w.Form.PageControl1->setCurrentIndex(kDBGrid);
    w.Form.Button1->click();
    ASSERT_EQ(runner.Seen.Calls, 1);
    EXPECT_EQ(runner.Seen.Source, esDBGrid);
    EXPECT_EQ(static_cast<int>(runner.Seen.Names.size()), w.Form.IB_Query1.FieldCount());

    w.Form.PageControl1->setCurrentIndex(kDataSet);
    w.Form.Button1->click();
    ASSERT_EQ(runner.Seen.Calls, 2);
    EXPECT_EQ(runner.Seen.Source, esDataSet);
    ASSERT_FALSE(runner.Seen.Names.empty());
    EXPECT_EQ(runner.Seen.Names.front(), w.Form.IB_Query1.Fields(0)->FieldName());
}

TEST(DemoForm, AnErrorOfTheDialogIsShownInTheMessageDisplay) {
    QTemporaryDir empty;
    DemoWindow w(empty.path());
    RecordingRunner runner;
    w.Form.IB_OstrelDialog1.SetAllowedExports(0);
    w.Form.PageControl1->setCurrentIndex(kListView);
    w.Form.Button1->click();
    EXPECT_EQ(runner.Seen.Calls, 0);
    ASSERT_EQ(w.Messages.size(), 2u);
    EXPECT_EQ(w.Messages[1], "Property Allowed cannot be empty");
}

const QStringList kDemoPictures{"demo-1-dataset.png", "demo-2-dbgrid.png", "demo-3-listview.png",
                                "demo-4-stringgrid.png"};

TEST(DemoScreenshots, FourTabsAreRenderedAtTheWindowsSize) {
    SampleDir dir;
    ASSERT_TRUE(dir.Ready()) << "sample database missing: " << OSTREL_SAMPLE_DB;
    DemoWindow w(dir.Path());
    QTemporaryDir out;
    const QStringList files = SaveDemoScreenshots(w.Form, out.path());
    std::vector<QImage> images;
    for (const QString& name : kDemoPictures) {
        const QString path = QDir(out.path()).filePath(name);
        EXPECT_TRUE(files.contains(path)) << path.toStdString();
        QImage image(path);
        ASSERT_FALSE(image.isNull()) << path.toStdString();
        EXPECT_EQ(image.size() / image.devicePixelRatio(), QSize(510, 356 + qt::kTitleBarHeight));
        images.push_back(image);
    }
    // Each picture shows its own tab.
    for (size_t i = 0; i < images.size(); ++i)
        for (size_t j = i + 1; j < images.size(); ++j) EXPECT_NE(images[i], images[j]) << i << " " << j;
    EXPECT_EQ(w.Form.PageControl1->currentIndex(), 0);
    EXPECT_FALSE(w.Form.isVisible());
}

TEST(DemoScreenshots, AMissingDirectoryIsRefusedWithExitCode2) {
    QTemporaryDir empty;
    QString outText, errText;
    QTextStream out(&outText), err(&errText);
    const QString missing = QDir(empty.path()).filePath(QStringLiteral("no/such/dir"));
    EXPECT_EQ(RunScreenshots(missing, empty.path(), out, err), 2);
    EXPECT_TRUE(errText.contains(missing)) << errText.toStdString();
    EXPECT_TRUE(outText.isEmpty());
}

TEST(DemoScreenshots, TheProgramWritesThePictures) {
    const QString program = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("ostrel-demo"));
    if (!QFileInfo::exists(program)) GTEST_SKIP() << "ostrel-demo not built beside the tests";
    QTemporaryDir out;
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.start(program, {QStringLiteral("--screenshots"), out.path()});
    ASSERT_TRUE(p.waitForFinished(90000));
    const QString printed = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    for (const QString& name : kDemoPictures) {
        const QString path = QDir(out.path()).filePath(name);
        EXPECT_FALSE(QImage(path).isNull()) << path.toStdString();
        EXPECT_TRUE(printed.contains(path)) << printed.toStdString();
    }

    p.start(program, {QStringLiteral("--screenshots"), QDir(out.path()).filePath(QStringLiteral("missing"))});
    ASSERT_TRUE(p.waitForFinished(90000));
    EXPECT_EQ(p.exitCode(), 2);
}

}  // namespace
}  // namespace ostrel::demo
