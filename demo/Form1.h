// The demo's main window: one sample database query shown through a data grid twice, and a
// fixed sample table shown through a list view and a string grid; "&Export Data!" opens the
// export dialog on the source of the visible tab.
#pragma once

#include <QCoreApplication>
#include <QString>
#include <QWidget>
#include <functional>

#include "data/IB_Connection.h"
#include "data/IB_Query.h"
#include "dialog/IB_OstrelDialog.h"
#include "engine/IB_OstrelSources.h"

class QFrame;
class QPushButton;
class QTabWidget;

namespace ostrel::qt {
class TQtDataGrid;
class TQtListView;
class TQtStringGrid;
}  // namespace ostrel::qt

namespace ostrel::demo {

// The data folder of an installation, relative to the program's folder ("../share/ostrel").
extern const char* const kInstalledDataDir;

// Where the program finds country.gdb: beside it (the build tree), else in the installation's
// data folder; beside it when neither has the file, so that the message names the usual place.
QString SampleDatabaseDir(const QString& programDir = QCoreApplication::applicationDirPath());

class TForm1 : public QWidget {
    Q_OBJECT
public:
    // Shows an error text to the user; a message box unless the host replaces it (the tests and
    // the screenshot run must not wait on a modal box).
    using TMessageDisplay = std::function<void(const QString& message)>;

    // `databaseDir` is where country.gdb is looked for; the window is created (FormCreate) here,
    // so a database failure is reported through `showMessage` before the constructor returns.
    explicit TForm1(const QString& databaseDir = QCoreApplication::applicationDirPath(),
                    TMessageDisplay showMessage = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    void Button1Click();
    void PageControl1Change(int index);

    TMessageDisplay ShowMessage;

    // Non-visual components first: the widgets below refer to them and are destroyed earlier
    // (in the destructor), so no widget outlives what it shows.
    TIB_Connection IB_Database1;
    TIB_Query IB_Query1;
    TIB_DataSource IB_DataSource1;
    TIB_OstrelDialog IB_OstrelDialog1;

    QFrame* Panel1 = nullptr;
    QPushButton* Button1 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* tshDataSet = nullptr;
    QWidget* tshDBGrid = nullptr;
    QWidget* tshListView = nullptr;
    QWidget* tshStringGrid = nullptr;
    qt::TQtDataGrid* IB_Grid1 = nullptr;
    qt::TQtDataGrid* IB_Grid2 = nullptr;
    qt::TQtListView* ListView1 = nullptr;
    qt::TQtStringGrid* StringGrid1 = nullptr;

private:
    void CreateControls();
    void CreateComponents();
    void FormCreate(const QString& databaseDir);
    void FormDestroy();
    void FillListView();
    void FillStringGrid();
    void RefreshGrids();
    void CentreOnScreen();
};

}  // namespace ostrel::demo
