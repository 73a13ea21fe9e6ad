// The formats page's user formats without a window: which fields are offered and listed, the
// presets in the locale of the moment of the choice, and the Add, Edit, Delete and Clear buttons.
#include "TestSupport.h"

#include "dialog/DialogUserFormats.h"
#include "dialog/IB_OstrelDialog.h"
#include "platform/NumberFormat.h"

namespace ostrel::test {
namespace {

using Strings = std::vector<std::string>;
using Rows = std::vector<TUserFormatRow>;

class DialogUserFormats : public ::testing::Test {
protected:
    // Columns of a dataset as the component lists them, with its formats and user formats.
    void FromDataset() {
        d.SetDataSet(&ds);
        d.DialogColumns().Fill();
        u.Fill(d.DialogColumns(), d.Formats());
    }
    // Columns given by hand, for types no dataset column has, all with the same format.
    void Columns(std::initializer_list<std::pair<const char*, TOstrelColType>> columns,
                 const std::string& format = "") {
        d.DialogColumns().Clear();
        for (const auto& [name, type] : columns) {
            TOstrelDialogColumn& c = d.DialogColumns().Add();
            c.Name = name;
            c.ColType = type;
            c.Format = format;
        }
        u.Fill(d.DialogColumns(), d.Formats());
    }
    Strings ChoiceNames() const {
        Strings names;
        for (const TFormatFieldItem& item : u.FieldChoice()) names.push_back(item.Name);
        return names;
    }
    void Choose(const std::string& name) {
        const auto& choice = u.FieldChoice();
        for (size_t i = 0; i < choice.size(); ++i)
            if (choice[i].Name == name) return u.ChooseField(static_cast<int>(i));
        FAIL() << name << " is not offered";
    }

