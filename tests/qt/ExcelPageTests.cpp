// The "&Excel Options" page in a real dialog window, offscreen: each control reaches the format
// list and shows it, selections of several entries, the reset buttons, colour buttons through a
// replaceable colour chooser; the painted drop-down items and sample cells against reviewed
// pictures; and the sample cell against the styles a workbook exported with the same formats
// holds when python3-xlrd reads it back.
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QFontDatabase>
#include <QGroupBox>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <optional>
#include <vector>

#include "dialog/IB_OstrelDialog.h"
#include "dialog/qt/ExcelPage.h"
#include "dialog/qt/IB_OstrelDialogF.h"
#include "dialog/qt/IB_OstrelXLSColorEditor.h"
#include "dialog/qt/QuestionBox.h"
#include "dialog/qt/XlsControls.h"
#include "dialog/qt/XlsPainting.h"
#include "exporters/sheet/IB_OstrelXLS.h"
#include "sources/MemControls.h"
#include "tests/readers/ReaderSupport.h"

namespace ostrel::qt {
namespace {

using test::ProbeReader;
using test::RunPython;
using test::ShellQuote;
using test::TTempDir;

constexpr const char* kColumns[] = {"Num", "Name", "Age", "City"};
constexpr int kFirstField = kXLSFixedCount;

class ExcelPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : kColumns) list.AddColumn(name, 80);
        list.AddItem("1", {"John", "34", "Oslo"});
        list.AddItem("2", {"Marcella", "27", "Rome"});
        dialog.SetExportSource(esListView);
        dialog.SetListView(&list);
        dialog.SetAllowedExports(ExportBit(aeXLS) | ExportBit(aeHTML));
        SetXLSColorChooser([this](TxlsColor initial, QWidget*) {
            offered.push_back(initial);
            return answer.value_or(initial);
        });
    }
    void TearDown() override {
        SetXLSColorChooser(nullptr);
        SetQuestionFunction(nullptr);
    }

    void Open() {
        dialog.DialogColumns().Fill();
        window = std::make_unique<TIB_OstrelDialogF>(dialog);
        window->setAttribute(Qt::WA_DontShowOnScreen, true);
        window->Settings().SetInt(dsExportType, aeXLS);
        window->show();
        window->ShowPage(dpExcel);
        QApplication::processEvents();
        page = dynamic_cast<TExcelPageView*>(window->Page(dpExcel));
        ASSERT_NE(page, nullptr);
    }
    const TExcelPageView::TControls& C() const { return page->Controls(); }
    TOstrelXLSFormatList& M() { return page->Model(); }
    const TxlsFieldFormat& F(int entry) { return M().Format(entry); }
    int Entry(const char* text) { return M().IndexOf(text); }

    // A click on a list entry, with Ctrl to add it to the selection.
    void ClickEntry(int entry, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QListWidget* l = C().List;
        const QRect r = l->visualItemRect(l->item(entry));
        QTest::mouseClick(l->viewport(), Qt::LeftButton, modifiers, r.center());
    }
    static void Click(QAbstractButton* button) {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    static void Choose(QComboBox* combo, int index) {
        combo->setCurrentIndex(index);
        QApplication::processEvents();
    }
    static void Retype(QComboBox* combo, const QString& text) {
        QLineEdit* edit = combo->lineEdit();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    int SelectedRows() const {
        int n = 0;
        for (int i = 0; i < C().List->count(); ++i) n += C().List->item(i)->isSelected();
        return n;
    }
    int CheckedAggregate() const {
        for (int i = 0; i < 5; ++i)
            if (C().Aggregate[i]->isChecked()) return i;
        return -1;
    }

    TMemListView list;
    TIB_OstrelDialog dialog;
    std::unique_ptr<TIB_OstrelDialogF> window;
    TExcelPageView* page = nullptr;
    std::vector<TxlsColor> offered;
    std::optional<TxlsColor> answer;
};

// ---- texts and the first look ----

TEST_F(ExcelPageTest, OpensOnTheFontPageOfTheDataFormatWithTheTextsAndTheFirstEntrySelected) {
    Open();
    ASSERT_EQ(C().SubPages->count(), 2);
    EXPECT_EQ(C().SubPages->currentIndex(), 0);
    EXPECT_EQ(C().SubPages->tabText(0), "&Data format");
    EXPECT_EQ(C().SubPages->tabText(1), "A&dvanced");
    ASSERT_EQ(C().InnerPages->count(), 4);
    EXPECT_EQ(C().InnerPages->currentIndex(), 0);
    EXPECT_EQ(C().InnerPages->tabText(0), "&Font");
    EXPECT_EQ(C().InnerPages->tabText(1), "&Borders");
    EXPECT_EQ(C().InnerPages->tabText(2), "F&ill");
    EXPECT_EQ(C().InnerPages->tabText(3), "&Aggregate");
    EXPECT_EQ(C().ResetItem->text(), "Reset item");
    EXPECT_EQ(C().ResetAll->text(), "Reset all");
    EXPECT_EQ(C().SampleLabel->text(), "  Sample cell");
    EXPECT_EQ(C().FontLabel->text(), "Font");
    EXPECT_EQ(C().SizeLabel->text(), "Size");
    EXPECT_EQ(C().AggregateGroup->title(), "Aggregate");
    QStringList aggregates;
    for (QRadioButton* r : C().Aggregate) aggregates << r->text();
    EXPECT_EQ(aggregates, QStringList({"None", "SUM", "AVG", "MIN", "MAX"}));
    EXPECT_EQ(C().PageHeaderLabel->text(), "Page header");
    EXPECT_EQ(C().PageFooterLabel->text(), "Page footer");
    EXPECT_EQ(C().SheetTitleLabel->text(), "Sheet title");

    QStringList tips;
    for (QWidget* w : std::initializer_list<QWidget*>{C().FontColour, C().Bold, C().Italic, C().StrikeOut})
        tips << w->toolTip();
    for (QToolButton* b : C().Underline) tips << b->toolTip();
    for (QToolButton* b : C().Horizontal) tips << b->toolTip();
    for (QToolButton* b : C().Vertical) tips << b->toolTip();
    EXPECT_EQ(tips, QStringList({"Font color", "Bold", "Italic", "Strike Out", "Underline single", "Underline double",
                                 "Underline single accounting", "Underline double accounting", "Left", "Center",
                                 "Right", "Fill", "Top", "Center", "Bottom"}));
    QStringList borderTips;
    for (int side = 0; side < kXLSSideCount; ++side)
        borderTips << C().BorderToggle[side]->toolTip() << C().BorderColour[side]->toolTip();
    EXPECT_EQ(borderTips, QStringList({"Top border", "Top border color", "Bottom border", "Bottom border color",
                                       "Left border", "Left border color", "Right border", "Right border color"}));
    EXPECT_EQ(C().Background->toolTip(), "Background color");
    EXPECT_EQ(C().Foreground->toolTip(), "Foreground color");

    QStringList sizes;
    for (int i = 0; i < C().Size->count(); ++i) sizes << C().Size->itemText(i);
    EXPECT_EQ(sizes.join(' '), "8 9 10 11 12 14 16 18 20 22 24 26 28 36 48 72");
    EXPECT_TRUE(C().Size->isEditable());
    EXPECT_EQ(C().Font->count(), QFontDatabase::families().size());
    EXPECT_EQ(C().BorderStyle[xsTop]->count(), 14);
    EXPECT_EQ(C().Pattern->count(), 19);

    QStringList entries;
    for (int i = 0; i < C().List->count(); ++i) entries << C().List->item(i)->text();
    EXPECT_EQ(entries, QStringList({"HEADER", "CAPTION", "AGGREGATE", "FOOTER", "Num", "Name", "Age", "City"}));
    EXPECT_EQ(C().List->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(SelectedRows(), 1);
    EXPECT_TRUE(C().List->item(0)->isSelected());
    EXPECT_EQ(C().List->currentRow(), 0);
    // HEADER: the design's default format, no aggregate.
    EXPECT_EQ(C().Font->currentText(), C().Font->itemText(C().Font->findText("Arial", Qt::MatchFixedString)));
    EXPECT_EQ(C().Size->currentText(), "10");
    EXPECT_FALSE(C().Bold->isChecked());
    EXPECT_TRUE(C().Vertical[valBottom]->isChecked());
    EXPECT_FALSE(C().AggregateGroup->isEnabled());
    EXPECT_EQ(CheckedAggregate(), -1);
    EXPECT_EQ(C().BorderStyle[xsLeft]->currentIndex(), bstNone);
    EXPECT_EQ(C().Pattern->currentIndex(), ptNone);
}

TEST_F(ExcelPageTest, AdvancedEditsShowAndAssignTheirSettings) {
    Open();
    EXPECT_EQ(C().PageHeader->text(), "");
    EXPECT_EQ(C().PageFooter->text(), "Page &P of &N");
    EXPECT_EQ(C().SheetTitle->text(), "Sheet 1");
    C().SubPages->setCurrentIndex(1);
    QTest::keyClicks(C().PageHeader, "&CTotals");
    EXPECT_EQ(window->Settings().Str(dsXLSPageHeader), "&CTotals");
    window->Settings().SetStr(dsXLSSheetTitle, "Countries");
    EXPECT_EQ(C().SheetTitle->text(), "Countries");
}

TEST_F(ExcelPageTest, FieldEntriesFollowTheExportedFieldsWithTheirMarks) {
    Open();
    for (int i = kFirstField; i < M().Count(); ++i) EXPECT_EQ(M().Entry(i).Mark, xmExported) << i;
    // Export Name, then Num.
    TOstrelDialogFieldLists& fields = window->Settings().Fields();
    fields.Select(flAvailable, 1);
    fields.AddSelected();
    fields.Select(flAvailable, 0);
    fields.AddSelected();
    window->ShowPage(dpExcel);
    QApplication::processEvents();
    QStringList entries;
    for (int i = 0; i < C().List->count(); ++i) entries << C().List->item(i)->text();
    EXPECT_EQ(entries, QStringList({"HEADER", "CAPTION", "AGGREGATE", "FOOTER", "Name", "Num", "Age", "City"}));
    EXPECT_EQ(M().Entry(4).Mark, xmExported);
    EXPECT_EQ(M().Entry(5).Mark, xmExported);
    EXPECT_EQ(M().Entry(6).Mark, xmAvailable);
    EXPECT_EQ(M().Entry(7).Mark, xmAvailable);
    // Each mark has its own picture.
    const QImage fixed = C().List->item(0)->icon().pixmap(12, 12).toImage();
    const QImage exported = C().List->item(4)->icon().pixmap(12, 12).toImage();
    const QImage available = C().List->item(6)->icon().pixmap(12, 12).toImage();
    EXPECT_NE(fixed, exported);
    EXPECT_NE(exported, available);
    EXPECT_EQ(exported, C().List->item(5)->icon().pixmap(12, 12).toImage());
}

// ---- editing one entry ----

TEST_F(ExcelPageTest, TogglesReachTheCurrentEntryAndShowItsFormat) {
    Open();
    Click(C().Bold);
    Click(C().Italic);
    EXPECT_TRUE(F(0).Font.Style.Contains(xfsBold));
    EXPECT_TRUE(F(0).Font.Style.Contains(xfsItalic));
    Click(C().Bold);
    EXPECT_FALSE(F(0).Font.Style.Contains(xfsBold));
    EXPECT_FALSE(C().Bold->isChecked());

    // At most one underline toggle is down.
    Click(C().Underline[0]);
    EXPECT_EQ(F(0).Font.Underline, fulSingle);
    Click(C().Underline[3]);
    EXPECT_EQ(F(0).Font.Underline, fulDoubleAccounting);
    EXPECT_FALSE(C().Underline[0]->isChecked());
    EXPECT_TRUE(C().Underline[3]->isChecked());
    Click(C().Underline[3]);
    EXPECT_EQ(F(0).Font.Underline, fulNone);
    for (QToolButton* b : C().Underline) EXPECT_FALSE(b->isChecked());

    Click(C().Horizontal[2]);
    EXPECT_EQ(F(0).Alignment.Horizontal, halRight);
    Click(C().Horizontal[2]);
    EXPECT_EQ(F(0).Alignment.Horizontal, halGeneral);

    // Releasing a vertical toggle changes nothing; it stays down.
    Click(C().Vertical[valTop]);
    EXPECT_EQ(F(0).Alignment.Vertical, valTop);
    EXPECT_FALSE(C().Vertical[valBottom]->isChecked());
    Click(C().Vertical[valTop]);
    EXPECT_EQ(F(0).Alignment.Vertical, valTop);
    EXPECT_TRUE(C().Vertical[valTop]->isChecked());

    // CAPTION is bold by design; selecting it shows that.
    ClickEntry(1);
    EXPECT_EQ(M().Current(), 1);
    EXPECT_TRUE(C().Bold->isChecked());
    EXPECT_FALSE(C().Italic->isChecked());
    EXPECT_TRUE(C().Vertical[valBottom]->isChecked());
}

TEST_F(ExcelPageTest, FontAndSizeDropDownsReachTheEntry) {
    Open();
    const QStringList families = QFontDatabase::families();
    ASSERT_GE(families.size(), 1);
    const int other = families.front().compare("Arial", Qt::CaseInsensitive) == 0 && families.size() > 1 ? 1 : 0;
    Choose(C().Font, other);
    EXPECT_EQ(F(0).Font.Name, families[other].toStdString());
    Retype(C().Size, "14");
    EXPECT_EQ(F(0).Font.Size, 14);
    Retype(C().Size, "x");
    EXPECT_EQ(F(0).Font.Size, 14);  // no number: nothing changes
    EXPECT_EQ(C().Size->currentText(), "x");  // and the typed text stays
    Choose(C().Size, C().Size->findText("36"));
    EXPECT_EQ(F(0).Font.Size, 36);
    // A model change shows in the controls.
    ClickEntry(kFirstField);
    EXPECT_EQ(C().Size->currentText(), "10");
    M().SetFontSizeText("22");
    EXPECT_EQ(C().Size->currentText(), "22");
    M().SetFontName("No Such Family Anywhere");
    EXPECT_EQ(C().Font->currentIndex(), -1);
}

TEST_F(ExcelPageTest, BorderTogglesStylesAndColoursReachTheEntry) {
    Open();
    C().InnerPages->setCurrentIndex(1);
    ClickEntry(kFirstField);
    Click(C().BorderToggle[xsTop]);
    EXPECT_EQ(F(kFirstField).Borders.Top.Style, bstThin);
    EXPECT_EQ(C().BorderStyle[xsTop]->currentIndex(), bstThin);
    Choose(C().BorderStyle[xsTop], bstMediumDashDotDot);
    EXPECT_EQ(F(kFirstField).Borders.Top.Style, bstMediumDashDotDot);
    EXPECT_TRUE(C().BorderToggle[xsTop]->isChecked());
    Choose(C().BorderStyle[xsTop], bstNone);
    EXPECT_FALSE(C().BorderToggle[xsTop]->isChecked());
    Choose(C().BorderStyle[xsBottom], bstDouble);
    EXPECT_TRUE(C().BorderToggle[xsBottom]->isChecked());
    Click(C().BorderToggle[xsBottom]);
    EXPECT_EQ(F(kFirstField).Borders.Bottom.Style, bstNone);
    EXPECT_EQ(C().BorderStyle[xsBottom]->currentIndex(), bstNone);

    answer = clrRed;
    QTest::mouseClick(C().BorderColour[xsLeft], Qt::LeftButton);
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0], clrBlack);
    EXPECT_EQ(F(kFirstField).Borders.Left.Color, clrRed);
    EXPECT_EQ(C().BorderColour[xsLeft]->Colour(), clrRed);
    // The style drop-down draws its line in the side's colour.
    Choose(C().BorderStyle[xsLeft], bstThick);
    QImage item(150, 18, QImage::Format_RGB32);
    QPainter p(&item);
    C().BorderStyle[xsLeft]->PaintItem(p, item.rect(), bstThick, false);
    p.end();
    EXPECT_EQ(item.pixelColor(75, 9), QColor(255, 0, 0));
}

