// The export dialog window's wiring, offscreen: clicks, key presses, double clicks and drops
// reach the settings model, and the model's changes come back to the controls.
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "dialog/IB_OstrelDialog.h"
#include "dialog/qt/FieldListWidget.h"
#include "dialog/qt/ErrorDisplay.h"
#include "dialog/qt/FileDialogs.h"
#include "dialog/qt/IB_OstrelDialogF.h"
#include "sources/MemControls.h"

namespace ostrel::qt {
namespace {

class DialogWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"CODE", "NAME", "CITY", "SALARY"}) list.AddColumn(name, 80);
        list.AddItem("1", {"ALEX", "Riga", "270.36"});
        dialog.SetExportSource(esListView);
        dialog.SetListView(&list);
    }
    void TearDown() override { SetFileDialogFunction(nullptr); }

    // A shown window (not on a screen), so that geometry and focus work as for a user.
    std::unique_ptr<TIB_OstrelDialogF> Open() {
        dialog.DialogColumns().Fill();
        auto window = std::make_unique<TIB_OstrelDialogF>(dialog);
        window->setAttribute(Qt::WA_DontShowOnScreen, true);
        window->show();
        QApplication::processEvents();
        return window;
    }
    static QStringList Texts(const QListWidget* list) {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
        return texts;
    }
    static bool TabShown(const TIB_OstrelDialogF& w, TDialogPage page) {
        return w.Controls().Pages->isTabVisible(w.Controls().Pages->indexOf(w.Page(page)));
    }
    // As a drag of a row ends over `target` at `at`: entering, then dropping.
    static void Drop(TFieldListWidget* target, TFieldList source, QPoint at) {
        QMimeData mime;
        mime.setData(TFieldListWidget::kMimeType, QByteArray::number(source));
        QDragEnterEvent enter(at, Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target->viewport(), &enter);
        QDropEvent drop(QPointF(at), Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target->viewport(), &drop);
    }
    // A click on a check box or radio button's mark, which is where a user clicks it.
    static void Click(QAbstractButton* button) {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }

    TMemListView list;
    TIB_OstrelDialog dialog;
};

TEST_F(DialogWindowTest, OpensWithTheComponentsSettingsAndTheTextTable) {
    dialog.SetFileName("/data/out/people.xls");
    dialog.SetPrintFile(true);
    dialog.SetSkipRecCount(3);
    auto w = Open();
    const auto& c = w->Controls();
    EXPECT_EQ(w->windowTitle(), "Export dialog -- Export to [people.xls]");
    EXPECT_EQ(c.FileName->text(), "/data/out/people.xls");
    EXPECT_TRUE(c.ShowFile->isChecked());
    EXPECT_TRUE(c.PrintFile->isChecked());
    EXPECT_EQ(c.SkipCount->text(), "3");
    EXPECT_EQ(c.DestinationLabel->text(), "Destination file");
    EXPECT_EQ(c.StartExport->text(), "&Start Export");
    EXPECT_TRUE(c.StartExport->isDefault());
    EXPECT_EQ(c.Pages->currentWidget(), w->Page(dpExportType));
    EXPECT_EQ(c.ExportTypePages->tabText(0), " &Formats");
    EXPECT_EQ(c.ExportTo->title(), " Export to ");
    // All thirteen types; the first selected; for the workbook its option page shows.
    ASSERT_EQ(c.ExportTypes->buttons().size(), 13);
    EXPECT_EQ(c.ExportTypes->checkedId(), aeXLS);
    EXPECT_EQ(c.ExportTypes->button(aeClipboard)->text(), "Windows Clipboard");
    EXPECT_TRUE(TabShown(*w, dpExcel));
    EXPECT_FALSE(TabShown(*w, dpHTML));
    QStringList tabs;
    for (int i = 0; i < c.Pages->count(); ++i) tabs << c.Pages->tabText(i);
    // The captions page is named for what its grid holds under the type.
    EXPECT_EQ(tabs, QStringList({"Export &Type", "F&ields", "&Formats", "Hea&der && Footer", "Caption && Width",
                                 "Word / RTF Options", "XML Options", "&SQL Options", "&HTML Options",
                                 "&Excel Options", "ASCII Options"}));
    // Save and load buttons only on request.
    EXPECT_FALSE(c.SaveOptions->isVisibleTo(w.get()));
}

