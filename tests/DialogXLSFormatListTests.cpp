// The Excel format list without a window: the entries and their marks, the current entry under
// multi-selection, what the controls show for one or several entries, every editing rule with
// its copy to the other selected entries, and the reset buttons.
#include "TestSupport.h"

#include "dialog/DialogXLSFormatList.h"
#include "dialog/IB_OstrelDialog.h"

namespace ostrel::test {
namespace {

using Strings = std::vector<std::string>;

// Entry positions after filling with the columns ID, NAME, CODE, CITY.
constexpr int kHeader = 0, kCaption = 1, kAggregate = 2, kFooter = 3;
constexpr int kId = 4, kName = 5, kCode = 6, kCity = 7;

class DialogXLSFormatList : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"ID", "NAME", "CODE", "CITY"}) d.DialogColumns().Add().Name = name;
        l.OnChanged = [this] { ++changes; };
        l.Fill(options, d.DialogColumns());
    }
    void Select(std::initializer_list<int> indexes) {
        l.SelectOnly(*indexes.begin());
        for (int i : indexes) l.SetSelected(i, true);
    }
    void SelectNone() {
        for (int i = 0; i < l.Count(); ++i) l.SetSelected(i, false);
    }
    Strings Texts() const {
        Strings texts;
        for (int i = 0; i < l.Count(); ++i) texts.push_back(l.Entry(i).Text);
        return texts;
    }
    std::vector<TXLSEntryMark> Marks() const {
        std::vector<TXLSEntryMark> marks;
        for (int i = 0; i < l.Count(); ++i) marks.push_back(l.Entry(i).Mark);
        return marks;
    }
    bool Bold(int i) const { return l.Format(i).Font.Style.Contains(xfsBold); }
    std::vector<int> BoldEntries() const {
        std::vector<int> bold;
        for (int i = 0; i < l.Count(); ++i)
            if (Bold(i)) bold.push_back(i);
        return bold;
    }

    TIB_OstrelDialog d;
    TXLSOptions options;
    TOstrelXLSFormatList l;
    int changes = 0;
};

TEST_F(DialogXLSFormatList, FillGivesFourFixedEntriesThenOnePerField) {
    EXPECT_EQ(Texts(), (Strings{"HEADER", "CAPTION", "AGGREGATE", "FOOTER", "ID", "NAME", "CODE", "CITY"}));
    EXPECT_EQ(Marks(), (std::vector<TXLSEntryMark>{xmFixed, xmFixed, xmFixed, xmFixed, xmExported, xmExported,
                                                   xmExported, xmExported}));
    for (int i = 0; i < l.Count(); ++i) EXPECT_EQ(l.Entry(i).Fixed, i < kXLSFixedCount) << i;
    EXPECT_EQ(l.Format(kName).FieldName, "NAME");
    EXPECT_EQ(BoldEntries(), (std::vector<int>{kCaption}));
    EXPECT_EQ(l.SelectedCount(), 1);
    EXPECT_TRUE(l.IsSelected(kHeader));
    EXPECT_EQ(l.Current(), kHeader);
    EXPECT_GT(changes, 0);
}

TEST_F(DialogXLSFormatList, FixedEntriesCopyTheFourOptionFormats) {
    options.HeaderFormat.Font.Size = 14;
    options.AggregateFormat.Fill.Pattern = ptChess;
    options.FooterFormat.Alignment.Horizontal = halRight;
    options.DataFormat.Font.Size = 20;  // not the field entries' starting format
    l.Fill(options, d.DialogColumns());
    EXPECT_EQ(l.FixedFormat(xfeHeader).Font.Size, 14);
    EXPECT_EQ(l.FixedFormat(xfeAggregate).Fill.Pattern, ptChess);
    EXPECT_EQ(l.FixedFormat(xfeFooter).Alignment.Horizontal, halRight);
    EXPECT_TRUE(l.FixedFormat(xfeCaption).Font.Style.Contains(xfsBold));
    EXPECT_TRUE(l.Format(kId).IsDefault());
    EXPECT_EQ(l.Format(kId).Aggregate, aggNone);
    // The list keeps copies: changing the options afterwards changes no entry.
    options.HeaderFormat.Font.Size = 8;
    EXPECT_EQ(l.FixedFormat(xfeHeader).Font.Size, 14);
}

