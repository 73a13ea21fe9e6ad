#include "engine/Classes.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/ShortCopy.h"

namespace ostrel {

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
    // Owned components go first, while this one can still be told about them.
    while (!FComponents.empty()) delete FComponents.back();
    while (!FFreeNotifies.empty()) {
        TComponent* other = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        auto& theirs = other->FFreeNotifies;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
        other->Notification(this, TOperation::opRemove);
    }
    if (FOwner) {
        TComponent* owner = FOwner;
        owner->RemoveComponent(this);
        owner->Notification(this, TOperation::opRemove);
    }
}

void TComponent::InsertComponent(TComponent* c) {
    FComponents.push_back(c);
    c->FOwner = this;
}

void TComponent::RemoveComponent(TComponent* c) {
    FComponents.erase(std::remove(FComponents.begin(), FComponents.end(), c), FComponents.end());
    c->FOwner = nullptr;
}

void TComponent::FreeNotification(TComponent* AComponent) {
    if (!AComponent || AComponent == this) return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end())
        FFreeNotifies.push_back(AComponent);
    auto& theirs = AComponent->FFreeNotifies;
    if (std::find(theirs.begin(), theirs.end(), this) == theirs.end()) theirs.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
    if (!AComponent) return;
    FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent),
                        FFreeNotifies.end());
    auto& theirs = AComponent->FFreeNotifies;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::Notification(TComponent*, TOperation) {}

namespace {

// The one case fold of names: SameText(a, b) exactly when FoldedText(a) == FoldedText(b).
int Folded(char c) { return std::tolower(static_cast<unsigned char>(c)); }

std::string FoldedText(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(Folded(c));
    return out;
}

}  // namespace

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Folded(a[i]) != Folded(b[i])) return false;
    return true;
}

std::string UpperCase(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::string LowerCase(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string Trim(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
    return std::string(s.substr(b, e - b));
}

std::string QuotedDoubling(std::string_view text, char quote) {
    std::string out;
    // One byte more than the quotes: exporters append a separator to most quoted values.
    out.reserve(text.size() + 3);
    AppendQuotedDoubling(out, text, quote);
    return out;
}

void AppendQuotedDoubling(std::string& out, std::string_view text, char quote) {
    if (!HoldsByte(text, quote)) {
        // Nearly every value: the quotes and the text in one step.
        char* const p = GrowShort(out, text.size() + 2);
        *p = quote;
        CopyShort(p + 1, text.data(), text.size());
        p[text.size() + 1] = quote;
        return;
    }
    out += quote;
    for (size_t start = 0;;) {
        const size_t found = text.find(quote, start);
        if (found == std::string_view::npos) {
            out.append(text.substr(start));
            break;
        }
        out.append(text.substr(start, found + 1 - start));
        out += quote;
        start = found + 1;
    }
    out += quote;
}

void TStringList::Move(int from, int to) {
    if (from == to) return;
    std::string s = FItems.at(from);
    FItems.erase(FItems.begin() + from);
    FItems.insert(FItems.begin() + to, s);
}

int TStringList::IndexOf(std::string_view s) const {
    for (int i = 0; i < Count(); ++i)
        if (SameText(FItems[i], s)) return i;
    return -1;
}

int TStringList::IndexOfName(std::string_view name) const {
    for (int i = 0; i < Count(); ++i) {
        const std::string& line = FItems[i];
        size_t eq = line.find('=');
        if (eq != std::string::npos && SameText(std::string_view(line).substr(0, eq), name)) return i;
    }
    return -1;
}

TNameIndex::TNameIndex(const TStringList& list) {
    FNumbers.reserve(list.Count());
    for (int i = 0; i < list.Count(); ++i) {
        const std::string& line = list[i];
        const size_t eq = line.find('=');
        if (eq != std::string::npos) Add(std::string_view(line).substr(0, eq), i);
    }
}

void TNameIndex::Add(std::string_view name, int number, bool replace) {
    auto [at, added] = FNumbers.emplace(FoldedText(name), number);
    if (!added && replace) at->second = number;
}

int TNameIndex::Find(std::string_view name) const {
    if (FNumbers.empty()) return -1;
    const auto found = FNumbers.find(FoldedText(name));
    return found == FNumbers.end() ? -1 : found->second;
}

std::string TStringList::Names(int index) const {
    const std::string& line = FItems.at(index);
    size_t eq = line.find('=');
    return eq == std::string::npos ? std::string() : line.substr(0, eq);
}

std::string TStringList::ValueFromIndex(int index) const {
    const std::string& line = FItems.at(index);
    size_t eq = line.find('=');
    return eq == std::string::npos ? std::string() : line.substr(eq + 1);
}

std::string TStringList::Values(std::string_view name) const {
    int i = IndexOfName(name);
    return i < 0 ? std::string() : ValueFromIndex(i);
}

void TStringList::SetValue(std::string_view name, const std::string& value) {
    int i = IndexOfName(name);
    if (value.empty()) {
        if (i >= 0) Delete(i);
        return;
    }
    std::string line = std::string(name) + "=" + value;
    if (i >= 0) FItems[i] = line;
    else FItems.push_back(line);
}

std::string TStringList::Text() const {
    std::string out;
    for (const auto& s : FItems) {
        out += s;
        out += "\r\n";
    }
    return out;
}

void TStringList::SetText(std::string_view text) {
    FItems.clear();
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            FItems.emplace_back(text.substr(start));
            break;
        }
        FItems.emplace_back(text.substr(start, end - start));
        start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
}

}  // namespace ostrel
