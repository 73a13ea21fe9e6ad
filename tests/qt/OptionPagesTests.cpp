// The format option pages of the export dialog window, offscreen: each control assigns its
// setting and shows the setting's changes; the RTF fonts are edited on the embedded exporter and
// shown in sample boxes.
#include <algorithm>
#include <optional>

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

#include "dialog/IB_OstrelDialog.h"
#include "dialog/qt/AsciiPage.h"
#include "dialog/qt/FontSample.h"
#include "dialog/qt/IB_OstrelDialogF.h"
#include "dialog/qt/RtfPage.h"
#include "dialog/qt/SqlPage.h"
#include "dialog/qt/XmlPage.h"
#include "sources/MemControls.h"

namespace ostrel::qt {
namespace {

class OptionPagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"CODE", "NAME"}) list.AddColumn(name, 80);
        list.AddItem("1", {"ALEX"});
        dialog.SetExportSource(esListView);
        dialog.SetListView(&list);
    }
    void TearDown() override { SetFontDialogFunction(nullptr); }

    // A shown window (not on a screen) with the page current under an export type that shows it.
    template <class TPage>
    TPage& Open(TDialogPage page, TAllowedExport type) {
        dialog.DialogColumns().Fill();
        window = std::make_unique<TIB_OstrelDialogF>(dialog);
        window->setAttribute(Qt::WA_DontShowOnScreen, true);
        window->show();
        Settings().SetInt(dsExportType, type);
        window->ShowPage(page);
        QApplication::processEvents();
        auto* view = dynamic_cast<TPage*>(window->Page(page));
        EXPECT_NE(view, nullptr);
        EXPECT_TRUE(view->isVisible());
        return *view;
    }
    TOstrelDialogSettings& Settings() { return window->Settings(); }
    TRTFOptions& RtfOptions() { return window->Exporters().RTFExp.Options(); }

    // A click on a check box or radio button's mark, which is where a user clicks it.
    static void Click(QAbstractButton* button) {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    // Replaces the edit's text by typing, as a user does after selecting all of it.
    static void Type(QLineEdit* edit, const QString& text) {
        edit->selectAll();
        if (text.isEmpty())
            QTest::keyClick(edit, Qt::Key_Backspace);
        else
            QTest::keyClicks(edit, text);
    }

    TMemListView list;
    TIB_OstrelDialog dialog;
    std::unique_ptr<TIB_OstrelDialogF> window;
};

// ---- Word / RTF ----

TEST_F(OptionPagesTest, RtfPageTextsAndOrientationInTwoColumns) {
    const auto& c = Open<TRtfPage>(dpRTF, aeRTF).Controls();
    EXPECT_EQ(c.Orientation->title(), " Page Orientation ");
    EXPECT_EQ(c.Portrait->text(), "Portrait");
    EXPECT_EQ(c.Landscape->text(), "Landscape");
    EXPECT_EQ(c.DefaultFont.Label->text(), "Default font");
    EXPECT_EQ(c.HeaderFont.Label->text(), "Row header font");
    EXPECT_EQ(c.DefaultFont.Select->text(), "Select...");
    EXPECT_EQ(c.HeaderFont.Select->text(), "Select...");
    EXPECT_EQ(c.DefaultFont.Sample->Text(), "AaBbCc XxYyZz");
    EXPECT_EQ(c.HeaderFont.Sample->Text(), "AaBbCc XxYyZz");
    EXPECT_TRUE(c.Portrait->isChecked());
    // Side by side: one row, two columns.
    EXPECT_EQ(c.Portrait->y(), c.Landscape->y());
    EXPECT_GE(c.Landscape->x(), c.Portrait->x() + c.Portrait->sizeHint().width());
    // Each font's label stands left of its sample box, the button right of it.
    for (const TRtfPage::TFontRow* row : {&c.DefaultFont, &c.HeaderFont}) {
        EXPECT_LT(row->Label->geometry().right(), row->Sample->x());
        EXPECT_LT(row->Sample->geometry().right(), row->Select->x());
    }
}

TEST_F(OptionPagesTest, RtfOrientationReachesTheSettingAndBack) {
    const auto& c = Open<TRtfPage>(dpRTF, aeWord).Controls();
    Click(c.Landscape);
    EXPECT_EQ(Settings().Int(dsRTFPageOrientation), poLandscape);
    Click(c.Portrait);
    EXPECT_EQ(Settings().Int(dsRTFPageOrientation), poPortrait);
    Settings().SetInt(dsRTFPageOrientation, poLandscape);
    EXPECT_TRUE(c.Landscape->isChecked());
    EXPECT_FALSE(c.Portrait->isChecked());
}