TEST_F(ExcelPageTest, BackgroundAndPatternFollowEachOther) {
    Open();
    C().InnerPages->setCurrentIndex(2);
    ClickEntry(kFirstField + 1);
    answer = clrYellow;
    QTest::mouseClick(C().Background, Qt::LeftButton);
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0], clrWhite);
    EXPECT_EQ(F(kFirstField + 1).Fill.Background, clrYellow);
    EXPECT_EQ(F(kFirstField + 1).Fill.Pattern, ptSolid);
    EXPECT_EQ(C().Pattern->currentIndex(), ptSolid);
    EXPECT_EQ(C().Background->Colour(), clrYellow);
    Choose(C().Pattern, ptNone);
    EXPECT_EQ(F(kFirstField + 1).Fill.Background, clrWhite);
    EXPECT_EQ(C().Background->Colour(), clrWhite);

    answer = clrBlue;
    QTest::mouseClick(C().Foreground, Qt::LeftButton);
    EXPECT_EQ(offered.back(), clrBlack);
    EXPECT_EQ(F(kFirstField + 1).Fill.Foreground, clrBlue);
    Choose(C().Pattern, ptChess);
    EXPECT_EQ(F(kFirstField + 1).Fill.Pattern, ptChess);

    // Cancelling the picker (it returns the colour it was given) changes nothing.
    answer.reset();
    QTest::mouseClick(C().Foreground, Qt::LeftButton);
    EXPECT_EQ(F(kFirstField + 1).Fill.Foreground, clrBlue);
}

