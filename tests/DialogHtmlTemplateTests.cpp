// The settings model's HTML colours without a window: the template choice, colours picked on the
// preview, the copies between the settings and the embedded exporter, and template files.
#include "TestSupport.h"

#include <array>

#include "dialog/DialogExporters.h"
#include "dialog/DialogSettings.h"

namespace ostrel::test {
namespace {

constexpr std::array<TDialogSetting, 10> kColourSettings = {
    dsHTMLBackgroundColor,     dsHTMLFontColor,
    dsHTMLHeadBackgroundColor, dsHTMLHeadFontColor,
    dsHTMLOddRowBackgroundColor, dsHTMLEvenRowBackgroundColor,
    dsHTMLDataFontColor,       dsHTMLLinkColor,
    dsHTMLVLinkColor,          dsHTMLALinkColor};

using TColours = std::array<TColor, 10>;

TColours SettingColours(const TOstrelDialogSettings& s) {
    TColours out{};
    for (size_t i = 0; i < kColourSettings.size(); ++i) out[i] = s.Int(kColourSettings[i]);
    return out;
}

// The exporter's colours in the order of the settings that show them.
TColours ExporterColours(const TIB_OstrelHTML& html) {
    const THTMLOptions& p = html.HTMLOptions();
    const TTableOptions& t = html.TableOptions();
    return {p.BackgroundColor, p.TextFont.Color,  t.HeadersRowBgColor, t.HeadersRowFontColor, t.OddRowBgColor,
            t.TableBgColor,    t.TableFontColor,  p.LinkColor,         p.VLinkColor,          p.ALinkColor};
}

// Gray as the page shows it: background, default text, header, header text, odd rows, even rows,
// data text, links.
const TColours kGray = {HtmlRGB(0xFFFFFF), HtmlRGB(0x000000), HtmlRGB(0x808080), HtmlRGB(0xFFFFFF),
                        HtmlRGB(0xEEEEEE), HtmlRGB(0xFFFFFF), HtmlRGB(0x000000), HtmlRGB(0xFF0000),
                        HtmlRGB(0x800080), HtmlRGB(0x0000FF)};
const TColours kClassic = {HtmlRGB(0x333399), HtmlRGB(0xFFFFFF), HtmlRGB(0xFF0000), HtmlRGB(0xFFFFFF),
                           HtmlRGB(0x006BCE), HtmlRGB(0x007AEC), HtmlRGB(0xFFFFFF), HtmlRGB(0x69EF7D),
                           HtmlRGB(0xFF00FF), HtmlRGB(0x00FF00)};

class DialogHtmlTemplate : public ::testing::Test {
protected:
    void SetUp() override { s.FillFormatPages(e); }
    TIB_OstrelHTML& Html() { return e.HTMLExp; }
    TOstrelDialogExporters e;
    TOstrelDialogSettings s;
};

TEST_F(DialogHtmlTemplate, DesignValuesShowClassicWithARedHeader) {
    EXPECT_EQ(s.Int(dsHTMLTemplateChoice), htClassic);
    EXPECT_EQ(s.Int(dsHTMLHeadBackgroundColor), clRed);
    EXPECT_EQ(SettingColours(s), kClassic);
}

TEST(DialogHtmlTemplateFill, TheExportersTemplateIsNotReappliedToItsOwnColours) {
    TOstrelDialogExporters e;
    // Colours changed by hand after the exporter chose its template stay.
    e.HTMLExp.TableOptions().HeadersRowBgColor = clGreen;
    e.HTMLExp.HTMLOptions().LinkColor = clNavy;
    TOstrelDialogSettings s;
    s.FillFormatPages(e);
    EXPECT_EQ(s.Int(dsHTMLTemplateChoice), htClassic);
    EXPECT_EQ(s.Int(dsHTMLHeadBackgroundColor), clGreen);
    EXPECT_EQ(s.Int(dsHTMLLinkColor), clNavy);
    EXPECT_EQ(e.HTMLExp.TableOptions().HeadersRowBgColor, clGreen);
}

TEST(DialogHtmlTemplateFill, AnExporterWithoutTemplateShowsCustomAndItsColours) {
    TOstrelDialogExporters e;
    e.HTMLExp.SetHTMLTemplate(htCustom);
    e.HTMLExp.HTMLOptions().BackgroundColor = clYellow;
    TOstrelDialogSettings s;
    s.FillFormatPages(e);
    EXPECT_EQ(s.Int(dsHTMLTemplateChoice), htCustom);
    EXPECT_EQ(s.Int(dsHTMLBackgroundColor), clYellow);
    EXPECT_EQ(s.Int(dsHTMLHeadBackgroundColor), clRed);
}

TEST_F(DialogHtmlTemplate, ChoosingGrayPutsItsColoursInTheSettingsAndTheExporter) {
    s.ChooseHTMLTemplate(htGray, Html());
    EXPECT_EQ(s.Int(dsHTMLTemplateChoice), htGray);
    EXPECT_EQ(Html().HTMLTemplate(), htGray);
    EXPECT_EQ(SettingColours(s), kGray);
    EXPECT_EQ(ExporterColours(Html()), kGray);
    // The template's font name is not the page's font setting.
    Html().HTMLOptions().TextFont.Name = "Verdana";
    s.ChooseHTMLTemplate(htOlive, Html());
    EXPECT_EQ(Html().HTMLOptions().TextFont.Name, "Arial");
    s.SetStr(dsHTMLFontName, "Tahoma");
    s.ChooseHTMLTemplate(htGray, Html());
    EXPECT_EQ(s.Str(dsHTMLFontName), "Tahoma");
}

TEST_F(DialogHtmlTemplate, PickingAColourAfterGrayShowsCustomAndKeepsTheExportersTemplate) {
    s.ChooseHTMLTemplate(htGray, Html());
    s.PickHTMLColour(dsHTMLHeadBackgroundColor, clGreen);
    EXPECT_EQ(s.Int(dsHTMLTemplateChoice), htCustom);
    EXPECT_EQ(s.Int(dsHTMLHeadBackgroundColor), clGreen);
    EXPECT_EQ(Html().HTMLTemplate(), htGray);
    // The exporter learns the colour when the settings are copied into it, as an export does.
    EXPECT_EQ(Html().TableOptions().HeadersRowBgColor, HtmlRGB(0x808080));
    s.CopyColoursToExporter(Html());
    EXPECT_EQ(Html().TableOptions().HeadersRowBgColor, clGreen);
    TColours expected = kGray;
    expected[2] = clGreen;
    EXPECT_EQ(ExporterColours(Html()), expected);
    EXPECT_EQ(Html().HTMLTemplate(), htGray);
}

TEST_F(DialogHtmlTemplate, ChoosingCustomChangesNoColour) {
    s.ChooseHTMLTemplate(htMurky, Html());
    s.PickHTMLColour(dsHTMLLinkColor, 0x123456);
    const TColours settings = SettingColours(s);
    const TColours exporter = ExporterColours(Html());
    s.ChooseHTMLTemplate(htCustom, Html());
    EXPECT_EQ(s.Int(dsHTMLTemplateChoice), htCustom);
    EXPECT_EQ(Html().HTMLTemplate(), htCustom);
    EXPECT_EQ(SettingColours(s), settings);
    EXPECT_EQ(ExporterColours(Html()), exporter);
}

TEST_F(DialogHtmlTemplate, ChoosingTheExportersTemplateAgainShowsTheExportersColours) {
    s.ChooseHTMLTemplate(htGray, Html());
    s.PickHTMLColour(dsHTMLOddRowBackgroundColor, clAqua);
    // Not yet in the exporter: choosing Gray again shows Gray's colours from there.
    s.ChooseHTMLTemplate(htGray, Html());
    EXPECT_EQ(s.Int(dsHTMLOddRowBackgroundColor), HtmlRGB(0xEEEEEE));
    // Once copied into the exporter, the template is not reapplied over it.
    s.PickHTMLColour(dsHTMLOddRowBackgroundColor, clAqua);
    s.CopyColoursToExporter(Html());
    s.ChooseHTMLTemplate(htGray, Html());
    EXPECT_EQ(s.Int(dsHTMLTemplateChoice), htGray);
    EXPECT_EQ(s.Int(dsHTMLOddRowBackgroundColor), clAqua);
    // Another template brings all of its colours.
    s.ChooseHTMLTemplate(htClassic, Html());
    EXPECT_EQ(SettingColours(s), kClassic);
}

TEST_F(DialogHtmlTemplate, ChoicesOutsideTheListChangeNothing) {
    for (int choice : {-1, htSimple + 1}) {
        s.ChooseHTMLTemplate(choice, Html());
        EXPECT_EQ(s.Int(dsHTMLTemplateChoice), htClassic);
        EXPECT_EQ(Html().HTMLTemplate(), htClassic);
        EXPECT_EQ(SettingColours(s), kClassic);
    }
}

TEST_F(DialogHtmlTemplate, EveryTemplateShowsItsRecordsColours) {
    for (int t = htBW; t <= htSimple; ++t) {
        s.ChooseHTMLTemplate(t, Html());
        const RHTMLTemplate& r = HTMLTemplateRecord(static_cast<THTMLTemplate>(t));
        const TColours expected = {r.BackgroundColor, r.FontColor,     r.HeadersRowBgColor, r.HeadersRowFontColor,
                                   r.OddRowBgColor,   r.TableBgColor,  r.TableFontColor,    r.LinkColor,
                                   r.VLinkColor,      r.ALinkColor};
        EXPECT_EQ(SettingColours(s), expected) << HTMLTemplateNames[t];
    }
}

TEST_F(DialogHtmlTemplate, SavedColoursComeBackFromTheTemplateFile) {
    TTempDir dir;
    const std::string file = dir.File("mine.htf");
    s.ChooseHTMLTemplate(htOlive, Html());
    s.PickHTMLColour(dsHTMLLinkColor, 0x123456);
    s.PickHTMLColour(dsHTMLEvenRowBackgroundColor, clFuchsia);
    const TColours saved = SettingColours(s);
    s.CopyColoursToExporter(Html());
    Html().SaveTemplateToFile(file);
    const std::string text = ReadAll(file);
    EXPECT_NE(text.find("LinkColor=$00123456"), std::string::npos);
    EXPECT_NE(text.find("Even_row-bgcolor=clFuchsia"), std::string::npos);

    // Another window, on Black&White: loading brings every colour and leaves its template.
    TOstrelDialogExporters other;
    TOstrelDialogSettings t;
    t.FillFormatPages(other);
    t.ChooseHTMLTemplate(htBW, other.HTMLExp);
    other.HTMLExp.LoadTemplateFromFile(file);
    t.CopyTemplateColours(other.HTMLExp);
    EXPECT_EQ(SettingColours(t), saved);
    EXPECT_EQ(other.HTMLExp.HTMLTemplate(), htBW);
}

}  // namespace
}  // namespace ostrel::test
