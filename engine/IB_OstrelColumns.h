// The ordered export columns of a run, built from the exporter's source and settings.
#pragma once

#include <string>
#include <vector>

#include "engine/IB_OstrelCommon.h"

namespace ostrel {

class TIB_Ostrel;
class TIB_Column;
class TListView;
class TStringGrid;

struct TOstrelColumn {
    int Number = 0;  // index of the column in its source
    TOstrelColType ColType = ectUnknown;
    std::string Name;  // key of Captions, UserFormats, ColumnsWidth, ColumnsAlign
    std::string Caption;
    int Width = 0;  // characters
    TOstrelColAlign Align = ecaLeft;
    std::string Format;
    std::string SQLType;
};

class TOstrelColumns : public TObject {
public:
    explicit TOstrelColumns(TIB_Ostrel& exporter) : FExporter(exporter) {}

    // Builds the list for the exporter's current settings and source.
    void Fill();
    // The source column index for list position i, or -1.
    int FindSourceIndex(int i) const;
    // Widens every column to its caption and the longest text of the rows about to be exported.
    void AutoCalcWidth();

    TOstrelColumn& operator[](int i) { return FItems.at(i); }
    const TOstrelColumn& operator[](int i) const { return FItems.at(i); }
    TOstrelColumn& Columns(int i) { return FItems.at(i); }
    int Count() const { return static_cast<int>(FItems.size()); }
    void Delete(int i) { FItems.erase(FItems.begin() + i); }
    void Clear() { FItems.clear(); }
    TIB_Ostrel& Exporter() const { return FExporter; }

    std::vector<TOstrelColumn>::iterator begin() { return FItems.begin(); }
    std::vector<TOstrelColumn>::iterator end() { return FItems.end(); }

private:
    // What building the list looks up by name, indexed once per Fill.
    struct TLookups;
    TLookups BuildLookups(bool keyedLists) const;
    int SourceColumnCount() const;
    int FindSourceIndex(int i, const TLookups& l) const;
    std::string NameOf(const TOstrelColumn& c) const;
    TOstrelColType ColTypeOf(const TOstrelColumn& c) const;
    std::string CaptionOf(const TOstrelColumn& c, const TLookups& l) const;
    int WidthOf(const TOstrelColumn& c, const TLookups& l) const;
    std::string FormatOf(const TOstrelColumn& c, const TLookups& l) const;
    TOstrelColAlign AlignOf(const TOstrelColumn& c, const TLookups& l) const;
    std::string SQLTypeOf(const TOstrelColumn& c) const;

    TIB_Ostrel& FExporter;
    std::vector<TOstrelColumn> FItems;
};

// The type of a dataset column by its predicates and, for numbers, its current value.
TOstrelColType ColTypeOfColumn(const TIB_Column* column);
std::string SQLTypeOfColumn(const TIB_Column* column);
// For list-view and string-grid columns.
std::string SQLTypeOfColType(TOstrelColType type, int width);
// The type of a list-view or string-grid column guessed from the text of every data row:
// integers and floats together give floats, any other mix a string; empty texts do not decide.
TOstrelColType GuessListViewColumnType(const TListView& lv, int column, const std::string& booleanTrue,
                                       const std::string& booleanFalse);
TOstrelColType GuessStringGridColumnType(const TStringGrid& g, int column, const std::string& booleanTrue,
                                         const std::string& booleanFalse);
// A column's alignment from its ColumnsAlign value: the first letter decides ("C" centre, "R"
// right, anything else left).
TOstrelColAlign AlignOfText(const std::string& value);
// The alignment of a column type when ColumnsAlign names none: numbers right, Booleans centred.
TOstrelColAlign DefaultAlignOfType(TOstrelColType type);
// The type a text looks like in the current locale.
TOstrelColType GuessColType(const std::string& text, const std::string& booleanTrue,
                            const std::string& booleanFalse);

}  // namespace ostrel
