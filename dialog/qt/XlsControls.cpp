#include "dialog/qt/XlsControls.h"

#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStyleOptionToolButton>
#include <QStyledItemDelegate>
#include <QStylePainter>

#include "dialog/qt/XlsPainting.h"

namespace ostrel::qt {

namespace {

constexpr int kItemHeight = 18;

class TPictureDelegate : public QStyledItemDelegate {
public:
    explicit TPictureDelegate(TXlsPictureCombo* combo) : QStyledItemDelegate(combo), FCombo(combo) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const bool highlighted = option.state & (QStyle::State_Selected | QStyle::State_HasFocus);
        FCombo->PaintItem(*painter, option.rect, index.row(), highlighted);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), kItemHeight};
    }

private:
    TXlsPictureCombo* FCombo;
};

}  // namespace

// ---- colour button ----

TXlsColourButton::TXlsColourButton(QWidget* parent) : QToolButton(parent) {
    setFixedSize(26, 26);
    setIconSize(QSize(16, 16));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
}

void TXlsColourButton::SetColour(TxlsColor colour) {
    if (colour == FColour) return;
    FColour = colour;
    update();
}

QRect TXlsColourButton::BarRect() const {
    const QRect bar(4, height() - 7, width() - 8, 3);
    return isDown() ? bar.translated(1, 1) : bar;
}

void TXlsColourButton::paintEvent(QPaintEvent*) {
    // The face without its icon, then the icon in the upper part and the bar below it, both
    // moving with the face while it is held down.
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    option.icon = QIcon();
    painter.drawComplexControl(QStyle::CC_ToolButton, option);
    const QPoint shift = isDown() ? QPoint(1, 1) : QPoint(0, 0);
    const QRect iconRect(QPoint((width() - iconSize().width()) / 2, 2) + shift, iconSize());
    icon().paint(&painter, iconRect, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
    PaintColourBar(painter, BarRect(), FColour);
}

// ---- picture drop-down ----

TXlsPictureCombo::TXlsPictureCombo(int itemCount, TPaintItem paintItem, QWidget* parent)
    : QComboBox(parent), FPaintItem(std::move(paintItem)) {
    // The items carry no text: what they mean is their picture.
    for (int i = 0; i < itemCount; ++i) addItem(QString());
    setItemDelegate(new TPictureDelegate(this));
    setMinimumContentsLength(12);
}

void TXlsPictureCombo::PaintItem(QPainter& painter, const QRect& rect, int index, bool highlighted) const {
    painter.save();
    painter.setClipRect(rect);
    FPaintItem(painter, rect, index, highlighted);
    painter.restore();
}

void TXlsPictureCombo::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    if (currentIndex() < 0) return;
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    PaintItem(painter, field, currentIndex(), hasFocus());
}

// ---- sample cell ----

TXlsSampleCell::TXlsSampleCell(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
}

void TXlsSampleCell::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    const TxlsFormat* format = Format ? Format() : nullptr;
    if (!format) return;
    QPainter painter(this);
    PaintSampleCell(painter, contentsRect(), *format, Text);
}

}  // namespace ostrel::qt