TEST_F(ExcelPageTest, FontColourButtonAndItsBarThatMovesWithThePressedFace) {
    Open();
    answer = clrGreen;
    TXlsColourButton* button = C().FontColour;
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(F(0).Font.Color, clrGreen);
    EXPECT_EQ(button->Colour(), clrGreen);
    const QRect up = button->BarRect();
    EXPECT_EQ(button->grab().toImage().pixelColor(up.center()), XlsQColor(clrGreen));
    QTest::mousePress(button, Qt::LeftButton);
    EXPECT_EQ(button->BarRect(), up.translated(1, 1));
    const QImage down = button->grab().toImage();
    EXPECT_EQ(down.pixelColor(up.bottomRight() + QPoint(1, 1)), XlsQColor(clrGreen));
    QTest::mouseRelease(button, Qt::LeftButton);
    EXPECT_EQ(button->BarRect(), up);
}

TEST_F(ExcelPageTest, AggregateGroupServesFieldEntriesOnly) {
    Open();
    C().InnerPages->setCurrentIndex(3);
    EXPECT_FALSE(C().AggregateGroup->isEnabled());
    ClickEntry(kFirstField);
    EXPECT_TRUE(C().AggregateGroup->isEnabled());
    EXPECT_EQ(CheckedAggregate(), aggNone);
    Click(C().Aggregate[aggSum]);
    EXPECT_EQ(F(kFirstField).Aggregate, aggSum);
    // A fixed entry shows no item, and a field entry again its own.
    ClickEntry(2);
    EXPECT_EQ(CheckedAggregate(), -1);
    ClickEntry(kFirstField);
    EXPECT_EQ(CheckedAggregate(), aggSum);
}