TEST_F(DialogWindowTest, OfferedTypesInCodeOrderInThreeColumns) {
    dialog.SetAllowedExports(ExportBit(aeSQL) | ExportBit(aeHTML));
    dialog.SetFileName("C:\\out\\data.xls");
    auto w = Open();
    const auto& c = w->Controls();
    const auto buttons = c.ExportTypes->buttons();
    ASSERT_EQ(buttons.size(), 2);
    EXPECT_EQ(buttons[0]->text(), "HTML");
    EXPECT_EQ(buttons[1]->text(), "SQL");
    EXPECT_TRUE(buttons[0]->isChecked());
    EXPECT_TRUE(TabShown(*w, dpHTML));
    // The first type's extension is applied at creation.
    EXPECT_EQ(c.FileName->text(), "C:\\out\\data.html");
}

TEST_F(DialogWindowTest, ChoosingATypeChangesTheExtensionPagesAndFileControls) {
    dialog.SetFileName("/out/data.xls");
    auto w = Open();
    const auto& c = w->Controls();
    Click(c.ExportTypes->button(aeHTML));
    EXPECT_EQ(w->Settings().Int(dsExportType), aeHTML);
    EXPECT_EQ(c.FileName->text(), "/out/data.html");
    EXPECT_EQ(w->windowTitle(), "Export dialog -- Export to [data.html]");
    EXPECT_TRUE(TabShown(*w, dpHTML));
    EXPECT_FALSE(TabShown(*w, dpExcel));

    Click(c.ExportTypes->button(aeSQL));
    EXPECT_FALSE(TabShown(*w, dpFormats));
    EXPECT_FALSE(TabShown(*w, dpCaptions));
    EXPECT_TRUE(TabShown(*w, dpHeaderFooter));
    EXPECT_TRUE(TabShown(*w, dpSQL));

    Click(c.ExportTypes->button(aeClipboard));
    EXPECT_EQ(c.FileName->text(), "/out/data.sql");
    EXPECT_FALSE(c.FileName->isEnabled());
    EXPECT_FALSE(c.Select->isEnabled());
    EXPECT_FALSE(c.ShowFile->isEnabled());
    EXPECT_FALSE(c.DestinationLabel->isEnabled());
    EXPECT_TRUE(c.PrintFile->isEnabled());

    // A type set by the program shows in the radio group.
    w->Settings().SetInt(dsExportType, aeDBF);
    EXPECT_EQ(c.ExportTypes->checkedId(), aeDBF);
    EXPECT_TRUE(c.FileName->isEnabled());
    EXPECT_FALSE(TabShown(*w, dpCaptions));
    EXPECT_FALSE(TabShown(*w, dpHeaderFooter));
}

TEST_F(DialogWindowTest, TypingTheFileNameUpdatesCaptionAndStartButton) {
    auto w = Open();
    const auto& c = w->Controls();
    EXPECT_EQ(w->windowTitle(), "Export dialog");
    EXPECT_FALSE(c.StartExport->isEnabled());
    QTest::keyClicks(c.FileName, "/tmp/x/report.csv");
    EXPECT_EQ(w->Settings().Str(dsFileName), "/tmp/x/report.csv");
    EXPECT_EQ(w->windowTitle(), "Export dialog -- Export to [report.csv]");
    EXPECT_TRUE(c.StartExport->isEnabled());
    c.FileName->selectAll();
    QTest::keyClick(c.FileName, Qt::Key_Delete);
    EXPECT_FALSE(c.StartExport->isEnabled());
    Click(c.ExportTypes->button(aeClipboard));
    EXPECT_TRUE(c.StartExport->isEnabled());
}

