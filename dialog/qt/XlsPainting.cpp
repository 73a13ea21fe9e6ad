#include "dialog/qt/XlsPainting.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QPixmap>

#include <algorithm>
#include <array>

#include "dialog/qt/ColorDialogs.h"

namespace ostrel::qt {

namespace {

// A tile drawn as four rows of four pixels, '#' where the pattern's own ink (the fill's
// Background) lies, as the workbook's fill patterns of these codes place it.
struct TPatternInk {
    const char* Rows[4];
};

constexpr std::array<TPatternInk, 19> kPatternInk = {{
    {{"####", "####", "####", "####"}},  // ptNone: no pattern, the background alone
    {{"####", "####", "####", "####"}},  // ptSolid
    {{"#.#.", ".#.#", "#.#.", ".#.#"}},  // ptChess: half and half
    {{".###", "##.#", ".###", "##.#"}},  // ptWhiteSpots: three quarters ink
    {{"#...", "..#.", "#...", "..#."}},  // ptBlackSpots: a quarter ink
    {{"####", "####", "....", "...."}},  // ptBoldHorizontal
    {{"##..", "##..", "##..", "##.."}},  // ptBoldVertical
    {{"##..", ".##.", "..##", "#..#"}},  // ptBoldDiagRight: falling to the right
    {{"..##", ".##.", "##..", "#..#"}},  // ptBoldDiagLeft: rising to the right
    {{"##..", "##..", "..##", "..##"}},  // ptBoldChess: two-pixel squares
    {{"####", "#.#.", "####", ".#.#"}},  // ptRingMail
    {{"####", "....", "....", "...."}},  // ptThinGorizontal
    {{"#...", "#...", "#...", "#..."}},  // ptThinVertical
    {{"#...", ".#..", "..#.", "...#"}},  // ptThinDiagLeft: falling to the right
    {{"...#", "..#.", ".#..", "#..."}},  // ptThinDiagRight: rising to the right
    {{"####", "#...", "#...", "#..."}},  // ptCells
    {{"#..#", ".##.", ".##.", "#..#"}},  // ptCrissCross
    {{"#...", "....", "..#.", "...."}},  // ptThinSpots: an eighth ink
    {{"#...", "....", "....", "...."}},  // ptThinThinSpots: a sixteenth ink
}};

struct TDash {
    int From, To;
};

constexpr TDash kDashed[] = {{0, 7}};
constexpr TDash kDotted[] = {{0, 3}};
constexpr TDash kHair[] = {{0, 2}};
constexpr TDash kDashDot[] = {{0, 7}, {11, 14}};
constexpr TDash kDashDotDot[] = {{0, 7}, {11, 14}, {18, 21}};

// How a border style is drawn: pen width, dashes repeated every Period pixels (0: solid), or
// two thin lines.
struct TBorderLookEntry {
    int Width;
    int Period;
    const TDash* Dashes;
    int DashCount;
    bool Double;
};

template <size_t N>
constexpr TBorderLookEntry Dashed(int width, int period, const TDash (&dashes)[N]) {
    return {width, period, dashes, static_cast<int>(N), false};
}
constexpr TBorderLookEntry Solid(int width) { return {width, 0, nullptr, 0, false}; }

constexpr std::array<TBorderLookEntry, 14> kBorderLooks = {{
    Solid(0),                          // bstNone
    Solid(1),                          // bstThin
    Solid(2),                          // bstMedium
    Dashed(1, 14, kDashed),            // bstDashed
    Dashed(1, 6, kDotted),             // bstDotted
    Solid(3),                          // bstThick
    {1, 0, nullptr, 0, true},          // bstDouble
    Dashed(1, 4, kHair),               // bstHair
    Dashed(2, 14, kDashed),            // bstMediumDashed
    Dashed(1, 18, kDashDot),           // bstDashDot
    Dashed(2, 18, kDashDot),           // bstMediumDashDot
    Dashed(1, 25, kDashDotDot),        // bstDashDotDot
    Dashed(2, 25, kDashDotDot),        // bstMediumDashDotDot
    Dashed(2, 18, kDashDot),           // bstSlantedDashDot
}};

// A band `width` pixels across, centred on `across`, from `from` to `to` along.
void FillBand(QPainter& p, Qt::Orientation o, int from, int to, int across, int width, const QColor& color) {
    if (to <= from || width <= 0) return;
    const int start = across - width / 2;
    if (o == Qt::Horizontal)
        p.fillRect(QRect(from, start, to - from, width), color);
    else
        p.fillRect(QRect(start, from, width, to - from), color);
}

QPixmap PatternTilePixmap(TxlsPattern pattern, const QColor& foreground) {
    QImage tile(4, 4, QImage::Format_ARGB32);
    tile.fill(Qt::transparent);
    const uint16_t bits = XlsPatternTile(pattern);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            if (bits & (1u << (4 * y + x))) tile.setPixelColor(x, y, foreground);
    return QPixmap::fromImage(tile);
}

bool IsDouble(TxlsFontUnderline u) { return u == fulDouble || u == fulDoubleAccounting; }

}  // namespace

QColor XlsQColor(TxlsColor color) { return ToQColor(XlsScreenColor(color)); }

uint16_t XlsPatternTile(TxlsPattern pattern) {
    if (pattern >= kPatternInk.size()) return 0;
    uint16_t bits = 0;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            if (kPatternInk[pattern].Rows[y][x] != '#') bits |= static_cast<uint16_t>(1u << (4 * y + x));
    return bits;
}

void PaintXlsFill(QPainter& painter, const QRect& box, TxlsColor background, TxlsPattern pattern,
                  TxlsColor foreground) {
    painter.fillRect(box, XlsQColor(background));
    if (XlsPatternTile(pattern) == 0) return;
    painter.drawTiledPixmap(box, PatternTilePixmap(pattern, XlsQColor(foreground)));
}

void PaintXlsBorderLine(QPainter& painter, Qt::Orientation orientation, int from, int to, int across,
                        TxlsBorderStyle style, const QColor& color) {
    if (style == bstNone || style >= kBorderLooks.size()) return;
    const TBorderLookEntry& look = kBorderLooks[style];
    if (look.Double) {
        FillBand(painter, orientation, from, to, across - 1, 1, color);
        FillBand(painter, orientation, from, to, across + 1, 1, color);
        return;
    }
    if (look.Period == 0) {
        FillBand(painter, orientation, from, to, across, look.Width, color);
        return;
    }
    for (int start = from; start < to; start += look.Period)
        for (int d = 0; d < look.DashCount; ++d)
            FillBand(painter, orientation, start + look.Dashes[d].From, std::min(start + look.Dashes[d].To, to), across,
                     look.Width, color);
}

void PaintColourBar(QPainter& painter, const QRect& bar, TxlsColor color) { painter.fillRect(bar, XlsQColor(color)); }

void PaintBorderStyleItem(QPainter& painter, const QRect& item, TxlsBorderStyle style, const QColor& line,
                          bool highlighted, const QPalette& palette, const QString& noneText) {
    painter.fillRect(item, palette.color(highlighted ? QPalette::Highlight : QPalette::Base));
    if (style == bstNone) {
        painter.setPen(palette.color(highlighted ? QPalette::HighlightedText : QPalette::Text));
        painter.drawText(item, Qt::AlignCenter, noneText);
        return;
    }
    PaintXlsBorderLine(painter, Qt::Horizontal, item.left() + 10, item.left() + item.width() - 10,
                       item.top() + item.height() / 2, style, highlighted ? QColor(Qt::white) : line);
}

void PaintPatternItem(QPainter& painter, const QRect& item, TxlsPattern pattern, TxlsColor background,
                      TxlsColor foreground, bool highlighted, const QPalette& palette, const QString& noneText) {
    if (pattern == ptNone) {
        painter.fillRect(item, Qt::white);
        painter.setPen(Qt::black);
        painter.drawText(item, Qt::AlignCenter, noneText);
    } else {
        PaintXlsFill(painter, item, background, pattern, foreground);
    }
    if (highlighted) {
        painter.setPen(QPen(palette.color(QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(item.adjusted(1, 1, -1, -1));
    }
}

QFont XlsScreenFont(const TxlsFont& font) {
    QFont f(QString::fromStdString(font.Name));
    f.setPointSize(std::max(1, font.Size));
    f.setBold(font.Style.Contains(xfsBold));
    f.setItalic(font.Style.Contains(xfsItalic));
    f.setStrikeOut(font.Style.Contains(xfsStrikeOut));
    return f;
}

TSampleTextLayout LayoutSampleText(QPainter& painter, const QRect& box, const TxlsFormat& format,
                                   const QString& text) {
    const QFontMetrics fm(XlsScreenFont(format.Font), painter.device());
    TSampleTextLayout l;
    const int width = fm.horizontalAdvance(text), height = fm.height();
    l.Thickness = std::max(1, fm.lineWidth());
    const int t = l.Thickness;
    int x = box.left() + 5;
    switch (format.Alignment.Horizontal) {
        case halCenter: x = box.left() + (box.width() - width) / 2; break;
        case halRight: x = box.left() + box.width() - 5 - width; break;
        default: break;
    }
    int y = box.top();
    switch (format.Alignment.Vertical) {
        case valTop: y = box.top() + 5; break;
        case valCenter: y = box.top() + (box.height() - height) / 2; break;
        case valBottom: y = box.top() + box.height() - 5 - height; break;
        case valJustify: break;
    }
    // A second underline needs room below the text where the text keeps to the middle or bottom.
    const TxlsVerticalAlignment v = format.Alignment.Vertical;
    if (IsDouble(format.Font.Underline) && (v == valCenter || v == valBottom)) y -= t + 1;
    l.Text = QRect(x, y, width, height);
    l.Baseline = y + fm.ascent();

    const int under = l.Baseline + std::max(1, fm.underlinePos());
    const int half = std::max(1, (width - 4 * t) / 2);
    auto single = [&](int top) { l.Underlines << QRect(x, top, width, t); };
    auto accounting = [&](int top) {
        l.Underlines << QRect(x, top, half, t) << QRect(x + width - half, top, half, t);
    };
    switch (format.Font.Underline) {
        case fulSingle: single(under); break;
        case fulDouble: single(under), single(under + t + 1); break;
        case fulSingleAccounting: accounting(under); break;
        case fulDoubleAccounting: accounting(under), accounting(under + t + 1); break;
        case fulNone: break;
    }
    return l;
}

void PaintSampleCell(QPainter& painter, const QRect& box, const TxlsFormat& format, const QString& text) {
    painter.save();
    painter.setClipRect(box);
    PaintXlsFill(painter, box, format.Fill.Background, format.Fill.Pattern, format.Fill.Foreground);

    const TSampleTextLayout l = LayoutSampleText(painter, box, format, text);
    const QColor ink = XlsQColor(format.Font.Color);
    painter.setFont(XlsScreenFont(format.Font));
    painter.setPen(ink);
    painter.drawText(QPoint(l.Text.left(), l.Baseline), text);
    for (const QRect& u : l.Underlines) painter.fillRect(u, ink);

    const TxlsBorders& b = format.Borders;
    const int left = box.left() + 2, right = box.left() + box.width() - 3;
    const int top = box.top() + 2, bottom = box.top() + box.height() - 3;
    PaintXlsBorderLine(painter, Qt::Horizontal, left, right + 1, top, b.Top.Style, XlsQColor(b.Top.Color));
    PaintXlsBorderLine(painter, Qt::Horizontal, left, right + 1, bottom, b.Bottom.Style, XlsQColor(b.Bottom.Color));
    PaintXlsBorderLine(painter, Qt::Vertical, top, bottom + 1, left, b.Left.Style, XlsQColor(b.Left.Color));
    PaintXlsBorderLine(painter, Qt::Vertical, top, bottom + 1, right, b.Right.Style, XlsQColor(b.Right.Color));
    painter.restore();
}

}  // namespace ostrel::qt
