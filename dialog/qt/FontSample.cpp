#include "dialog/qt/FontSample.h"

#include <QFontDialog>
#include <QMouseEvent>
#include <QPainter>

#include "dialog/qt/QtServices.h"

namespace ostrel::qt {

namespace {

TFontDialogFunction& FontDialogFunction() {
    static TFontDialogFunction function;
    return function;
}

}  // namespace

TFontSampleBox::TFontSampleBox(const TFont& font, QWidget* parent) : QWidget(parent), FFont(font) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void TFontSampleBox::SetText(const QString& text) {
    FText = text;
    update();
}

QSize TFontSampleBox::sizeHint() const { return {200, 40}; }

void TFontSampleBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect box = rect().adjusted(0, 0, -1, -1);
    p.fillRect(box, Qt::white);
    p.setPen(Qt::black);
    p.drawRect(box);
    p.setFont(ToQFont(FFont));
    p.setClipRect(box.adjusted(1, 1, -1, -1));
    p.drawText(box, Qt::AlignCenter, FText);
}

void TFontSampleBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && OnDoubleClick) {
        OnDoubleClick();
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}

std::optional<QFont> RunFontDialog(QWidget* parent, const QFont& initial) {
    if (FontDialogFunction()) return FontDialogFunction()(parent, initial);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, initial, parent);
    if (!ok) return std::nullopt;
    return chosen;
}

void SetFontDialogFunction(TFontDialogFunction function) { FontDialogFunction() = std::move(function); }

bool ChooseFont(QWidget* parent, TFont& font) {
    const std::optional<QFont> chosen = RunFontDialog(parent, ToQFont(font));
    if (!chosen) return false;
    TFont result = FromQFont(*chosen);
    result.Color = font.Color;
    result.Charset = font.Charset;
    font = result;
    return true;
}

}  // namespace ostrel::qt
