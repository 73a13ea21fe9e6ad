// Placeholder until the formats page is built.
#include "dialog/DialogUserFormats.h"

namespace ostrel {

std::vector<std::string> FormatPresets(TOstrelColType) { return {}; }
void TOstrelDialogUserFormats::Fill(const TOstrelDialogColumns&, const TOstrelFormats&) {}
void TOstrelDialogUserFormats::ChooseField(int index) { FChosenField = index; }
void TOstrelDialogUserFormats::SetPresetText(const std::string& text) { FPresetText = text; }
void TOstrelDialogUserFormats::SetRows(std::vector<TUserFormatRow> rows) { FRows = std::move(rows); }
void TOstrelDialogUserFormats::Select(int index) { FSelected = index; }
void TOstrelDialogUserFormats::Add() {}
void TOstrelDialogUserFormats::Edit(const std::function<bool(std::string&)>&) {}
void TOstrelDialogUserFormats::Delete() {}
void TOstrelDialogUserFormats::Clear() {}
void TOstrelDialogUserFormats::Changed() {}

}  // namespace ostrel
