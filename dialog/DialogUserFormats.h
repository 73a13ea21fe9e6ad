// The formats page's user formats: the format-field choice, the presets of the chosen field's
// type, and the list of field = format rows with Add, Edit, Delete and Clear.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/IB_OstrelCommon.h"
#include "engine/IB_OstrelFormats.h"

namespace ostrel {

class TOstrelDialogColumns;

struct TFormatFieldItem {
    std::string Name;
    TOstrelColType Type = ectUnknown;
};

struct TUserFormatRow {
    std::string Field;
    std::string Format;
    bool operator==(const TUserFormatRow&) const = default;
};

// The presets offered for a column type, in the locale of this moment.
std::vector<std::string> FormatPresets(TOstrelColType type);

class TOstrelDialogUserFormats {
public:
    // The choice gets the columns of the six formatted types; the list gets the columns whose
    // format differs (without regard to case) from the standard format of their type.
    void Fill(const TOstrelDialogColumns& columns, const TOstrelFormats& standard);

    const std::vector<TFormatFieldItem>& FieldChoice() const { return FFieldChoice; }
    int ChosenField() const { return FChosenField; }
    // Refills the presets for the field's type and takes the first; -1 empties them.
    void ChooseField(int index);
    const std::vector<std::string>& Presets() const { return FPresets; }
    const std::string& PresetText() const { return FPresetText; }
    void SetPresetText(const std::string& text);

    const std::vector<TUserFormatRow>& Rows() const { return FRows; }
    // Replaces the list (an options file); no row stays selected.
    void SetRows(std::vector<TUserFormatRow> rows);
    int Selected() const { return FSelected; }
    // An index outside the list selects nothing.
    void Select(int index);

    // The chosen field with the preset text replaces that field's rows and is selected; nothing
    // without preset text or chosen field.
    void Add();
    // "Edit": `ask` gets the selected row's format and returns false when the user cancelled.
    void Edit(const std::function<bool(std::string& format)>& ask);
    // Deletes the selected row and selects the first remaining one.
    void Delete();
    // Deletes while a row is selected.
    void Clear();
    // "Edit", "Delete" and "Clear" are enabled when the list has rows.
    bool ButtonsEnabled() const { return !FRows.empty(); }

    // Told after every change of the choice, the presets or the list.
    std::function<void()> OnChanged;

private:
    void Changed();

    std::vector<TFormatFieldItem> FFieldChoice;
    int FChosenField = -1;
    std::vector<std::string> FPresets;
    std::string FPresetText;
    std::vector<TUserFormatRow> FRows;
    int FSelected = -1;
};

}  // namespace ostrel
