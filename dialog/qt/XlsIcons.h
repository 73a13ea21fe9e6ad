// The pictures on the Excel page's toggles and colour buttons. Letters come from the text
// table (the first letter of the toggle's tooltip), so a translated table gives its own.
#pragma once

#include <QChar>
#include <QIcon>

#include "dialog/DialogXLSFormatList.h"
#include "exporters/sheet/IB_OstrelXLSFormats.h"

namespace ostrel::qt {

// A letter in a style: bold, italic, struck out, or with an underline of that kind.
QIcon XlsLetterIcon(QChar letter, TxlsFontStyles style, TxlsFontUnderline underline);
// Four lines of text aligned so.
QIcon XlsHorizontalIcon(TxlsHorizontalAlignment alignment);
// A line of text at the top, middle or bottom of a cell.
QIcon XlsVerticalIcon(TxlsVerticalAlignment alignment);
// A cell with the side drawn.
QIcon XlsBorderIcon(TXLSSide side);
// A cell filled plain (background) or hatched (the pattern's foreground).
QIcon XlsFillIcon(bool hatched);
// The marks of the format list: fixed, exported, available.
QIcon XlsEntryMark(TXLSEntryMark mark);

}  // namespace ostrel::qt
