#include "dialog/DialogUserFormats.h"

#include <algorithm>

#include "dialog/IB_OstrelDialog.h"
#include "platform/FormatSettings.h"

namespace ostrel {

namespace {

// Only these types are formatted through a pattern, so only they take a user format.
bool TakesUserFormat(TOstrelColType type) {
    switch (type) {
        case ectInteger:
        case ectFloat:
        case ectCurrency:
        case ectDate:
        case ectTime:
        case ectDateTime: return true;
        default: return false;
    }
}

}  // namespace

std::vector<std::string> FormatPresets(TOstrelColType type) {
    const TFormatSettings& fs = FormatSettings();
    const std::string& shortDate = fs.ShortDateFormat;
    const std::string& longDate = fs.LongDateFormat;
    const std::string& shortTime = fs.ShortTimeFormat;
    const std::string& longTime = fs.LongTimeFormat;
    switch (type) {
        case ectInteger: return {"#,###,##0", "0"};
        case ectFloat: return {"#,###,##0.00", "#,###,##0.000", "#,###,##0.0000", "0.00"};
        case ectCurrency: return {"00.00" + fs.CurrencyString};
        case ectDate: return {shortDate, longDate};
        case ectTime: return {shortTime, longTime};
        case ectDateTime:
            return {shortDate,
                    longDate,
                    shortDate + " " + shortTime,
                    shortDate + " " + longTime,
                    longDate + " " + shortTime,
                    longDate + " " + longTime,
                    shortTime,
                    longTime};
        default: return {};
    }
}

void TOstrelDialogUserFormats::Fill(const TOstrelDialogColumns& columns, const TOstrelFormats& standard) {
    FFieldChoice.clear();
    FRows.clear();
    for (int i = 0; i < columns.Count(); ++i) {
        const TOstrelDialogColumn& c = columns[i];
        if (!TakesUserFormat(c.ColType)) continue;
        FFieldChoice.push_back({c.Name, c.ColType});
        if (!SameText(c.Format, standard.FormatOfType(c.ColType))) FRows.push_back({c.Name, c.Format});
    }
    FChosenField = -1;
    FPresets.clear();
    FPresetText.clear();
    FSelected = -1;
    Changed();
}

void TOstrelDialogUserFormats::ChooseField(int index) {
    const bool valid = index >= 0 && index < static_cast<int>(FFieldChoice.size());
    FChosenField = valid ? index : -1;
    FPresets = valid ? FormatPresets(FFieldChoice[index].Type) : std::vector<std::string>{};
    FPresetText = FPresets.empty() ? std::string() : FPresets.front();
    Changed();
}

void TOstrelDialogUserFormats::SetPresetText(const std::string& text) {
    if (FPresetText == text) return;
    FPresetText = text;
    Changed();
}

void TOstrelDialogUserFormats::SetRows(std::vector<TUserFormatRow> rows) {
    FRows = std::move(rows);
    FSelected = -1;
    Changed();
}

void TOstrelDialogUserFormats::Select(int index) {
    const int selected = index >= 0 && index < static_cast<int>(FRows.size()) ? index : -1;
    if (FSelected == selected) return;
    FSelected = selected;
    Changed();
}

void TOstrelDialogUserFormats::Add() {
    // Without a chosen field the row would name no column, so a typed preset alone adds nothing.
    if (FPresetText.empty() || FChosenField < 0) return;
    const std::string& field = FFieldChoice[FChosenField].Name;
    std::erase_if(FRows, [&field](const TUserFormatRow& row) { return SameText(row.Field, field); });
    FRows.push_back({field, FPresetText});
    FSelected = static_cast<int>(FRows.size()) - 1;
    Changed();
}

void TOstrelDialogUserFormats::Edit(const std::function<bool(std::string& format)>& ask) {
    if (FSelected < 0) return;
    std::string text = FRows[FSelected].Format;
    if (!ask(text) || text == FRows[FSelected].Format) return;
    FRows[FSelected].Format = text;
    Changed();
}

void TOstrelDialogUserFormats::Delete() {
    if (FSelected < 0) return;
    FRows.erase(FRows.begin() + FSelected);
    FSelected = FRows.empty() ? -1 : 0;
    Changed();
}

void TOstrelDialogUserFormats::Clear() {
    while (FSelected >= 0) Delete();
}

void TOstrelDialogUserFormats::Changed() {
    if (OnChanged) OnChanged();
}

}  // namespace ostrel
