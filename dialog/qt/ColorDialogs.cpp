#include "dialog/qt/ColorDialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QPalette>

namespace ostrel::qt {

namespace {

// The palette roles that play the parts of the 25 system colours on this desktop, by index:
// scroll bar, desktop, active and inactive caption, menu, window, window frame, menu text,
// window text, caption text, active and inactive border, workspace, highlight, highlighted
// text, button face, shadow, grey text, button text, inactive caption text, button highlight,
// 3D dark shadow, 3D light, tooltip text and tooltip background.
constexpr QPalette::ColorRole kSystemRoles[25] = {
    QPalette::Window,    QPalette::Window,      QPalette::Highlight,       QPalette::Highlight,
    QPalette::Window,    QPalette::Base,        QPalette::Shadow,          QPalette::WindowText,
    QPalette::Text,      QPalette::HighlightedText, QPalette::Window,      QPalette::Window,
    QPalette::Window,    QPalette::Highlight,   QPalette::HighlightedText, QPalette::Button,
    QPalette::Dark,      QPalette::Text,        QPalette::ButtonText,      QPalette::WindowText,
    QPalette::Light,     QPalette::Shadow,      QPalette::Midlight,        QPalette::ToolTipText,
    QPalette::ToolTipBase};
constexpr int kGrayText = 17;

QColor SystemQColor(int index) {
    const QPalette palette = QApplication::palette();
    if (index >= 25) return palette.color(QPalette::Window);
    const auto group = index == kGrayText ? QPalette::Disabled : QPalette::Active;
    return palette.color(group, kSystemRoles[index]);
}

QColor PlatformColorDialog(QWidget* parent, const TColorDialogRequest& request) {
    for (int i = 0; i < request.CustomColors.size() && i < QColorDialog::customCount(); ++i)
        QColorDialog::setCustomColor(i, request.CustomColors[i]);
    return QColorDialog::getColor(request.Initial, parent);
}

TColorDialogFunction& Function() {
    static TColorDialogFunction function = PlatformColorDialog;
    return function;
}

}  // namespace

QColor ToQColor(TColor colour) {
    const auto value = static_cast<uint32_t>(colour);
    if (colour == clNone) return {};
    if (value & 0x80000000u) return SystemQColor(static_cast<int>(value & 0xFF));
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

TColor FromQColor(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return static_cast<TColor>(rgb.red() | (rgb.green() << 8) | (rgb.blue() << 16));
}

QColor RunColorDialog(QWidget* parent, const TColorDialogRequest& request) { return Function()(parent, request); }

void SetColorDialogFunction(TColorDialogFunction function) {
    Function() = function ? std::move(function) : TColorDialogFunction(PlatformColorDialog);
}

}  // namespace ostrel::qt