// ---- several entries ----

TEST_F(ExcelPageTest, BoldOnHeaderAndAFieldMakesBothBoldAndTheFontShowsOnlyWhenShared) {
    Open();
    ClickEntry(kFirstField + 1);  // Name
    const QStringList families = QFontDatabase::families();
    const int other = families.indexOf(families.front().compare("Arial", Qt::CaseInsensitive) == 0 && families.size() > 1
                                           ? families[1]
                                           : families[0]);
    Choose(C().Font, other);
    ClickEntry(0);
    ClickEntry(kFirstField + 1, Qt::ControlModifier);
    EXPECT_EQ(M().SelectedCount(), 2);
    EXPECT_EQ(M().Current(), 0);
    EXPECT_EQ(C().ResetItem->text(), "Reset selected");
    EXPECT_EQ(C().Font->currentIndex(), -1);  // the fonts differ
    EXPECT_EQ(C().Size->currentText(), "10");  // the sizes agree
    Click(C().Bold);
    EXPECT_TRUE(F(0).Font.Style.Contains(xfsBold));
    EXPECT_TRUE(F(kFirstField + 1).Font.Style.Contains(xfsBold));
    // Choosing a font gives both that font, and then the drop-down shows it.
    Choose(C().Font, other);
    EXPECT_EQ(F(0).Font.Name, families[other].toStdString());
    EXPECT_EQ(C().Font->currentIndex(), other);
    // Back to one entry.
    ClickEntry(3);
    EXPECT_EQ(C().ResetItem->text(), "Reset item");
}

TEST_F(ExcelPageTest, SeveralEntriesBlankWhereTheyDisagreeAndTakeTheNewValueTogether) {
    Open();
    ClickEntry(kFirstField);
    M().SetAggregate(aggSum);
    M().SetBorderStyle(xsLeft, bstDashed);
    M().SetPattern(ptChess);
    ClickEntry(kFirstField + 1);
    M().SetAggregate(aggAvg);
    M().SetFontSizeText("12");
    ClickEntry(kFirstField, Qt::ControlModifier);
    EXPECT_EQ(M().Current(), kFirstField + 1);
    EXPECT_EQ(CheckedAggregate(), -1);
    EXPECT_TRUE(C().AggregateGroup->isEnabled());
    EXPECT_EQ(C().Size->currentText(), "");
    EXPECT_EQ(C().BorderStyle[xsLeft]->currentIndex(), -1);
    EXPECT_EQ(C().BorderStyle[xsTop]->currentIndex(), bstNone);
    EXPECT_EQ(C().Pattern->currentIndex(), -1);
    Click(C().Aggregate[aggMax]);
    EXPECT_EQ(F(kFirstField).Aggregate, aggMax);
    EXPECT_EQ(F(kFirstField + 1).Aggregate, aggMax);
    EXPECT_EQ(CheckedAggregate(), aggMax);
    Choose(C().BorderStyle[xsLeft], bstHair);
    EXPECT_EQ(F(kFirstField).Borders.Left.Style, bstHair);
    EXPECT_EQ(F(kFirstField + 1).Borders.Left.Style, bstHair);
    EXPECT_EQ(C().BorderStyle[xsLeft]->currentIndex(), bstHair);
    // With a fixed entry among them the aggregate group is closed.
    ClickEntry(2, Qt::ControlModifier);
    EXPECT_FALSE(C().AggregateGroup->isEnabled());
    EXPECT_EQ(CheckedAggregate(), -1);
}

TEST_F(ExcelPageTest, NothingSelectedLeavesTheControlsIdle) {
    Open();
    ClickEntry(0, Qt::ControlModifier);  // unselects the only entry
    EXPECT_EQ(M().SelectedCount(), 0);
    Click(C().Bold);
    EXPECT_FALSE(F(0).Font.Style.Contains(xfsBold));
    answer = clrRed;
    QTest::mouseClick(C().FontColour, Qt::LeftButton);
    EXPECT_TRUE(offered.empty());
    // The sample cell paints nothing: the same picture as an empty frame.
    const QImage sample = C().Sample->grab().toImage();
    const QRect inside = C().Sample->contentsRect();
    EXPECT_EQ(sample.pixelColor(inside.center()), C().Sample->palette().color(QPalette::Window));
}

// ---- resets ----

TEST_F(ExcelPageTest, ResetAllAsksAndOnlyYesResets) {
    Open();
    ClickEntry(kFirstField);
    Click(C().Bold);
    QString title, text;
    bool yes = false;
    SetQuestionFunction([&](QWidget*, const QString& t, const QString& x) {
        title = t, text = x;
        return yes;
    });
    Click(C().ResetAll);
    EXPECT_EQ(title, "Attention!");
    EXPECT_EQ(text, "All field formats will be reset the default values.\r\nAre you sure?");
    EXPECT_TRUE(F(kFirstField).Font.Style.Contains(xfsBold));
    yes = true;
    Click(C().ResetAll);
    for (int i = 0; i < M().Count(); ++i) EXPECT_EQ(F(i).Font.Style.Contains(xfsBold), i == xfeCaption) << i;
    EXPECT_EQ(M().Current(), kFirstField);
    EXPECT_FALSE(C().Bold->isChecked());
}

