#include "dialog/qt/ColorDialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QPalette>

namespace ostrel::qt {

namespace {

// The palette colour that plays the part of a system colour on this desktop.
QColor SystemQColor(int index) {
    const QPalette palette = QApplication::palette();
    auto role = [&](QPalette::ColorRole r) { return palette.color(QPalette::Active, r); };
    switch (index) {
        case 5: return role(QPalette::Base);               // window
        case 6: return role(QPalette::Shadow);             // window frame
        case 8: return role(QPalette::Text);               // window text
        case 9: return role(QPalette::HighlightedText);    // caption text
        case 13: return role(QPalette::Highlight);
        case 14: return role(QPalette::HighlightedText);
        case 15: return role(QPalette::Button);            // button face
        case 16: return role(QPalette::Dark);              // button shadow
        case 17: return palette.color(QPalette::Disabled, QPalette::Text);  // grey text
        case 18: return role(QPalette::ButtonText);
        case 20: return role(QPalette::Light);             // button highlight
        case 21: return role(QPalette::Shadow);            // 3D dark shadow
        case 22: return role(QPalette::Midlight);          // 3D light
        case 23: return role(QPalette::ToolTipText);
        case 24: return role(QPalette::ToolTipBase);
        case 2: case 3: return role(QPalette::Highlight);  // captions
        case 7: return role(QPalette::WindowText);         // menu text
        default: return role(QPalette::Window);            // scroll bar, desktop, menu, borders, ...
    }
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
