#include "dialog/DialogXLSFormatList.h"

#include <algorithm>

#include "dialog/IB_OstrelDialog.h"
#include "platform/Parsers.h"

namespace ostrel {

namespace {

using TFormat = TxlsFieldFormat;

constexpr const char* kFixedTexts[kXLSFixedCount] = {"HEADER", "CAPTION", "AGGREGATE", "FOOTER"};
constexpr const char* kCaptionText = "CAPTION";

template <class F>
auto& SideOf(F& format, TXLSSide side) {
    switch (side) {
        case xsTop: return format.Borders.Top;
        case xsBottom: return format.Borders.Bottom;
        case xsLeft: return format.Borders.Left;
        case xsRight: break;
    }
    return format.Borders.Right;
}

// Attribute accessors, usable on a format being changed and on the one copied from.
constexpr auto kFontName = [](auto& f) -> auto& { return f.Font.Name; };
constexpr auto kFontSize = [](auto& f) -> auto& { return f.Font.Size; };
constexpr auto kFontColor = [](auto& f) -> auto& { return f.Font.Color; };
constexpr auto kUnderline = [](auto& f) -> auto& { return f.Font.Underline; };
constexpr auto kHorizontal = [](auto& f) -> auto& { return f.Alignment.Horizontal; };
constexpr auto kVertical = [](auto& f) -> auto& { return f.Alignment.Vertical; };
constexpr auto kBackground = [](auto& f) -> auto& { return f.Fill.Background; };
constexpr auto kForeground = [](auto& f) -> auto& { return f.Fill.Foreground; };
constexpr auto kPattern = [](auto& f) -> auto& { return f.Fill.Pattern; };
constexpr auto kAggregate = [](auto& f) -> auto& { return f.Aggregate; };

auto SideStyle(TXLSSide side) {
    return [side](auto& f) -> auto& { return SideOf(f, side).Style; };
}
auto SideColor(TXLSSide side) {
    return [side](auto& f) -> auto& { return SideOf(f, side).Color; };
}

template <class Get, class T>
auto Put(Get get, T value) {
    return [get, value](TFormat& f) { get(f) = value; };
}
template <class Get>
auto CopyOf(Get get) {
    return [get](TFormat& to, const TFormat& from) { get(to) = get(from); };
}

void SetStyle(TxlsFontStyles& styles, TxlsFontStyle style, bool on) {
    if (on)
        styles.Include(style);
    else
        styles.Exclude(style);
}

}  // namespace

void TOstrelXLSFormatList::Fill(const TXLSOptions& options, const TOstrelDialogColumns& columns) {
    FEntries.clear();
    FCurrent = nullptr;
    const TxlsFormat* fixed[kXLSFixedCount] = {&options.HeaderFormat, &options.CaptionsFormat,
                                                &options.AggregateFormat, &options.FooterFormat};
    for (int i = 0; i < kXLSFixedCount; ++i) {
        auto entry = std::make_unique<TXLSFormatEntry>();
        entry->Text = kFixedTexts[i];
        entry->Fixed = true;
        entry->Mark = xmFixed;
        entry->Format->Assign(*fixed[i]);
        FEntries.push_back(std::move(entry));
    }
    for (int i = 0; i < columns.Count(); ++i) {
        auto entry = std::make_unique<TXLSFormatEntry>();
        entry->Text = columns[i].Name;
        entry->Mark = xmExported;
        entry->Format->FieldName = columns[i].Name;
        FEntries.push_back(std::move(entry));
    }
    FEntries.front()->Selected = true;
    FCurrent = FEntries.front().get();
    Changed();
}

void TOstrelXLSFormatList::Sync(const TStrings& exportedNames) {
    const int first = std::min(kXLSFixedCount, Count());
    if (exportedNames.Empty()) {
        for (int i = first; i < Count(); ++i) FEntries[i]->Mark = xmExported;
        Changed();
        return;
    }
    for (int k = 0; k < exportedNames.Count(); ++k) {
        auto found = std::find_if(FEntries.begin() + first, FEntries.end(), [&](const TEntryPtr& e) {
            return SameText(e->Text, exportedNames[k]);
        });
        if (found == FEntries.end()) continue;
        TEntryPtr entry = std::move(*found);
        FEntries.erase(found);
        entry->Mark = xmExported;
        const int position = std::min(kXLSFixedCount + k, Count());
        FEntries.insert(FEntries.begin() + position, std::move(entry));
    }
    for (int i = first; i < Count(); ++i)
        if (exportedNames.IndexOf(FEntries[i]->Text) < 0) FEntries[i]->Mark = xmAvailable;
    Changed();
}

int TOstrelXLSFormatList::IndexOf(const std::string& text) const {
    for (int i = 0; i < Count(); ++i)
        if (SameText(FEntries[i]->Text, text)) return i;
    return -1;
}

void TOstrelXLSFormatList::SetSelected(int index, bool selected) {
    FEntries.at(index)->Selected = selected;
    SelectionChanged();
    Changed();
}

void TOstrelXLSFormatList::SelectOnly(int index) {
    TXLSFormatEntry* chosen = FEntries.at(index).get();
    for (auto& e : FEntries) e->Selected = e.get() == chosen;
    SelectionChanged();
    Changed();
}

int TOstrelXLSFormatList::SelectedCount() const {
    return static_cast<int>(std::count_if(FEntries.begin(), FEntries.end(), [](const TEntryPtr& e) { return e->Selected; }));
}

int TOstrelXLSFormatList::Current() const {
    for (int i = 0; i < Count(); ++i)
        if (FEntries[i].get() == FCurrent) return i;
    return -1;
}

void TOstrelXLSFormatList::SelectionChanged() {
    // A current entry that is no longer selected gives way to the first selected one, so that
    // edits never reach an entry the user cannot see as selected.
    if (FCurrent && FCurrent->Selected && SelectedCount() > 1) return;
    FCurrent = nullptr;
    for (auto& e : FEntries)
        if (e->Selected) {
            FCurrent = e.get();
            break;
        }
}

TXLSShown TOstrelXLSFormatList::Shown() const {
    if (FCurrent) return Compute();
    TXLSShown shown = FLastShown;
    shown.Active = false;
    shown.SampleEntry = -1;
    return shown;
}

TXLSShown TOstrelXLSFormatList::Compute() const {
    const TFormat& cur = *FCurrent->Format;
    std::vector<const TXLSFormatEntry*> others;
    for (const auto& e : FEntries)
        if (e->Selected && e.get() != FCurrent) others.push_back(e.get());
    const auto agree = [&](auto get) {
        return std::all_of(others.begin(), others.end(), [&](const TXLSFormatEntry* e) { return get(*e->Format) == get(cur); });
    };
    const auto common = [&](auto get) -> std::optional<std::remove_cvref_t<decltype(get(cur))>> {
        if (agree(get)) return get(cur);
        return std::nullopt;
    };

    TXLSShown s;
    s.Active = true;
    s.ResetText = others.empty() ? xrtItem : xrtSelected;
    if (std::all_of(others.begin(), others.end(), [&](const TXLSFormatEntry* e) { return SameText(e->Format->Font.Name, cur.Font.Name); }))
        s.FontName = cur.Font.Name;
    s.FontSize = common(kFontSize);
    s.FontColor = cur.Font.Color;
    s.Bold = cur.Font.Style.Contains(xfsBold);
    s.Italic = cur.Font.Style.Contains(xfsItalic);
    s.StrikeOut = cur.Font.Style.Contains(xfsStrikeOut);
    s.Underline = cur.Font.Underline;
    s.Horizontal = cur.Alignment.Horizontal;
    s.Vertical = cur.Alignment.Vertical;
    for (int side = 0; side < kXLSSideCount; ++side) {
        const TxlsBorder& border = SideOf(cur, static_cast<TXLSSide>(side));
        s.BorderDown[side] = border.Style != bstNone;
        s.BorderStyle[side] = common(SideStyle(static_cast<TXLSSide>(side)));
        s.BorderColor[side] = border.Color;
    }
    s.Pattern = common(kPattern);
    s.Background = cur.Fill.Background;
    s.Foreground = cur.Fill.Foreground;
    // One entry: the group serves field entries only. Several: every other selected entry must
    // be a field entry.
    s.AggregateEnabled = others.empty() ? !FCurrent->Fixed
                                        : std::none_of(others.begin(), others.end(), [](const TXLSFormatEntry* e) { return e->Fixed; });
    if (s.AggregateEnabled) s.Aggregate = common(kAggregate);
    s.SampleEntry = Current();
    return s;
}

bool TOstrelXLSFormatList::Apply(const TChange& change, const TCopy& copy) {
    if (!FCurrent) return false;
    change(*FCurrent->Format);
    for (auto& e : FEntries)
        if (e->Selected && e.get() != FCurrent) copy(*e->Format, *FCurrent->Format);
    return true;
}

void TOstrelXLSFormatList::Edit(const TChange& change, const TCopy& copy) {
    if (Apply(change, copy)) Changed();
}

void TOstrelXLSFormatList::SetFontName(const std::string& name) { Edit(Put(kFontName, name), CopyOf(kFontName)); }

void TOstrelXLSFormatList::SetFontSizeText(const std::string& text) {
    int32_t size = 0;
    if (!TryStrToInt(text, size)) return;
    Edit(Put(kFontSize, static_cast<int>(size)), CopyOf(kFontSize));
}

void TOstrelXLSFormatList::SetFontColor(TxlsColor color) {
    if (!FCurrent || FCurrent->Format->Font.Color == color) return;
    Edit(Put(kFontColor, color), CopyOf(kFontColor));
}

void TOstrelXLSFormatList::SetFontStyle(TxlsFontStyle style, bool down) {
    Edit([=](TFormat& f) { SetStyle(f.Font.Style, style, down); },
         [=](TFormat& to, const TFormat& from) { SetStyle(to.Font.Style, style, from.Font.Style.Contains(style)); });
}

void TOstrelXLSFormatList::SetUnderline(TxlsFontUnderline kind, bool down) {
    Edit(Put(kUnderline, down ? kind : fulNone), CopyOf(kUnderline));
}

void TOstrelXLSFormatList::SetHorizontal(TxlsHorizontalAlignment kind, bool down) {
    Edit(Put(kHorizontal, down ? kind : halGeneral), CopyOf(kHorizontal));
}

void TOstrelXLSFormatList::SetVertical(TxlsVerticalAlignment kind, bool down) {
    if (down) Edit(Put(kVertical, kind), CopyOf(kVertical));
}

void TOstrelXLSFormatList::ToggleBorder(TXLSSide side, bool down) {
    if (!FCurrent) return;
    const bool showedNone = Compute().BorderStyle[side] == bstNone;
    SetBorderStyle(side, down && showedNone ? bstThin : bstNone);
}

void TOstrelXLSFormatList::SetBorderStyle(TXLSSide side, TxlsBorderStyle style) {
    Edit(Put(SideStyle(side), style), CopyOf(SideStyle(side)));
}

void TOstrelXLSFormatList::SetBorderColor(TXLSSide side, TxlsColor color) {
    Edit(Put(SideColor(side), color), CopyOf(SideColor(side)));
}

void TOstrelXLSFormatList::SetBackground(TxlsColor color) {
    if (!Apply(Put(kBackground, color), CopyOf(kBackground))) return;
    // A coloured background shows only through a pattern.
    const TxlsFill& fill = FCurrent->Format->Fill;
    if (fill.Background != clrWhite && fill.Pattern == ptNone) Apply(Put(kPattern, ptSolid), CopyOf(kPattern));
    Changed();
}

void TOstrelXLSFormatList::SetForeground(TxlsColor color) { Edit(Put(kForeground, color), CopyOf(kForeground)); }

void TOstrelXLSFormatList::SetPattern(TxlsPattern pattern) {
    if (!Apply(Put(kPattern, pattern), CopyOf(kPattern))) return;
    if (pattern == ptNone && FCurrent->Format->Fill.Background != clrWhite)
        Apply(Put(kBackground, clrWhite), CopyOf(kBackground));
    Changed();
}

void TOstrelXLSFormatList::SetAggregate(TxlsAggregate aggregate) {
    if (!FCurrent || FCurrent->Fixed || !Compute().AggregateEnabled) return;
    Edit(Put(kAggregate, aggregate), CopyOf(kAggregate));
}

void TOstrelXLSFormatList::ResetEntry(TXLSFormatEntry& entry) {
    const std::string fieldName = entry.Format->FieldName;
    entry.Format->SetDefault();
    entry.Format->FieldName = fieldName;
    if (entry.Text == kCaptionText) entry.Format->Font.Style.Include(xfsBold);
}

void TOstrelXLSFormatList::ResetEntries() {
    for (auto& e : FEntries) ResetEntry(*e);
}

void TOstrelXLSFormatList::ResetSelected() {
    if (!FCurrent) return;
    for (auto& e : FEntries)
        if (e->Selected) ResetEntry(*e);
    Changed();
}

void TOstrelXLSFormatList::ResetAll(const std::function<bool()>& confirm) {
    if (FEntries.empty()) return;
    if (confirm && !confirm()) return;
    ResetEntries();
    TXLSFormatEntry* keep = FCurrent ? FCurrent : FEntries.front().get();
    for (auto& e : FEntries) e->Selected = e.get() == keep;
    SelectionChanged();
    Changed();
}

void TOstrelXLSFormatList::ResetAllFormats() {
    ResetEntries();
    Changed();
}

void TOstrelXLSFormatList::AssignFormat(int index, const TxlsFieldFormat& format) {
    TxlsFieldFormat& target = *FEntries.at(index)->Format;
    const std::string fieldName = target.FieldName;
    target.Assign(format);
    target.FieldName = fieldName;
    Changed();
}

void TOstrelXLSFormatList::Changed() {
    if (FCurrent) FLastShown = Compute();
    if (OnChanged) OnChanged();
}

}  // namespace ostrel