TEST_F(DialogXLSFormatList, HeaderAndNameSelectedThenBoldMakesBothBold) {
    Select({kHeader, kName});
    l.SetFontStyle(xfsBold, true);
    EXPECT_EQ(BoldEntries(), (std::vector<int>{kHeader, kCaption, kName}));
    EXPECT_TRUE(l.Shown().Bold);
    l.SetFontStyle(xfsBold, false);
    EXPECT_EQ(BoldEntries(), (std::vector<int>{kCaption}));
}

TEST_F(DialogXLSFormatList, StyleToggleCopiesOnlyItsOwnStyle) {
    Select({kName});
    l.SetFontStyle(xfsItalic, true);
    Select({kCode, kName});  // CODE current: not italic
    l.SetFontStyle(xfsStrikeOut, true);
    EXPECT_TRUE(l.Format(kName).Font.Style.Contains(xfsItalic));
    EXPECT_TRUE(l.Format(kName).Font.Style.Contains(xfsStrikeOut));
    EXPECT_FALSE(l.Format(kCode).Font.Style.Contains(xfsItalic));
}

TEST_F(DialogXLSFormatList, FontNameShownOnlyWhenTheSelectedEntriesAgreeIgnoringCase) {
    Select({kName});
    l.SetFontName("Courier New");
    Select({kHeader, kName});
    EXPECT_FALSE(l.Shown().FontName.has_value());
    Select({kName});
    l.SetFontName("arial");
    Select({kHeader, kName});
    ASSERT_TRUE(l.Shown().FontName.has_value());
    EXPECT_EQ(*l.Shown().FontName, "Arial");  // the current entry's spelling
    l.SetFontName("Times New Roman");
    EXPECT_EQ(l.Format(kHeader).Font.Name, "Times New Roman");
    EXPECT_EQ(l.Format(kName).Font.Name, "Times New Roman");
    EXPECT_EQ(l.Format(kCode).Font.Name, "Arial");
}

TEST_F(DialogXLSFormatList, CurrentEntryStaysWhileOthersJoinTheSelection) {
    l.SelectOnly(kCode);
    EXPECT_EQ(l.Current(), kCode);
    l.SetSelected(kName, true);
    l.SetSelected(kHeader, true);
    EXPECT_EQ(l.SelectedCount(), 3);
    EXPECT_EQ(l.Current(), kCode);  // not the first selected in list order
    EXPECT_EQ(l.Shown().SampleEntry, kCode);
    EXPECT_EQ(l.Shown().ResetText, xrtSelected);
}

TEST_F(DialogXLSFormatList, CurrentEntryBecomesTheFirstSelectedWhenItIsLeft) {
    Select({kCode, kName, kCity});
    EXPECT_EQ(l.Current(), kCode);
    l.SetSelected(kCode, false);
    EXPECT_EQ(l.Current(), kName);
    l.SetSelected(kName, false);
    EXPECT_EQ(l.Current(), kCity);
    EXPECT_EQ(l.Shown().ResetText, xrtItem);
    l.SetSelected(kCity, false);
    EXPECT_EQ(l.Current(), -1);
    l.SetSelected(kCity, true);
    EXPECT_EQ(l.Current(), kCity);
}

TEST_F(DialogXLSFormatList, TogglesAndColourBarsShowTheCurrentEntry) {
    Select({kName});
    l.SetFontStyle(xfsItalic, true);
    l.SetUnderline(fulDouble, true);
    l.SetFontColor(clrRed);
    l.SetBorderColor(xsLeft, clrBlue);
    l.SetForeground(clrGreen);
    Select({kName, kCode});
    const TXLSShown s = l.Shown();
    EXPECT_TRUE(s.Italic);
    EXPECT_EQ(s.Underline, fulDouble);
    EXPECT_EQ(s.FontColor, clrRed);
    EXPECT_EQ(s.BorderColor[xsLeft], clrBlue);
    EXPECT_EQ(s.Foreground, clrGreen);
    Select({kCode, kName});
    EXPECT_FALSE(l.Shown().Italic);
    EXPECT_EQ(l.Shown().FontColor, clrBlack);
}

