// The Excel format list of the "&Excel Options" page: one cell format per kind of cell (the four
// fixed entries HEADER, CAPTION, AGGREGATE, FOOTER, then one per field), several of which can be
// selected and edited together. The controls of the page show `Shown()` and call the editing
// operations; the painting of the sample cell, the drop-down items and the colour bars is the
// view's, from `Shown()` and `Format()`.
//
// "Reset all" asks first; the view shows the question
//   text  "All field formats will be reset the default values.\r\nAre you sure?"
//   title "Attention!"
// with Yes and No, a warning icon and No as the default, and passes the answer in as `confirm`.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/Classes.h"
#include "exporters/sheet/IB_OstrelXLSFormats.h"

namespace ostrel {

class TOstrelDialogColumns;

enum TXLSEntryMark : int { xmFixed = 0, xmExported = 1, xmAvailable = 2 };

// The border sides in the order of the borders page.
enum TXLSSide : int { xsTop = 0, xsBottom = 1, xsLeft = 2, xsRight = 3 };
constexpr int kXLSSideCount = 4;

// The fixed entries, always the first four.
enum TXLSFixedEntry : int { xfeHeader = 0, xfeCaption = 1, xfeAggregate = 2, xfeFooter = 3 };
constexpr int kXLSFixedCount = 4;

// Which text the reset button carries: "Reset item" (one entry) or "Reset selected" (several).
enum TXLSResetText : int { xrtItem = 0, xrtSelected = 1 };

struct TXLSFormatEntry {
    std::string Text;
    bool Fixed = false;
    TXLSEntryMark Mark = xmFixed;
    bool Selected = false;
    // Field entries carry their field name in it; a fixed entry's aggregate is never used.
    std::unique_ptr<TxlsFieldFormat> Format = std::make_unique<TxlsFieldFormat>();
};

// What the controls of the page show. Optional values are empty where the selected entries
// disagree (the control then shows nothing); everything else is the current entry's.
struct TXLSShown {
    bool Active = false;  // an entry is selected; without one the controls do nothing
    TXLSResetText ResetText = xrtItem;

    std::optional<std::string> FontName;
    std::optional<int> FontSize;
    TxlsColor FontColor = clrBlack;
    bool Bold = false, Italic = false, StrikeOut = false;
    TxlsFontUnderline Underline = fulNone;           // the toggle down; fulNone: none
    TxlsHorizontalAlignment Horizontal = halGeneral;  // halGeneral: no toggle down
    TxlsVerticalAlignment Vertical = valBottom;       // valJustify: no toggle down

    std::array<bool, kXLSSideCount> BorderDown{};
    std::array<std::optional<TxlsBorderStyle>, kXLSSideCount> BorderStyle{};
    std::array<TxlsColor, kXLSSideCount> BorderColor{};

    std::optional<TxlsPattern> Pattern;
    TxlsColor Background = clrWhite;
    TxlsColor Foreground = clrBlack;

    bool AggregateEnabled = false;
    std::optional<TxlsAggregate> Aggregate;  // empty: no item of the group selected

    int SampleEntry = -1;  // the entry the sample cell paints; -1: none
};

class TOstrelXLSFormatList {
public:
    // The fixed entries copy the four formats of the options; one field entry per column with
    // the default format and the exported mark (nothing chosen on the fields page means every
    // field is exported). The first entry is selected and current.
    void Fill(const TXLSOptions& options, const TOstrelDialogColumns& columns);
    // Brings the list in line with the exported names of the fields page (empty: all exported):
    // the exported field entries move to positions 4, 5, ... in export order with the exported
    // mark; the others follow with the available mark.
    void Sync(const TStrings& exportedNames);

