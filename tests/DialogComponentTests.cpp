// The export dialog component: its starting values, Execute's checks, the source references it
// forgets when a source is destroyed, and the column list it builds for the dialog window.
#include "TestSupport.h"

#include <memory>

#include "dialog/IB_OstrelDialog.h"

namespace ostrel::test {
namespace {

// Installs a dialog runner for the life of the object and removes it afterwards, so that no
// other test sees it.
class TRunnerScope {
public:
    explicit TRunnerScope(TIB_OstrelDialog::TDialogRunner runner) {
        TIB_OstrelDialog::SetDialogRunner(std::move(runner));
    }
    ~TRunnerScope() { TIB_OstrelDialog::SetDialogRunner(nullptr); }
};

// Every text is as wide in pixels as the font's point size times its length, so that each
// source's own font can be told apart in the widths.
struct TSizeMetrics : IFontMetrics {
    int TextWidth(const TFont& font, const std::string& text) override {
        return font.Size * static_cast<int>(text.size());
    }
};

class TMetricsScope {
public:
    TMetricsScope() { SetFontMetrics(std::make_shared<TSizeMetrics>()); }
    ~TMetricsScope() { SetFontMetrics(nullptr); }
};

std::vector<std::string> Names(const TOstrelDialogColumns& cols) {
    std::vector<std::string> out;
    for (int i = 0; i < cols.Count(); ++i) out.push_back(cols[i].Name);
    return out;
}

std::string ExecuteError(TIB_OstrelDialog& d) {
    try {
        d.Execute();
    } catch (const EOstrelError& e) {
        return e.what();
    }
    return "<no error>";
}

// ---- starting values ----

TEST(DialogComponentDefaults, EveryPropertyStartsAtItsPublishedValue) {
    TIB_OstrelDialog d;
    EXPECT_EQ(d.ExportSource(), esDataSet);
    EXPECT_EQ(d.DataSet(), nullptr);
    EXPECT_EQ(d.ListView(), nullptr);
    EXPECT_EQ(d.IBGrid(), nullptr);
    EXPECT_EQ(d.StringGrid(), nullptr);
    EXPECT_EQ(d.AllowedExports(), 8191);
    EXPECT_EQ(d.CommonOptions(), 31);
    EXPECT_TRUE(d.AutoChangeFileExt());
    EXPECT_TRUE(d.ConfirmAbort());
    EXPECT_FALSE(d.OnlyVisibleFields());
    EXPECT_FALSE(d.AutoCalcStrType());
    EXPECT_EQ(d.OptionsFileName(), "");
    EXPECT_FALSE(d.AutoSaveOptions());
    EXPECT_FALSE(d.AutoLoadOptions());
    EXPECT_FALSE(d.SaveLoadButtons());
    EXPECT_EQ(d.About(), "");
    EXPECT_EQ(d._Version(), "");
    EXPECT_EQ(d.FileName(), "");
    EXPECT_TRUE(d.ShowFile());
    EXPECT_FALSE(d.PrintFile());
    EXPECT_TRUE(d.ExportedFields().Empty());
    EXPECT_TRUE(d.Header().Empty());
    EXPECT_TRUE(d.AllowCaptions());
    EXPECT_TRUE(d.Captions().Empty());
    EXPECT_TRUE(d.Footer().Empty());
    EXPECT_TRUE(d.UserFormats().Empty());
    EXPECT_TRUE(d.ColumnsWidth().Empty());
    EXPECT_TRUE(d.ColumnsAlign().Empty());
    EXPECT_TRUE(d.GoToFirstRecord());
    EXPECT_EQ(d.ExportRecCount(), 0);
    EXPECT_EQ(d.SkipRecCount(), 0);
    EXPECT_EQ(d.DialogColumns().Count(), 0);

    const TOstrelFormats defaults;
    EXPECT_EQ(d.Formats().IntegerFormat(), defaults.IntegerFormat());
    EXPECT_EQ(d.Formats().FloatFormat(), defaults.FloatFormat());
    EXPECT_EQ(d.Formats().DateFormat(), defaults.DateFormat());
    EXPECT_EQ(d.Formats().TimeFormat(), defaults.TimeFormat());
    EXPECT_EQ(d.Formats().DateTimeFormat(), defaults.DateTimeFormat());
    EXPECT_EQ(d.Formats().CurrencyFormat(), defaults.CurrencyFormat());
    EXPECT_EQ(d.Formats().BooleanTrue(), "true");
    EXPECT_EQ(d.Formats().BooleanFalse(), "false");
    EXPECT_EQ(d.Formats().NullString(), "");

    EXPECT_FALSE(d.OnGetHeader);
    EXPECT_FALSE(d.OnGetFooter);
    EXPECT_FALSE(d.OnBeginExport);
    EXPECT_FALSE(d.OnEndExport);
    EXPECT_FALSE(d.OnFetchedRecord);
    EXPECT_FALSE(d.OnSkippedRecord);
    EXPECT_FALSE(d.OnExportedRecord);
    EXPECT_FALSE(d.OnStopExport);
    EXPECT_FALSE(d.OnGetExportText);
}

TEST(DialogComponentDefaults, ListAndFormatPropertiesCopyWhatTheyAreGiven) {
    TIB_OstrelDialog d;
    TStrings lines{"A=1", "B=2"};
    d.SetExportedFields(lines);
    d.SetHeader(lines);
    d.SetCaptions(lines);
    d.SetFooter(lines);
    d.SetUserFormats(lines);
    d.SetColumnsWidth(lines);
    d.SetColumnsAlign(lines);
    lines.Add("C=3");  // the owned copies do not follow the original
    for (const TStrings* l : {&d.ExportedFields(), &d.Header(), &d.Captions(), &d.Footer(), &d.UserFormats(),
                              &d.ColumnsWidth(), &d.ColumnsAlign()})
        EXPECT_EQ(*l, (TStrings{"A=1", "B=2"}));

    TOstrelFormats f;
    f.SetIntegerFormat("0");
    f.SetBooleanTrue("yes");
    f.SetNullString("<null>");
    d.SetFormats(f);
    f.SetIntegerFormat("00");
    EXPECT_EQ(d.Formats().IntegerFormat(), "0");
    EXPECT_EQ(d.Formats().BooleanTrue(), "yes");
    EXPECT_EQ(d.Formats().NullString(), "<null>");
}

TEST(DialogComponentDefaults, SetsKeepOnlyTheirDefinedMembers) {
    TIB_OstrelDialog d;
    d.SetAllowedExports(0xFFFF);
    EXPECT_EQ(d.AllowedExports(), 8191);
    d.SetAllowedExports(ExportBit(aeHTML) | ExportBit(aeSQL));
    EXPECT_TRUE(Contains(d.AllowedExports(), aeHTML));
    EXPECT_TRUE(Contains(d.AllowedExports(), aeSQL));
    EXPECT_FALSE(Contains(d.AllowedExports(), aeXLS));
    d.SetCommonOptions(0xFF);
    EXPECT_EQ(d.CommonOptions(), 31);
}

// ---- Execute ----

TEST(DialogExecute, UnassignedSourceIsReportedByItsName) {
    TRunnerScope runner([](TIB_OstrelDialog&) { FAIL() << "nothing may be shown"; });
    TIB_OstrelDialog d;
    const std::pair<TOstrelSource, const char*> cases[] = {{esDataSet, "DataSet"},
                                                           {esListView, "ListView"},
                                                           {esDBGrid, "DBGrid"},
                                                           {esStringGrid, "StringGrid"}};
    for (const auto& [source, name] : cases) {
        d.SetExportSource(source);
        EXPECT_EQ(ExecuteError(d), std::string("Export source (") + name + ") is not assigned");
    }
}

TEST(DialogExecute, SourceIsCheckedBeforeTheAllowedExports) {
    int shown = 0;
    TRunnerScope runner([&](TIB_OstrelDialog&) { ++shown; });
    TIB_OstrelDialog d;
    d.SetExportSource(esListView);
    d.SetAllowedExports(0);
    // A column left from an earlier run shows whether the list was rebuilt.
    d.DialogColumns().Add().Name = "stale";
    EXPECT_EQ(ExecuteError(d), "Export source (ListView) is not assigned");

    TMemListView lv;
    FillDemoListView(lv);
    d.SetListView(&lv);
    EXPECT_EQ(ExecuteError(d), "Property Allowed cannot be empty");
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(Names(d.DialogColumns()), (std::vector<std::string>{"stale"}));

    d.SetAllowedExports(ExportBit(aeClipboard));
    EXPECT_EQ(ExecuteError(d), "<no error>");
    EXPECT_EQ(shown, 1);
}

TEST(DialogExecute, ColumnListIsBuiltBeforeTheWindowIsShown) {
    TMemDataset ds;
    FillNumbered(ds, 3);
    TIB_OstrelDialog d;
    d.SetDataSet(&ds);
    std::vector<std::vector<std::string>> seen;
    TIB_OstrelDialog* shownFor = nullptr;
    TRunnerScope runner([&](TIB_OstrelDialog& dialog) {
        shownFor = &dialog;
        seen.push_back(Names(dialog.DialogColumns()));
    });
    d.Execute();
    EXPECT_EQ(shownFor, &d);
    // Every Execute rebuilds the list from the current settings.
    d.SetExportedFields({"NAME"});
    d.Execute();
    EXPECT_EQ(seen, (std::vector<std::vector<std::string>>{{"ID", "NAME"}, {"NAME"}}));
}

TEST(DialogExecute, WithoutAWindowLayerExecuteFails) {
    TIB_OstrelDialog::SetDialogRunner(nullptr);
    ASSERT_FALSE(TIB_OstrelDialog::HasDialogRunner());
    TMemDataset ds;
    FillNumbered(ds, 1);
    TIB_OstrelDialog d;
    d.SetDataSet(&ds);
    EXPECT_THROW(d.Execute(), EOstrelError);
}

// ---- references to destroyed sources ----

TEST(DialogSourceReferences, DestroyedSourcesAreForgotten) {
    TRunnerScope runner([](TIB_OstrelDialog&) {});
    TIB_OstrelDialog d;

    auto ds = std::make_unique<TMemDataset>();
    FillNumbered(*ds, 1);
    auto lv = std::make_unique<TMemListView>();
    FillDemoListView(*lv);
    TMemDataSource src;
    src.SetDataset(ds.get());
    auto grid = std::make_unique<TMemGrid>();
    grid->SetDataSource(&src);
    auto sg = std::make_unique<TMemStringGrid>();
    sg->SetSize(2, 2);

    d.SetDataSet(ds.get());
    d.SetListView(lv.get());
    d.SetIBGrid(grid.get());
    d.SetStringGrid(sg.get());

    lv.reset();
    EXPECT_EQ(d.ListView(), nullptr);
    EXPECT_NE(d.DataSet(), nullptr);
    EXPECT_NE(d.IBGrid(), nullptr);
    EXPECT_NE(d.StringGrid(), nullptr);
    d.SetExportSource(esListView);
    EXPECT_EQ(ExecuteError(d), "Export source (ListView) is not assigned");

    sg.reset();
    EXPECT_EQ(d.StringGrid(), nullptr);
    d.SetExportSource(esStringGrid);
    EXPECT_EQ(ExecuteError(d), "Export source (StringGrid) is not assigned");

    grid.reset();
    EXPECT_EQ(d.IBGrid(), nullptr);
    d.SetExportSource(esDBGrid);
    EXPECT_EQ(ExecuteError(d), "Export source (DBGrid) is not assigned");

    d.SetExportSource(esDataSet);
    EXPECT_EQ(ExecuteError(d), "<no error>");
    ds.reset();
    EXPECT_EQ(d.DataSet(), nullptr);
    EXPECT_EQ(ExecuteError(d), "Export source (DataSet) is not assigned");
}

TEST(DialogSourceReferences, ReplacedSourceNoLongerAffectsTheReference) {
    TIB_OstrelDialog d;
    auto first = std::make_unique<TMemListView>();
    TMemListView second;
    d.SetListView(first.get());
    d.SetListView(&second);
    first.reset();
    EXPECT_EQ(d.ListView(), &second);
}

TEST(DialogSourceReferences, SourceOutlivingTheComponentIsSafe) {
    TMemListView lv;
    {
        TIB_OstrelDialog d;
        d.SetListView(&lv);
    }
    // The list view's destruction must not reach the destroyed component.
    SUCCEED();
}

// ---- the column list: datasets ----

class DialogDatasetColumns : public ::testing::Test {
protected:
    void SetUp() override {
        ds.AddField("ID", TMemFieldType::Integer);
        ds.AddField("NAME", TMemFieldType::String, 30).SetDisplayLabel("Full name");
        ds.AddField("PRICE", TMemFieldType::Float);
        ds.AddField("CODE", TMemFieldType::String, 6);
        ds.AppendRow({int64_t{1}, "Ann", 2.5, "A1"});
        ds.Open();
        d.SetDataSet(&ds);
    }
    TOstrelDialogColumns& Fill() {
        d.DialogColumns().Fill();
        return d.DialogColumns();
    }
    TMemColumn& Field(int i) { return *dynamic_cast<TMemColumn*>(ds.Fields(i)); }