TEST_F(ExcelPageTest, ResetItemKeepsCaptionBoldAndResetsEverySelectedEntry) {
    Open();
    ClickEntry(xfeCaption);
    Click(C().Italic);
    Click(C().ResetItem);
    EXPECT_TRUE(F(xfeCaption).Font.Style.Contains(xfsBold));
    EXPECT_FALSE(F(xfeCaption).Font.Style.Contains(xfsItalic));
    EXPECT_TRUE(C().Bold->isChecked());
    ClickEntry(kFirstField, Qt::ControlModifier);
    Click(C().Italic);
    EXPECT_TRUE(F(kFirstField).Font.Style.Contains(xfsItalic));
    Click(C().ResetItem);
    EXPECT_FALSE(F(kFirstField).Font.Style.Contains(xfsItalic));
    EXPECT_FALSE(F(kFirstField).Font.Style.Contains(xfsBold));
    EXPECT_TRUE(F(xfeCaption).Font.Style.Contains(xfsBold));
}

// ---- pictures ----

// The reviewed pictures live in tests/data/reference. With OSTREL_WRITE_REFERENCES set to a
// folder, each test writes what it painted there instead of comparing.
QString ReferencePath(const QString& name) {
    return QDir(QStringLiteral(OSTREL_TEST_DATA)).filePath(QStringLiteral("reference/") + name);
}

// Compares a picture with its reference, leaving out the masked rectangles (text, whose look
// depends on the fonts installed); a few pixels may differ by a little.
void ExpectLikeReference(const QImage& painted, const QString& name, const QList<QRect>& masks = {}) {
    if (const char* dir = std::getenv("OSTREL_WRITE_REFERENCES")) {
        painted.save(QDir(QString::fromLocal8Bit(dir)).filePath(name));
        return;
    }
    const QImage reference = QImage(ReferencePath(name)).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(reference.isNull()) << name.toStdString();
    ASSERT_EQ(reference.size(), painted.size()) << name.toStdString();
    const QImage actual = painted.convertToFormat(QImage::Format_RGB32);
    int differing = 0, compared = 0;
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x) {
            const QPoint at(x, y);
            if (std::any_of(masks.begin(), masks.end(), [&](const QRect& m) { return m.contains(at); })) continue;
            ++compared;
            const QColor a = actual.pixelColor(at), r = reference.pixelColor(at);
            if (std::abs(a.red() - r.red()) > 8 || std::abs(a.green() - r.green()) > 8 || std::abs(a.blue() - r.blue()) > 8)
                ++differing;
        }
    EXPECT_LE(differing, compared / 2000) << name.toStdString() << ": " << differing << " of " << compared
                                         << " pixels differ";
}

TEST(XlsPainting, BorderStyleItemsAsTheTableDrawsThem) {
    constexpr int w = 150, h = 18;
    QImage image(2 * w, 14 * h, QImage::Format_RGB32);
    QPainter p(&image);
    const QPalette palette = QApplication::palette();
    QList<QRect> masks;
    for (int style = 0; style < 14; ++style)
        for (int highlighted = 0; highlighted < 2; ++highlighted) {
            const QRect item(highlighted * w, style * h, w, h);
            PaintBorderStyleItem(p, item, static_cast<TxlsBorderStyle>(style), XlsQColor(clrBlue), highlighted, palette,
                                 "None");
            if (style == bstNone) masks << item.adjusted(40, 0, -40, 0);
        }
    p.end();
    ExpectLikeReference(image, "xls-border-styles.png", masks);

    // The table's lengths, measured on the unhighlighted items: the run lengths of the line.
    auto runs = [&](int style, int row) {
        QList<int> lengths;
        int run = 0;
        for (int x = 0; x < w; ++x) {
            const bool ink = image.pixelColor(x, style * h + row) == XlsQColor(clrBlue);
            if (ink) ++run;
            if ((!ink || x == w - 1) && run) lengths << run, run = 0;
        }
        return lengths;
    };
    EXPECT_EQ(runs(bstThin, 9), QList<int>({130}));
    EXPECT_EQ(runs(bstThin, 8), QList<int>());
    EXPECT_EQ(runs(bstMedium, 8), QList<int>({130}));
    EXPECT_EQ(runs(bstThick, 10), QList<int>({130}));
    EXPECT_EQ(runs(bstDouble, 8), QList<int>({130}));
    EXPECT_EQ(runs(bstDouble, 9), QList<int>());
    EXPECT_EQ(runs(bstDouble, 10), QList<int>({130}));
    EXPECT_EQ(runs(bstDashed, 9).mid(0, 3), QList<int>({7, 7, 7}));
    EXPECT_EQ(runs(bstDashed, 9).size(), 10);  // 130 / 14, the last dash cut short
    EXPECT_EQ(runs(bstDashed, 9).last(), 4);
    EXPECT_EQ(runs(bstDotted, 9).mid(0, 2), QList<int>({3, 3}));
    EXPECT_EQ(runs(bstHair, 9).mid(0, 2), QList<int>({2, 2}));
    EXPECT_EQ(runs(bstMediumDashed, 8).mid(0, 2), QList<int>({7, 7}));
    EXPECT_EQ(runs(bstDashDot, 9).mid(0, 4), QList<int>({7, 3, 7, 3}));
    EXPECT_EQ(runs(bstDashDotDot, 9).mid(0, 4), QList<int>({7, 3, 3, 7}));
    EXPECT_EQ(runs(bstMediumDashDotDot, 8).mid(0, 3), QList<int>({7, 3, 3}));
    EXPECT_EQ(runs(bstSlantedDashDot, 8).mid(0, 2), QList<int>({7, 3}));
    EXPECT_EQ(image.pixelColor(10, bstThin * h + 9), XlsQColor(clrBlue));  // from x = 10
    EXPECT_NE(image.pixelColor(9, bstThin * h + 9), XlsQColor(clrBlue));
    EXPECT_EQ(image.pixelColor(w + 75, bstThin * h + 9), QColor(Qt::white));  // highlighted: white
}

