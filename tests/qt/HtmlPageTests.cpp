// The "&HTML Options" page in a real dialog window, offscreen: each control reaches its setting
// and shows it, the enabling rules, the template choice and template files, colours picked on
// the preview, and a preview that shows the colours the HTML exporter writes.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "dialog/IB_OstrelDialog.h"
#include "dialog/qt/ColorDialogs.h"
#include "dialog/qt/FileDialogs.h"
#include "dialog/qt/ErrorDisplay.h"
#include "dialog/qt/HtmlPage.h"
#include "dialog/qt/HtmlPreview.h"
#include "dialog/qt/IB_OstrelDialogF.h"
#include "exporters/text/IB_OstrelHTML.h"
#include "sources/MemControls.h"

namespace ostrel::qt {
namespace {

constexpr const char* kSample[4][3] = {{"1", "John", "34"}, {"2", "Marcella", "27"}, {"3", "Alex", "25"}, {"4", "Julia", "48"}};

class HtmlPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"Num", "Name", "Age"}) list.AddColumn(name, 80);
        for (const auto& row : kSample) list.AddItem(row[0], {row[1], row[2]});
        dialog.SetExportSource(esListView);
        dialog.SetListView(&list);
        dialog.SetAllowedExports(ExportBit(aeHTML) | ExportBit(aeXLS));
    }
    void TearDown() override {
        SetFileDialogFunction(nullptr);
        SetColorDialogFunction(nullptr);
        SetErrorDisplayFunction(nullptr);
    }

    // A shown window (not on a screen) on its HTML page.
    void Open() {
        dialog.DialogColumns().Fill();
        window = std::make_unique<TIB_OstrelDialogF>(dialog);
        window->setAttribute(Qt::WA_DontShowOnScreen, true);
        window->show();
        window->ShowPage(dpHTML);
        QApplication::processEvents();
        page = dynamic_cast<THtmlPageView*>(window->Page(dpHTML));
        ASSERT_NE(page, nullptr);
    }
    const THtmlPageView::TControls& C() const { return page->Controls(); }
    THtmlPreview& Preview() const { return *C().Preview; }
    TOstrelDialogSettings& S() { return window->Settings(); }
    TIB_OstrelHTML& Html() { return window->Exporters().HTMLExp; }
    void ShowSubPage(int index) {
        C().SubPages->setCurrentIndex(index);
        QApplication::processEvents();
    }

    // A click on a check box or radio button's mark, which is where a user clicks it.
    static void Click(QAbstractButton* button) {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    static void Retype(QLineEdit* edit, const QString& text) {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    // A point of `cell` that none of its children covers: the cell itself, not its text.
    static QPoint Bare(QWidget* cell) {
        for (int y = 1; y < cell->height() - 1; ++y)
            for (int x = 1; x < cell->width() - 1; ++x)
                if (!cell->childAt(x, y)) return {x, y};
        ADD_FAILURE() << "no bare point";
        return {};
    }

    TMemListView list;
    TIB_OstrelDialog dialog;
    std::unique_ptr<TIB_OstrelDialogF> window;
    THtmlPageView* page = nullptr;
};

TEST(HtmlColours, ModelColoursHoldRedInTheLowByte) {
    EXPECT_EQ(ToQColor(clRed), QColor(255, 0, 0));
    EXPECT_EQ(ToQColor(0xCE6B00), QColor(0x00, 0x6B, 0xCE));
    EXPECT_EQ(FromQColor(QColor(0x00, 0x7A, 0xEC)), 0xEC7A00);
    EXPECT_EQ(FromQColor(QColor(0x12, 0x34, 0x56)), 0x563412);
    EXPECT_EQ(FromQColor(QColor(Qt::blue)), clBlue);
    EXPECT_EQ(ToQColor(clBtnFace), QApplication::palette().color(QPalette::Active, QPalette::Button));
    EXPECT_EQ(ToQColor(clWindow), QApplication::palette().color(QPalette::Active, QPalette::Base));
    EXPECT_FALSE(ToQColor(clNone).isValid());
}

TEST_F(HtmlPageTest, OpensOnThePreviewWithTheTextsAndTheDesignTemplate) {
    Open();
    ASSERT_EQ(C().SubPages->count(), 3);
    EXPECT_EQ(C().SubPages->currentIndex(), 0);
    EXPECT_EQ(C().SubPages->tabText(0), "&Preview");
    EXPECT_EQ(C().SubPages->tabText(1), "&Basic");
    EXPECT_EQ(C().SubPages->tabText(2), "&Advanced");
    QStringList items;
    for (int i = 0; i < C().Template->count(); ++i) items << C().Template->itemText(i);
    EXPECT_EQ(items, QStringList({"Custom", "Black&White", "Classic", "ColorFul", "Gray", "MS_Money", "Murky",
                                  "Olive", "Plain", "Simple"}));
    EXPECT_FALSE(C().Template->isEditable());
    // The design colours under "Classic": a red header row.
    EXPECT_EQ(C().Template->currentText(), "Classic");
    EXPECT_EQ(Html().HTMLTemplate(), htClassic);
    EXPECT_EQ(Preview().HeaderCell(0)->palette().color(QPalette::Window), QColor(255, 0, 0));
    EXPECT_EQ(Preview().PageArea()->palette().color(QPalette::Window), QColor(0x33, 0x33, 0x99));
    EXPECT_EQ(C().TemplateLabel->text(), "Template");
    EXPECT_EQ(C().SaveTemplate->text(), "Save as template...");
    EXPECT_EQ(C().LoadTemplate->text(), "Load template...");
    EXPECT_EQ(Preview().DefaultText()->text(), "Default text");
    EXPECT_EQ(Preview().HeaderText(1)->text(), "Name");
    EXPECT_EQ(Preview().DataText(1, 1)->text(), "Marcella");
    EXPECT_EQ(Preview().DataText(3, 2)->text(), "48");
    EXPECT_EQ(Preview().LinkText(2)->text(), "Active link");

    EXPECT_EQ(C().TitleLabel->text(), "Title");
    EXPECT_EQ(C().CSSGroup->title(), "Cascade Style Sheets using");
    EXPECT_EQ(C().CSSExternal->text(), "External");
    EXPECT_EQ(C().CSSFileLabel->text(), "CSS file name");
    EXPECT_EQ(C().CSSBrowse->text(), "...");
    EXPECT_EQ(C().MultiFileGroup->title(), "Multi-file export");
    EXPECT_EQ(C().MultiFile->text(), "Use multi-file export");
    EXPECT_EQ(C().MaximumLabel->text(), "Maximum");
    EXPECT_EQ(C().RecordsLabel->text(), "record(s) in single file");
    EXPECT_EQ(C().GenerateIndex->text(), "Generate index");
    EXPECT_EQ(C().BodyGroup->title(), "Body options");
    EXPECT_EQ(C().FontNameLabel->text(), "Font name");
    EXPECT_EQ(C().BackgroundLabel->text(), "Background");
    EXPECT_EQ(C().BodyAdvancedLabel->text(), "Advanced attributes");
    EXPECT_EQ(C().TableGroup->title(), "Table options");
    EXPECT_EQ(C().CellPaddingLabel->text(), "Cell padding");
    EXPECT_EQ(C().CellSpacingLabel->text(), "Cell spacing");
    EXPECT_EQ(C().BorderLabel->text(), "Border");
    EXPECT_EQ(C().TableAdvancedLabel->text(), "Advanced attributes");

    // The design values in the controls.
    EXPECT_TRUE(C().CSSInternal->isChecked());
    EXPECT_EQ(C().FileRecCount->text(), "0");
    EXPECT_FALSE(C().MultiFile->isChecked());
    EXPECT_FALSE(C().GenerateIndex->isChecked());
    EXPECT_EQ(C().FontName->currentText(), "Arial");
    EXPECT_EQ(C().CellPadding->text(), "4");
    EXPECT_EQ(C().CellSpacing->text(), "1");
    EXPECT_EQ(C().Border->text(), "1");
}

TEST_F(HtmlPageTest, TextEditsReachTheirSettingsAndShowThem) {
    Open();
    S().SetInt(dsHTMLUsingCSS, usExternal);  // so that the style sheet's name can be typed
    const std::pair<QLineEdit*, TDialogSetting> edits[] = {
        {C().Title, dsHTMLTitle},           {C().CSSFileName, dsHTMLCSSFileName},
        {C().Background, dsHTMLBackground}, {C().BodyAdvanced, dsHTMLBodyAdvanced},
        {C().TableAdvanced, dsHTMLTableAdvanced}, {C().FontName->lineEdit(), dsHTMLFontName}};
    for (int sub = 1; sub <= 2; ++sub) {
        ShowSubPage(sub);
        for (auto [edit, id] : edits) {
            if (!edit->isVisible()) continue;
            Retype(edit, "Ab c1");
            EXPECT_EQ(S().Str(id), "Ab c1") << TOstrelDialogSettings::Name(id);
            S().SetStr(id, "from model");
            EXPECT_EQ(edit->text(), "from model") << TOstrelDialogSettings::Name(id);
        }
    }
    for (auto [edit, id] : edits) EXPECT_EQ(S().Str(id), "from model") << TOstrelDialogSettings::Name(id);
}

TEST_F(HtmlPageTest, WholeNumberEditsTakeDigitsOnly) {
    Open();
    ShowSubPage(2);
    const std::pair<QLineEdit*, TDialogSetting> edits[] = {
        {C().CellPadding, dsHTMLCellPadding}, {C().CellSpacing, dsHTMLCellSpacing}, {C().Border, dsHTMLBorderWidth}};
    for (auto [edit, id] : edits) {
        Retype(edit, "1x2-");
        EXPECT_EQ(edit->text(), "12");
        EXPECT_EQ(S().Int(id), 12) << TOstrelDialogSettings::Name(id);
        S().SetInt(id, 7);
        EXPECT_EQ(edit->text(), "7");
    }
}

TEST_F(HtmlPageTest, FontNameListsTheInstalledFontsAndTakesTheChosenOne) {
    Open();
    ShowSubPage(2);
    QComboBox* fonts = C().FontName;
    EXPECT_TRUE(fonts->isEditable());
    QStringList listed;
    for (int i = 0; i < fonts->count(); ++i) listed << fonts->itemText(i);
    EXPECT_EQ(listed, QFontDatabase::families());
    if (fonts->count() < 2) GTEST_SKIP() << "fewer than two fonts installed";
    // Moving through the list with the keyboard chooses a family.
    QTest::keyClick(fonts, Qt::Key_Down);
    EXPECT_EQ(S().Str(dsHTMLFontName), fonts->currentText().toStdString());
    EXPECT_NE(S().Str(dsHTMLFontName), "Arial");
}

TEST_F(HtmlPageTest, StyleSheetFileOnlyForAnExternalStyleSheet) {
    Open();
    ShowSubPage(1);
    auto cssEnabled = [this] {
        const bool label = C().CSSFileLabel->isEnabled(), edit = C().CSSFileName->isEnabled();
        EXPECT_EQ(label, edit);
        EXPECT_EQ(edit, C().CSSBrowse->isEnabled());
        return edit;
    };
    EXPECT_FALSE(cssEnabled());
    Click(C().CSSExternal);
    EXPECT_EQ(S().Int(dsHTMLUsingCSS), usExternal);
    EXPECT_TRUE(cssEnabled());
    Click(C().CSSInternal);
    EXPECT_EQ(S().Int(dsHTMLUsingCSS), usInternal);
    EXPECT_FALSE(cssEnabled());
    S().SetInt(dsHTMLUsingCSS, usExternal);
    EXPECT_TRUE(C().CSSExternal->isChecked());
    EXPECT_FALSE(C().CSSInternal->isChecked());
    EXPECT_TRUE(cssEnabled());

    TFileDialogRequest seen;
    SetFileDialogFunction([&](QWidget*, const TFileDialogRequest& r) {
        seen = r;
        return QString("/styles/site.css");
    });
    S().SetStr(dsHTMLCSSFileName, "old.css");
    QTest::mouseClick(C().CSSBrowse, Qt::LeftButton);
    EXPECT_FALSE(seen.Save);
    EXPECT_EQ(seen.Filter, "Style sheets files (*.css)|*.css|All F\\files (*.*)|*.*");
    EXPECT_EQ(seen.DefaultExt, "css");
    EXPECT_EQ(seen.FileName, "old.css");
    EXPECT_EQ(S().Str(dsHTMLCSSFileName), "/styles/site.css");
    EXPECT_EQ(C().CSSFileName->text(), "/styles/site.css");
}

TEST_F(HtmlPageTest, BackgroundPictureFromAnOpenDialog) {
    Open();
    ShowSubPage(2);
    TFileDialogRequest seen;
    SetFileDialogFunction([&](QWidget*, const TFileDialogRequest& r) {
        seen = r;
        return QString("/pictures/paper.gif");
    });
    QTest::mouseClick(C().BackgroundBrowse, Qt::LeftButton);
    EXPECT_FALSE(seen.Save);
    EXPECT_EQ(seen.Filter,
              "All (*.gif;*.jpg;*.jpeg;*.bmp)|*.gif;*.jpg;*.jpeg;*.bmp;|CompuServe GIF Image (*.gif)|*.gif|JPEG Image "
              "File (*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp");
    EXPECT_EQ(S().Str(dsHTMLBackground), "/pictures/paper.gif");
    EXPECT_EQ(C().Background->text(), "/pictures/paper.gif");
    // A cancelled dialog changes nothing.
    SetFileDialogFunction([](QWidget*, const TFileDialogRequest&) { return QString(); });
    QTest::mouseClick(C().BackgroundBrowse, Qt::LeftButton);
    EXPECT_EQ(S().Str(dsHTMLBackground), "/pictures/paper.gif");
}

TEST_F(HtmlPageTest, MultiFileCountAndIndex) {
    Open();
    ShowSubPage(1);
    auto countEnabled = [this] {
        const bool edit = C().FileRecCount->isEnabled();
        EXPECT_EQ(edit, C().MaximumLabel->isEnabled());
        EXPECT_EQ(edit, C().RecordsLabel->isEnabled());
        return edit;
    };
    // A fresh window takes a count typed before "Use multi-file export" is checked.
    EXPECT_TRUE(countEnabled());
    EXPECT_FALSE(C().GenerateIndex->isEnabled());  // no index without a count

    // Typing 5 into "Maximum".
    Retype(C().FileRecCount, "5x");
    EXPECT_EQ(C().FileRecCount->text(), "5");
    EXPECT_EQ(S().Int(dsHTMLFileRecCount), 5);
    EXPECT_TRUE(C().MultiFile->isChecked());
    EXPECT_TRUE(C().GenerateIndex->isEnabled());
    Click(C().GenerateIndex);
    EXPECT_TRUE(S().Bool(dsHTMLGenerateIndex));

    // Clearing "Use multi-file export" sets the count back to 0 and unchecks the index.
    Click(C().MultiFile);
    EXPECT_FALSE(S().Bool(dsHTMLMultiFile));
    EXPECT_EQ(S().Int(dsHTMLFileRecCount), 0);
    EXPECT_EQ(C().FileRecCount->text(), "0");
    EXPECT_FALSE(C().GenerateIndex->isChecked());
    EXPECT_FALSE(S().Bool(dsHTMLGenerateIndex));
    EXPECT_FALSE(C().GenerateIndex->isEnabled());
    EXPECT_FALSE(countEnabled());

    // A count from the model checks the box and enables what it enables.
    S().SetIntText(dsHTMLFileRecCount, "5");
    EXPECT_TRUE(C().MultiFile->isChecked());
    EXPECT_TRUE(countEnabled());
    EXPECT_TRUE(C().GenerateIndex->isEnabled());
    EXPECT_EQ(C().FileRecCount->text(), "5");
}

TEST_F(HtmlPageTest, ChoosingATemplateColoursThePreviewAndTheExporter) {
    Open();
    // The keyboard moves the choice from Classic to the next template.
    QTest::keyClick(C().Template, Qt::Key_Down);
    EXPECT_EQ(C().Template->currentText(), "ColorFul");
    EXPECT_EQ(S().Int(dsHTMLTemplateChoice), htColorFul);
    EXPECT_EQ(Html().HTMLTemplate(), htColorFul);
    EXPECT_EQ(Preview().HeaderCell(2)->palette().color(QPalette::Window), QColor(0xCC, 0x00, 0x33));

    C().Template->setCurrentIndex(htGray);
    EXPECT_EQ(Html().HTMLTemplate(), htGray);
    EXPECT_EQ(S().Int(dsHTMLHeadBackgroundColor), HtmlRGB(0x808080));
    EXPECT_EQ(Preview().HeaderCell(0)->palette().color(QPalette::Window), QColor(0x80, 0x80, 0x80));
    // The first row in the table background, the second in the odd-row background.
    EXPECT_EQ(Preview().DataCell(0, 1)->palette().color(QPalette::Window), QColor(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(Preview().DataCell(1, 1)->palette().color(QPalette::Window), QColor(0xEE, 0xEE, 0xEE));
    EXPECT_EQ(Preview().DataText(2, 2)->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    EXPECT_EQ(Preview().LinkText(1)->palette().color(QPalette::WindowText), QColor(0x80, 0x00, 0x80));

    // "Custom" keeps the colours; the exporter remembers no template.
    C().Template->setCurrentIndex(htCustom);
    EXPECT_EQ(Html().HTMLTemplate(), htCustom);
    EXPECT_EQ(S().Int(dsHTMLHeadBackgroundColor), HtmlRGB(0x808080));

    // A choice made by the model shows without being made again.
    S().SetInt(dsHTMLTemplateChoice, htOlive);
    EXPECT_EQ(C().Template->currentText(), "Olive");
    EXPECT_EQ(Html().HTMLTemplate(), htCustom);
    EXPECT_EQ(S().Int(dsHTMLHeadBackgroundColor), HtmlRGB(0x808080));
}

TEST_F(HtmlPageTest, GrayThenAHeaderCellPickedGreen) {
    Open();
    C().Template->setCurrentIndex(htGray);
    TColorDialogRequest seen;
    SetColorDialogFunction([&](QWidget*, const TColorDialogRequest& r) {
        seen = r;
        return QColor(0, 0x80, 0);
    });
    QWidget* cell = Preview().HeaderCell(1);
    QTest::mouseClick(cell, Qt::LeftButton, {}, Bare(cell));
    EXPECT_EQ(seen.Initial, QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(seen.CustomColors, QList<QColor>({QColor(0x00, 0x6B, 0xCE), QColor(0x00, 0x7A, 0xEC)}));
    EXPECT_EQ(C().Template->currentText(), "Custom");
    EXPECT_EQ(S().Int(dsHTMLHeadBackgroundColor), clGreen);
    for (int column = 0; column < THtmlPreview::kColumns; ++column)
        EXPECT_EQ(Preview().HeaderCell(column)->palette().color(QPalette::Window), QColor(0, 0x80, 0));
    EXPECT_EQ(Html().HTMLTemplate(), htGray);
    // The export's header background, once the settings reach the exporter.
    S().CopyColoursToExporter(Html());
    EXPECT_EQ(Html().TableOptions().HeadersRowBgColor, clGreen);
}

TEST_F(HtmlPageTest, EachPartOfThePreviewPicksItsSettingAndShowsItsTooltip) {
    Open();
    struct TPart {
        QWidget* Widget;
        QPoint At;
        TDialogSetting Setting;
        QString ToolTip;
        bool Background;
    };
    THtmlPreview& p = Preview();
    const QPoint page = Bare(p.PageArea());
    auto centre = [](QWidget* w) { return w->rect().center(); };
    std::vector<TPart> parts = {
        {p.PageArea(), page, dsHTMLBackgroundColor, "", true},
        {p.DefaultText(), centre(p.DefaultText()), dsHTMLFontColor, "Click here for default font color select", false},
        {p.LinkText(0), centre(p.LinkText(0)), dsHTMLLinkColor, "Click here for non-visited link color select", false},
        {p.LinkText(1), centre(p.LinkText(1)), dsHTMLVLinkColor, "Click here for visited link color select", false},
        {p.LinkText(2), centre(p.LinkText(2)), dsHTMLALinkColor, "Click here for active link color select", false},
    };
    for (int column = 0; column < THtmlPreview::kColumns; ++column) {
        parts.push_back({p.HeaderCell(column), Bare(p.HeaderCell(column)), dsHTMLHeadBackgroundColor,
                         "Click here for header row color select", true});
        parts.push_back({p.HeaderText(column), centre(p.HeaderText(column)), dsHTMLHeadFontColor, "", false});
        for (int row = 0; row < THtmlPreview::kRows; ++row) {
            const bool odd = row % 2 == 1;  // rows 2 and 4, as the exported page colours them
            parts.push_back({p.DataCell(row, column), Bare(p.DataCell(row, column)),
                             odd ? dsHTMLOddRowBackgroundColor : dsHTMLEvenRowBackgroundColor,
                             odd ? "Click for odd row color change" : "Click for even row color change", true});
            parts.push_back({p.DataText(row, column), centre(p.DataText(row, column)), dsHTMLDataFontColor,
                             "Click here to table font change", false});
        }
    }
    int n = 0;
    for (const TPart& part : parts) {
        SCOPED_TRACE(TOstrelDialogSettings::Name(part.Setting));
        EXPECT_EQ(part.Widget->toolTip(), part.ToolTip);
        C().Template->setCurrentIndex(htClassic);
        ASSERT_EQ(Html().HTMLTemplate(), htClassic);
        const TColor before = S().Int(part.Setting);
        const QColor picked(0x10 + n, 0x20, 0x30 + 2 * n);
        ++n;
        TColorDialogRequest seen;
        SetColorDialogFunction([&](QWidget*, const TColorDialogRequest& r) {
            seen = r;
            return picked;
        });
        QTest::mouseClick(part.Widget, Qt::LeftButton, {}, part.At);
        EXPECT_EQ(seen.Initial, ToQColor(before));
        EXPECT_EQ(S().Int(part.Setting), FromQColor(picked));
        EXPECT_EQ(C().Template->currentText(), "Custom");
        EXPECT_EQ(part.Widget->palette().color(part.Background ? QPalette::Window : QPalette::WindowText), picked);
        // Back to Classic for the next part: a choice from the list again.
        C().Template->setCurrentIndex(htCustom);
    }
}

TEST_F(HtmlPageTest, CancelledColourDialogChangesNothing) {
    Open();
    SetColorDialogFunction([](QWidget*, const TColorDialogRequest&) { return QColor(); });
    QTest::mouseClick(Preview().DefaultText(), Qt::LeftButton);
    EXPECT_EQ(S().Int(dsHTMLFontColor), clWhite);
    EXPECT_EQ(C().Template->currentText(), "Classic");
    // A press on one part and a release elsewhere is no click.
    bool asked = false;
    SetColorDialogFunction([&](QWidget*, const TColorDialogRequest&) {
        asked = true;
        return QColor(Qt::black);
    });
    QTest::mousePress(Preview().LinkText(0), Qt::LeftButton);
    QTest::mouseRelease(Preview().LinkText(0), Qt::LeftButton, {}, QPoint(-20, -20));
    EXPECT_FALSE(asked);
}

TEST_F(HtmlPageTest, SaveAsTemplateWritesThePreviewsColours) {
    Open();
    QTemporaryDir dir;
    const QString file = dir.filePath("mine.htf");
    TFileDialogRequest seen;
    SetFileDialogFunction([&](QWidget*, const TFileDialogRequest& r) {
        seen = r;
        return file;
    });
    S().PickHTMLColour(dsHTMLLinkColor, 0x123456);
    QTest::mouseClick(C().SaveTemplate, Qt::LeftButton);
    EXPECT_TRUE(seen.Save);
    EXPECT_EQ(seen.Title, "Save as HTML template");
    EXPECT_EQ(seen.Filter, "HTML template file (*.htf)|*.htf");
    EXPECT_EQ(seen.DefaultExt, "htf");
    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(saved.readAll());
    EXPECT_TRUE(text.contains("LinkColor=$00123456")) << text.toStdString();
    EXPECT_TRUE(text.contains("Header-bgcolor=clRed")) << text.toStdString();
    EXPECT_EQ(Html().HTMLOptions().LinkColor, 0x123456);
}

TEST_F(HtmlPageTest, LoadTemplateShowsItsColoursUnderCustom) {
    QTemporaryDir dir;
    const QString file = dir.filePath("murky.htf");
    {
        TIB_OstrelHTML murky;
        murky.SetHTMLTemplate(htMurky);
        murky.SaveTemplateToFile(file.toStdString());
    }
    Open();
    TFileDialogRequest seen;
    SetFileDialogFunction([&](QWidget*, const TFileDialogRequest& r) {
        seen = r;
        return file;
    });
    QTest::mouseClick(C().LoadTemplate, Qt::LeftButton);
    EXPECT_FALSE(seen.Save);
    EXPECT_EQ(seen.Title, "Load HTML template");
    EXPECT_EQ(seen.Filter, "HTML template file (*.htf)|*.htf");
    EXPECT_EQ(seen.DefaultExt, "htf");
    EXPECT_EQ(C().Template->currentText(), "Custom");
    EXPECT_EQ(Html().HTMLTemplate(), htClassic);
    EXPECT_EQ(S().Int(dsHTMLBackgroundColor), HtmlRGB(0x317676));
    EXPECT_EQ(S().Int(dsHTMLOddRowBackgroundColor), HtmlRGB(0x367800));
    EXPECT_EQ(Preview().PageArea()->palette().color(QPalette::Window), QColor(0x31, 0x76, 0x76));
}

TEST_F(HtmlPageTest, TemplateFileErrorsAreShownAndTheWindowStays) {
    Open();
    QTemporaryDir dir;
    const QString file = dir.filePath("missing-folder/mine.htf");
    SetFileDialogFunction([&](QWidget*, const TFileDialogRequest&) { return file; });
    QString message;
    SetErrorDisplayFunction([&](QWidget*, const QString& m) { message = m; });
    QTest::mouseClick(C().SaveTemplate, Qt::LeftButton);
    EXPECT_EQ(message, "Unable to write to " + file);
    EXPECT_TRUE(window->isVisible());
}

// ---- the preview against the page the exporter writes ----

struct TPageColours {
    QColor Page, Text, Header, HeaderText, OddRows, EvenRows, DataText, Link;
};

// The colours of the style sheet of a page written by the HTML exporter with `templ`. The page's
// first and third records take the class TrRows, the second and fourth TrOdd.
TPageColours ExportedColours(THTMLTemplate templ, TListView& source, const QString& file) {
    TIB_OstrelHTML html;
    html.SetHTMLTemplate(templ);
    html.SetExportSource(esListView);
    html.SetListView(&source);
    html.SetFileName(file.toStdString());
    html.DoExecute();
    QFile written(file);
    EXPECT_TRUE(written.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(written.readAll());
    auto colour = [&](const QString& pattern, int group = 1) {
        const auto match = QRegularExpression(pattern).match(text);
        EXPECT_TRUE(match.hasMatch()) << pattern.toStdString();
        return QColor(match.captured(group));
    };
    const QString hex = "(#[0-9A-F]{6})";
    TPageColours c;
    c.Page = colour("BODY \\{ background: " + hex);
    c.Text = colour("BODY \\{ background: #\\w+; color: " + hex);
    c.Header = colour("\\.ThRows \\{ background-color: " + hex);
    c.HeaderText = colour("\\.ThRows \\{ background-color: #\\w+;  color: " + hex);
    c.OddRows = colour("\\.TrOdd  \\{ background-color: " + hex);
    c.EvenRows = colour("\\.TrRows \\{ background-color: " + hex);
    c.DataText = colour("\\.TrRows \\{ background-color: #\\w+;  color: " + hex);
    c.Link = colour("A:link \\{ color: " + hex);
    return c;
}

// Whether the picture of `label` within `picture` has a pixel of the text colour `colour`.
bool DrawsIn(const QImage& picture, QWidget* root, QLabel* label, const QColor& colour) {
    const QRect area(label->mapTo(root, QPoint(0, 0)), label->size());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (picture.pixelColor(x, y) == colour) return true;
    return false;
}

TEST_F(HtmlPageTest, PreviewShowsTheColoursTheExporterWrites) {
    Open();
    QTemporaryDir dir;
    THtmlPreview& p = Preview();
    QWidget* root = p.PageArea();
    const QPoint page = Bare(root);
    auto at = [&](QWidget* cell) { return cell->mapTo(root, Bare(cell)); };
    for (int t = htBW; t <= htSimple; ++t) {
        const auto templ = static_cast<THTMLTemplate>(t);
        SCOPED_TRACE(HTMLTemplateNames[t]);
        C().Template->setCurrentIndex(t);
        QApplication::processEvents();
        const QImage picture = root->grab().toImage();
        const TPageColours written =
            ExportedColours(templ, list, dir.filePath(QStringLiteral("page%1.htm").arg(t)));
        EXPECT_EQ(picture.pixelColor(page), written.Page);
        EXPECT_EQ(picture.pixelColor(at(p.HeaderCell(0))), written.Header);
        EXPECT_EQ(picture.pixelColor(at(p.HeaderCell(2))), written.Header);
        EXPECT_EQ(picture.pixelColor(at(p.DataCell(0, 0))), written.EvenRows);
        EXPECT_EQ(picture.pixelColor(at(p.DataCell(2, 1))), written.EvenRows);
        EXPECT_EQ(picture.pixelColor(at(p.DataCell(1, 2))), written.OddRows);
        EXPECT_EQ(picture.pixelColor(at(p.DataCell(3, 0))), written.OddRows);
        EXPECT_TRUE(DrawsIn(picture, root, p.DefaultText(), written.Text));
        EXPECT_TRUE(DrawsIn(picture, root, p.HeaderText(1), written.HeaderText));
        EXPECT_TRUE(DrawsIn(picture, root, p.DataText(1, 1), written.DataText));
        EXPECT_TRUE(DrawsIn(picture, root, p.LinkText(0), written.Link));
    }
}

}  // namespace
}  // namespace ostrel::qt