// Pixels of the sample box: the border, the white ground and, in the middle, only greys.
struct TSampleInk {
    bool OnlyGreys = true;
    int Dark = 0;  // pixels of the text
    QRect TextBounds;
};

TSampleInk Inspect(const QImage& image) {
    TSampleInk ink;
    for (int y = 1; y < image.height() - 1; ++y)
        for (int x = 1; x < image.width() - 1; ++x) {
            const QColor c = image.pixelColor(x, y);
            const int spread = std::max({c.red(), c.green(), c.blue()}) - std::min({c.red(), c.green(), c.blue()});
            if (spread > 24) ink.OnlyGreys = false;
            if (c.lightness() < 100) {
                ++ink.Dark;
                ink.TextBounds |= QRect(x, y, 1, 1);
            }
        }
    return ink;
}

TEST_F(OptionPagesTest, FontSampleIsBlackOnWhiteEvenForARedFont) {
    const auto& c = Open<TRtfPage>(dpRTF, aeRTF).Controls();
    RtfOptions().DefaultFont.Color = clRed;
    RtfOptions().DefaultFont.Size = 14;
    TFontSampleBox* sample = c.DefaultFont.Sample;
    const QImage image = sample->grab().toImage();
    ASSERT_GT(image.width(), 100);
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(image.width() - 1, image.height() - 1), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::white));
    const TSampleInk ink = Inspect(image);
    EXPECT_TRUE(ink.OnlyGreys);
    EXPECT_GT(ink.Dark, 50);
    // Centred in the box.
    EXPECT_NEAR(ink.TextBounds.center().x(), image.width() / 2, 4);
    EXPECT_NEAR(ink.TextBounds.center().y(), image.height() / 2, 4);
    // The font's colour stays what it was; only the sample ignores it.
    EXPECT_EQ(RtfOptions().DefaultFont.Color, clRed);
}

TEST_F(OptionPagesTest, SampleShowsTheFontsSizeAndStyle) {
    const auto& c = Open<TRtfPage>(dpRTF, aeRTF).Controls();
    // The design fonts: the same type, the header's bold, so darker.
    const TSampleInk regular = Inspect(c.DefaultFont.Sample->grab().toImage());
    const TSampleInk bold = Inspect(c.HeaderFont.Sample->grab().toImage());
    EXPECT_GT(bold.Dark, regular.Dark);
    RtfOptions().DefaultFont.Size = 16;
    const TSampleInk larger = Inspect(c.DefaultFont.Sample->grab().toImage());
    EXPECT_GT(larger.TextBounds.width(), regular.TextBounds.width() * 5 / 4);
}

TEST_F(OptionPagesTest, SelectOpensTheFontDialogAndTheChoiceReachesTheExporter) {
    const auto& c = Open<TRtfPage>(dpRTF, aeRTF).Controls();
    RtfOptions().HeaderFont.Color = clRed;
    RtfOptions().HeaderFont.Charset = 0;
    QFont offered;
    SetFontDialogFunction([&offered](QWidget*, const QFont& initial) -> std::optional<QFont> {
        offered = initial;
        QFont chosen("DejaVu Serif");
        chosen.setPointSize(16);
        chosen.setItalic(true);
        return chosen;
    });
    const QImage before = c.HeaderFont.Sample->grab().toImage();
    QTest::mouseClick(c.HeaderFont.Select, Qt::LeftButton);
    // The dialog opened with the header font.
    EXPECT_EQ(offered.family(), "Arial");
    EXPECT_EQ(offered.pointSize(), 10);
    EXPECT_TRUE(offered.bold());
    const TFont& font = RtfOptions().HeaderFont;
    EXPECT_EQ(font.Name, "DejaVu Serif");
    EXPECT_EQ(font.Size, 16);
    EXPECT_EQ(font.Style, TFontStyles(fsItalic));
    EXPECT_EQ(font.Color, clRed);
    EXPECT_EQ(font.Charset, 0);
    // The other font is untouched; the sample shows the new font.
    EXPECT_EQ(RtfOptions().DefaultFont.Name, "Arial");
    EXPECT_FALSE(RtfOptions().DefaultFont.Style & fsBold);
    const QImage after = c.HeaderFont.Sample->grab().toImage();
    EXPECT_NE(before, after);
    EXPECT_GT(Inspect(after).TextBounds.width(), Inspect(before).TextBounds.width());
}