TEST(XlsPainting, PatternTilesResembleTheirNames) {
    auto bits = [](TxlsPattern p) { return std::popcount(XlsPatternTile(p)); };
    EXPECT_EQ(bits(ptNone), 0);
    EXPECT_EQ(bits(ptSolid), 0);  // the background alone, as the workbook shows it
    EXPECT_EQ(bits(ptChess), 8);
    EXPECT_EQ(bits(ptBoldChess), 8);
    EXPECT_EQ(bits(ptWhiteSpots) + bits(ptBlackSpots), 16);
    EXPECT_EQ(XlsPatternTile(ptBoldHorizontal), 0xFF00);  // rows 2 and 3 the second ink
    EXPECT_EQ(XlsPatternTile(ptThinGorizontal), 0xFFF0);
    EXPECT_EQ(XlsPatternTile(ptThinVertical), 0xEEEE);
    EXPECT_EQ(bits(ptThinThinSpots), 15);
    EXPECT_EQ(bits(ptThinSpots), 14);
    // Every pattern has its own tile, but for none and solid.
    for (int a = ptChess; a <= ptThinThinSpots; ++a)
        for (int b = a + 1; b <= ptThinThinSpots; ++b)
            EXPECT_NE(XlsPatternTile(static_cast<TxlsPattern>(a)), XlsPatternTile(static_cast<TxlsPattern>(b)))
                << a << " " << b;
}

TEST(XlsPainting, PatternItemsAreTilesInTheForegroundOverTheBackground) {
    constexpr int w = 60, h = 18;
    QImage image(w, 19 * h, QImage::Format_RGB32);
    QPainter p(&image);
    for (int pattern = 0; pattern < 19; ++pattern)
        PaintPatternItem(p, QRect(0, pattern * h, w, h), static_cast<TxlsPattern>(pattern), clrLightOrange, clrDarkBlue,
                         false, QApplication::palette(), "None");
    p.end();
    ExpectLikeReference(image, "xls-patterns.png", {QRect(8, 0, w - 16, h)});
    EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::white));                      // none
    EXPECT_EQ(image.pixelColor(2, h + 2), XlsQColor(clrLightOrange));          // solid
    // Chess: the tile repeats every 4 pixels from the item's corner.
    const int top = ptChess * h;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(image.pixelColor(x, top + y), XlsQColor((x + y) % 2 ? clrDarkBlue : clrLightOrange)) << x << "," << y;
}

// Four styles that together use every part of the sample cell.
void StyleA(TxlsFormat& f) {  // bold italic red, double underline, right and top, a thick top border
    f.Font.Style = {xfsBold, xfsItalic};
    f.Font.Color = clrRed;
    f.Font.Size = 14;
    f.Font.Underline = fulDouble;
    f.Alignment.Horizontal = halRight;
    f.Alignment.Vertical = valTop;
    f.Borders.Top.Style = bstThick;
    f.Borders.Top.Color = clrDarkBlue;
}
void StyleB(TxlsFormat& f) {  // yellow solid, centred, four borders of four styles and colours
    f.Fill.Background = clrYellow;
    f.Fill.Pattern = ptSolid;
    f.Alignment.Horizontal = halCenter;
    f.Alignment.Vertical = valCenter;
    f.Borders.Top.Style = bstThin, f.Borders.Top.Color = clrBlue;
    f.Borders.Bottom.Style = bstDouble, f.Borders.Bottom.Color = clrRed;
    f.Borders.Left.Style = bstMediumDashed, f.Borders.Left.Color = clrGreen;
    f.Borders.Right.Style = bstDotted, f.Borders.Right.Color = clrViolet;
}
void StyleC(TxlsFormat& f) {  // chess pattern, struck out, single accounting, left and bottom
    f.Fill.Background = clrLightTurquoise;
    f.Fill.Pattern = ptChess;
    f.Fill.Foreground = clrDarkRed;
    f.Font.Style = {xfsStrikeOut};
    f.Font.Underline = fulSingleAccounting;
    f.Font.Color = clrDarkGreen;
    f.Alignment.Horizontal = halLeft;
    f.Alignment.Vertical = valBottom;
    f.Borders.Bottom.Style = bstMediumDashDotDot, f.Borders.Bottom.Color = clrOrange;
}
void StyleD(TxlsFormat& f) {  // thin diagonal stripes, fill alignment, dash-dot borders all round
    f.Fill.Background = clrLightYellow;
    f.Fill.Pattern = ptThinDiagRight;
    f.Fill.Foreground = clrTeal;
    f.Font.Size = 8;
    f.Alignment.Horizontal = halFill;
    f.Alignment.Vertical = valJustify;
    for (TxlsBorder* b : {&f.Borders.Top, &f.Borders.Bottom, &f.Borders.Left, &f.Borders.Right})
        b->Style = bstSlantedDashDot, b->Color = clrGray50Percent;
    f.Borders.Left.Style = bstHair;
}
using TStyle = void (*)(TxlsFormat&);
constexpr TStyle kStyles[] = {StyleA, StyleB, StyleC, StyleD};

