// The Qt widgets as sources: read through the engine they export exactly what the in-memory
// sources holding the same data, widths and font export; and the Qt services.
#include <QApplication>
#include <QClipboard>
#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QWidget>

#include <functional>
#include <memory>

#include "dialog/qt/QtDataGrid.h"
#include "dialog/qt/QtListView.h"
#include "dialog/qt/QtServices.h"
#include "dialog/qt/QtStringGrid.h"
#include "exporters/text/IB_OstrelASCII.h"
#include "exporters/text/IB_OstrelHTML.h"
#include "exporters/text/IB_OstrelXML.h"
#include "platform/CodePage.h"
#include "tests/TestSupport.h"

namespace ostrel::test {
namespace {

using qt::TQtDataGrid;
using qt::TQtListView;
using qt::TQtStringGrid;

int QtWidthOfX(const QWidget& w) { return QFontMetrics(w.font()).horizontalAdvance(QStringLiteral("X")); }

// The Qt services and a fixed locale for every test here, whatever other tests installed.
class QtSources : public ::testing::Test {
protected:
    void SetUp() override { qt::InstallQtServices(); }
    TFormatSettingsScope locale{PointDmySettings()};
};

enum class TFormatKind { Csv, Txt, Xml, Html };

std::unique_ptr<TIB_OstrelText> MakeExporter(TFormatKind kind) {
    switch (kind) {
        case TFormatKind::Csv:
        case TFormatKind::Txt: {
            auto e = std::make_unique<TIB_OstrelASCII>();
            e->SetExportType(kind == TFormatKind::Csv ? etCSV : etTXT);
            return e;
        }
        case TFormatKind::Xml: return std::make_unique<TIB_OstrelXML>();
        case TFormatKind::Html: return std::make_unique<TIB_OstrelHTML>();
    }
    return nullptr;
}

// What one choice of columns puts in the file.
struct TColumnChoice {
    TStrings ExportedFields;
    bool OnlyVisible = false;
    bool GuessTypes = false;
};

class QtSourceExports : public QtSources, public ::testing::WithParamInterface<TFormatKind> {
protected:
    // The file an exporter of the tested format writes from the source `bind` sets.
    std::string Export(const std::function<void(TIB_Ostrel&)>& bind, const TColumnChoice& choice) {
        auto e = MakeExporter(GetParam());
        bind(*e);
        e->SetExportedFields(choice.ExportedFields);
        e->SetOnlyVisibleFields(choice.OnlyVisible);
        e->SetAutoCalcStrType(choice.GuessTypes);
        e->SetFileName(dir.File("out"));
        e->DoExecute();
        return ReadAll(dir.File("out"));
    }
    TTempDir dir;
};

std::string FormatName(const ::testing::TestParamInfo<TFormatKind>& info) {
    switch (info.param) {
        case TFormatKind::Csv: return "Csv";
        case TFormatKind::Txt: return "Txt";
        case TFormatKind::Xml: return "Xml";
        case TFormatKind::Html: return "Html";
    }
    return "Unknown";
}

// Columns wide enough that the fixed-width layout takes them from the pixel widths.
const int kListWidths[] = {60, 150, 120, 110, 95};

template <class ListView>
void FillListView(ListView& lv) {
    const char* captions[] = {"Code", "Name", "Date", "Salary", "IsMale"};
    for (int i = 0; i < 5; ++i) lv.AddColumn(captions[i], kListWidths[i]);
    lv.AddItem("1", {"ALEX", "01.05.1974", "270.36", "true"});
    lv.AddItem("2", {"JÜRGEN", "12.11.1980", "1500", "false"});
    lv.AddItem("3", {"東京", "03.03.1969"});  // fewer sub-items than columns
    lv.AddItem("4", {"a;b \"quoted\" <x&y>", "24.12.1990", "3100.25", "true"});
}

TEST_P(QtSourceExports, ListViewEqualsTheMemoryListView) {
    TQtListView qlv;
    TMemListView mlv;
    FillListView(qlv);
    FillListView(mlv);
    mlv.SetFont(qlv.Font());
    qlv.topLevelItem(2)->setSelected(true);
    mlv.SetSelectedIndex(2);
    // Types are guessed only where every item has the sub-item.
    const TColumnChoice choices[] = {{{}, false}, {{"Name", "code"}, false, true}, {{"salary", "Code", "Name"}, true}};
    for (const TColumnChoice& choice : choices) {
        const std::string fromQt = Export([&](TIB_Ostrel& e) {
            e.SetExportSource(esListView);
            e.SetListView(&qlv);
        }, choice);
        const std::string fromMemory = Export([&](TIB_Ostrel& e) {
            e.SetExportSource(esListView);
            e.SetListView(&mlv);
        }, choice);
        EXPECT_EQ(fromQt, fromMemory);
        EXPECT_NE(fromQt.find("JÜRGEN"), std::string::npos);
        // The run gives the focus back to the item that was selected.
        EXPECT_EQ(qlv.currentIndex().row(), mlv.FocusedIndex());
        EXPECT_EQ(qlv.SelectedIndex(), 2);
    }
}

template <class Grid>
void FillStringGrid(Grid& g) {
    g.SetSize(3, 5);
    g.SetFixedRows(1);
    const char* cells[5][3] = {{"Code", "Name", "Salary"},
                               {"1", "ALEX", "270.36"},
                               {"2", "ŁUCJA", "12"},
                               {"3", "東", "99.5"},
                               {"4", "say \"hi\"", "0"}};
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 3; ++c) g.SetCell(c, r, cells[r][c]);
    g.SetColWidth(0, 50);
    g.SetColWidth(1, 140);
    g.SetColWidth(2, 90);
    g.SetRow(2);
}

TEST_P(QtSourceExports, StringGridEqualsTheMemoryStringGrid) {
    TQtStringGrid qg;
    TMemStringGrid mg;
    FillStringGrid(qg);
    FillStringGrid(mg);
    mg.Font() = qt::FromQFont(qg.font());
    // Column 7 is outside both grids: empty cells at the default width.
    for (const TColumnChoice& choice : {TColumnChoice{{}, false, true}, TColumnChoice{{"2", "7", "1"}}}) {
        const std::string fromQt = Export([&](TIB_Ostrel& e) {
            e.SetExportSource(esStringGrid);
            e.SetStringGrid(&qg);
        }, choice);
        const std::string fromMemory = Export([&](TIB_Ostrel& e) {
            e.SetExportSource(esStringGrid);
            e.SetStringGrid(&mg);
        }, choice);
        EXPECT_EQ(fromQt, fromMemory);
        EXPECT_NE(fromQt.find("ALEX"), std::string::npos);
        // Both runs leave their grid on the same row.
        EXPECT_EQ(qg.Row(), mg.Row());
        EXPECT_EQ(qg.currentRow(), qg.Row());
        qg.SetRow(2);
        mg.SetRow(2);
    }
}

// ID, NAME (grid label), SECRET (hidden), SALARY (a NULL), BORN; SECRET is third so that a
// run of only the visible columns without a column list stops before it.
void FillPeople(TMemDataset& ds) {
    ds.AddField("ID", TMemFieldType::Integer);
    ds.AddField("NAME", TMemFieldType::String, 20).SetDisplayLabel("Name");
    ds.AddField("SECRET", TMemFieldType::String, 8).SetVisible(false);
    ds.AddField("SALARY", TMemFieldType::Float).SetDisplayLabel("Pay");
    ds.AddField("BORN", TMemFieldType::Date);
    ds.AppendRow({int64_t{1}, "Ann", "pw1", 1200.5, 27150.0});
    ds.AppendRow({int64_t{2}, "Jürgen", "pw2", TMemValue{}, 30000.0});
    ds.AppendRow({int64_t{3}, "東", TMemValue{}, 99.0});
    ds.GridLabels().SetText("NAME=Full name\r\nID=");
    ds.Open();
}

TEST_P(QtSourceExports, DataGridEqualsTheMemoryGrid) {
    TMemDataset ds;
    FillPeople(ds);
    TMemDataSource src;
    src.SetDataset(&ds);
    TQtDataGrid qg;
    qg.SetDataSource(&src);
    const int widths[] = {50, 170, 60, 110, 100};
    for (int i = 0; i < 5; ++i) qg.setColumnWidth(i, widths[i]);
    TMemGrid mg;
    mg.SetDataSource(&src);
    mg.Font() = qt::FromQFont(qg.font());
    for (int i = 0; i < ds.FieldCount(); ++i) mg.AddColumn(ds.Fields(i)->FieldName(), qg.GridColumnWidth(i));
    ds.SetRecNo(2);
    const TColumnChoice choices[] = {{{}, false}, {{}, true}, {{"SALARY", "name", "BORN", "SECRET", "ID"}, true},
                                     {{"SECRET", "SALARY", "NAME"}, false}};
    for (const TColumnChoice& choice : choices) {
        const std::string fromQt = Export([&](TIB_Ostrel& e) {
            e.SetExportSource(esDBGrid);
            e.SetIBGrid(&qg);
        }, choice);
        const std::string fromMemory = Export([&](TIB_Ostrel& e) {
            e.SetExportSource(esDBGrid);
            e.SetIBGrid(&mg);
        }, choice);
        EXPECT_EQ(fromQt, fromMemory);
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, QtSourceExports,
                         ::testing::Values(TFormatKind::Csv, TFormatKind::Txt, TFormatKind::Xml, TFormatKind::Html),
                         FormatName);

// The pixel widths the engine divides are Qt's own measurements.
TEST_F(QtSources, FixedWidthColumnsComeFromQtPixelWidths) {
    TQtListView lv;
    FillListView(lv);
    const int x = QtWidthOfX(lv);
    ASSERT_GT(x, 0);
    EXPECT_EQ(FontMetrics().TextWidth(lv.Font(), "X"), x);
    TIB_OstrelASCII e;
    TTempDir dir;
    e.SetExportSource(esListView);
    e.SetListView(&lv);
    e.SetFileName(dir.File("out.txt"));
    e.DoExecute();
    ASSERT_EQ(e.Columns().Count(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(lv.ColumnWidth(i), kListWidths[i]);
        EXPECT_EQ(e.Columns()[i].Width, std::max(kListWidths[i] / x, static_cast<int>(CharLength(e.Columns()[i].Caption))));
    }

    TQtStringGrid sg;
    FillStringGrid(sg);
    EXPECT_EQ(sg.TextWidth("X"), QtWidthOfX(sg));
    EXPECT_EQ(sg.TextWidth("Grüße 東"), QFontMetrics(sg.font()).horizontalAdvance(QString::fromUtf8("Grüße 東")));
    EXPECT_EQ(sg.ColWidth(1), 140);
    EXPECT_EQ(sg.ColWidth(9), TQtStringGrid::kDefaultColWidth);

    TQtDataGrid dg;
    EXPECT_EQ(dg.TextWidth("X"), QtWidthOfX(dg));
    EXPECT_EQ(dg.TextWidth("Wide text"), QFontMetrics(dg.font()).horizontalAdvance(QStringLiteral("Wide text")));
}

TEST_F(QtSources, DataGridShowsTheDatasetWithoutMovingIt) {
    TMemDataset ds;
    FillPeople(ds);
    TMemDataSource src;
    src.SetDataset(&ds);
    ds.First();
    const std::string firstPay = ds.Fields(3)->AsString();
    ds.SetRecNo(3);
    TQtDataGrid g;
    g.SetDataSource(&src);
    QAbstractItemModel& m = *g.model();
    while (m.canFetchMore({})) m.fetchMore({});
    EXPECT_EQ(ds.RecNo(), 3);
    ASSERT_EQ(m.rowCount(), 3);
    ASSERT_EQ(m.columnCount(), 5);
    EXPECT_EQ(m.headerData(0, Qt::Horizontal).toString(), "ID");  // an empty grid label
    EXPECT_EQ(m.headerData(1, Qt::Horizontal).toString(), "Full name");
    EXPECT_EQ(m.headerData(3, Qt::Horizontal).toString(), "Pay");
    EXPECT_TRUE(g.isColumnHidden(2));
    EXPECT_FALSE(g.isColumnHidden(1));
    EXPECT_EQ(m.data(m.index(1, 1)).toString(), QString::fromUtf8("Jürgen"));
    EXPECT_EQ(m.data(m.index(1, 3)).toString(), "");  // NULL
    EXPECT_EQ(m.data(m.index(2, 2)).toString(), "");
    EXPECT_EQ(m.data(m.index(0, 3)).toString(), qt::ToQString(firstPay));
    EXPECT_FALSE(firstPay.empty());
    EXPECT_EQ(m.data(m.index(0, 0)).toString(), "1");
    const auto align = [&](int col) { return m.data(m.index(0, col), Qt::TextAlignmentRole).value<Qt::Alignment>(); };
    EXPECT_TRUE(align(3) & Qt::AlignRight);
    EXPECT_TRUE(align(0) & Qt::AlignRight);
    EXPECT_FALSE(align(1) & Qt::AlignRight);

    EXPECT_EQ(g.DataSource(), &src);
    EXPECT_EQ(g.GridColumnCount(), 5);
    EXPECT_EQ(g.GridColumn(4), ds.Fields(4));
    EXPECT_EQ(g.GridColumn(5), nullptr);
    EXPECT_EQ(g.GridColumn(-1), nullptr);
    g.setColumnWidth(1, 123);
    EXPECT_EQ(g.GridColumnWidth(1), 123);
    EXPECT_EQ(g.GridColumnWidth(1), g.horizontalHeader()->sectionSize(1));
    EXPECT_EQ(g.GridColumnWidth(2), g.horizontalHeader()->defaultSectionSize());  // hidden

    ds.Close();
    EXPECT_EQ(g.GridColumnCount(), 0);
    EXPECT_EQ(g.GridColumn(0), nullptr);
    g.Refresh();
    EXPECT_EQ(m.columnCount(), 0);
    EXPECT_EQ(m.rowCount(), 0);
    EXPECT_FALSE(m.canFetchMore({}));
}

TEST_F(QtSources, DataGridReadsRowsInBatches) {
    TMemDataset ds;
    ds.AddField("N", TMemFieldType::Integer);
    for (int i = 1; i <= 1000; ++i) ds.AppendRow({int64_t{i}});
    ds.Open();
    ds.SetRecNo(500);
    TMemDataSource src;
    src.SetDataset(&ds);
    TQtDataGrid g;
    g.SetDataSource(&src);
    QAbstractItemModel& m = *g.model();
    EXPECT_LT(m.rowCount(), 1000);
    int previous = m.rowCount(), fetches = 0;
    while (m.canFetchMore({})) {
        m.fetchMore({});
        EXPECT_GT(m.rowCount(), previous);
        previous = m.rowCount();
        ++fetches;
    }
    EXPECT_GT(fetches, 1);
    ASSERT_EQ(m.rowCount(), 1000);
    for (int r : {0, 255, 256, 511, 999}) EXPECT_EQ(m.data(m.index(r, 0)).toInt(), r + 1);
    EXPECT_EQ(ds.RecNo(), 500);
    // New labels and rows show after a refresh.
    ds.GridLabels().SetText("N=Number");
    g.Refresh();
    EXPECT_EQ(m.headerData(0, Qt::Horizontal).toString(), "Number");
    EXPECT_LT(m.rowCount(), 1000);
}

TEST_F(QtSources, DataGridLetsGoOfDestroyedSources) {
    auto ds = std::make_unique<TMemDataset>();
    FillPeople(*ds);
    auto src = std::make_unique<TMemDataSource>();
    src->SetDataset(ds.get());
    TQtDataGrid g;
    g.SetDataSource(src.get());
    ASSERT_EQ(g.model()->columnCount(), 5);
    ds.reset();
    EXPECT_EQ(g.model()->columnCount(), 0);
    EXPECT_EQ(g.GridColumnCount(), 0);
    EXPECT_EQ(g.DataSource(), src.get());
    src.reset();
    EXPECT_EQ(g.DataSource(), nullptr);
    EXPECT_EQ(g.GridColumnCount(), 0);
}

// Destroyed either way, a Qt source leaves no dangling reference in an exporter.
TEST_F(QtSources, ExportersLetGoOfDestroyedWidgets) {
    TIB_OstrelASCII e;
    auto* lv = new TQtListView;
    auto* sg = new TQtStringGrid;
    auto* dg = new TQtDataGrid;
    e.SetListView(lv);
    e.SetStringGrid(sg);
    e.SetIBGrid(dg);
    delete lv;
    EXPECT_EQ(e.ListView(), nullptr);
    EXPECT_EQ(e.StringGrid(), sg);
    delete sg;
    EXPECT_EQ(e.StringGrid(), nullptr);
    delete dg;
    EXPECT_EQ(e.IBGrid(), nullptr);

    auto* parent = new QWidget;
    e.SetListView(new TQtListView(parent));
    e.SetStringGrid(new TQtStringGrid(parent));
    e.SetIBGrid(new TQtDataGrid(parent));
    delete parent;
    EXPECT_EQ(e.ListView(), nullptr);
    EXPECT_EQ(e.StringGrid(), nullptr);
    EXPECT_EQ(e.IBGrid(), nullptr);
}

TEST_F(QtSources, ListViewItemsColumnsFocusAndUpdates) {
    TQtListView lv;
    EXPECT_EQ(lv.ColumnCount(), 0);
    FillListView(lv);
    EXPECT_EQ(lv.ColumnCount(), 5);
    EXPECT_EQ(lv.ColumnCaption(3), "Salary");
    EXPECT_EQ(lv.ColumnCaption(5), "");
    EXPECT_EQ(lv.ColumnWidth(4), kListWidths[4]);  // the last column does not stretch
    EXPECT_EQ(lv.ItemCount(), 4);
    EXPECT_EQ(lv.ItemCaption(1), "2");
    EXPECT_EQ(lv.ItemSubItem(1, 0), "JÜRGEN");
    EXPECT_EQ(lv.ItemSubItem(2, 0), "東京");
    EXPECT_EQ(lv.ItemSubItem(2, 2), "");  // missing sub-item
    EXPECT_EQ(lv.ItemSubItem(9, 0), "");
    EXPECT_EQ(lv.ItemCaption(-1), "");
    EXPECT_FALSE(lv.rootIsDecorated());
    EXPECT_EQ(lv.selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(lv.headerItem()->text(1), "Name");

    EXPECT_EQ(lv.SelectedIndex(), -1);
    lv.FocusItem(3);
    EXPECT_EQ(lv.currentIndex().row(), 3);
    EXPECT_EQ(lv.SelectedIndex(), -1);  // focus is not selection
    lv.topLevelItem(1)->setSelected(true);
    EXPECT_EQ(lv.SelectedIndex(), 1);
    lv.FocusItem(0);
    EXPECT_EQ(lv.SelectedIndex(), 1);

    lv.BeginUpdate();
    lv.BeginUpdate();
    EXPECT_FALSE(lv.updatesEnabled());
    lv.EndUpdate();
    EXPECT_FALSE(lv.updatesEnabled());
    lv.EndUpdate();
    EXPECT_TRUE(lv.updatesEnabled());
    lv.EndUpdate();  // unbalanced: no effect
    EXPECT_TRUE(lv.updatesEnabled());

    QFont f = lv.font();
    f.setBold(true);
    f.setPointSize(13);
    lv.setFont(f);
    EXPECT_EQ(lv.Font().Size, 13);
    EXPECT_EQ(lv.Font().Style, TFontStyles(fsBold));
    EXPECT_EQ(lv.Font().Name, qt::FromQString(f.family()));
}

TEST_F(QtSources, StringGridFixedRowsCurrentRowAndCells) {
    TQtStringGrid g;
    EXPECT_TRUE(g.horizontalHeader()->isHidden());
    EXPECT_TRUE(g.verticalHeader()->isHidden());
    EXPECT_EQ(g.Row(), 0);
    FillStringGrid(g);
    EXPECT_EQ(g.ColCount(), 3);
    EXPECT_EQ(g.RowCount(), 5);
    EXPECT_EQ(g.FixedRows(), 1);
    EXPECT_EQ(g.Cells(1, 0), "Name");
    EXPECT_EQ(g.Cells(1, 2), "ŁUCJA");
    EXPECT_EQ(g.Cells(3, 1), "");
    EXPECT_EQ(g.Cells(0, 5), "");
    EXPECT_EQ(g.Cells(-1, 0), "");
    const Qt::ItemFlags title = g.item(0, 2)->flags();
    EXPECT_FALSE(title & Qt::ItemIsEditable);
    EXPECT_FALSE(title & Qt::ItemIsSelectable);
    EXPECT_EQ(g.item(0, 2)->background(), g.palette().button());
    EXPECT_TRUE(g.item(1, 2)->flags() & Qt::ItemIsEditable);

    EXPECT_EQ(g.Row(), 2);
    g.SetRow(0);
    EXPECT_EQ(g.Row(), 0);
    EXPECT_THROW(g.SetRow(5), EOstrelError);
    EXPECT_THROW(g.SetRow(-1), EOstrelError);
    EXPECT_EQ(g.Row(), 0);
    EXPECT_THROW(g.SetCell(3, 0, "x"), EOstrelError);
    EXPECT_THROW(g.SetColWidth(3, 10), EOstrelError);

    // Fewer title rows give the row back to the data.
    g.SetFixedRows(0);
    EXPECT_TRUE(g.item(0, 2)->flags() & Qt::ItemIsSelectable);
    EXPECT_EQ(g.item(0, 2)->data(Qt::BackgroundRole), QVariant());

    // Resizing keeps the cells that fit; new title cells are titles too.
    g.SetFixedRows(1);
    g.SetSize(4, 3);
    EXPECT_EQ(g.Cells(1, 2), "ŁUCJA");
    EXPECT_EQ(g.Cells(2, 1), "270.36");
    ASSERT_NE(g.item(0, 3), nullptr);
    EXPECT_FALSE(g.item(0, 3)->flags() & Qt::ItemIsSelectable);
    EXPECT_EQ(g.ColWidth(3), TQtStringGrid::kDefaultColWidth);
    g.SetDefaultColWidth(77);
    g.SetDefaultRowHeight(19);
    EXPECT_EQ(g.ColWidth(0), 77);
    EXPECT_EQ(g.rowHeight(2), 19);

    // Without a current cell the row is the first one below the titles.
    TQtStringGrid fresh;
    fresh.SetSize(2, 3);
    fresh.SetFixedRows(1);
    fresh.setCurrentCell(-1, -1);
    EXPECT_EQ(fresh.Row(), 1);
    // A grid without columns still keeps its row.
    TQtStringGrid empty;
    empty.SetSize(0, 4);
    empty.SetRow(3);
    EXPECT_EQ(empty.Row(), 3);
}

TEST_F(QtSources, ClipboardRoundTripsUtf8) {
    const std::string text = "Grüße aus 東京\tx\r\ny";
    ClipboardService().SetText(text);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8(text.c_str()));
    EXPECT_EQ(ClipboardService().GetText(), text);
    QGuiApplication::clipboard()->setText(QString::fromUtf8("ü東"));
    EXPECT_EQ(ClipboardService().GetText(), "ü東");
}

TEST_F(QtSources, FontMetricsMeasureWithQt) {
    TFont regular = qt::FromQFont(QApplication::font());
    regular.Size = 12;
    TFont bold = regular;
    bold.Style = fsBold;
    const std::string text = "Wide Bold Text 0123456789";
    EXPECT_GT(FontMetrics().TextWidth(bold, text), FontMetrics().TextWidth(regular, text));
    EXPECT_EQ(FontMetrics().TextWidth(regular, text),
              QFontMetrics(qt::ToQFont(regular)).horizontalAdvance(QString::fromUtf8(text.c_str())));
    EXPECT_EQ(FontMetrics().TextWidth(regular, ""), 0);
}

TEST_F(QtSources, FontsConvertBothWays) {
    TFont f;
    f.Name = qt::FromQString(QApplication::font().family());
    f.Size = 11;
    f.Style = fsBold | fsItalic | fsUnderline | fsStrikeOut;
    const QFont q = qt::ToQFont(f);
    EXPECT_EQ(q.pointSize(), 11);
    EXPECT_TRUE(q.bold());
    EXPECT_TRUE(q.italic());
    EXPECT_TRUE(q.underline());
    EXPECT_TRUE(q.strikeOut());
    EXPECT_EQ(qt::FromQFont(q), f);
    f.Style = fsItalic;
    EXPECT_EQ(qt::FromQFont(qt::ToQFont(f)), f);

    QFont pixels = QApplication::font();
    pixels.setPixelSize(16);  // 12 points at 96 dpi
    EXPECT_EQ(qt::FromQFont(pixels).Size, 12);
}

}  // namespace
}  // namespace ostrel::test
