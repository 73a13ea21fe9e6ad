// The small modal window that picks one of the workbook palette's 40 colours: a grid of
// swatches, eight to a row in palette order, with the chosen one framed sunken. Workbooks can
// only store palette colours, so the Excel page's colour buttons offer this instead of the
// platform colour dialog.
#pragma once

#include <functional>

#include <QDialog>
#include <QImage>

#include "exporters/sheet/IB_OstrelXLSFormats.h"

class QPushButton;

namespace ostrel::qt {

class TXlsColorGrid;

class TOstrelXLSColorEditorF : public QDialog {
    Q_OBJECT

public:
    // The grid's cells and the swatch inside each, in pixels.
    static constexpr int kCellSize = 22;
    static constexpr int kGridColumns = 8;
    static constexpr int kSwatchInset = 3;
    static constexpr int kSwatchSize = 16;

    explicit TOstrelXLSColorEditorF(QWidget* parent = nullptr);

    TxlsColor Selected() const;
    void SetSelected(TxlsColor color);

    // The paint area and the buttons, for tests and pictures.
    QWidget* Colors() const;
    QPushButton* OkButton() const { return FOk; }
    QPushButton* CancelButton() const { return FCancel; }

private:
    TXlsColorGrid* FColors = nullptr;
    QPushButton* FOk = nullptr;
    QPushButton* FCancel = nullptr;
};

// Shows the window modally on `color`; the selection when it closes with OK, else `color`.
TxlsColor ChooseXLSColor(TxlsColor color, QWidget* parent = nullptr);

// What ChooseXLSColor runs, replaceable so that the pages' tests answer it without a window;
// nullptr restores the window.
using TXLSColorChooser = std::function<TxlsColor(TxlsColor color, QWidget* parent)>;
void SetXLSColorChooser(TXLSColorChooser chooser);

// The window with `selected` chosen, under its title bar, for the screenshots.
QImage RenderXLSColorPicker(TxlsColor selected);

}  // namespace ostrel::qt