TEST_F(DialogXLSFormatList, TwoAggregatesThatDifferShowNoneAndChoosingMaxSetsBoth) {
    Select({kName});
    l.SetAggregate(aggSum);
    Select({kCode});
    l.SetAggregate(aggAvg);
    Select({kName, kCode});
    EXPECT_TRUE(l.Shown().AggregateEnabled);
    EXPECT_FALSE(l.Shown().Aggregate.has_value());
    l.SetAggregate(aggMax);
    EXPECT_EQ(l.Format(kName).Aggregate, aggMax);
    EXPECT_EQ(l.Format(kCode).Aggregate, aggMax);
    EXPECT_EQ(l.Shown().Aggregate, aggMax);
}

TEST_F(DialogXLSFormatList, AggregateGroupServesFieldEntriesOnly) {
    Select({kHeader});
    EXPECT_FALSE(l.Shown().AggregateEnabled);
    EXPECT_FALSE(l.Shown().Aggregate.has_value());
    l.SetAggregate(aggSum);
    EXPECT_EQ(l.Format(kHeader).Aggregate, aggNone);

    Select({kName});
    EXPECT_TRUE(l.Shown().AggregateEnabled);
    EXPECT_EQ(l.Shown().Aggregate, aggNone);

    // A fixed entry beside the current field entry disables the group.
    l.SetSelected(kFooter, true);
    EXPECT_FALSE(l.Shown().AggregateEnabled);
    EXPECT_FALSE(l.Shown().Aggregate.has_value());
    l.SetAggregate(aggSum);
    EXPECT_EQ(l.Format(kName).Aggregate, aggNone);
    EXPECT_EQ(l.Format(kFooter).Aggregate, aggNone);

    // Only the entries other than the current one count for the group; a fixed current entry
    // still takes no aggregate.
    Select({kFooter, kName, kCode});
    EXPECT_TRUE(l.Shown().AggregateEnabled);
    l.SetAggregate(aggMin);
    EXPECT_EQ(l.Format(kName).Aggregate, aggNone);
    EXPECT_EQ(l.Format(kCode).Aggregate, aggNone);
}

TEST_F(DialogXLSFormatList, ColouredBackgroundMakesThePatternSolidAndNoPatternMakesItWhite) {
    Select({kName, kCode});
    l.SetBackground(clrYellow);
    for (int i : {kName, kCode}) {
        EXPECT_EQ(l.Format(i).Fill.Background, clrYellow) << i;
        EXPECT_EQ(l.Format(i).Fill.Pattern, ptSolid) << i;
    }
    EXPECT_EQ(l.Shown().Pattern, ptSolid);
    EXPECT_EQ(l.Format(kCity).Fill.Pattern, ptNone);

    l.SetPattern(ptNone);
    for (int i : {kName, kCode}) {
        EXPECT_EQ(l.Format(i).Fill.Background, clrWhite) << i;
        EXPECT_EQ(l.Format(i).Fill.Pattern, ptNone) << i;
    }
    EXPECT_EQ(l.Shown().Background, clrWhite);
}

TEST_F(DialogXLSFormatList, BackgroundAndPatternLeaveEachOtherAloneOtherwise) {
    Select({kName});
    l.SetPattern(ptChess);
    l.SetBackground(clrYellow);
    EXPECT_EQ(l.Format(kName).Fill.Pattern, ptChess);
    l.SetBackground(clrWhite);
    EXPECT_EQ(l.Format(kName).Fill.Pattern, ptChess);
    l.SetPattern(ptNone);
    l.SetBackground(clrWhite);
    EXPECT_EQ(l.Format(kName).Fill.Pattern, ptNone);
    l.SetBackground(clrRed);
    l.SetPattern(ptCells);
    EXPECT_EQ(l.Format(kName).Fill.Background, clrRed);
}

TEST_F(DialogXLSFormatList, PatternRuleFollowsTheCurrentEntryOnly) {
    // The current entry's fill decides; the others receive the attributes it copies.
    Select({kName});
    l.SetPattern(ptChess);
    Select({kName, kCode});
    l.SetBackground(clrYellow);
    EXPECT_EQ(l.Format(kName).Fill.Pattern, ptChess);
    EXPECT_EQ(l.Format(kCode).Fill.Pattern, ptNone);
    EXPECT_EQ(l.Format(kCode).Fill.Background, clrYellow);
    EXPECT_FALSE(l.Shown().Pattern.has_value());
}