    TFormatSettingsScope locale{UsSettings()};
    TMemDataset ds;
    TIB_OstrelDialog d;
    TOstrelDialogUserFormats u;
};

// ---- filling ----

TEST_F(DialogUserFormats, ListShowsOnlyFormatsThatDifferFromTheStandardOfTheirType) {
    ds.AddField("ID", TMemFieldType::Integer);
    ds.AddField("PRICE", TMemFieldType::Float);
    ds.AddField("QTY", TMemFieldType::Integer);
    ds.AddField("BORN", TMemFieldType::Date);
    ds.Open();
    d.UserFormats().Add("PRICE=0.000");
    d.UserFormats().Add("QTY=#,###,##0");  // the standard integer format: not a user format
    d.UserFormats().Add("born=M/D/YYYY");  // the short date pattern in other case: neither
    ASSERT_EQ(d.Formats().FloatFormat(), "#,###,##0.00");
    FromDataset();
    EXPECT_EQ(u.Rows(), (Rows{{"PRICE", "0.000"}}));
    EXPECT_EQ(ChoiceNames(), (Strings{"ID", "PRICE", "QTY", "BORN"}));
    EXPECT_EQ(u.Selected(), -1);
    EXPECT_EQ(u.ChosenField(), -1);
    EXPECT_TRUE(u.Presets().empty());
    EXPECT_TRUE(u.ButtonsEnabled());
}

TEST_F(DialogUserFormats, ChangedComponentFormatsMakeTheUntouchedColumnsStandard) {
    // A column keeps the standard of its type, whatever that standard is.
    ds.AddField("PRICE", TMemFieldType::Float);
    ds.Open();
    TOstrelFormats f;
    f.SetFloatFormat("0.0");
    d.SetFormats(f);
    FromDataset();
    EXPECT_TRUE(u.Rows().empty());
    EXPECT_FALSE(u.ButtonsEnabled());
}

TEST_F(DialogUserFormats, OnlyFormattedTypesAreOfferedWithTheirTypesInListOrder) {
    Columns({{"S", ectString},
             {"I", ectInteger},
             {"B", ectBoolean},
             {"F", ectFloat},
             {"U", ectUnknown},
             {"C", ectCurrency},
             {"D", ectDate},
             {"T", ectTime},
             {"DT", ectDateTime}},
            "0.0");
    EXPECT_EQ(ChoiceNames(), (Strings{"I", "F", "C", "D", "T", "DT"}));
    const TOstrelColType types[] = {ectInteger, ectFloat, ectCurrency, ectDate, ectTime, ectDateTime};
    for (size_t i = 0; i < std::size(types); ++i) EXPECT_EQ(u.FieldChoice()[i].Type, types[i]);
    // A format on a text, Boolean or unknown column is not listed either.
    EXPECT_EQ(u.Rows(), (Rows{{"I", "0.0"}, {"F", "0.0"}, {"C", "0.0"}, {"D", "0.0"}, {"T", "0.0"}, {"DT", "0.0"}}));
}

// ---- presets ----

TEST_F(DialogUserFormats, PresetsByTypeInTheirOrder) {
    TFormatSettings s = UsSettings();
    s.ShortDateFormat = "SD";
    s.LongDateFormat = "LD";
    s.ShortTimeFormat = "ST";
    s.LongTimeFormat = "LT";
    TFormatSettingsScope scope(s);
    EXPECT_EQ(FormatPresets(ectInteger), (Strings{"#,###,##0", "0"}));
    EXPECT_EQ(FormatPresets(ectFloat), (Strings{"#,###,##0.00", "#,###,##0.000", "#,###,##0.0000", "0.00"}));
    EXPECT_EQ(FormatPresets(ectCurrency), (Strings{"00.00$"}));
    EXPECT_EQ(FormatPresets(ectDate), (Strings{"SD", "LD"}));
    EXPECT_EQ(FormatPresets(ectTime), (Strings{"ST", "LT"}));
    EXPECT_EQ(FormatPresets(ectDateTime),
              (Strings{"SD", "LD", "SD ST", "SD LT", "LD ST", "LD LT", "ST", "LT"}));
    for (TOstrelColType t : {ectString, ectBoolean, ectUnknown}) EXPECT_TRUE(FormatPresets(t).empty());
}

TEST_F(DialogUserFormats, ChoosingAFieldTakesThePresetsOfTheLocaleOfThatMoment) {
    Columns({{"AMOUNT", ectCurrency}, {"WHEN", ectDate}});
    Choose("AMOUNT");
    EXPECT_EQ(u.Presets(), (Strings{"00.00$"}));

    TFormatSettings euro = UsSettings();
    euro.DecimalSeparator = ',';
    euro.ThousandSeparator = ".";
    euro.CurrencyString = "EUR";
    TFormatSettingsScope scope(euro);
    Choose("AMOUNT");
    EXPECT_EQ(u.Presets(), (Strings{"00.00EUR"}));
    EXPECT_EQ(u.PresetText(), "00.00EUR");
    EXPECT_EQ(FormatFloat(u.PresetText(), 3.5), "03,50EUR");

    Choose("WHEN");
    EXPECT_EQ(u.Presets(), (Strings{"m/d/yyyy", "dddd, mmmm d, yyyy"}));
    EXPECT_EQ(u.PresetText(), "m/d/yyyy");
    // No field chosen: the preset choice is empty.
    u.ChooseField(-1);
    EXPECT_EQ(u.ChosenField(), -1);
    EXPECT_TRUE(u.Presets().empty());
    EXPECT_EQ(u.PresetText(), "");
}

// ---- buttons ----

TEST_F(DialogUserFormats, AddReplacesTheFieldsRowsWithoutRegardToCaseAndSelectsTheNewRow) {
    Columns({{"PRICE", ectFloat}, {"ID", ectInteger}});
    u.SetRows({{"price", "0.0"}, {"ID", "0"}, {"Price", "0.00000"}});
    Choose("PRICE");
    u.Add();
    EXPECT_EQ(u.Rows(), (Rows{{"ID", "0"}, {"PRICE", "#,###,##0.00"}}));
    EXPECT_EQ(u.Selected(), 1);
    // Twice for the same field: one row with the second format.
    u.SetPresetText("0.000");
    u.Add();
    EXPECT_EQ(u.Rows(), (Rows{{"ID", "0"}, {"PRICE", "0.000"}}));
    EXPECT_EQ(u.Selected(), 1);
}

TEST_F(DialogUserFormats, AddWithoutPresetTextOrFieldDoesNothing) {
    ds.AddField("ID", TMemFieldType::Integer);
    ds.Open();
    FromDataset();
    int changes = 0;
    u.OnChanged = [&changes] { ++changes; };
    u.SetPresetText("0");  // typed before any field was chosen
    changes = 0;
    u.Add();
    EXPECT_TRUE(u.Rows().empty());
    EXPECT_EQ(changes, 0);
    Choose("ID");
    u.SetPresetText("");
    changes = 0;
    u.Add();
    EXPECT_TRUE(u.Rows().empty());
    EXPECT_EQ(changes, 0);
}

TEST_F(DialogUserFormats, EditChangesTheSelectedRowOnlyWhenAnotherTextIsConfirmed) {
    Columns({{"ID", ectInteger}});
    u.SetRows({{"ID", "0"}, {"ID", "00"}});
    std::string asked = "-";
    auto answer = [&asked](bool confirm, std::string text) {
        return [&asked, confirm, text](std::string& format) {
            asked = format;
            format = text;
            return confirm;
        };
    };
    u.Edit(answer(true, "000"));  // nothing selected: no question
    EXPECT_EQ(asked, "-");
    u.Select(1);
    int changes = 0;
    u.OnChanged = [&changes] { ++changes; };
    u.Edit(answer(false, "000"));
    EXPECT_EQ(asked, "00");
    u.Edit(answer(true, "00"));
    EXPECT_EQ(u.Rows(), (Rows{{"ID", "0"}, {"ID", "00"}}));
    EXPECT_EQ(changes, 0);
    u.Edit(answer(true, "#0"));
    EXPECT_EQ(u.Rows(), (Rows{{"ID", "0"}, {"ID", "#0"}}));
    EXPECT_EQ(u.Selected(), 1);
}

TEST_F(DialogUserFormats, DeleteSelectsTheFirstRemainingRowAndClearEmptiesFromASelection) {
    Columns({{"A", ectInteger}});
    u.SetRows({{"A", "1"}, {"B", "2"}, {"C", "3"}});
    u.Delete();  // nothing selected
    EXPECT_EQ(u.Rows().size(), 3u);
    u.Select(2);
    u.Delete();
    EXPECT_EQ(u.Rows(), (Rows{{"A", "1"}, {"B", "2"}}));
    EXPECT_EQ(u.Selected(), 0);
    u.Delete();
    EXPECT_EQ(u.Rows(), (Rows{{"B", "2"}}));
    EXPECT_EQ(u.Selected(), 0);
    u.Delete();
    EXPECT_TRUE(u.Rows().empty());
    EXPECT_EQ(u.Selected(), -1);
    EXPECT_FALSE(u.ButtonsEnabled());

    u.SetRows({{"A", "1"}, {"B", "2"}, {"C", "3"}});
    u.Clear();  // nothing selected: nothing happens
    EXPECT_EQ(u.Rows().size(), 3u);
    u.Select(1);
    u.Clear();
    EXPECT_TRUE(u.Rows().empty());
    EXPECT_FALSE(u.ButtonsEnabled());
}

TEST_F(DialogUserFormats, SelectionOutsideTheListSelectsNothing) {
    Columns({{"A", ectInteger}});
    u.SetRows({{"A", "1"}});
    u.Select(0);
    u.Select(1);
    EXPECT_EQ(u.Selected(), -1);
    u.Select(0);
    u.SetRows({{"A", "2"}});
    EXPECT_EQ(u.Selected(), -1);
}

}  // namespace
}  // namespace ostrel::test
