// The formats, header/footer and captions pages inside a real dialog window, offscreen: edits
// reach the settings model, model changes reach the controls, and the captions grid follows the
// export type and writes its in-place editors back.
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "dialog/IB_OstrelDialog.h"
#include "dialog/qt/CaptionsGridEditors.h"
#include "dialog/qt/ErrorDisplay.h"
#include "dialog/qt/FormatsPage.h"
#include "dialog/qt/IB_OstrelDialogF.h"
#include "platform/FormatSettings.h"
#include "sources/MemDataset.h"

namespace ostrel::qt {
namespace {

class FormatsCaptionsPages : public ::testing::Test {
protected:
    void SetUp() override {
        ds.AddField("ID", TMemFieldType::Integer).SetDisplayLabel("Number");
        ds.AddField("NAME", TMemFieldType::String, 20);
        ds.AddField("PRICE", TMemFieldType::Float);
        ds.AddField("BORN", TMemFieldType::Date);
        ds.Open();
        dialog.SetDataSet(&ds);
        dialog.UserFormats().Add("PRICE=0.000");
    }
    void TearDown() override {
        SetInputBoxFunction(nullptr);
        SetErrorDisplayFunction(nullptr);
    }

    // A shown window (not on a screen), active, so that focus moves as for a user.
    void Open() {
        dialog.DialogColumns().Fill();
        w = std::make_unique<TIB_OstrelDialogF>(dialog);
        w->setAttribute(Qt::WA_DontShowOnScreen, true);
        w->show();
        // Not on a screen, the window is only active when it is told so.
        QApplication::setActiveWindow(w.get());
        QApplication::processEvents();
    }
    template <class T>
    T* Find(TDialogPage page, const char* name) const {
        T* widget = w->Page(page)->findChild<T*>(name);
        if (!widget) ADD_FAILURE() << name << " not found";
        return widget;
    }
    QString LabelOf(TDialogPage page, QWidget* buddy) const {
        for (const QLabel* label : w->Page(page)->findChildren<QLabel*>())
            if (label->buddy() == buddy) return label->text();
        return "(no label)";
    }
    QString TabText(TDialogPage page) const {
        return w->Controls().Pages->tabText(w->Controls().Pages->indexOf(w->Page(page)));
    }
    TOstrelDialogSettings& S() { return w->Settings(); }
    static void Click(QAbstractButton* button) {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    static QStringList RowTexts(const QTreeWidget* list, int row) {
        QStringList texts;
        for (int col = 0; col < list->columnCount(); ++col) texts << list->topLevelItem(row)->text(col);
        return texts;
    }

    TFormatSettingsScope locale{TFormatSettings::Default()};
    TMemDataset ds;
    TIB_OstrelDialog dialog;
    std::unique_ptr<TIB_OstrelDialogF> w;
};

// ---- formats page ----

TEST_F(FormatsCaptionsPages, CommonFormatEditsShowAndSetTheirSettings) {
    TOstrelFormats f;
    f.SetNullString("<null>");
    dialog.SetFormats(f);
    Open();
    const std::pair<const char*, const char*> edits[] = {
        {"IntegerFormat", "Integer Format"}, {"FloatFormat", "Float Format"},   {"DateFormat", "Date Format"},
        {"TimeFormat", "Time Format"},       {"DateTimeFormat", "DateTime Format"},
        {"CurrencyFormat", "Currency Format"}, {"BooleanTrue", "Boolean true"}, {"BooleanFalse", "Boolean false"},
        {"NullString", "Null string"}};
    for (const auto& [name, label] : edits) EXPECT_EQ(LabelOf(dpFormats, Find<QLineEdit>(dpFormats, name)), label);
    const auto groups = w->Page(dpFormats)->findChildren<QGroupBox*>();
    ASSERT_EQ(groups.size(), 2);
    EXPECT_EQ(groups[0]->title(), "Common");
    EXPECT_EQ(groups[1]->title(), "User");

    auto* integer = Find<QLineEdit>(dpFormats, "IntegerFormat");
    EXPECT_EQ(integer->text(), "#,###,##0");
    EXPECT_EQ(Find<QLineEdit>(dpFormats, "CurrencyFormat")->text(), "00.00$");
    EXPECT_EQ(Find<QLineEdit>(dpFormats, "NullString")->text(), "<null>");
    w->ShowPage(dpFormats);
    integer->selectAll();
    QTest::keyClicks(integer, "0.0");
    EXPECT_EQ(S().Str(dsIntegerFormat), "0.0");
    S().SetStr(dsBooleanTrue, "yes");
    EXPECT_EQ(Find<QLineEdit>(dpFormats, "BooleanTrue")->text(), "yes");
}

TEST_F(FormatsCaptionsPages, UserFormatListChoicesAndButtons) {
    Open();
    w->ShowPage(dpFormats);
    auto* field = Find<QComboBox>(dpFormats, "FormatField");
    auto* preset = Find<QComboBox>(dpFormats, "FormatPreset");
    auto* list = Find<QTreeWidget>(dpFormats, "UserFormats");
    auto* add = Find<QPushButton>(dpFormats, "AddFormat");
    auto* edit = Find<QPushButton>(dpFormats, "EditFormat");
    auto* del = Find<QPushButton>(dpFormats, "DeleteFormat");
    auto* clear = Find<QPushButton>(dpFormats, "ClearFormats");
    EXPECT_EQ(QStringList({add->text(), edit->text(), del->text(), clear->text()}),
              QStringList({"Add", "Edit", "Delete", "Clear"}));
    EXPECT_FALSE(field->isEditable());
    EXPECT_TRUE(preset->isEditable());
    EXPECT_TRUE(list->isHeaderHidden());
    EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);