TEST_F(DialogWindowTest, CheckBoxesAssignTheirSettings) {
    auto w = Open();
    const auto& c = w->Controls();
    c.ExportTypePages->setCurrentIndex(1);
    QApplication::processEvents();
    Click(c.ShowFile);
    EXPECT_FALSE(w->Settings().Bool(dsShowFile));
    Click(c.PrintFile);
    EXPECT_TRUE(w->Settings().Bool(dsPrintFile));
    Click(c.GoToFirstRecord);
    EXPECT_FALSE(w->Settings().Bool(dsGoToFirstRecord));
    w->Settings().SetBool(dsGoToFirstRecord, true);
    EXPECT_TRUE(c.GoToFirstRecord->isChecked());
}

TEST_F(DialogWindowTest, RecordWindowEditsTakeDigitsOnly) {
    dialog.SetExportRecCount(25);
    auto w = Open();
    const auto& c = w->Controls();
    c.ExportTypePages->setCurrentIndex(1);
    QApplication::processEvents();
    EXPECT_TRUE(c.ExportOnly->isChecked());
    EXPECT_EQ(c.ExportCount->text(), "25");
    EXPECT_TRUE(c.ExportCount->isEnabled());

    c.SkipCount->clear();
    QTest::keyClicks(c.SkipCount, "1a2-");
    EXPECT_EQ(c.SkipCount->text(), "12");
    EXPECT_EQ(w->Settings().Int(dsSkipRecCount), 12);
    QTest::keyClick(c.SkipCount, Qt::Key_Backspace);
    EXPECT_EQ(w->Settings().Int(dsSkipRecCount), 1);
    // Pasted text that is no number leaves the setting alone.
    c.SkipCount->selectAll();
    c.SkipCount->insert("abc");
    QTest::keyClick(c.SkipCount, Qt::Key_End);
    EXPECT_EQ(w->Settings().Int(dsSkipRecCount), 1);

    Click(c.ExportAll);
    EXPECT_EQ(w->Settings().Int(dsExportRecCount), 0);
    EXPECT_FALSE(c.ExportCount->isEnabled());
    EXPECT_FALSE(c.ExportRecordsLabel->isEnabled());
    Click(c.ExportOnly);
    EXPECT_TRUE(c.ExportCount->isEnabled());
    c.ExportCount->clear();
    QTest::keyClicks(c.ExportCount, "40");
    EXPECT_EQ(w->Settings().Int(dsExportRecCount), 40);
}

TEST_F(DialogWindowTest, FieldButtonsAndDoubleClicksMoveRows) {
    auto w = Open();
    const auto& c = w->Controls();
    w->ShowPage(dpFields);
    QApplication::processEvents();
    EXPECT_EQ(Texts(c.Available), QStringList({"CODE", "NAME", "CITY", "SALARY"}));
    EXPECT_EQ(c.Available->currentRow(), 0);

    c.Available->setCurrentRow(2);
    QTest::mouseClick(c.AddField, Qt::LeftButton);
    EXPECT_EQ(Texts(c.Exported), QStringList({"CITY"}));
    EXPECT_EQ(Texts(c.Available), QStringList({"CODE", "NAME", "SALARY"}));
    EXPECT_EQ(c.Available->currentRow(), 2);  // the row now at the old index

    const QRect code = c.Available->visualItemRect(c.Available->item(0));
    QTest::mouseClick(c.Available->viewport(), Qt::LeftButton, {}, code.center());
    QTest::mouseDClick(c.Available->viewport(), Qt::LeftButton, {}, code.center());
    EXPECT_EQ(Texts(c.Exported), QStringList({"CITY", "CODE"}));
    EXPECT_EQ(w->Settings().Fields().ExportedNames(), (TStrings{"CITY", "CODE"}));

    QTest::mouseClick(c.AddAllFields, Qt::LeftButton);
    EXPECT_EQ(Texts(c.Exported), QStringList({"NAME", "SALARY", "CITY", "CODE"}));
    EXPECT_EQ(c.Available->count(), 0);

    const QRect city = c.Exported->visualItemRect(c.Exported->item(2));
    QTest::mouseClick(c.Exported->viewport(), Qt::LeftButton, {}, city.center());
    QTest::mouseDClick(c.Exported->viewport(), Qt::LeftButton, {}, city.center());
    EXPECT_EQ(Texts(c.Available), QStringList({"CITY"}));
    c.Exported->setCurrentRow(0);
    QTest::mouseClick(c.RemoveField, Qt::LeftButton);
    EXPECT_EQ(Texts(c.Available), QStringList({"NAME", "CITY"}));
    QTest::mouseClick(c.RemoveAllFields, Qt::LeftButton);
    EXPECT_EQ(Texts(c.Available), QStringList({"CODE", "NAME", "CITY", "SALARY"}));
    EXPECT_EQ(c.Exported->count(), 0);
}

