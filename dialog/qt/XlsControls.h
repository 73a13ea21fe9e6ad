// The owner-drawn controls of the Excel page: a colour button carrying a colour bar, a
// drop-down whose items are pictures, and the sample cell.
#pragma once

#include <functional>

#include <QComboBox>
#include <QFrame>
#include <QToolButton>

#include "exporters/sheet/IB_OstrelXLSFormats.h"

namespace ostrel::qt {

// A tool button with its colour shown in a bar across its lower part; the bar moves one pixel
// right and down with the face while the button is held down.
class TXlsColourButton : public QToolButton {
public:
    explicit TXlsColourButton(QWidget* parent);

    TxlsColor Colour() const { return FColour; }
    void SetColour(TxlsColor colour);
    // Where the bar is painted now.
    QRect BarRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TxlsColor FColour = clrBlack;
};

// A drop-down of pictures: `PaintItem` paints item `index` into a rectangle, highlighted while
// it is the item under the mouse or keyboard in the open list. The closed drop-down shows the
// current item, or nothing while there is none.
class TXlsPictureCombo : public QComboBox {
public:
    using TPaintItem = std::function<void(QPainter&, const QRect&, int index, bool highlighted)>;

    TXlsPictureCombo(int itemCount, TPaintItem paintItem, QWidget* parent);

    // The picture of an item as the list shows it, for tests and the closed drop-down.
    void PaintItem(QPainter& painter, const QRect& rect, int index, bool highlighted) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TPaintItem FPaintItem;
};

// The sample cell: paints the style that `Format` gives, nothing while it gives none.
class TXlsSampleCell : public QFrame {
public:
    explicit TXlsSampleCell(QWidget* parent);

    std::function<const TxlsFormat*()> Format;
    QString Text;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace ostrel::qt
