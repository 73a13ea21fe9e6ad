#include "dialog/DialogCaptionsGrid.h"

#include <string>

#include "dialog/IB_OstrelConsts.h"
#include "dialog/IB_OstrelDialog.h"
#include "platform/Errors.h"
#include "platform/Parsers.h"

namespace ostrel {

namespace {

constexpr int kCellsPerRow = 4;

std::string PageText(std::initializer_list<TDialogText> pieces) {
    std::string text;
    for (TDialogText piece : pieces) text += DialogText(piece);
    return text;
}

const std::string& AlignText(TOstrelColAlign align) {
    switch (align) {
        case ecaCenter: return DialogText(sAlignCenter);
        case ecaRight: return DialogText(sAlignRight);
        default: return DialogText(sAlignLeft);
    }
}

}  // namespace

TCaptionsGridLayout CaptionsGridLayout(int exportType) {
    switch (exportType) {
        case aeXLS:
            return {3, {190, 190, 60}, 2, -1,
                    PageText({sCaptionsPageCaption, sCaptionsPageAnd, sCaptionsPageWidth})};
        case aeHTML:
            return {3, {190, 190, 60}, -1, 2,
                    PageText({sCaptionsPageCaption, sCaptionsPageAnd, sCaptionsPageAlign})};
        case aeWord:
        case aeRTF:
        case aeTXT:
            return {4, {159, 159, 60, 60}, 3, 2,
                    PageText({sCaptionsPageCaption, sCaptionsPageAnd, sCaptionsPageWidth, sCaptionsPageAnd,
                              sCaptionsPageAlign})};
        default: return {2, {220, 220}, -1, -1, PageText({sCaptionsPageCaption})};
    }
}

void TOstrelCaptionsGrid::Fill(const TOstrelDialogColumns& columns) {
    FRows.clear();
    for (int i = 0; i < columns.Count(); ++i) {
        std::vector<std::string> row(kCellsPerRow);
        row[0] = columns[i].Name;
        row[1] = columns[i].Caption;
        FRows.push_back(std::move(row));
    }
    Changed();
}

void TOstrelCaptionsGrid::Layout(int exportType, const TOstrelDialogColumns& columns) {
    FLayout = CaptionsGridLayout(exportType);
    // Every row of a column's name takes its width and alignment, whatever was typed there.
    for (int i = 0; i < columns.Count(); ++i) {
        const TOstrelDialogColumn& c = columns[i];
        for (auto& row : FRows) {
            if (!SameText(row[0], c.Name)) continue;
            if (FLayout.AlignCol >= 0) row[FLayout.AlignCol] = AlignText(c.Align);
            if (FLayout.WidthCol >= 0) row[FLayout.WidthCol] = std::to_string(c.Width);
        }
    }
    Changed();
}

const std::string& TOstrelCaptionsGrid::Cell(int col, int row) const { return FRows.at(row).at(col); }

void TOstrelCaptionsGrid::SetCell(int col, int row, const std::string& text) {
    std::string& cell = FRows.at(row).at(col);
    if (cell == text) return;
    cell = text;
    Changed();
}

std::string TOstrelCaptionsGrid::HeaderText(int col) const {
    switch (col) {
        case 0: return DialogText(sFieldNameHeader);
        case 1: return DialogText(sCaptionHeader);
        case 2: return DialogText(FLayout.WidthCol == 2 ? sWidthHeader : sAlignHeader);
        case 3: return DialogText(sWidthHeader);
        default: return {};
    }
}

int TOstrelCaptionsGrid::WidthOfCell(const std::string& text) {
    int32_t width = 0;
    if (!TryStrToInt(text, width)) throw EConvertError(FormatMessage(DialogText(sNotAnInteger), text));
    return width;
}

void TOstrelCaptionsGrid::Changed() {
    if (OnChanged) OnChanged();
}

}  // namespace ostrel
