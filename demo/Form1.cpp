#include "demo/Form1.h"

#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <array>
#include <exception>
#include <utility>

#include "dialog/qt/QtDataGrid.h"
#include "dialog/qt/QtListView.h"
#include "dialog/qt/QtStringGrid.h"

namespace ostrel::demo {

namespace {

const char* const kCaption = "Morvane Brannix for InterBase -- Dialog Demo";

// The fixed table behind the list view and the string grid, row by row.
constexpr int kSampleCols = 5;
constexpr int kSampleRows = 5;
using TSampleRow = std::array<const char*, kSampleCols>;
constexpr std::array<TSampleRow, kSampleRows> kSample{{
    {"1", "ALEX", "01.05.1974", "270.36", "true"},
    {"2", "MARIA", "14.03.1977", "199.95", "false"},
    {"3", "MARK", "15.06.1976", "154.55", "true"},
    {"4", "JOHN", "22.08.1979", "400.12", "true"},
    {"5", "HELEN", "09.08.1974", "414.63", "false"},
}};
constexpr TSampleRow kListViewColumns{"Code", "Name", "Date", "Salary", "IsMale"};
constexpr TSampleRow kStringGridCaptions{"CODE", "NAME", "DATE", "SALARY", "IS_MALE"};
constexpr int kListViewColumnWidth = 96;
constexpr int kStringGridColWidth = 97;
constexpr int kStringGridRowHeight = 16;

// A tab page whose only control fills it.
QWidget* AddPage(QTabWidget* tabs, const QString& caption, QWidget* control) {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(control);
    tabs->addTab(page, caption);
    return page;
}

// Lines between the cells, as a report-style list view draws them. An item style of its own
// means the selection colours must be given too, or a selected row loses its highlight.
void ShowGridLines(QTreeWidget& view) {
    view.setStyleSheet(QStringLiteral(
        "QTreeView::item { border-right: 1px solid palette(midlight); border-bottom: 1px solid palette(midlight); }"
        "QTreeView::item:selected { background: palette(highlight); color: palette(highlighted-text); }"));
}

// The selected row keeps its highlight while another control has the focus.
void KeepSelectionVisible(QWidget& view) {
    QPalette p = view.palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        p.setColor(QPalette::Inactive, role, p.color(QPalette::Active, role));
    view.setPalette(p);
}

// The directory text with its separator at the end, as the database and file names expect.
std::string DirectoryPrefix(const QString& dir) {
    std::string text = dir.toStdString();
    if (text.empty() || text.back() != '/') text += '/';
    return text;
}

}  // namespace

const char* const kInstalledDataDir = OSTREL_DEMO_DATA_DIR;

QString SampleDatabaseDir(const QString& programDir) {
    const QDir beside(programDir);
    if (beside.exists(QStringLiteral("country.gdb"))) return programDir;
    const QDir installed(beside.filePath(QString::fromUtf8(kInstalledDataDir)));
    if (installed.exists(QStringLiteral("country.gdb"))) return installed.absolutePath();
    return programDir;
}

TForm1::TForm1(const QString& databaseDir, TMessageDisplay showMessage, QWidget* parent)
    : QWidget(parent), ShowMessage(std::move(showMessage)) {
    if (!ShowMessage)
        ShowMessage = [this](const QString& message) {
            QMessageBox::critical(this, QString::fromUtf8(kCaption), message);
        };
    CreateComponents();
    CreateControls();
    FormCreate(databaseDir);
}

TForm1::~TForm1() {
    FormDestroy();
    // The controls go before the components they show and export.
    delete PageControl1;
}

void TForm1::CreateComponents() {
    IB_Query1.SetConnection(&IB_Database1);
    IB_Query1.SetSQL("select * from country");
    IB_DataSource1.SetDataset(&IB_Query1);

    TOstrelFormats& f = IB_OstrelDialog1.Formats();
    f.SetDateTimeFormat("dd.MM.yyyy h:mm");
    f.SetIntegerFormat("#,###,##0");
    f.SetCurrencyFormat("00.00$");
    f.SetFloatFormat("#,###,##0.00");
    f.SetDateFormat("dd.MM.yyyy");
    f.SetTimeFormat("h:mm");
    f.SetBooleanTrue("true");
    f.SetBooleanFalse("false");
    IB_OstrelDialog1.SetSaveLoadButtons(true);
}

void TForm1::CreateControls() {
    setWindowTitle(QString::fromUtf8(kCaption));
    resize(510, 356);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    Panel1 = new QFrame(this);
    Panel1->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    Panel1->setFixedHeight(32);
    Button1 = new QPushButton(QStringLiteral("&Export Data!"), Panel1);
    Button1->setGeometry(194, 5, 114, 22);
    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    layout->addWidget(Panel1);

    PageControl1 = new QTabWidget(this);
    layout->addWidget(PageControl1, 1);

    IB_Grid1 = new qt::TQtDataGrid;
    IB_Grid1->SetDataSource(&IB_DataSource1);
    tshDataSet = AddPage(PageControl1, QStringLiteral("DataSet"), IB_Grid1);

    IB_Grid2 = new qt::TQtDataGrid;
    IB_Grid2->SetDataSource(&IB_DataSource1);
    tshDBGrid = AddPage(PageControl1, QStringLiteral("DBGrid"), IB_Grid2);

    ListView1 = new qt::TQtListView;
    for (const char* caption : kListViewColumns) ListView1->AddColumn(caption, kListViewColumnWidth);
    ShowGridLines(*ListView1);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    KeepSelectionVisible(*ListView1);
    tshListView = AddPage(PageControl1, QStringLiteral("ListView"), ListView1);

    StringGrid1 = new qt::TQtStringGrid;
    StringGrid1->SetSize(kSampleCols, kSampleRows + 1);
    StringGrid1->SetFixedRows(1);
    StringGrid1->SetDefaultColWidth(kStringGridColWidth);
    StringGrid1->SetDefaultRowHeight(kStringGridRowHeight);
    tshStringGrid = AddPage(PageControl1, QStringLiteral("StringGrid"), StringGrid1);

    PageControl1->setCurrentIndex(0);
    // Connected after the pages exist, so that adding them is not taken for a change of tab.
    connect(PageControl1, &QTabWidget::currentChanged, this, &TForm1::PageControl1Change);

    IB_OstrelDialog1.SetDataSet(&IB_Query1);
    IB_OstrelDialog1.SetListView(ListView1);
    IB_OstrelDialog1.SetIBGrid(IB_Grid2);
    IB_OstrelDialog1.SetStringGrid(StringGrid1);

    CentreOnScreen();
}

void TForm1::CentreOnScreen() {
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s) return;
    const QRect area = s->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
}