TEST_F(OptionPagesTest, DoubleClickOnASampleOpensTheFontDialogAndCancelKeepsTheFont) {
    const auto& c = Open<TRtfPage>(dpRTF, aeRTF).Controls();
    int opened = 0;
    QFont offered;
    SetFontDialogFunction([&](QWidget*, const QFont& initial) -> std::optional<QFont> {
        ++opened;
        offered = initial;
        return std::nullopt;
    });
    const TFont design = RtfOptions().DefaultFont;
    QTest::mouseDClick(c.DefaultFont.Sample, Qt::LeftButton);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(offered.family(), "Arial");
    EXPECT_FALSE(offered.bold());
    EXPECT_EQ(RtfOptions().DefaultFont, design);

    SetFontDialogFunction([](QWidget*, const QFont&) -> std::optional<QFont> {
        QFont chosen("DejaVu Sans Mono");
        chosen.setPointSize(12);
        chosen.setBold(true);
        chosen.setUnderline(true);
        return chosen;
    });
    QTest::mouseDClick(c.DefaultFont.Sample, Qt::LeftButton);
    EXPECT_EQ(RtfOptions().DefaultFont.Name, "DejaVu Sans Mono");
    EXPECT_EQ(RtfOptions().DefaultFont.Size, 12);
    EXPECT_EQ(RtfOptions().DefaultFont.Style, TFontStyles(fsBold | fsUnderline));
    EXPECT_EQ(RtfOptions().DefaultFont.Color, design.Color);
}

// ---- XML ----

TEST_F(OptionPagesTest, XmlPageShowsAndAssignsItsSettings) {
    const auto& c = Open<TXmlPage>(dpXML, aeXML).Controls();
    EXPECT_EQ(c.Standalone->text(), "Standalone");
    EXPECT_EQ(c.EncodingLabel->text(), "Encoding");
    EXPECT_LT(c.EncodingLabel->geometry().right(), c.Encoding->x());
    EXPECT_TRUE(c.Standalone->isChecked());
    EXPECT_EQ(c.Encoding->text(), "");

    Click(c.Standalone);
    EXPECT_FALSE(Settings().Bool(dsXMLStandalone));
    Type(c.Encoding, "windows-1252");
    EXPECT_EQ(Settings().Str(dsXMLEncoding), "windows-1252");

    Settings().SetBool(dsXMLStandalone, true);
    Settings().SetStr(dsXMLEncoding, "UTF-8");
    EXPECT_TRUE(c.Standalone->isChecked());
    EXPECT_EQ(c.Encoding->text(), "UTF-8");
}

// ---- SQL ----

TEST_F(OptionPagesTest, SqlPageTextsAndDesignValues) {
    const auto& c = Open<TSqlPage>(dpSQL, aeSQL).Controls();
    EXPECT_EQ(c.TableOptions->title(), "Table options");
    EXPECT_EQ(c.CreateTable->text(), "Add \"Create Table\" statement");
    EXPECT_EQ(c.TableNameLabel->text(), "Table name");
    EXPECT_EQ(c.CommitOptions->title(), "Commit options");
    EXPECT_EQ(c.CommitAfterLabel->text(), "Commit after");
    EXPECT_EQ(c.CommitRecordsLabel->text(), "record(s)");
    EXPECT_EQ(c.CommitAfterScript->text(), "Commit after script");
    EXPECT_EQ(c.CommitStatementLabel->text(), "Commit statement");
    EXPECT_EQ(c.OtherOptions->title(), "Other Options");
    EXPECT_EQ(c.NullStringLabel->text(), "Export null values as");
    EXPECT_EQ(c.StatementTermLabel->text(), "Statement term");

    EXPECT_FALSE(c.CreateTable->isChecked());
    EXPECT_EQ(c.TableName->text(), "");
    EXPECT_EQ(c.CommitRecCount->text(), "0");
    EXPECT_FALSE(c.CommitAfterScript->isChecked());
    EXPECT_EQ(c.CommitStatement->text(), "COMMIT WORK;");
    EXPECT_EQ(c.StatementTerm->text(), ";");
    EXPECT_EQ(c.NullString->text(), "");

    // The count stands between its two labels; every label left of its edit.
    EXPECT_LT(c.CommitAfterLabel->mapTo(window.get(), QPoint(c.CommitAfterLabel->width(), 0)).x(),
              c.CommitRecCount->mapTo(window.get(), QPoint(0, 0)).x());
    EXPECT_LT(c.CommitRecCount->mapTo(window.get(), QPoint(c.CommitRecCount->width(), 0)).x(),
              c.CommitRecordsLabel->mapTo(window.get(), QPoint(0, 0)).x());
    // The groups in their order: the table options above, then commit and other options.
    EXPECT_LT(c.TableOptions->geometry().bottom(), c.CommitOptions->y());
    EXPECT_EQ(c.CommitOptions->y(), c.OtherOptions->y());
    EXPECT_LT(c.CommitOptions->geometry().right(), c.OtherOptions->x());
    // All of the page fits the fixed window, no edit squeezed.
    EXPECT_LE(c.CommitOptions->geometry().bottom(), window->Page(dpSQL)->height());
    EXPECT_LE(c.OtherOptions->geometry().bottom(), window->Page(dpSQL)->height());
    for (QLineEdit* edit : {c.TableName, c.CommitRecCount, c.CommitStatement, c.NullString, c.StatementTerm})
        EXPECT_GE(edit->height(), edit->sizeHint().height()) << edit->text().toStdString();
}

