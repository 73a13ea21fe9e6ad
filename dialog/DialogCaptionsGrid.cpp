// Placeholder until the captions page is built.
#include "dialog/DialogCaptionsGrid.h"

namespace ostrel {

TCaptionsGridLayout CaptionsGridLayout(int) { return {}; }
void TOstrelCaptionsGrid::Fill(const TOstrelDialogColumns&) {}
void TOstrelCaptionsGrid::Layout(int, const TOstrelDialogColumns&) {}
const std::string& TOstrelCaptionsGrid::Cell(int col, int row) const { return FRows.at(row).at(col); }
void TOstrelCaptionsGrid::SetCell(int col, int row, const std::string& text) { FRows.at(row).at(col) = text; }
std::string TOstrelCaptionsGrid::HeaderText(int) const { return {}; }
int TOstrelCaptionsGrid::WidthOfCell(const std::string&) { return 0; }

}  // namespace ostrel
