#include "dialog/qt/XlsIcons.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>

namespace ostrel::qt {

namespace {

constexpr int kSize = 16;
const QColor kInk(0x20, 0x20, 0x20);
const QColor kFaint(0xA0, 0xA0, 0xA0);

template <typename Draw>
QIcon Picture(Draw draw) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    draw(p);
    p.end();
    return QIcon(pixmap);
}

}  // namespace

QIcon XlsLetterIcon(QChar letter, TxlsFontStyles style, TxlsFontUnderline underline) {
    return Picture([&](QPainter& p) {
        QFont font;
        font.setPixelSize(underline == fulNone ? 13 : 11);
        font.setBold(style.Contains(xfsBold));
        font.setItalic(style.Contains(xfsItalic));
        font.setStrikeOut(style.Contains(xfsStrikeOut));
        p.setFont(font);
        p.setPen(kInk);
        p.drawText(QRect(0, 0, kSize, underline == fulNone ? kSize : 12), Qt::AlignCenter, QString(letter));
        const bool accounting = underline == fulSingleAccounting || underline == fulDoubleAccounting;
        const int left = accounting ? 1 : 4, width = accounting ? kSize - 2 : kSize - 8;
        if (underline != fulNone) p.fillRect(left, 12, width, 1, kInk);
        if (underline == fulDouble || underline == fulDoubleAccounting) p.fillRect(left, 14, width, 1, kInk);
    });
}

QIcon XlsHorizontalIcon(TxlsHorizontalAlignment alignment) {
    return Picture([&](QPainter& p) {
        constexpr int lengths[] = {12, 8, 12, 6};
        for (int i = 0; i < 4; ++i) {
            const int length = alignment == halFill ? 14 : lengths[i];
            int x = 1;
            if (alignment == halCenter) x = (kSize - length) / 2;
            if (alignment == halRight) x = kSize - 1 - length;
            p.fillRect(x, 3 + 3 * i, length, 2, kInk);
        }
    });
}

QIcon XlsVerticalIcon(TxlsVerticalAlignment alignment) {
    return Picture([&](QPainter& p) {
        p.setPen(kFaint);
        p.drawRect(0, 0, kSize - 1, kSize - 1);
        const int y = alignment == valTop ? 2 : alignment == valCenter ? 6 : 10;
        p.fillRect(3, y, 10, 2, kInk);
        p.fillRect(3, y + 2 + 1, 7, 1, kInk);
    });
}

QIcon XlsBorderIcon(TXLSSide side) {
    return Picture([&](QPainter& p) {
        for (int i = 1; i < kSize - 1; i += 2) {
            p.fillRect(i, 1, 1, 1, kFaint), p.fillRect(i, kSize - 2, 1, 1, kFaint);
            p.fillRect(1, i, 1, 1, kFaint), p.fillRect(kSize - 2, i, 1, 1, kFaint);
        }
        switch (side) {
            case xsTop: p.fillRect(0, 0, kSize, 2, kInk); break;
            case xsBottom: p.fillRect(0, kSize - 2, kSize, 2, kInk); break;
            case xsLeft: p.fillRect(0, 0, 2, kSize, kInk); break;
            case xsRight: p.fillRect(kSize - 2, 0, 2, kSize, kInk); break;
        }
    });
}

QIcon XlsFillIcon(bool hatched) {
    return Picture([&](QPainter& p) {
        p.setPen(kInk);
        p.setBrush(hatched ? QBrush(kInk, Qt::BDiagPattern) : QBrush(kFaint));
        p.drawRect(1, 1, kSize - 3, 9);
    });
}

QIcon XlsEntryMark(TXLSEntryMark mark) {
    QPixmap pixmap(12, 12);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (mark) {
        case xmFixed:  // a grey diamond: always there, not a field
            p.setPen(QPen(QColor(0x50, 0x50, 0x50), 1.2));
            p.setBrush(QColor(0xB0, 0xB0, 0xB0));
            p.drawPolygon(QPolygonF({{6, 1}, {11, 6}, {6, 11}, {1, 6}}));
            break;
        case xmExported:  // a green tick: the field goes into the workbook
            p.setPen(QPen(QColor(0x1E, 0x7B, 0x34), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPolyline(QPolygonF({{2, 6.5}, {5, 9.5}, {10, 2.5}}));
            break;
        case xmAvailable:  // a hollow ring: the field stays out
            p.setPen(QPen(QColor(0x70, 0x70, 0x70), 1.2));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QRectF(2.5, 2.5, 7, 7));
            break;
    }
    return QIcon(pixmap);
}

}  // namespace ostrel::qt