TEST_F(DialogWindowTest, DropsMoveRowsBetweenAndWithinTheLists) {
    auto w = Open();
    const auto& c = w->Controls();
    w->ShowPage(dpFields);
    QApplication::processEvents();

    c.Available->setCurrentRow(1);
    Drop(c.Exported, flAvailable, c.Exported->viewport()->rect().center());
    EXPECT_EQ(Texts(c.Exported), QStringList({"NAME"}));
    c.Available->setCurrentRow(0);
    Drop(c.Exported, flAvailable, {5, 5});
    EXPECT_EQ(Texts(c.Exported), QStringList({"NAME", "CODE"}));

    // Within the exported list the dragged row goes to the end.
    c.Exported->setCurrentRow(0);
    Drop(c.Exported, flExported, c.Exported->visualItemRect(c.Exported->item(1)).center());
    EXPECT_EQ(Texts(c.Exported), QStringList({"CODE", "NAME"}));

    // Within the available list it takes the place of the row under the mouse.
    EXPECT_EQ(Texts(c.Available), QStringList({"CITY", "SALARY"}));
    c.Available->setCurrentRow(0);
    Drop(c.Available, flAvailable, c.Available->visualItemRect(c.Available->item(1)).center());
    EXPECT_EQ(Texts(c.Available), QStringList({"SALARY", "CITY"}));
    EXPECT_EQ(c.Available->currentRow(), 1);
    // Where there is no row, nothing happens.
    Drop(c.Available, flAvailable, {5, c.Available->viewport()->height() - 3});
    EXPECT_EQ(Texts(c.Available), QStringList({"SALARY", "CITY"}));

    // Back home from the exported list.
    c.Exported->setCurrentRow(0);
    Drop(c.Available, flExported, {5, 5});
    EXPECT_EQ(Texts(c.Available), QStringList({"CODE", "SALARY", "CITY"}));
}

TEST_F(DialogWindowTest, CommonOptionsHidePagesAndTheOptionsSubPage) {
    dialog.SetCommonOptions(kAllCommonOptions & ~OptionBit(coFields) & ~OptionBit(coOptions));
    dialog.SetSaveLoadButtons(true);
    auto w = Open();
    EXPECT_FALSE(TabShown(*w, dpFields));
    EXPECT_FALSE(w->Controls().ExportTypePages->isTabVisible(1));
    EXPECT_TRUE(w->Controls().SaveOptions->isVisible());
    EXPECT_TRUE(w->Controls().LoadOptions->isEnabled());
    EXPECT_EQ(w->Controls().SaveOptions->text(), "Save Export Options...");
}

TEST_F(DialogWindowTest, SelectOpensTheSaveDialogWithTheTypesFilter) {
    dialog.SetFileName("/out/a.xls");
    TFileDialogRequest seen;
    SetFileDialogFunction([&](QWidget*, const TFileDialogRequest& r) {
        seen = r;
        return QString("/chosen/b.xls");
    });
    auto w = Open();
    Click(w->Controls().ExportTypes->button(aeCSV));
    QTest::mouseClick(w->Controls().Select, Qt::LeftButton);
    EXPECT_TRUE(seen.Save);
    EXPECT_EQ(seen.FileName, "/out/a.csv");
    EXPECT_EQ(seen.Filter, "CSV files (*.csv)|*.csv");
    EXPECT_EQ(seen.DefaultExt, "csv");
    EXPECT_EQ(w->Settings().Str(dsFileName), "/chosen/b.xls");
    EXPECT_EQ(w->Controls().FileName->text(), "/chosen/b.xls");
    // The clipboard keeps the filter of the last file type.
    Click(w->Controls().ExportTypes->button(aeClipboard));
    EXPECT_EQ(w->Settings().DestinationFilter(), "CSV files (*.csv)|*.csv");
    EXPECT_EQ(QtNameFilters("HTML files (*.html, *.htm)|*.html;*.htm|All files (*.*)|*.*"),
              QStringList({"HTML files (*.html *.htm)", "All files (*.*)"}));
}