TEST_F(DialogXLSFormatList, BorderToggleGivesThinFromNoneAndNoneOtherwise) {
    Select({kName});
    l.ToggleBorder(xsTop, true);
    EXPECT_EQ(l.Format(kName).Borders.Top.Style, bstThin);
    EXPECT_TRUE(l.Shown().BorderDown[xsTop]);
    EXPECT_EQ(l.Shown().BorderStyle[xsTop], bstThin);
    l.ToggleBorder(xsTop, false);
    EXPECT_EQ(l.Format(kName).Borders.Top.Style, bstNone);
    EXPECT_FALSE(l.Shown().BorderDown[xsTop]);

    l.SetBorderStyle(xsLeft, bstThick);
    EXPECT_TRUE(l.Shown().BorderDown[xsLeft]);
    l.ToggleBorder(xsLeft, false);
    EXPECT_EQ(l.Format(kName).Borders.Left.Style, bstNone);
    EXPECT_EQ(l.Format(kName).Borders.Right.Style, bstNone);
    EXPECT_EQ(l.Format(kName).Borders.Bottom.Style, bstNone);
}

TEST_F(DialogXLSFormatList, BorderStyleSetsTheToggleAndIsCopied) {
    Select({kName, kCode});
    l.SetBorderStyle(xsBottom, bstDouble);
    EXPECT_EQ(l.Format(kName).Borders.Bottom.Style, bstDouble);
    EXPECT_EQ(l.Format(kCode).Borders.Bottom.Style, bstDouble);
    EXPECT_TRUE(l.Shown().BorderDown[xsBottom]);
    EXPECT_EQ(l.Shown().BorderStyle[xsBottom], bstDouble);
    l.SetBorderStyle(xsBottom, bstNone);
    EXPECT_FALSE(l.Shown().BorderDown[xsBottom]);
    l.SetBorderColor(xsRight, clrTeal);
    EXPECT_EQ(l.Format(kCode).Borders.Right.Color, clrTeal);
    EXPECT_EQ(l.Format(kCode).Borders.Right.Style, bstNone);
}

TEST_F(DialogXLSFormatList, BorderToggleOverDisagreeingStylesGivesNone) {
    // The drop-down shows nothing, not None, so pressing the toggle clears the side.
    Select({kName});
    l.SetBorderStyle(xsRight, bstMedium);
    Select({kCode, kName});
    EXPECT_FALSE(l.Shown().BorderStyle[xsRight].has_value());
    EXPECT_FALSE(l.Shown().BorderDown[xsRight]);
    l.ToggleBorder(xsRight, true);
    EXPECT_EQ(l.Format(kCode).Borders.Right.Style, bstNone);
    EXPECT_EQ(l.Format(kName).Borders.Right.Style, bstNone);
}

TEST_F(DialogXLSFormatList, SizeFromTextAndNothingForTextThatIsNoNumber) {
    Select({kName, kCode});
    l.SetFontSizeText("14");
    EXPECT_EQ(l.Format(kName).Font.Size, 14);
    EXPECT_EQ(l.Format(kCode).Font.Size, 14);
    EXPECT_EQ(l.Shown().FontSize, 14);
    const int before = changes;
    for (const char* text : {"", "abc", "12pt", "1.5"}) l.SetFontSizeText(text);
    EXPECT_EQ(l.Format(kName).Font.Size, 14);
    EXPECT_EQ(changes, before);
    Select({kName});
    l.SetFontSizeText("9");
    Select({kName, kCode});
    EXPECT_FALSE(l.Shown().FontSize.has_value());
}

TEST_F(DialogXLSFormatList, FontColourChangesOnlyForADifferentChoice) {
    Select({kName});
    const int before = changes;
    l.SetFontColor(clrBlack);
    EXPECT_EQ(changes, before);
    Select({kName, kCode});
    l.SetFontColor(clrRed);
    EXPECT_EQ(l.Format(kName).Font.Color, clrRed);
    EXPECT_EQ(l.Format(kCode).Font.Color, clrRed);
}

TEST_F(DialogXLSFormatList, UnderlineAndHorizontalTogglesFallBackWhenReleased) {
    Select({kName, kCode});
    l.SetUnderline(fulSingleAccounting, true);
    EXPECT_EQ(l.Format(kCode).Font.Underline, fulSingleAccounting);
    l.SetUnderline(fulSingleAccounting, false);
    EXPECT_EQ(l.Format(kCode).Font.Underline, fulNone);
    l.SetHorizontal(halFill, true);
    EXPECT_EQ(l.Format(kCode).Alignment.Horizontal, halFill);
    EXPECT_EQ(l.Shown().Horizontal, halFill);
    l.SetHorizontal(halFill, false);
    EXPECT_EQ(l.Format(kCode).Alignment.Horizontal, halGeneral);
}