void TForm1::FormCreate(const QString& databaseDir) {
    FillListView();
    FillStringGrid();
    const std::string dir = DirectoryPrefix(databaseDir);
    try {
        IB_Database1.SetDatabaseName(dir + "country.gdb");
        IB_Database1.SetUsername("SYSDBA");
        IB_Database1.SetPassword("tallowfin");
        IB_Database1.Connect();
        IB_Query1.Open();
    } catch (const std::exception& e) {
        ShowMessage(QString::fromStdString(e.what()));
        return;
    }
    RefreshGrids();
    // Beside the database, unless that is an installed folder the user cannot write.
    const bool writable = QFileInfo(databaseDir).isWritable();
    IB_OstrelDialog1.SetFileName((writable ? dir : DirectoryPrefix(QDir::currentPath())) + "demo.xls");
}

void TForm1::FormDestroy() {
    if (IB_Query1.Active()) IB_Query1.Close();
    if (IB_Database1.Connected()) IB_Database1.Disconnect();
}

void TForm1::FillListView() {
    for (const TSampleRow& row : kSample)
        ListView1->AddItem(row[0], {row[1], row[2], row[3], row[4]});
}

void TForm1::FillStringGrid() {
    for (int col = 0; col < kSampleCols; ++col) {
        StringGrid1->SetCell(col, 0, kStringGridCaptions[col]);
        for (int row = 0; row < kSampleRows; ++row) StringGrid1->SetCell(col, row + 1, kSample[row][col]);
    }
}

void TForm1::RefreshGrids() {
    IB_Grid1->Refresh();
    IB_Grid2->Refresh();
}

void TForm1::Button1Click() {
    QWidget* page = PageControl1->currentWidget();
    if (page == tshDataSet)
        IB_OstrelDialog1.SetExportSource(esDataSet);
    else if (page == tshDBGrid)
        IB_OstrelDialog1.SetExportSource(esDBGrid);
    else if (page == tshListView)
        IB_OstrelDialog1.SetExportSource(esListView);
    else if (page == tshStringGrid)
        IB_OstrelDialog1.SetExportSource(esStringGrid);
    try {
        IB_OstrelDialog1.Execute();
    } catch (const std::exception& e) {
        ShowMessage(QString::fromStdString(e.what()));
    }
}

void TForm1::PageControl1Change(int index) {
    QWidget* page = PageControl1->widget(index);
    if (page == tshDataSet)
        IB_Query1.GridLabels().Clear();
    else if (page == tshDBGrid)
        IB_Query1.GridLabels().SetValue("POPULATION", "P_O_P_U_L_A_T_I_O_N");
    else
        return;
    // Both grids show the query, so both take the new titles.
    RefreshGrids();
}

}  // namespace ostrel::demo