TEST(XlsPainting, SampleCellsOfFourStyles) {
    constexpr int w = 160, h = 56;
    QImage image(w, 4 * h, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    QList<QRect> masks;
    for (int i = 0; i < 4; ++i) {
        TxlsFormat f;
        kStyles[i](f);
        const QRect box(0, i * h, w, h);
        PaintSampleCell(p, box, f, "Aa Zz");
        const TSampleTextLayout l = LayoutSampleText(p, box, f, "Aa Zz");
        QRect text = l.Text;
        for (const QRect& u : l.Underlines) text |= u;
        // Text and underlines move with the fonts of the machine; the mask is generous.
        masks << text.adjusted(-12, -4, 12, 4).intersected(box.adjusted(4, 4, -4, -4));
    }
    p.end();
    ExpectLikeReference(image, "xls-sample-cells.png", masks);
}

TEST(XlsPainting, SampleTextSitsWhereTheAlignmentPutsIt) {
    QImage image(200, 60, QImage::Format_RGB32);
    QPainter p(&image);
    const QRect box(0, 0, 200, 60);
    TxlsFormat f;
    auto layout = [&] { return LayoutSampleText(p, box, f, "Aa Zz"); };
    f.Alignment.Horizontal = halGeneral;
    EXPECT_EQ(layout().Text.left(), 5);
    f.Alignment.Horizontal = halFill;
    EXPECT_EQ(layout().Text.left(), 5);
    f.Alignment.Horizontal = halRight;
    EXPECT_EQ(layout().Text.left() + layout().Text.width(), 195);
    f.Alignment.Horizontal = halCenter;
    EXPECT_LE(std::abs(layout().Text.center().x() - 100), 1);
    f.Alignment.Vertical = valTop;
    EXPECT_EQ(layout().Text.top(), 5);
    f.Alignment.Vertical = valJustify;
    EXPECT_EQ(layout().Text.top(), 0);
    f.Alignment.Vertical = valBottom;
    const int bottom = layout().Text.top() + layout().Text.height();
    EXPECT_EQ(bottom, 55);
    // A double underline raises the text by one thickness and a pixel.
    f.Font.Underline = fulDouble;
    const TSampleTextLayout d = layout();
    EXPECT_EQ(d.Text.top() + d.Text.height(), 55 - d.Thickness - 1);
    ASSERT_EQ(d.Underlines.size(), 2);
    EXPECT_EQ(d.Underlines[1].top() - d.Underlines[0].top(), d.Thickness + 1);
    EXPECT_EQ(d.Underlines[0].width(), d.Text.width());
    f.Font.Underline = fulDoubleAccounting;
    const TSampleTextLayout a = layout();
    ASSERT_EQ(a.Underlines.size(), 4);
    EXPECT_EQ(a.Underlines[1].left() - a.Underlines[0].right() - 1, a.Text.width() - 2 * a.Underlines[0].width());
    EXPECT_GE(a.Underlines[1].left() - a.Underlines[0].right() - 1, 4 * a.Thickness);
    f.Alignment.Vertical = valTop;
    EXPECT_EQ(layout().Text.top(), 5);  // not raised at the top
    p.end();
}

TEST_F(ExcelPageTest, SampleCellPaintsTheSelectedEntry) {
    Open();
    ClickEntry(kFirstField + 2);
    TxlsFieldFormat style;
    kStyles[2](style);
    M().AssignFormat(kFirstField + 2, style);
    const QImage grabbed = C().Sample->grab().toImage();
    QImage expected = grabbed.copy();
    {
        QPainter p(&expected);
        PaintSampleCell(p, C().Sample->contentsRect(), F(kFirstField + 2), "Aa Zz");
    }
    EXPECT_EQ(grabbed.convertToFormat(QImage::Format_RGB32), expected.convertToFormat(QImage::Format_RGB32));
}

// ---- the page against the workbook ----

// The style of row 1's cells as python3-xlrd reads them, one JSON object per column.
const char* kXlrdStyles = R"(import sys, json, xlrd
b = xlrd.open_workbook(sys.argv[1], formatting_info=True)
s = b.sheet_by_index(0)
out = []
for c in range(s.ncols):
    xf = b.xf_list[s.cell(1, c).xf_index]
    f = b.font_list[xf.font_index]
    bd, bg = xf.border, xf.background
    rgb = lambda i: list(b.colour_map.get(i) or (-1, -1, -1))
    out.append({'font': f.name, 'bold': int(f.weight >= 700), 'italic': f.italic, 'struck': f.struck_out,
                'underline': f.underline_type, 'height': f.height, 'colour': f.colour_index, 'colourRgb': rgb(f.colour_index),
                'styles': [bd.top_line_style, bd.bottom_line_style, bd.left_line_style, bd.right_line_style],
                'colours': [bd.top_colour_index, bd.bottom_colour_index, bd.left_colour_index, bd.right_colour_index],
                'coloursRgb': [rgb(i) for i in (bd.top_colour_index, bd.bottom_colour_index, bd.left_colour_index, bd.right_colour_index)],
                'pattern': bg.fill_pattern, 'ink': bg.pattern_colour_index, 'inkRgb': rgb(bg.pattern_colour_index),
                'second': bg.background_colour_index, 'secondRgb': rgb(bg.background_colour_index),
                'hor': xf.alignment.hor_align, 'vert': xf.alignment.vert_align})
print(json.dumps(out))
)";

QColor Rgb(const QJsonValue& v) {
    const QJsonArray a = v.toArray();
    return QColor(a[0].toInt(), a[1].toInt(), a[2].toInt());
}

// Sets one of the four styles through the page's controls, as a user would.
class ExcelPageWorkbookTest : public ExcelPageTest {
protected:
    void Pick(TXlsColourButton* button, TxlsColor colour) {
        answer = colour;
        QTest::mouseClick(button, Qt::LeftButton);
    }
    void SetThroughControls(int entry, TStyle style) {
        TxlsFormat want;
        style(want);
        ClickEntry(entry);
        const auto& c = C();
        // A family the machine has, so that the drop-down can show it.
        Choose(c.Font, (entry * 7) % c.Font->count());
        if (want.Font.Style.Contains(xfsBold)) Click(c.Bold);
        if (want.Font.Style.Contains(xfsItalic)) Click(c.Italic);
        if (want.Font.Style.Contains(xfsStrikeOut)) Click(c.StrikeOut);
        Retype(c.Size, QString::number(want.Font.Size));
        if (want.Font.Color != clrBlack) Pick(c.FontColour, want.Font.Color);
        if (want.Font.Underline != fulNone) {
            constexpr TxlsFontUnderline order[] = {fulSingle, fulDouble, fulSingleAccounting, fulDoubleAccounting};
            Click(c.Underline[std::find(std::begin(order), std::end(order), want.Font.Underline) - std::begin(order)]);
        }
        if (want.Alignment.Horizontal != halGeneral) Click(c.Horizontal[want.Alignment.Horizontal - 1]);
        if (want.Alignment.Vertical == valJustify)
            M().SetVertical(valJustify, true);  // no toggle has it
        else
            Click(c.Vertical[want.Alignment.Vertical]);
        const TxlsBorder* sides[] = {&want.Borders.Top, &want.Borders.Bottom, &want.Borders.Left, &want.Borders.Right};
        for (int side = 0; side < kXLSSideCount; ++side) {
            if (sides[side]->Style == bstNone) continue;
            Choose(c.BorderStyle[side], sides[side]->Style);
            Pick(c.BorderColour[side], sides[side]->Color);
        }
        if (want.Fill.Background != clrWhite) Pick(c.Background, want.Fill.Background);
        if (want.Fill.Pattern != ptNone) Choose(c.Pattern, want.Fill.Pattern);
        if (want.Fill.Foreground != clrBlack) Pick(c.Foreground, want.Fill.Foreground);
    }
};

