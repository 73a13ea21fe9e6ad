// Colours between the model and Qt, and the platform colour dialog, replaceable so that tests
// answer it.
#pragma once

#include <functional>

#include <QColor>
#include <QList>

#include "platform/Graphics.h"

class QWidget;

namespace ostrel::qt {

// A TColor holds red in its low byte. System colours ($80000000 + index) are resolved through
// the application's palette; clNone gives an invalid colour.
QColor ToQColor(TColor colour);
TColor FromQColor(const QColor& colour);

struct TColorDialogRequest {
    QColor Initial;
    QList<QColor> CustomColors;  // offered in the dialog's custom colour slots, in order
};

// Returns the chosen colour, or an invalid colour when the user cancelled.
using TColorDialogFunction = std::function<QColor(QWidget* parent, const TColorDialogRequest&)>;

QColor RunColorDialog(QWidget* parent, const TColorDialogRequest& request);
// nullptr restores the platform dialog.
void SetColorDialogFunction(TColorDialogFunction function);

}  // namespace ostrel::qt