    TMemDataset ds;
    TIB_OstrelDialog d;
};

TEST_F(DialogDatasetColumns, NamedFieldsStopAtTheFirstUnknownName) {
    d.SetExportedFields({"NAME", "NOSUCH", "CODE"});
    EXPECT_EQ(Names(Fill()), (std::vector<std::string>{"NAME"}));

    d.SetExportedFields({"code", "id"});
    TOstrelDialogColumns& cols = Fill();
    EXPECT_EQ(Names(cols), (std::vector<std::string>{"CODE", "ID"}));
    EXPECT_EQ(cols[0].Number, 3);
    EXPECT_EQ(cols[1].Number, 0);
    EXPECT_EQ(cols[0].Columns, &cols);
}

TEST_F(DialogDatasetColumns, HiddenFieldEndsTheListWhenOnlyVisibleFieldsAreWanted) {
    Field(2).SetVisible(false);
    EXPECT_EQ(Names(Fill()), (std::vector<std::string>{"ID", "NAME", "PRICE", "CODE"}));
    d.SetOnlyVisibleFields(true);
    // CODE is visible but comes after the hidden field.
    EXPECT_EQ(Names(Fill()), (std::vector<std::string>{"ID", "NAME"}));
    d.SetExportedFields({"CODE", "PRICE", "ID"});
    EXPECT_EQ(Names(Fill()), (std::vector<std::string>{"CODE"}));
}

TEST_F(DialogDatasetColumns, LargeObjectAndKeyColumnsStayInTheList) {
    TMemDataset keyed;
    keyed.AddField("ID", TMemFieldType::Integer);
    keyed.AddField("NOTES", TMemFieldType::Blob);
    keyed.AddField("DB_KEY", TMemFieldType::DbKey);
    keyed.AddField("CITY", TMemFieldType::String, 12);
    keyed.AppendRow({int64_t{1}, "text", "k", "Oslo"});
    keyed.Open();
    d.SetDataSet(&keyed);
    TOstrelDialogColumns& cols = Fill();
    EXPECT_EQ(Names(cols), (std::vector<std::string>{"ID", "NOTES", "DB_KEY", "CITY"}));
    EXPECT_TRUE(cols.IsBlobColumn("NOTES"));
    EXPECT_TRUE(cols.IsBlobColumn("notes"));
    EXPECT_FALSE(cols.IsBlobColumn("DB_KEY"));
    EXPECT_FALSE(cols.IsBlobColumn("CITY"));
    EXPECT_FALSE(cols.IsBlobColumn("NOSUCH"));
    EXPECT_EQ(cols.IndexOf("city"), 3);
    EXPECT_EQ(cols.IndexOf("NOSUCH"), -1);
}

TEST_F(DialogDatasetColumns, LastColumnOfANameDecidesWhetherItIsALargeObject) {
    // Two fields whose names differ only in case: lookups by name find both.
    TMemDataset twice;
    twice.AddField("Memo", TMemFieldType::Blob);
    twice.AddField("MEMO", TMemFieldType::String, 5);
    twice.AppendRow({"a", "b"});
    twice.Open();
    d.SetDataSet(&twice);
    TOstrelDialogColumns& cols = Fill();
    ASSERT_EQ(cols.Count(), 2);
    EXPECT_EQ(cols.IndexOf("memo"), 1);
    EXPECT_FALSE(cols.IsBlobColumn("memo"));

    TMemDataset reversed;
    reversed.AddField("MEMO", TMemFieldType::String, 5);
    reversed.AddField("Memo", TMemFieldType::Blob);
    reversed.AppendRow({"a", "b"});
    reversed.Open();
    d.SetDataSet(&reversed);
    EXPECT_TRUE(Fill().IsBlobColumn("memo"));
}

TEST_F(DialogDatasetColumns, CaptionsComeFromTheCaptionListThenTheDisplayLabel) {
    d.SetCaptions({"id=Number"});
    TOstrelDialogColumns& cols = Fill();
    EXPECT_EQ(cols[0].Caption, "Number");
    EXPECT_EQ(cols[1].Caption, "Full name");
    EXPECT_EQ(cols[2].Caption, "PRICE");
}

TEST_F(DialogDatasetColumns, WidthsComeFromTheWidthListThenTheDataSize) {
    d.SetColumnsWidth({"CODE=abc", "ID=15"});
    TOstrelDialogColumns& cols = Fill();
    EXPECT_EQ(cols[0].Width, 15);
    EXPECT_EQ(cols[1].Width, 30);
    EXPECT_EQ(cols[2].Width, ds.Fields(2)->DataSize());
    EXPECT_EQ(cols[3].Width, 0);  // not a number
}

TEST_F(DialogDatasetColumns, AlignmentByFirstLetterOfTheValueElseByType) {
    const std::pair<const char*, TOstrelColAlign> cases[] = {
        {"PRICE=center", ecaCenter}, {"PRICE=c", ecaCenter}, {"PRICE=Right", ecaRight},
        {"PRICE=left", ecaLeft},     {"PRICE=", ecaLeft},    {"PRICE=justify", ecaLeft}};
    for (const auto& [line, align] : cases) {
        d.SetColumnsAlign({line});
        EXPECT_EQ(Fill()[2].Align, align) << line;
    }
    d.SetColumnsAlign({"NAME=right"});
    TOstrelDialogColumns& cols = Fill();
    EXPECT_EQ(cols[1].Align, ecaRight);
    EXPECT_EQ(cols[2].Align, ecaRight);  // a float, by its type
    EXPECT_EQ(cols[3].Align, ecaLeft);
}

TEST(DialogColumnTypes, TypesStandardFormatsUserFormatsAndAlignments) {
    TMemDataset ds;
    ds.AddField("I", TMemFieldType::Integer);
    ds.AddField("F", TMemFieldType::Float);
    ds.AddField("C", TMemFieldType::Currency);
    ds.AddField("D", TMemFieldType::Date);
    ds.AddField("T", TMemFieldType::Time);
    ds.AddField("DT", TMemFieldType::DateTime);
    ds.AddField("B", TMemFieldType::Boolean);
    ds.AddField("S", TMemFieldType::String, 7);
    ds.AppendRow({int64_t{5}, 2.5, 9.99, 37000.0, 0.5, 37000.5, true, "x"});
    ds.Open();
    TIB_OstrelDialog d;
    d.SetDataSet(&ds);
    TOstrelFormats f;
    f.SetIntegerFormat("0");
    f.SetFloatFormat("0.0");
    f.SetCurrencyFormat("0.00$");
    f.SetDateFormat("yyyy");
    f.SetTimeFormat("hh");
    f.SetDateTimeFormat("yyyy hh");
    d.SetFormats(f);
    d.DialogColumns().Fill();
    const TOstrelDialogColumns& cols = d.DialogColumns();
    ASSERT_EQ(cols.Count(), 8);
    const TOstrelColType types[] = {ectInteger, ectFloat,   ectCurrency, ectDate,
                                    ectTime,    ectDateTime, ectBoolean, ectString};
    const TOstrelColAlign aligns[] = {ecaRight, ecaRight, ecaRight, ecaLeft, ecaLeft, ecaLeft, ecaCenter, ecaLeft};
    const char* formats[] = {"0", "0.0", "0.00$", "yyyy", "hh", "yyyy hh", "", ""};
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(cols[i].Name);
        EXPECT_EQ(cols[i].Number, i);
        EXPECT_EQ(cols[i].ColType, types[i]);
        EXPECT_EQ(cols[i].Align, aligns[i]);
        EXPECT_EQ(cols[i].Format, formats[i]);
    }

