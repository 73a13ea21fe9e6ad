#include "demo/Screenshots.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>
#include <exception>

#include "demo/Form1.h"
#include "dialog/qt/IB_OstrelDialogF.h"
#include "dialog/qt/QtDataGrid.h"
#include "dialog/qt/WindowPicture.h"
#include "platform/Errors.h"

namespace ostrel::demo {

namespace {

constexpr int kSettleMs = 50;

// Shows the window off screen for as long as it lives, so that its layouts are done and it
// can be grabbed, without anything appearing on a display.
class TOffscreenShow {
public:
    explicit TOffscreenShow(QWidget& w) : FWidget(w), FWasVisible(w.isVisible()) {
        if (FWasVisible) return;
        FWidget.setAttribute(Qt::WA_DontShowOnScreen, true);
        FWidget.show();
    }
    ~TOffscreenShow() {
        if (FWasVisible) return;
        FWidget.hide();
        FWidget.setAttribute(Qt::WA_DontShowOnScreen, false);
    }
    TOffscreenShow(const TOffscreenShow&) = delete;
    TOffscreenShow& operator=(const TOffscreenShow&) = delete;

private:
    QWidget& FWidget;
    bool FWasVisible;
};

// Lets the window finish what it does after a change of tab (layouts, then the rows a grid
// reads once its layout is done), as the event loop of the running program would.
void Settle() {
    QEventLoop loop;
    QTimer::singleShot(kSettleMs, &loop, &QEventLoop::quit);
    loop.exec();
}

QString SaveGrab(QWidget& w, const QDir& dir, const QString& name) {
    Settle();
    const QString path = dir.filePath(name);
    if (!qt::WindowPicture(w).save(path, "PNG")) throw EStreamError("Cannot write " + path.toStdString());
    return path;
}

void ShowColumn(qt::TQtDataGrid& grid, const char* fieldName) {
    Settle();
    for (int i = 0; i < grid.GridColumnCount(); ++i)
        if (SameText(grid.GridColumn(i)->FieldName(), fieldName) && grid.model()->rowCount() > 0)
            grid.scrollTo(grid.model()->index(0, i), QAbstractItemView::PositionAtCenter);
}

// The export dialog's column list, filled as Execute would for the source the demo can offer.
void FillDialogColumns(TForm1& form) {
    TIB_OstrelDialog& dialog = form.IB_OstrelDialog1;
    dialog.SetExportSource(form.IB_Query1.Active() ? esDataSet : esListView);
    dialog.DialogColumns().Fill();
}

}  // namespace

QStringList SaveDemoScreenshots(TForm1& form, const QString& dirPath) {
    const QDir dir(dirPath);
    QStringList files;
    {
        TOffscreenShow shown(form);
        QTabWidget& tabs = *form.PageControl1;
        for (int i = 0; i < tabs.count(); ++i) {
            tabs.setCurrentIndex(i);
            // The grid label the DBGrid tab puts on POPULATION is worth seeing.
            if (tabs.widget(i) == form.tshDBGrid) ShowColumn(*form.IB_Grid2, "POPULATION");
            const QString name = QStringLiteral("demo-%1-%2.png").arg(i + 1).arg(tabs.tabText(i).toLower());
            files << SaveGrab(form, dir, name);
        }
        tabs.setCurrentIndex(0);
    }
    FillDialogColumns(form);
    files << qt::SaveDialogScreenshots(form.IB_OstrelDialog1, dirPath);
    return files;
}

int RunScreenshots(const QString& dir, const QString& databaseDir, QTextStream& out, QTextStream& err) {
    const QFileInfo info(dir);
    if (!info.exists() || !info.isDir()) {
        err << "ostrel-demo: " << dir << ": no such directory\n";
        return 2;
    }
    if (!info.isWritable()) {
        err << "ostrel-demo: " << dir << ": directory is not writable\n";
        return 2;
    }
    // Without the database the window still opens; its pictures are taken all the same.
    TForm1 form(databaseDir, [&err](const QString& message) { err << "ostrel-demo: " << message << "\n"; });
    try {
        for (const QString& file : SaveDemoScreenshots(form, dir)) out << file << "\n";
    } catch (const std::exception& e) {
        err << "ostrel-demo: " << e.what() << "\n";
        return 1;
    }
    return 0;
}

}  // namespace ostrel::demo