TEST_F(OptionPagesTest, SqlControlsReachTheirSettingsAndBack) {
    const auto& c = Open<TSqlPage>(dpSQL, aeSQL).Controls();
    Click(c.CreateTable);
    EXPECT_TRUE(Settings().Bool(dsSQLCreateTable));
    Type(c.TableName, "PEOPLE");
    EXPECT_EQ(Settings().Str(dsSQLTableName), "PEOPLE");
    Type(c.CommitRecCount, "500");
    EXPECT_EQ(Settings().Int(dsSQLCommitRecCount), 500);
    Click(c.CommitAfterScript);
    EXPECT_TRUE(Settings().Bool(dsSQLCommitAfterScript));
    Type(c.CommitStatement, "COMMIT;");
    EXPECT_EQ(Settings().Str(dsSQLCommitStatement), "COMMIT;");
    // A terminator of two characters is kept as typed; the export takes its first.
    Type(c.StatementTerm, "GO");
    EXPECT_EQ(Settings().Str(dsSQLStatementTerm), "GO");

    Settings().SetBool(dsSQLCreateTable, false);
    Settings().SetStr(dsSQLTableName, "T");
    Settings().SetInt(dsSQLCommitRecCount, 25);
    Settings().SetBool(dsSQLCommitAfterScript, false);
    Settings().SetStr(dsSQLCommitStatement, "COMMIT WORK;");
    Settings().SetStr(dsSQLStatementTerm, "/");
    EXPECT_FALSE(c.CreateTable->isChecked());
    EXPECT_EQ(c.TableName->text(), "T");
    EXPECT_EQ(c.CommitRecCount->text(), "25");
    EXPECT_FALSE(c.CommitAfterScript->isChecked());
    EXPECT_EQ(c.CommitStatement->text(), "COMMIT WORK;");
    EXPECT_EQ(c.StatementTerm->text(), "/");
}

TEST_F(OptionPagesTest, CommitCountTakesDigitsOnly) {
    const auto& c = Open<TSqlPage>(dpSQL, aeSQL).Controls();
    Type(c.CommitRecCount, "1a-2 x0");
    EXPECT_EQ(c.CommitRecCount->text(), "120");
    EXPECT_EQ(Settings().Int(dsSQLCommitRecCount), 120);
    // Pasted text that is no number leaves the setting as it was.
    c.CommitRecCount->selectAll();
    c.CommitRecCount->insert("ten");
    emit c.CommitRecCount->textEdited(c.CommitRecCount->text());
    EXPECT_EQ(Settings().Int(dsSQLCommitRecCount), 120);
}

TEST_F(OptionPagesTest, NullValuesEditIsTheFormatsNullString) {
    dialog.Formats().SetNullString("(null)");
    const auto& c = Open<TSqlPage>(dpSQL, aeSQL).Controls();
    EXPECT_EQ(Settings().Str(dsNullString), "(null)");
    EXPECT_EQ(c.NullString->text(), "(null)");
    Type(c.NullString, "NULL");
    EXPECT_EQ(Settings().Str(dsNullString), "NULL");
    // The formats page's setting, changed elsewhere, shows here.
    Settings().SetStr(dsNullString, "-");
    EXPECT_EQ(c.NullString->text(), "-");
}

// ---- ASCII ----