    // The component's user format is listed; the text and Boolean-less fields are offered.
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(RowTexts(list, 0), QStringList({"PRICE", "=", "0.000"}));
    EXPECT_FALSE(list->topLevelItem(0)->icon(0).isNull());
    QStringList offered;
    for (int i = 0; i < field->count(); ++i) offered << field->itemText(i);
    EXPECT_EQ(offered, QStringList({"ID", "PRICE", "BORN"}));
    EXPECT_TRUE(edit->isEnabled());

    // Choosing a field fills the presets; "Add" replaces that field's row and selects it.
    field->setCurrentIndex(1);
    EXPECT_EQ(preset->count(), 4);
    EXPECT_EQ(preset->currentText(), "#,###,##0.00");
    preset->setCurrentIndex(3);
    EXPECT_EQ(w->Settings().UserFormats().PresetText(), "0.00");
    Click(add);
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(RowTexts(list, 0), QStringList({"PRICE", "=", "0.00"}));
    EXPECT_EQ(list->currentItem(), list->topLevelItem(0));

    field->setCurrentIndex(0);
    preset->lineEdit()->selectAll();
    QTest::keyClicks(preset->lineEdit(), "000");
    Click(add);
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(RowTexts(list, 1), QStringList({"ID", "=", "000"}));

