// How the Excel page paints workbook cell styles: colour bars, the border-style and pattern
// drop-down items, and the sample cell. Lines and tiles are filled pixel by pixel (no
// antialiasing), so the same style gives the same pixels on every machine; only text depends on
// the installed fonts.
#pragma once

#include <cstdint>

#include <QColor>
#include <QFont>
#include <QList>
#include <QRect>
#include <QString>

#include "exporters/sheet/IB_OstrelXLSFormats.h"

class QPainter;
class QPalette;

namespace ostrel::qt {

// The colour the screen shows for a palette colour.
QColor XlsQColor(TxlsColor color);

// The 4×4 tile of a pattern: bit 4·y + x is set where the workbook shows the fill's Foreground
// (the pattern's second ink); every other pixel shows Background. So ptSolid and ptNone have no
// bit set, and a cell with a pattern looks as the workbook shows it.
uint16_t XlsPatternTile(TxlsPattern pattern);

// The box filled with the background, then the pattern's tiles in the foreground, repeated
// every 4 pixels from the box's top-left corner.
void PaintXlsFill(QPainter& painter, const QRect& box, TxlsColor background, TxlsPattern pattern,
                  TxlsColor foreground);

// A border line of `style` from `from` (inclusive) to `to` (exclusive) along a row (horizontal)
// or a column, centred on `across`: its pen width, dashes, and the double line's two lines one
// pixel either side. A dash is cut at the line's end; bstNone draws nothing.
void PaintXlsBorderLine(QPainter& painter, Qt::Orientation orientation, int from, int to, int across,
                        TxlsBorderStyle style, const QColor& color);

void PaintColourBar(QPainter& painter, const QRect& bar, TxlsColor color);

// An item of a border-style drop-down: cleared (to the highlight while highlighted), then the
// line from 10 pixels inside either end through the middle, in `line` (white while
// highlighted); bstNone shows `noneText` centred.
void PaintBorderStyleItem(QPainter& painter, const QRect& item, TxlsBorderStyle style, const QColor& line,
                          bool highlighted, const QPalette& palette, const QString& noneText);

// An item of the pattern drop-down: ptNone white with `noneText` centred in black; any other
// pattern as the fill with these colours. A highlighted item is framed in the highlight.
void PaintPatternItem(QPainter& painter, const QRect& item, TxlsPattern pattern, TxlsColor background,
                      TxlsColor foreground, bool highlighted, const QPalette& palette, const QString& noneText);

// Where the sample text goes in a box, and where its underlines go, for a style.
struct TSampleTextLayout {
    QRect Text;                // the text's advance width by the font's line height
    int Baseline = 0;
    int Thickness = 1;         // of one underline
    QList<QRect> Underlines;
};
TSampleTextLayout LayoutSampleText(QPainter& painter, const QRect& box, const TxlsFormat& format,
                                   const QString& text);

// The sample cell of a style: the fill, the text in the style's font with its alignment and
// underlines, and each side's border 2 pixels inside the box.
void PaintSampleCell(QPainter& painter, const QRect& box, const TxlsFormat& format, const QString& text);

// The screen font of a style (name, size, bold, italic, strike-out; underlines are drawn apart).
QFont XlsScreenFont(const TxlsFont& font);

}  // namespace ostrel::qt