    // A user format replaces the standard one, also for types that have none.
    d.SetUserFormats({"f=#0.000", "S=@@", "B=yes;no"});
    d.DialogColumns().Fill();
    EXPECT_EQ(cols[1].Format, "#0.000");
    EXPECT_EQ(cols[6].Format, "yes;no");
    EXPECT_EQ(cols[7].Format, "@@");
    EXPECT_EQ(cols[0].Format, "0");
}

// ---- the column list: data grids ----

class DialogGridColumns : public ::testing::Test {
protected:
    void SetUp() override {
        ds.AddField("ID", TMemFieldType::Integer);
        ds.AddField("NAME", TMemFieldType::String, 30).SetDisplayLabel("Full name");
        ds.AddField("PHOTO", TMemFieldType::Blob);
        ds.AddField("CITY", TMemFieldType::String, 12);
        ds.AppendRow({int64_t{1}, "Ann", "jpeg", "Oslo"});
        ds.Open();
        src.SetDataset(&ds);
        grid.SetDataSource(&src);
        grid.Font().Size = 8;  // "X" is 8 pixels wide
        d.SetExportSource(esDBGrid);
        d.SetIBGrid(&grid);
    }
    TOstrelDialogColumns& Fill() {
        d.DialogColumns().Fill();
        return d.DialogColumns();
    }

