// The captions page's grid without a window: rows from the dialog columns, the layout of every
// export type, widths and alignments refilled on every type change, the header row and the
// width editor's reading of a cell.
#include "TestSupport.h"

#include "dialog/DialogCaptionsGrid.h"
#include "dialog/IB_OstrelConsts.h"
#include "dialog/IB_OstrelDialog.h"
#include "platform/Errors.h"

namespace ostrel::test {
namespace {

using Strings = std::vector<std::string>;

class DialogCaptionsGrid : public ::testing::Test {
protected:
    void SetUp() override {
        Column("ID", "Number", 6, ecaRight);
        Column("NAME", "Full name", 20, ecaLeft);
        Column("CITY", "Town", 12, ecaCenter);
        g.Fill(d.DialogColumns());
    }
    void Column(const char* name, const char* caption, int width, TOstrelColAlign align) {
        TOstrelDialogColumn& c = d.DialogColumns().Add();
        c.Name = name;
        c.Caption = caption;
        c.Width = width;
        c.Align = align;
    }
    Strings Col(int col) const {
        Strings cells;
        for (int row = 0; row < g.RowCount(); ++row) cells.push_back(g.Cell(col, row));
        return cells;
    }
    Strings Headers() const {
        Strings texts;
        for (int col = 0; col < g.CurrentLayout().ColCount; ++col) texts.push_back(g.HeaderText(col));
        return texts;
    }

    TIB_OstrelDialog d;
    TOstrelCaptionsGrid g;
};

TEST_F(DialogCaptionsGrid, OneRowPerColumnWithNameAndCaption) {
    EXPECT_EQ(g.RowCount(), 3);
    EXPECT_EQ(Col(0), (Strings{"ID", "NAME", "CITY"}));
    EXPECT_EQ(Col(1), (Strings{"Number", "Full name", "Town"}));
    d.DialogColumns().Delete(1);
    g.Fill(d.DialogColumns());
    EXPECT_EQ(Col(0), (Strings{"ID", "CITY"}));
}

TEST_F(DialogCaptionsGrid, LayoutOfEveryExportType) {
    struct TExpected {
        int Cols;
        std::vector<int> Widths;
        int WidthCol, AlignCol;
        const char* PageText;
        Strings Headers;
    };
    const TExpected excel{3, {190, 190, 60}, 2, -1, "Caption && Width", {"Field name", "Caption", "Width"}};
    const TExpected html{3, {190, 190, 60}, -1, 2, "Caption && Align", {"Field name", "Caption", "Align"}};
    const TExpected text{4, {159, 159, 60, 60}, 3, 2, "Caption && Width && Align",
                         {"Field name", "Caption", "Align", "Width"}};
    const TExpected plain{2, {220, 220}, -1, -1, "Caption", {"Field name", "Caption"}};
    const TExpected* byType[kExportTypeCount] = {&excel, &text,  &text,  &html,  &plain, &plain, &text,
                                                 &plain, &plain, &plain, &plain, &plain, &plain};
    for (int type = 0; type < kExportTypeCount; ++type) {
        const TExpected& e = *byType[type];
        g.Layout(type, d.DialogColumns());
        const TCaptionsGridLayout& l = g.CurrentLayout();
        EXPECT_EQ(l.ColCount, e.Cols) << type;
        EXPECT_EQ(l.Widths, e.Widths) << type;
        EXPECT_EQ(l.WidthCol, e.WidthCol) << type;
        EXPECT_EQ(l.AlignCol, e.AlignCol) << type;
        EXPECT_EQ(l.PageText, e.PageText) << type;
        EXPECT_EQ(Headers(), e.Headers) << type;
    }
}

TEST_F(DialogCaptionsGrid, TextsComeFromTheTextTable) {
    SetDialogText(sCaptionsPageAnd, " + ");
    SetDialogText(sCaptionsPageWidth, "Breite");
    SetDialogText(sAlignRight, "Rechts");
    SetDialogText(sWidthHeader, "BREITE");
    g.Layout(aeRTF, d.DialogColumns());
    ResetDialogTexts();
    EXPECT_EQ(g.CurrentLayout().PageText, "Caption + Breite + Align");
    EXPECT_EQ(g.Cell(2, 0), "Rechts");
    SetDialogText(sWidthHeader, "BREITE");
    EXPECT_EQ(g.HeaderText(3), "BREITE");
    ResetDialogTexts();
}

TEST_F(DialogCaptionsGrid, TypeChangesRefillWidthsAndAlignmentsDiscardingEdits) {
    g.Layout(aeXLS, d.DialogColumns());
    EXPECT_EQ(Col(2), (Strings{"6", "20", "12"}));
    g.SetCell(2, 1, "35");  // typed before the switch
    g.SetCell(1, 1, "Name");
    g.Layout(aeTXT, d.DialogColumns());
    EXPECT_EQ(g.CurrentLayout().ColCount, 4);
    EXPECT_EQ(Col(2), (Strings{"Right", "Left", "Center"}));
    EXPECT_EQ(Col(3), (Strings{"6", "20", "12"}));
    EXPECT_EQ(g.Cell(1, 1), "Name");  // captions stay

    g.SetCell(2, 0, "None");
    g.Layout(aeHTML, d.DialogColumns());
    EXPECT_EQ(Col(2), (Strings{"Right", "Left", "Center"}));
    g.SetCell(2, 0, "Left");
    g.Layout(aeCSV, d.DialogColumns());  // nothing to refill
    EXPECT_EQ(g.Cell(2, 0), "Left");
    g.Layout(aeXLS, d.DialogColumns());
    EXPECT_EQ(Col(2), (Strings{"6", "20", "12"}));
}

TEST_F(DialogCaptionsGrid, RowsAreFoundByNameWithoutRegardToCase) {
    // A renamed row keeps its cells; a row whose name differs only in case is refilled.
    g.SetCell(0, 0, "id");
    g.SetCell(0, 1, "OTHER");
    g.SetCell(2, 1, "99");
    g.Layout(aeXLS, d.DialogColumns());
    EXPECT_EQ(Col(2), (Strings{"6", "99", "12"}));
}

TEST_F(DialogCaptionsGrid, EveryChangeIsAnnouncedAndUnchangedCellsAreNot) {
    int changes = 0;
    g.OnChanged = [&changes] { ++changes; };
    g.Layout(aeXLS, d.DialogColumns());
    EXPECT_EQ(changes, 1);
    g.SetCell(1, 0, "Number");
    EXPECT_EQ(changes, 1);
    g.SetCell(1, 0, "No.");
    EXPECT_EQ(changes, 2);
    g.Fill(d.DialogColumns());
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(g.Cell(1, 0), "Number");
}

TEST(DialogCaptionsGridWidth, WidthOfCellReadsAWholeNumberOrFails) {
    EXPECT_EQ(TOstrelCaptionsGrid::WidthOfCell("12"), 12);
    EXPECT_EQ(TOstrelCaptionsGrid::WidthOfCell("0"), 0);
    for (const char* text : {"", "abc", "1.5", "12x"}) {
        try {
            TOstrelCaptionsGrid::WidthOfCell(text);
            ADD_FAILURE() << '"' << text << "\" was read";
        } catch (const EConvertError& e) {
            EXPECT_EQ(std::string(e.what()), "'" + std::string(text) + "' is not a valid integer value");
        }
    }
}

}  // namespace
}  // namespace ostrel::test