TEST_F(ExcelPageWorkbookTest, TheSampleCellShowsWhatTheWorkbookHolds) {
    REQUIRE_READER("/usr/bin/python3");
    Open();
    for (int i = 0; i < 4; ++i) SetThroughControls(kFirstField + i, kStyles[i]);

    TTempDir dir;
    TIB_OstrelXLS e;
    e.SetExportSource(esListView);
    e.SetListView(&list);
    e.SetFileName(dir.File("styles.xls"));
    for (int i = 0; i < 4; ++i) {
        TxlsFieldFormat* field = e.FieldFormats().Add();
        field->Assign(F(kFirstField + i));
        field->FieldName = M().Entry(kFirstField + i).Text;
    }
    e.DoExecute();
    const std::string out = RunPython(dir, kXlrdStyles, ShellQuote(dir.File("styles.xls")));
    const QJsonArray cells = QJsonDocument::fromJson(QByteArray::fromStdString(out)).array();
    ASSERT_EQ(cells.size(), 4) << out;

    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const QJsonObject x = cells[i].toObject();
        ClickEntry(kFirstField + i);
        const auto& c = C();
        // The controls.
        EXPECT_EQ(x["font"].toString().toLower(), c.Font->currentText().toLower());
        EXPECT_EQ(x["height"].toInt(), c.Size->currentText().toInt() * 20);
        EXPECT_EQ(x["bold"].toInt() != 0, c.Bold->isChecked());
        EXPECT_EQ(x["italic"].toInt() != 0, c.Italic->isChecked());
        EXPECT_EQ(x["struck"].toInt() != 0, c.StrikeOut->isChecked());
        constexpr int underlineCodes[] = {1, 2, 0x21, 0x22};
        int underline = 0;
        for (int u = 0; u < 4; ++u)
            if (c.Underline[u]->isChecked()) underline = underlineCodes[u];
        EXPECT_EQ(x["underline"].toInt(), underline);
        EXPECT_EQ(x["colour"].toInt(), XlsPaletteIndex(c.FontColour->Colour()));
        int hor = 0;
        for (int h = 0; h < 4; ++h)
            if (c.Horizontal[h]->isChecked()) hor = h + 1;
        EXPECT_EQ(x["hor"].toInt(), hor);
        int vert = 3;
        for (int v = 0; v < 3; ++v)
            if (c.Vertical[v]->isChecked()) vert = v;
        EXPECT_EQ(x["vert"].toInt(), vert);
        for (int side = 0; side < kXLSSideCount; ++side) {
            EXPECT_EQ(x["styles"].toArray()[side].toInt(), c.BorderStyle[side]->currentIndex()) << side;
            if (c.BorderStyle[side]->currentIndex() != bstNone) {
                EXPECT_EQ(x["colours"].toArray()[side].toInt(), XlsPaletteIndex(c.BorderColour[side]->Colour())) << side;
            }
        }
        EXPECT_EQ(x["pattern"].toInt(), c.Pattern->currentIndex());
        EXPECT_EQ(x["ink"].toInt(), XlsPaletteIndex(c.Background->Colour()));
        EXPECT_EQ(x["second"].toInt(), XlsPaletteIndex(c.Foreground->Colour()));

        // The pictures: colour bars and the sample cell in the workbook's colours.
        EXPECT_EQ(c.FontColour->grab().toImage().pixelColor(c.FontColour->BarRect().center()), Rgb(x["colourRgb"]));
        const QImage sample = c.Sample->grab().toImage();
        const QRect box = c.Sample->contentsRect();
        TxlsFormat shown;
        shown.Assign(F(kFirstField + i));
        QImage probe(box.size(), QImage::Format_RGB32);
        QPainter painter(&probe);
        const TSampleTextLayout text = LayoutSampleText(painter, QRect(QPoint(0, 0), box.size()), shown, "Aa Zz");
        painter.end();
        // A pixel of the fill away from the borders and the text: the tile says which ink it shows.
        const uint16_t tile = XlsPatternTile(static_cast<TxlsPattern>(x["pattern"].toInt()));
        int checked = 0;
        for (int y = 6; y < box.height() - 6 && checked < 8; ++y)
            for (int xx = 6; xx < box.width() - 6 && checked < 8; ++xx) {
                if (text.Text.adjusted(-2, -2, 2, 6).contains(xx, y)) continue;
                const bool second = tile & (1u << (4 * (y % 4) + xx % 4));
                EXPECT_EQ(sample.pixelColor(box.topLeft() + QPoint(xx, y)), Rgb(x[second ? "secondRgb" : "inkRgb"]))
                    << xx << "," << y;
                ++checked;
            }
        EXPECT_EQ(checked, 8);
        // Each drawn border, 2 pixels inside the box, near the start of its line.
        for (int side = 0; side < kXLSSideCount; ++side) {
            if (x["styles"].toArray()[side].toInt() == 0) continue;
            const QColor ink = Rgb(x["coloursRgb"].toArray()[side]);
            const bool across = side == xsTop || side == xsBottom;
            const int line = side == xsTop || side == xsLeft ? 2 : (across ? box.height() : box.width()) - 3;
            bool found = false;
            for (int d = -1; d <= 1; ++d) {
                const QPoint at = across ? QPoint(3, line + d) : QPoint(line + d, 3);
                found = found || sample.pixelColor(box.topLeft() + at) == ink;
            }
            EXPECT_TRUE(found) << "side " << side;
        }
    }
}

}  // namespace
}  // namespace ostrel::qt