    TMetricsScope metrics;
    TMemDataset ds;
    TMemDataSource src;
    TMemGrid grid;
    TIB_OstrelDialog d;
};

TEST_F(DialogGridColumns, NamesCaptionsWidthsAndLargeObjects) {
    grid.AddColumn("CITY", 100);
    grid.AddColumn("NAME", 47);
    grid.AddColumn("PHOTO", 80);
    ds.GridLabels().Add("NAME=Grid name");
    TOstrelDialogColumns& cols = Fill();
    EXPECT_EQ(Names(cols), (std::vector<std::string>{"CITY", "NAME", "PHOTO"}));
    EXPECT_EQ(cols[0].Number, 0);
    EXPECT_EQ(cols[1].Number, 1);
    // The grid-label list is not consulted for the dialog's captions.
    EXPECT_EQ(cols[1].Caption, "Full name");
    EXPECT_EQ(cols[0].Caption, "CITY");
    EXPECT_EQ(cols[0].Width, 12);  // 100 / 8
    EXPECT_EQ(cols[1].Width, 5);   // 47 / 8
    EXPECT_EQ(cols[0].ColType, ectString);
    EXPECT_TRUE(cols.IsBlobColumn("photo"));
    EXPECT_FALSE(cols.IsBlobColumn("NAME"));

    d.SetCaptions({"NAME=Who"});
    d.SetColumnsWidth({"CITY=3"});
    EXPECT_EQ(Fill()[1].Caption, "Who");
    EXPECT_EQ(Fill()[0].Width, 3);
}

TEST_F(DialogGridColumns, NamedFieldsTakeTheLastGridColumnOfThatField) {
    grid.AddColumn("NAME", 40);
    grid.AddColumn("ID", 40);
    grid.AddColumn("NAME", 40);
    d.SetExportedFields({"name", "NOSUCH", "ID"});
    TOstrelDialogColumns& cols = Fill();
    ASSERT_EQ(Names(cols), (std::vector<std::string>{"NAME"}));
    EXPECT_EQ(cols[0].Number, 2);
}

TEST_F(DialogGridColumns, HiddenGridColumnsWithOnlyVisibleFields) {
    grid.AddColumn("ID", 40);
    grid.AddColumn("NAME", 40);
    grid.AddColumn("CITY", 40);
    dynamic_cast<TMemColumn*>(ds.Fields(1))->SetVisible(false);
    EXPECT_EQ(Names(Fill()), (std::vector<std::string>{"ID", "NAME", "CITY"}));
    d.SetOnlyVisibleFields(true);
    EXPECT_EQ(Names(Fill()), (std::vector<std::string>{"ID"}));
    d.SetExportedFields({"CITY", "NAME", "ID"});
    EXPECT_EQ(Names(Fill()), (std::vector<std::string>{"CITY"}));
}

// ---- the column list: list views ----

TEST(DialogListViewColumns, NamesCaptionsWidthsAndTypes) {
    TMetricsScope metrics;
    TMemListView lv;
    FillDemoListView(lv);  // five columns of 80 pixels
    TFont font;
    font.Size = 10;  // "X" is 10 pixels wide
    lv.SetFont(font);
    TIB_OstrelDialog d;
    d.SetExportSource(esListView);
    d.SetListView(&lv);
    d.SetCaptions({"Name=Who"});
    d.SetColumnsWidth({"Date=11"});
    d.DialogColumns().Fill();
    const TOstrelDialogColumns& cols = d.DialogColumns();
    ASSERT_EQ(Names(cols), (std::vector<std::string>{"Code", "Name", "Date", "Salary", "IsMale"}));
    for (int i = 0; i < cols.Count(); ++i) {
        SCOPED_TRACE(cols[i].Name);
        EXPECT_EQ(cols[i].Number, i);
        EXPECT_EQ(cols[i].ColType, ectString);
        EXPECT_EQ(cols[i].Align, ecaLeft);
        EXPECT_EQ(cols[i].Format, "");
    }
    EXPECT_EQ(cols[0].Caption, "Code");
    EXPECT_EQ(cols[1].Caption, "Who");
    EXPECT_EQ(cols[0].Width, 8);  // 80 / 10
    EXPECT_EQ(cols[2].Width, 11);
    // List-view columns are never large objects.
    EXPECT_FALSE(cols.IsBlobColumn("Name"));
}

TEST(DialogListViewColumns, GuessedTypesGiveFormatsAndAlignments) {
    TMemListView lv;
    FillDemoListView(lv);
    TIB_OstrelDialog d;
    d.SetExportSource(esListView);
    d.SetListView(&lv);
    d.SetAutoCalcStrType(true);
    d.DialogColumns().Fill();
    const TOstrelDialogColumns& cols = d.DialogColumns();
    ASSERT_EQ(cols.Count(), 5);
    EXPECT_EQ(cols[0].ColType, ectInteger);
    EXPECT_EQ(cols[0].Align, ecaRight);
    EXPECT_EQ(cols[0].Format, d.Formats().IntegerFormat());
    EXPECT_EQ(cols[1].ColType, ectString);
    EXPECT_EQ(cols[3].ColType, ectFloat);
    EXPECT_EQ(cols[3].Format, d.Formats().FloatFormat());
    EXPECT_EQ(cols[4].ColType, ectBoolean);
    EXPECT_EQ(cols[4].Align, ecaCenter);
}

TEST(DialogListViewColumns, GuessingUsesTheComponentsBooleanTexts) {
    TMemListView lv;
    lv.AddColumn("Member", 40);
    lv.AddColumn("Flag", 40);
    lv.AddItem("ja", {"true"});
    lv.AddItem("NEIN", {"false"});
    TIB_OstrelDialog d;
    d.SetExportSource(esListView);
    d.SetListView(&lv);
    d.SetAutoCalcStrType(true);
    TOstrelFormats f;
    f.SetBooleanTrue("ja");
    f.SetBooleanFalse("nein");
    d.SetFormats(f);
    d.DialogColumns().Fill();
    EXPECT_EQ(d.DialogColumns()[0].ColType, ectBoolean);
    EXPECT_EQ(d.DialogColumns()[0].Align, ecaCenter);
    EXPECT_EQ(d.DialogColumns()[1].ColType, ectString);
}

TEST(DialogListViewColumns, NamedColumnsMatchCaptionsWithoutCaseTakingTheLast) {
    TMemListView lv;
    lv.AddColumn("Code", 40);
    lv.AddColumn("Name", 40);
    lv.AddColumn("NAME", 40);
    lv.AddItem("1", {"a", "b"});
    TIB_OstrelDialog d;
    d.SetExportSource(esListView);
    d.SetListView(&lv);
    d.SetExportedFields({"name", "CODE", "Missing", "Code"});
    d.DialogColumns().Fill();
    const TOstrelDialogColumns& cols = d.DialogColumns();
    ASSERT_EQ(Names(cols), (std::vector<std::string>{"NAME", "Code"}));
    EXPECT_EQ(cols[0].Number, 2);
    EXPECT_EQ(cols[1].Number, 0);
}

// ---- the column list: string grids ----

class DialogStringGridColumns : public ::testing::Test {
protected:
    void SetUp() override {
        sg.SetSize(4, 3);
        sg.SetFixedRows(1);
        for (int c = 0; c < 4; ++c) sg.SetCell(c, 0, "head" + std::to_string(c));
        sg.SetCell(0, 1, "1");
        sg.SetCell(0, 2, "2");
        sg.SetCell(1, 1, "x");
        sg.SetCell(1, 2, "y");
        sg.SetCell(2, 1, "true");
        sg.SetCell(2, 2, "false");
        sg.SetColWidth(3, 100);
        sg.Font().Size = 16;  // "X" is 16 pixels wide
        d.SetExportSource(esStringGrid);
        d.SetStringGrid(&sg);
    }
    TOstrelDialogColumns& Fill() {
        d.DialogColumns().Fill();
        return d.DialogColumns();
    }

