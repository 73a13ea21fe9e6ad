// The sample box that shows a font on the RTF options page, and the font dialog that changes
// the font (replaceable, so that tests answer it).
#pragma once

#include <functional>
#include <optional>

#include <QFont>
#include <QString>
#include <QWidget>

#include "platform/Graphics.h"

namespace ostrel::qt {

// A white box with a black border and, centred in it, a sample text in the font's name, size and
// style. The text is always black: the box shows the type, and a pale font colour would vanish
// on the white ground. The font is read when painting, so the box follows changes of it.
class TFontSampleBox : public QWidget {
public:
    TFontSampleBox(const TFont& font, QWidget* parent);

    void SetText(const QString& text);
    const QString& Text() const { return FText; }
    // Runs on a double click in the box.
    std::function<void()> OnDoubleClick;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    const TFont& FFont;
    QString FText;
};

// The chosen font, or nothing when the user cancelled.
using TFontDialogFunction = std::function<std::optional<QFont>(QWidget* parent, const QFont& initial)>;

std::optional<QFont> RunFontDialog(QWidget* parent, const QFont& initial);
// nullptr restores the platform dialog.
void SetFontDialogFunction(TFontDialogFunction function);

// Opens the font dialog with `font`. On confirmation `font` takes the chosen name, size and style
// and keeps its colour and character set, which a Qt font does not carry; returns whether it did.
bool ChooseFont(QWidget* parent, TFont& font);

}  // namespace ostrel::qt