TEST_F(OptionPagesTest, AsciiPageTextsAndDesignValues) {
    const auto& c = Open<TAsciiPage>(dpASCII, aeTXT).Controls();
    EXPECT_EQ(c.TXTOptions->title(), " TXT Options ");
    EXPECT_EQ(c.AutoCalcColWidth->text(), "Calculate column width");
    EXPECT_EQ(c.SpacingLabel->text(), "Spacing");
    EXPECT_EQ(c.CSVOptions->title(), " CSV Options ");
    EXPECT_EQ(c.QuoteStrings->text(), "Quote strings");
    EXPECT_EQ(c.CommaLabel->text(), "Comma");
    EXPECT_TRUE(c.AutoCalcColWidth->isChecked());
    EXPECT_EQ(c.Spacing->text(), "1");
    EXPECT_TRUE(c.QuoteStrings->isChecked());
    EXPECT_EQ(c.Comma->text(), ";");
    EXPECT_LT(c.TXTOptions->y(), c.CSVOptions->y());
    EXPECT_LT(c.SpacingLabel->geometry().right(), c.Spacing->x());
    EXPECT_LT(c.CommaLabel->geometry().right(), c.Comma->x());
}

TEST_F(OptionPagesTest, AsciiControlsReachTheirSettingsAndBack) {
    const auto& c = Open<TAsciiPage>(dpASCII, aeCSV).Controls();
    Click(c.AutoCalcColWidth);
    EXPECT_FALSE(Settings().Bool(dsTXTAutoCalcColWidth));
    Click(c.QuoteStrings);
    EXPECT_FALSE(Settings().Bool(dsCSVQuoteStrings));
    Type(c.Spacing, "3");
    EXPECT_EQ(Settings().Int(dsTXTSpacing), 3);
    Type(c.Comma, "|");
    EXPECT_EQ(Settings().Int(dsCSVComma), '|');

    Settings().SetBool(dsTXTAutoCalcColWidth, true);
    Settings().SetBool(dsCSVQuoteStrings, true);
    Settings().SetInt(dsTXTSpacing, 4);
    Settings().SetInt(dsCSVComma, ',');
    EXPECT_TRUE(c.AutoCalcColWidth->isChecked());
    EXPECT_TRUE(c.QuoteStrings->isChecked());
    EXPECT_EQ(c.Spacing->text(), "4");
    EXPECT_EQ(c.Comma->text(), ",");
}

TEST_F(OptionPagesTest, SpacingAssignsOnlyANumber) {
    const auto& c = Open<TAsciiPage>(dpASCII, aeTXT).Controls();
    Type(c.Spacing, "2");
    // Letters reach the edit, but a text that is no number assigns nothing.
    QTest::keyClicks(c.Spacing, "x");
    EXPECT_EQ(c.Spacing->text(), "2x");
    EXPECT_EQ(Settings().Int(dsTXTSpacing), 2);
    Type(c.Spacing, "");
    EXPECT_EQ(Settings().Int(dsTXTSpacing), 2);
    Type(c.Spacing, "12");
    EXPECT_EQ(Settings().Int(dsTXTSpacing), 12);
}

TEST_F(OptionPagesTest, EmptyCommaIsCharacterCodeZero) {
    const auto& c = Open<TAsciiPage>(dpASCII, aeCSV).Controls();
    Type(c.Comma, "");
    EXPECT_EQ(c.Comma->text(), "");
    EXPECT_EQ(Settings().Int(dsCSVComma), 0);
    Type(c.Comma, ":");
    EXPECT_EQ(Settings().Int(dsCSVComma), ':');
    // Code 0 from the model shows as an empty edit.
    Settings().SetInt(dsCSVComma, 0);
    EXPECT_EQ(c.Comma->text(), "");
}

TEST_F(OptionPagesTest, CommaHoldsOneCharacterTheSeparatorCanBe) {
    const auto& c = Open<TAsciiPage>(dpASCII, aeCSV).Controls();
    Type(c.Comma, ",;");
    EXPECT_EQ(c.Comma->text(), ",");
    EXPECT_EQ(Settings().Int(dsCSVComma), ',');
    // A character beyond one byte is taken back: the edit shows the separator in force.
    c.Comma->selectAll();
    QKeyEvent accented(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QString::fromUtf8("\u00e9"));
    QApplication::sendEvent(c.Comma, &accented);
    EXPECT_EQ(Settings().Int(dsCSVComma), ',');
    EXPECT_EQ(c.Comma->text(), ",");
}

}  // namespace
}  // namespace ostrel::qt
