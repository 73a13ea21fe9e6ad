// The styled worksheet both workbook formats are read back with: typed columns with a NULL row,
// date formats, a user format, a sheet title, a page header and the NAME column styled in every
// way a cell format can be.
#pragma once

#include "../TestSupport.h"
#include "exporters/sheet/IB_OstrelSheet.h"

namespace ostrel::test {

inline void FillStyled(TMemDataset& ds) {
    ds.AddField("ID", TMemFieldType::Integer);
    ds.AddField("Name", TMemFieldType::String, 20);
    ds.AddField("Salary", TMemFieldType::Float);
    ds.AddField("Born", TMemFieldType::Date);
    ds.AddField("Seen", TMemFieldType::DateTime);
    ds.AddField("Active", TMemFieldType::Boolean);
    ds.AppendRow({int64_t{1}, "Jürgen Ångström", 1234.5, EncodeDate(1974, 5, 1),
                  EncodeDate(2003, 2, 1) + EncodeTime(14, 5, 9, 0), true});
    ds.AppendRow({int64_t{-2}, "Łucja 東京", -0.25, EncodeDate(2000, 2, 29), EncodeDate(1900, 3, 1), false});
    ds.AppendRow({TMemValue{}, TMemValue{}, TMemValue{}, TMemValue{}, TMemValue{}, TMemValue{}});
    ds.Open();
}

inline void StyleName(TIB_OstrelSheet& e) {
    e.Formats().SetDateFormat("yyyy-mm-dd");
    e.Formats().SetDateTimeFormat("yyyy-mm-dd hh:mm:ss");
    e.UserFormats().Add("Salary=#,##0.00 \"€\"");
    e.Options().SetSheetTitle("Größen");
    e.Options().PageHeader = "&CÜbersicht";
    TxlsFieldFormat* name = e.FieldFormats().Add();
    name->FieldName = "NAME";
    name->Font.Style = {xfsBold, xfsItalic};
    name->Font.Color = clrRed;
    name->Font.Name = "Courier New";
    name->Font.Size = 12;
    name->Borders.Left.Style = bstThin;
    name->Borders.Left.Color = clrBlue;
    name->Borders.Bottom.Style = bstDouble;
    name->Borders.Bottom.Color = clrGreen;
    name->Fill.Pattern = ptSolid;
    name->Fill.Background = clrYellow;
    name->Alignment.Horizontal = halCenter;
    name->Alignment.Vertical = valTop;
    name->Wrap = true;
}

}  // namespace ostrel::test