    int Count() const { return static_cast<int>(FEntries.size()); }
    const TXLSFormatEntry& Entry(int index) const { return *FEntries.at(index); }
    const TxlsFieldFormat& Format(int index) const { return *FEntries.at(index)->Format; }
    const TxlsFieldFormat& FixedFormat(TXLSFixedEntry which) const { return Format(which); }
    // The first entry whose text equals `text` without regard to case, or -1.
    int IndexOf(const std::string& text) const;

    // Selection. The current entry is the one the controls show and edit: the only selected
    // one; with several selected the one that was current while it stays selected, else the
    // first selected in list order; -1 when none is selected.
    void SetSelected(int index, bool selected);
    void SelectOnly(int index);
    bool IsSelected(int index) const { return Entry(index).Selected; }
    int SelectedCount() const;
    int Current() const;

    // With nothing selected: what was shown last, inactive and without a sample entry (the
    // controls keep their values but do nothing).
    TXLSShown Shown() const;

    // Editing. Each acts only while an entry is selected: it changes the current entry, then
    // copies the attribute to every other selected entry.
    void SetFontName(const std::string& name);
    // Text that is not a whole number changes nothing.
    void SetFontSizeText(const std::string& text);
    // A colour equal to the current font colour changes nothing.
    void SetFontColor(TxlsColor color);
    void SetFontStyle(TxlsFontStyle style, bool down);
    // `kind` is the toggle's underline (not fulNone); up means fulNone.
    void SetUnderline(TxlsFontUnderline kind, bool down);
    // `kind` is the toggle's alignment (not halGeneral); up means halGeneral.
    void SetHorizontal(TxlsHorizontalAlignment kind, bool down);
    // Releasing a vertical toggle changes nothing.
    void SetVertical(TxlsVerticalAlignment kind, bool down);
    // The toggle of a side: down while the style drop-down shows bstNone gives bstThin,
    // anything else bstNone.
    void ToggleBorder(TXLSSide side, bool down);
    void SetBorderStyle(TXLSSide side, TxlsBorderStyle style);
    void SetBorderColor(TXLSSide side, TxlsColor color);
    // A background other than white over no pattern makes the pattern solid.
    void SetBackground(TxlsColor color);
    void SetForeground(TxlsColor color);
    // No pattern over a background other than white makes the background white.
    void SetPattern(TxlsPattern pattern);
    // Only when the current entry is a field entry.
    void SetAggregate(TxlsAggregate aggregate);

    // "Reset item" / "Reset selected": every selected entry to the defaults, CAPTION bold.
    void ResetSelected();
    // "Reset all": asks `confirm` when the list has entries; unless it says no, every entry is
    // reset and the entry that was current (or the first) becomes the only selected one.
    void ResetAll(const std::function<bool()>& confirm);
    // Every entry to the defaults, CAPTION bold; the selection stays (loading an options file).
    void ResetAllFormats();
    // Replaces an entry's format (the field name stays), for loading an options file.
    void AssignFormat(int index, const TxlsFieldFormat& format);

    // Told after every change of the entries, their order, marks, selection or formats.
    std::function<void()> OnChanged;

private:
    using TEntryPtr = std::unique_ptr<TXLSFormatEntry>;
    using TChange = std::function<void(TxlsFieldFormat&)>;
    using TCopy = std::function<void(TxlsFieldFormat& to, const TxlsFieldFormat& from)>;

    TXLSFormatEntry* CurrentEntry() const { return FCurrent; }
    void SelectionChanged();
    void Changed();
    TXLSShown Compute() const;
    // Changes the current entry, then copies the attribute from it to the other selected
    // entries; false when nothing is selected.
    bool Apply(const TChange& change, const TCopy& copy);
    void Edit(const TChange& change, const TCopy& copy);
    void ResetEntry(TXLSFormatEntry& entry);
    void ResetEntries();

    std::vector<TEntryPtr> FEntries;
    TXLSFormatEntry* FCurrent = nullptr;  // always a selected entry, or none
    TXLSShown FLastShown;                  // what stays on the controls while nothing is selected
};

}  // namespace ostrel
