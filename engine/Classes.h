// The small component framework the exporters, sources and the dialog share: objects,
// components with an owner and free-notification, and string lists with Name=Value helpers.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/Errors.h"

namespace ostrel {

class TObject {
public:
    virtual ~TObject() = default;
};

enum class TOperation { opInsert, opRemove };

// A component may own others (it destroys them with itself) and may ask to be told when
// another component is destroyed, so that it never keeps a dangling reference.
class TComponent : public TObject {
public:
    explicit TComponent(TComponent* AOwner = nullptr);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return FOwner; }
    const std::string& Name() const { return FName; }
    void SetName(const std::string& name) { FName = name; }
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int index) const { return FComponents.at(index); }

    // Both components are told when the other one is destroyed.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

protected:
    // Called with opRemove when a component this one asked about is being destroyed.
    virtual void Notification(TComponent* AComponent, TOperation Operation);

private:
    void InsertComponent(TComponent* c);
    void RemoveComponent(TComponent* c);

    TComponent* FOwner = nullptr;
    std::string FName;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
};

bool SameText(std::string_view a, std::string_view b);
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
std::string Trim(std::string_view s);
// The text enclosed in `quote`, every `quote` inside doubled (CSV, DIF, SQL literals and names).
std::string QuotedDoubling(std::string_view text, char quote);
void AppendQuotedDoubling(std::string& out, std::string_view text, char quote);

// An ordered list of lines. Name=Value lines are looked up by the part before the first "="
// without regard to case; the first match wins.
class TStringList : public TObject {
public:
    TStringList() = default;
    TStringList(std::initializer_list<std::string> lines) : FItems(lines) {}

    int Count() const { return static_cast<int>(FItems.size()); }
    bool Empty() const { return FItems.empty(); }
    const std::string& operator[](int index) const { return FItems.at(index); }
    const std::string& Strings(int index) const { return FItems.at(index); }
    void SetStrings(int index, const std::string& s) { FItems.at(index) = s; }
    int Add(const std::string& s) {
        FItems.push_back(s);
        return Count() - 1;
    }
    void Insert(int index, const std::string& s) { FItems.insert(FItems.begin() + index, s); }
    void Delete(int index) { FItems.erase(FItems.begin() + index); }
    void Clear() { FItems.clear(); }
    void Exchange(int a, int b) { std::swap(FItems.at(a), FItems.at(b)); }
    void Move(int from, int to);
    void Assign(const TStringList& other) { FItems = other.FItems; }

    // Index of the line equal to s without regard to case, or -1.
    int IndexOf(std::string_view s) const;
    // Index of the first line whose name equals `name` without regard to case, or -1.
    int IndexOfName(std::string_view name) const;
    // The name part of line i (empty when the line has no "=").
    std::string Names(int index) const;
    std::string ValueFromIndex(int index) const;
    // The value of the first line named `name`, empty when there is none.
    std::string Values(std::string_view name) const;
    // Replaces the value of the first line named `name`, or appends a line; an empty value
    // deletes the line.
    void SetValue(std::string_view name, const std::string& value);

    // The lines joined, each followed by CR LF.
    std::string Text() const;
    // Splits at CR LF, LF or CR.
    void SetText(std::string_view text);

    std::vector<std::string>::const_iterator begin() const { return FItems.begin(); }
    std::vector<std::string>::const_iterator end() const { return FItems.end(); }
    bool operator==(const TStringList& other) const { return FItems == other.FItems; }

private:
    std::vector<std::string> FItems;
};

using TStrings = TStringList;

// Names looked up without regard to case, compared as SameText compares them, in constant
// time: built once, it spares a scan of a list for every name looked up.
class TNameIndex {
public:
    TNameIndex() = default;
    // The Name=Value lines of a list: Find gives what list.IndexOfName gives (the first
    // matching line) for the list as it is now.
    explicit TNameIndex(const TStringList& list);
    // Adds a name standing for a number; a name already there keeps its number unless `replace`.
    void Add(std::string_view name, int number, bool replace = false);
    // The number of the name, or -1.
    int Find(std::string_view name) const;

private:
    std::unordered_map<std::string, int> FNumbers;
};

}  // namespace ostrel