TEST_F(DialogXLSFormatList, ReleasingAVerticalToggleChangesNothing) {
    Select({kName, kCode});
    l.SetVertical(valTop, true);
    EXPECT_EQ(l.Format(kCode).Alignment.Vertical, valTop);
    l.SetVertical(valTop, false);
    EXPECT_EQ(l.Format(kName).Alignment.Vertical, valTop);
    EXPECT_EQ(l.Format(kCode).Alignment.Vertical, valTop);
    l.SetVertical(valCenter, true);
    EXPECT_EQ(l.Shown().Vertical, valCenter);
}

TEST_F(DialogXLSFormatList, NothingSelectedLeavesControlsInactive) {
    Select({kName});
    l.SetFontSizeText("16");
    SelectNone();
    const TXLSShown s = l.Shown();
    EXPECT_FALSE(s.Active);
    EXPECT_EQ(s.SampleEntry, -1);
    EXPECT_EQ(s.FontSize, 16);  // the controls keep what they showed
    const int before = changes;
    l.SetFontName("Courier New");
    l.SetFontSizeText("30");
    l.SetFontStyle(xfsBold, true);
    l.ToggleBorder(xsTop, true);
    l.SetBackground(clrYellow);
    l.SetPattern(ptChess);
    l.SetAggregate(aggSum);
    l.ResetSelected();
    EXPECT_EQ(changes, before);
    EXPECT_EQ(l.Format(kName).Font.Size, 16);
    for (int i = 0; i < l.Count(); ++i) EXPECT_EQ(l.Format(i).Font.Name, "Arial") << i;
}

TEST_F(DialogXLSFormatList, ResetItemOnCaptionAloneKeepsItBold) {
    Select({kCaption});
    l.SetFontStyle(xfsItalic, true);
    l.SetFontSizeText("20");
    l.ResetSelected();
    EXPECT_TRUE(Bold(kCaption));
    EXPECT_FALSE(l.Format(kCaption).Font.Style.Contains(xfsItalic));
    EXPECT_EQ(l.Format(kCaption).Font.Size, 10);
}

TEST_F(DialogXLSFormatList, ResetSelectedResetsEverySelectedEntryOnly) {
    Select({kName, kCode, kCity});
    l.SetFontStyle(xfsBold, true);
    l.SetAggregate(aggSum);
    l.SetSelected(kCity, false);
    l.ResetSelected();
    EXPECT_TRUE(l.Format(kName).IsDefault());
    EXPECT_EQ(l.Format(kName).Aggregate, aggNone);
    EXPECT_EQ(l.Format(kName).FieldName, "NAME");
    EXPECT_TRUE(l.Format(kCode).IsDefault());
    EXPECT_TRUE(Bold(kCity));
    EXPECT_EQ(l.Format(kCity).Aggregate, aggSum);
}

TEST_F(DialogXLSFormatList, ResetAllAnsweredNoChangesNothing) {
    Select({kHeader, kName});
    l.SetFontStyle(xfsBold, true);
    l.SetSelected(kCode, true);
    int asked = 0;
    l.ResetAll([&] { return ++asked, false; });
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(BoldEntries(), (std::vector<int>{kHeader, kCaption, kName}));
    EXPECT_EQ(l.SelectedCount(), 3);
    EXPECT_EQ(l.Current(), kHeader);
}

TEST_F(DialogXLSFormatList, ResetAllAnsweredYesLeavesOnlyCaptionBoldAndSelectsTheCurrentEntry) {
    Select({kCaption});
    l.SetFontStyle(xfsBold, false);
    Select({kCode, kHeader, kName});
    l.SetFontStyle(xfsBold, true);
    l.SetBorderStyle(xsTop, bstThick);
    l.ResetAll([] { return true; });
    EXPECT_EQ(BoldEntries(), (std::vector<int>{kCaption}));
    for (int i = 0; i < l.Count(); ++i) {
        if (i == kCaption) continue;
        EXPECT_TRUE(l.Format(i).IsDefault()) << i;
    }
    EXPECT_EQ(l.SelectedCount(), 1);
    EXPECT_TRUE(l.IsSelected(kCode));
    EXPECT_EQ(l.Current(), kCode);
}