    TMetricsScope metrics;
    TMemStringGrid sg;
    TIB_OstrelDialog d;
};

TEST_F(DialogStringGridColumns, ColumnNumbersNameAndCaptionTheColumns) {
    TOstrelDialogColumns& cols = Fill();
    ASSERT_EQ(Names(cols), (std::vector<std::string>{"0", "1", "2", "3"}));
    EXPECT_EQ(cols[2].Caption, "ColNo_2");
    EXPECT_EQ(cols[0].Width, TMemStringGrid::kDefaultColWidth / 16);
    EXPECT_EQ(cols[3].Width, 6);  // 100 / 16
    EXPECT_EQ(cols[0].ColType, ectString);
    EXPECT_FALSE(cols.IsBlobColumn("1"));

    d.SetCaptions({"1=Second"});
    EXPECT_EQ(Fill()[1].Caption, "Second");
}

TEST_F(DialogStringGridColumns, NamedColumnsAreDecimalNumbers) {
    d.SetExportedFields({"2", "x"});
    TOstrelDialogColumns& cols = Fill();
    ASSERT_EQ(cols.Count(), 1);
    EXPECT_EQ(cols[0].Name, "2");
    EXPECT_EQ(cols[0].Number, 2);
    EXPECT_EQ(cols[0].Caption, "ColNo_2");

    d.SetExportedFields({"3", "0", "4", "1"});
    EXPECT_EQ(Names(Fill()), (std::vector<std::string>{"3", "0"}));  // no column 4
    d.SetExportedFields({"-1", "0"});
    EXPECT_EQ(Fill().Count(), 0);
}

TEST_F(DialogStringGridColumns, GuessedTypes) {
    d.SetAutoCalcStrType(true);
    TOstrelDialogColumns& cols = Fill();
    EXPECT_EQ(cols[0].ColType, ectInteger);
    EXPECT_EQ(cols[0].Align, ecaRight);
    EXPECT_EQ(cols[1].ColType, ectString);
    EXPECT_EQ(cols[2].ColType, ectBoolean);
    EXPECT_EQ(cols[2].Align, ecaCenter);
}

TEST_F(DialogStringGridColumns, FontWithoutWidthGivesWidthZero) {
    sg.Font().Size = 0;
    TOstrelDialogColumns& cols = Fill();
    EXPECT_EQ(cols[0].Width, 0);
}

// ---- the column list itself ----

TEST(DialogColumnList, AddDeleteAndClearOwnTheirEntries) {
    TIB_OstrelDialog d;
    TOstrelDialogColumns& cols = d.DialogColumns();
    EXPECT_EQ(&cols.Dialog(), &d);
    cols.Add().Name = "A";
    cols.Add().Name = "B";
    cols.Add().Name = "C";
    EXPECT_EQ(cols.Items(1).Columns, &cols);
    cols.Delete(1);
    EXPECT_EQ(Names(cols), (std::vector<std::string>{"A", "C"}));
    cols.Clear();
    EXPECT_EQ(cols.Count(), 0);
}

}  // namespace
}  // namespace ostrel::test