    // "Edit" asks with the row's format; a click on a row selects it in the model.
    QString title, prompt, shown;
    SetInputBoxFunction([&](QWidget*, const QString& t, const QString& p, QString& value) {
        title = t;
        prompt = p;
        shown = value;
        value = "#0.0";
        return true;
    });
    const QRect first = list->visualItemRect(list->topLevelItem(0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first.center());
    EXPECT_EQ(w->Settings().UserFormats().Selected(), 0);
    Click(edit);
    EXPECT_EQ(title, "New format value");
    EXPECT_EQ(prompt, "Enter Value:");
    EXPECT_EQ(shown, "0.00");
    EXPECT_EQ(RowTexts(list, 0), QStringList({"PRICE", "=", "#0.0"}));

    Click(clear);
    EXPECT_EQ(list->topLevelItemCount(), 0);
    EXPECT_FALSE(edit->isEnabled());
    EXPECT_FALSE(del->isEnabled());
    EXPECT_FALSE(clear->isEnabled());
    EXPECT_TRUE(add->isEnabled());
}

// ---- header and footer page ----

TEST_F(FormatsCaptionsPages, HeaderAndFooterLinesShowAndFollowEveryEdit) {
    dialog.Header().Add("Price list");
    dialog.OnGetFooter = [](TObject*, TStrings& lines) { lines.Add("page end"); };
    Open();
    auto* header = Find<QPlainTextEdit>(dpHeaderFooter, "HeaderText");
    auto* footer = Find<QPlainTextEdit>(dpHeaderFooter, "FooterText");
    EXPECT_EQ(LabelOf(dpHeaderFooter, header), "Header text:");
    EXPECT_EQ(LabelOf(dpHeaderFooter, footer), "Footer text:");
    EXPECT_EQ(header->toPlainText(), "Price list");
    EXPECT_EQ(footer->toPlainText(), "page end");

    w->ShowPage(dpHeaderFooter);
    header->moveCursor(QTextCursor::End);
    QTest::keyClick(header, Qt::Key_Return);
    QTest::keyClicks(header, "2024");
    EXPECT_EQ(S().HeaderLines(), (TStrings{"Price list", "2024"}));
    footer->clear();
    EXPECT_TRUE(S().FooterLines().Empty());

    // Lines replaced while another page is current show when the page comes back.
    w->ShowPage(dpFormats);
    S().FooterLines().SetText("one\r\ntwo");
    w->ShowPage(dpHeaderFooter);
    EXPECT_EQ(footer->toPlainText(), "one\ntwo");
}

// ---- captions page ----

TEST_F(FormatsCaptionsPages, AllowCaptionsEnablesTheGrid) {
    dialog.SetAllowCaptions(false);
    Open();
    auto* allow = Find<QCheckBox>(dpCaptions, "AllowCaptions");
    auto* grid = Find<QTableWidget>(dpCaptions, "CaptionsGrid");
    EXPECT_EQ(allow->text(), "Allow captions");
    EXPECT_FALSE(allow->isChecked());
    EXPECT_FALSE(grid->isEnabled());
    w->ShowPage(dpCaptions);
    Click(allow);
    EXPECT_TRUE(S().Bool(dsAllowCaptions));
    EXPECT_TRUE(grid->isEnabled());
    S().SetBool(dsAllowCaptions, false);
    EXPECT_FALSE(allow->isChecked());
    EXPECT_FALSE(grid->isEnabled());
    // A disabled grid still holds its rows.
    EXPECT_EQ(grid->rowCount(), 4);
}

TEST_F(FormatsCaptionsPages, GridLayoutAndTabTextFollowTheExportType) {
    Open();
    auto* grid = Find<QTableWidget>(dpCaptions, "CaptionsGrid");
    auto headers = [grid] {
        QStringList texts;
        for (int col = 0; col < grid->columnCount(); ++col) texts << grid->horizontalHeaderItem(col)->text();
        return texts;
    };
    auto column = [grid](int col) {
        QStringList texts;
        for (int row = 0; row < grid->rowCount(); ++row) texts << grid->item(row, col)->text();
        return texts;
    };
    EXPECT_EQ(TabText(dpCaptions), "Caption && Width");
    EXPECT_EQ(headers(), QStringList({"Field name", "Caption", "Width"}));
    EXPECT_TRUE(grid->horizontalHeaderItem(0)->font().bold());
    EXPECT_EQ(grid->horizontalHeaderItem(1)->textAlignment(), Qt::AlignCenter);
    EXPECT_EQ(grid->columnWidth(0), 190);
    EXPECT_EQ(grid->columnWidth(2), 60);
    EXPECT_EQ(column(0), QStringList({"ID", "NAME", "PRICE", "BORN"}));
    EXPECT_EQ(column(1), QStringList({"Number", "NAME", "PRICE", "BORN"}));
    EXPECT_FALSE(grid->item(0, 0)->flags() & Qt::ItemIsEditable);
    EXPECT_TRUE(grid->item(0, 1)->flags() & Qt::ItemIsEditable);

    // A typed width is lost when the type changes; the text file's four columns come in.
    S().CaptionsGrid().SetCell(2, 1, "77");
    EXPECT_EQ(grid->item(1, 2)->text(), "77");
    Click(w->Controls().ExportTypes->button(aeTXT));
    EXPECT_EQ(TabText(dpCaptions), "Caption && Width && Align");
    EXPECT_EQ(headers(), QStringList({"Field name", "Caption", "Align", "Width"}));
    EXPECT_EQ(grid->columnWidth(3), 60);
    EXPECT_EQ(column(2), QStringList({"Right", "Left", "Right", "Left"}));
    EXPECT_EQ(column(3)[1], "20");

    Click(w->Controls().ExportTypes->button(aeCSV));
    EXPECT_EQ(TabText(dpCaptions), "Caption");
    EXPECT_EQ(grid->columnCount(), 2);
    EXPECT_EQ(grid->columnWidth(1), 220);
}

TEST_F(FormatsCaptionsPages, InPlaceEditorsWriteBackWhenTheyLoseTheFocus) {
    Open();
    S().SetInt(dsExportType, aeRTF);
    w->ShowPage(dpCaptions);
    auto* grid = Find<QTableWidget>(dpCaptions, "CaptionsGrid");
    TOstrelCaptionsGrid& model = S().CaptionsGrid();

    // A caption typed in place.
    grid->setFocus();
    grid->setCurrentCell(1, 1);
    QTest::keyClick(grid, Qt::Key_F2);
    QWidget* line = QApplication::focusWidget();
    ASSERT_TRUE(qobject_cast<QLineEdit*>(line));
    static_cast<QLineEdit*>(line)->selectAll();
    QTest::keyClicks(line, "Full name");
    QTest::keyClick(line, Qt::Key_Return);
    QApplication::processEvents();  // the grid commits a line edit's text after the key
    EXPECT_EQ(model.Cell(1, 1), "Full name");

    // The alignment drop-down over the cell, with the cell's item selected.
    grid->setCurrentCell(0, 2);
    grid->editItem(grid->item(0, 2));
    auto* box = grid->findChild<QComboBox*>();
    ASSERT_TRUE(box);
    QStringList items;
    for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
    EXPECT_EQ(items, QStringList({"None", "Left", "Center", "Right"}));
    EXPECT_EQ(box->currentText(), "Right");
    EXPECT_TRUE(box->hasFocus());
    const QRect cell = grid->visualItemRect(grid->item(0, 2));
    EXPECT_EQ(box->geometry().left(), cell.left() + 1);
    EXPECT_EQ(box->width(), cell.width() + 2);
    box->setCurrentIndex(2);
    w->Controls().FileName->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(model.Cell(2, 0), "Center");
    EXPECT_EQ(grid->item(0, 2)->text(), "Center");

    // The width spin box shows the cell's number and writes its own.
    grid->setFocus();
    grid->setCurrentCell(2, 3);
    grid->editItem(grid->item(2, 3));
    auto* spin = grid->findChild<QSpinBox*>();
    ASSERT_TRUE(spin);
    EXPECT_EQ(spin->minimum(), 0);
    EXPECT_EQ(spin->maximum(), 1000);
    EXPECT_EQ(QString::number(spin->value()), grid->item(2, 3)->text());
    EXPECT_TRUE(grid->visualItemRect(grid->item(2, 3)).contains(spin->geometry().center()));
    spin->setValue(42);
    w->Controls().FileName->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(model.Cell(3, 2), "42");
}

TEST_F(FormatsCaptionsPages, WidthEditorOnANonNumberShowsTheErrorAndChangesNothing) {
    Open();
    w->ShowPage(dpCaptions);
    auto* grid = Find<QTableWidget>(dpCaptions, "CaptionsGrid");
    QStringList errors;
    SetErrorDisplayFunction([&errors](QWidget*, const QString& message) { errors << message; });
    S().CaptionsGrid().SetCell(2, 3, "wide");  // as an options file may leave it
    EXPECT_EQ(grid->item(3, 2)->text(), "wide");
    grid->setFocus();
    grid->setCurrentCell(3, 2);
    grid->editItem(grid->item(3, 2));
    EXPECT_EQ(errors, QStringList({"'wide' is not a valid integer value"}));
    EXPECT_FALSE(grid->findChild<QSpinBox*>());
    EXPECT_EQ(S().CaptionsGrid().Cell(2, 3), "wide");
    EXPECT_EQ(grid->item(3, 2)->text(), "wide");
}

}  // namespace
}  // namespace ostrel::qt