TEST_F(DialogXLSFormatList, ResetAllWithNothingSelectedSelectsTheFirstEntry) {
    SelectNone();
    l.ResetAll([] { return true; });
    EXPECT_EQ(l.SelectedCount(), 1);
    EXPECT_EQ(l.Current(), kHeader);
}

TEST_F(DialogXLSFormatList, ResetAllOnAnEmptyListAsksNothing) {
    TOstrelXLSFormatList empty;
    bool asked = false;
    empty.ResetAll([&] { return asked = true; });
    EXPECT_FALSE(asked);
    EXPECT_EQ(empty.Count(), 0);
}

TEST_F(DialogXLSFormatList, ExportingNameAndCodeMovesThemBehindTheFixedEntries) {
    l.SelectOnly(kCode);
    l.Sync(TStrings{"name", "CODE"});
    EXPECT_EQ(Texts(), (Strings{"HEADER", "CAPTION", "AGGREGATE", "FOOTER", "NAME", "CODE", "ID", "CITY"}));
    EXPECT_EQ(Marks(), (std::vector<TXLSEntryMark>{xmFixed, xmFixed, xmFixed, xmFixed, xmExported, xmExported,
                                                   xmAvailable, xmAvailable}));
    // The selection moves with its entry.
    EXPECT_TRUE(l.IsSelected(5));
    EXPECT_EQ(l.Current(), 5);
    EXPECT_EQ(l.Shown().SampleEntry, 5);
}

TEST_F(DialogXLSFormatList, ExportOrderIsFollowedAndFormatsMoveWithTheirEntries) {
    Select({kCity});
    l.SetAggregate(aggAvg);
    l.Sync(TStrings{"CITY", "ID"});
    EXPECT_EQ(Texts(), (Strings{"HEADER", "CAPTION", "AGGREGATE", "FOOTER", "CITY", "ID", "NAME", "CODE"}));
    EXPECT_EQ(l.Format(4).Aggregate, aggAvg);
    EXPECT_EQ(l.Format(4).FieldName, "CITY");
    l.Sync(TStrings{"ID"});
    EXPECT_EQ(Texts(), (Strings{"HEADER", "CAPTION", "AGGREGATE", "FOOTER", "ID", "CITY", "NAME", "CODE"}));
    EXPECT_EQ(Marks()[5], xmAvailable);
}

TEST_F(DialogXLSFormatList, NoExportedFieldsMarksEveryFieldExported) {
    l.Sync(TStrings{"NAME"});
    ASSERT_EQ(Marks()[kCity], xmAvailable);
    l.Sync(TStrings{});
    EXPECT_EQ(Marks(), (std::vector<TXLSEntryMark>{xmFixed, xmFixed, xmFixed, xmFixed, xmExported, xmExported,
                                                   xmExported, xmExported}));
    // The order stays as it was.
    EXPECT_EQ(Texts()[4], "NAME");
}

TEST_F(DialogXLSFormatList, ResetAllFormatsAndAssignFormatServeTheOptionsFile) {
    Select({kName, kCode});
    l.SetFontStyle(xfsItalic, true);
    l.ResetAllFormats();
    EXPECT_EQ(BoldEntries(), (std::vector<int>{kCaption}));
    EXPECT_FALSE(l.Format(kName).Font.Style.Contains(xfsItalic));
    EXPECT_EQ(l.SelectedCount(), 2);

    TxlsFieldFormat loaded;
    loaded.Font.Size = 18;
    loaded.Aggregate = aggMin;
    loaded.FieldName = "OTHER";
    const int before = changes;
    l.AssignFormat(kCode, loaded);
    EXPECT_GT(changes, before);
    EXPECT_EQ(l.Format(kCode).Font.Size, 18);
    EXPECT_EQ(l.Format(kCode).Aggregate, aggMin);
    EXPECT_EQ(l.Format(kCode).FieldName, "CODE");
    EXPECT_EQ(l.IndexOf("code"), kCode);
    EXPECT_EQ(l.IndexOf("caption"), kCaption);
    EXPECT_EQ(l.IndexOf("MISSING"), -1);
}

}  // namespace
}  // namespace ostrel::test