TEST_F(DialogWindowTest, HeaderEventsSeeTheWindowAsSender) {
    dialog.Header().Add("first");
    TObject* sender = nullptr;
    dialog.OnGetHeader = [&](TObject* s, TStrings& lines) {
        sender = s;
        lines.Add("added");
    };
    auto w = Open();
    EXPECT_EQ(dynamic_cast<TIB_OstrelDialogF*>(sender), w.get());
    EXPECT_EQ(w->Settings().HeaderLines(), (TStrings{"first", "added"}));
    EXPECT_EQ(dialog.Header(), (TStrings{"first"}));
}

TEST_F(DialogWindowTest, ExecuteShowsTheWindowModallyAndEscapeClosesIt) {
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* window = dynamic_cast<TIB_OstrelDialogF*>(QApplication::activeModalWidget());
        shown = window != nullptr;
        if (window) QTest::keyClick(window, Qt::Key_Escape);
    });
    dialog.Execute();
    EXPECT_TRUE(shown);
    EXPECT_EQ(dialog.DialogColumns().Count(), 4);
}

// The options file from the window: the two buttons, reading at creation, writing on closing.
TEST_F(DialogWindowTest, OptionsFileButtonsWriteAndReadTheSettings) {
    QTemporaryDir dir;
    const QString file = dir.filePath("choices.cfg");
    dialog.SetSaveLoadButtons(true);
    dialog.SetFileName("/out/a.xls");
    SetFileDialogFunction([&](QWidget*, const TFileDialogRequest&) { return file; });
    auto w = Open();
    const auto& c = w->Controls();
    Click(c.ExportTypes->button(aeCSV));
    QTest::mouseClick(c.SaveOptions, Qt::LeftButton);
    EXPECT_EQ(w->Settings().Str(dsOptionsFileName), file.toStdString());
    ASSERT_TRUE(QFile::exists(file));

    Click(c.ExportTypes->button(aeHTML));
    EXPECT_EQ(c.FileName->text(), "/out/a.html");
    QTest::mouseClick(c.LoadOptions, Qt::LeftButton);
    EXPECT_EQ(c.ExportTypes->checkedId(), aeCSV);
    EXPECT_EQ(c.FileName->text(), "/out/a.csv");
}

TEST_F(DialogWindowTest, OptionsFileReadAtCreationAndWrittenOnClosing) {
    QTemporaryDir dir;
    const QString file = dir.filePath("auto.cfg");
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[GENERAL]\r\nExportType=3\r\nFileName=/data/report.html\r\n");
    }
    dialog.SetOptionsFileName(file.toStdString());
    dialog.SetAutoLoadOptions(true);
    dialog.SetAutoSaveOptions(true);
    auto w = Open();
    EXPECT_EQ(w->Controls().ExportTypes->checkedId(), aeHTML);
    EXPECT_EQ(w->Controls().FileName->text(), "/data/report.html");
    Click(w->Controls().ExportTypes->button(aeSQL));
    QTest::keyClick(w.get(), Qt::Key_Escape);
    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readAll().contains("ExportType=11"));
}

TEST_F(DialogWindowTest, AnUnreadableOptionsFileIsShownAndTheWindowStays) {
    QTemporaryDir dir;
    const QString file = dir.filePath("bad.cfg");
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[GENERAL]\r\nExportType=3\r\n[HTML]\r\nBackgroundColor=no colour\r\n");
    }
    QStringList shown;
    SetErrorDisplayFunction([&](QWidget*, const QString& message) { shown << message; });
    dialog.SetOptionsFileName(file.toStdString());
    dialog.SetAutoLoadOptions(true);
    auto w = Open();
    SetErrorDisplayFunction(nullptr);
    EXPECT_EQ(shown, QStringList({"'no colour' is not a valid integer value"}));
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->Controls().ExportTypes->checkedId(), aeHTML);
}

}  // namespace
}  // namespace ostrel::qt
