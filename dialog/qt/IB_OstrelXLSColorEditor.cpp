#include "dialog/qt/IB_OstrelXLSColorEditor.h"

#include <algorithm>

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

#include "dialog/qt/ColorDialogs.h"
#include "dialog/qt/DialogTexts.h"
#include "dialog/qt/WindowPicture.h"

namespace ostrel::qt {

using TEditor = TOstrelXLSColorEditorF;

namespace {

constexpr int kGridRows = kXlsColorCount / TEditor::kGridColumns;
constexpr TxlsColor kLastColor = static_cast<TxlsColor>(kXlsColorCount - 1);

QRect CellOf(int value) {
    return {TEditor::kCellSize * (value % TEditor::kGridColumns), TEditor::kCellSize * (value / TEditor::kGridColumns),
            TEditor::kCellSize, TEditor::kCellSize};
}

// The value under a point of the paint area. The area is one pixel wider than its eight
// columns, so its last pixel column counts as the first cell of the next row; past the last
// value it is the last value.
TxlsColor ColorAt(QPoint at) {
    const int value = at.y() / TEditor::kCellSize * TEditor::kGridColumns + at.x() / TEditor::kCellSize;
    return static_cast<TxlsColor>(std::clamp(value, 0, kXlsColorCount - 1));
}

}  // namespace

// ---- the paint area ----

class TXlsColorGrid : public QWidget {
public:
    explicit TXlsColorGrid(QWidget* parent) : QWidget(parent) {
        setFocusPolicy(Qt::StrongFocus);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    TxlsColor Selected() const { return FSelected; }
    void Select(TxlsColor color) {
        FSelected = std::min(color, kLastColor);
        update();
    }

    // Told when a double click has chosen a colour.
    std::function<void()> OnConfirm;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), palette().color(QPalette::Window));
        for (int value = 0; value < kXlsColorCount; ++value) PaintSwatch(p, value);
        PaintSunkenFrame(p, CellOf(FSelected));
    }

    void mousePressEvent(QMouseEvent* event) override { Select(ColorAt(event->position().toPoint())); }

    void mouseDoubleClickEvent(QMouseEvent* event) override {
        Select(ColorAt(event->position().toPoint()));
        if (OnConfirm) OnConfirm();
    }

    // The arrows move within the grid and stop at its edges; Enter and Escape go on to the
    // window's buttons.
    void keyPressEvent(QKeyEvent* event) override {
        int column = FSelected % TEditor::kGridColumns;
        int row = FSelected / TEditor::kGridColumns;
        switch (event->key()) {
            case Qt::Key_Left: column = std::max(column - 1, 0); break;
            case Qt::Key_Right: column = std::min(column + 1, TEditor::kGridColumns - 1); break;
            case Qt::Key_Up: row = std::max(row - 1, 0); break;
            case Qt::Key_Down: row = std::min(row + 1, kGridRows - 1); break;
            default: QWidget::keyPressEvent(event); return;
        }
        Select(static_cast<TxlsColor>(row * TEditor::kGridColumns + column));
    }

private:
    // Filled pixel by pixel rather than stroked, so that the outline is exactly the swatch's
    // 16 × 16 square on every paint engine.
    static void PaintSwatch(QPainter& p, int value) {
        const QRect swatch(CellOf(value).topLeft() + QPoint(TEditor::kSwatchInset, TEditor::kSwatchInset),
                           QSize(TEditor::kSwatchSize, TEditor::kSwatchSize));
        p.fillRect(swatch, Qt::black);
        p.fillRect(swatch.adjusted(1, 1, -1, -1), ToQColor(XlsScreenColor(static_cast<TxlsColor>(value))));
    }

    // The cell looks pressed in: its darkest shade along the left and top, light along the
    // right and bottom.
    void PaintSunkenFrame(QPainter& p, const QRect& cell) const {
        const QColor dark = palette().color(QPalette::Shadow);
        const QColor light = palette().color(QPalette::Light);
        p.fillRect(QRect(cell.left(), cell.top(), cell.width(), 1), dark);
        p.fillRect(QRect(cell.left(), cell.top(), 1, cell.height()), dark);
        p.fillRect(QRect(cell.left() + 1, cell.bottom(), cell.width() - 1, 1), light);
        p.fillRect(QRect(cell.right(), cell.top() + 1, 1, cell.height() - 1), light);
    }

    TxlsColor FSelected = clrBlack;
};

// ---- the window ----

TOstrelXLSColorEditorF::TOstrelXLSColorEditorF(QWidget* parent) : QDialog(parent) {
    setWindowTitle(Text(sChooseColorCaption));
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
    setFixedSize(177, 146);

    FColors = new TXlsColorGrid(this);
    FColors->setGeometry(0, 0, 177, 110);
    FColors->OnConfirm = [this] { accept(); };
    FOk = new QPushButton(Text(sOK), this);
    FOk->setGeometry(16, 115, 70, 25);
    FOk->setDefault(true);
    connect(FOk, &QPushButton::clicked, this, &QDialog::accept);
    FCancel = new QPushButton(Text(sCancel), this);
    FCancel->setGeometry(91, 115, 70, 25);
    connect(FCancel, &QPushButton::clicked, this, &QDialog::reject);
    // The arrows choose in the grid from the start.
    FColors->setFocus();

    // On the screen's centre rather than over the window that opened it.
    if (const QScreen* s = parent ? parent->screen() : QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());
}

TxlsColor TOstrelXLSColorEditorF::Selected() const { return FColors->Selected(); }

void TOstrelXLSColorEditorF::SetSelected(TxlsColor color) { FColors->Select(color); }

QWidget* TOstrelXLSColorEditorF::Colors() const { return FColors; }

// ---- running it ----

namespace {

TxlsColor RunXLSColorEditor(TxlsColor color, QWidget* parent) {
    // Guarded, since closing the parent during the modal run deletes the window with it.
    QPointer<TOstrelXLSColorEditorF> window = new TOstrelXLSColorEditorF(parent);
    window->SetSelected(color);
    const bool confirmed = window->exec() == QDialog::Accepted;
    if (!window) return color;
    const TxlsColor chosen = confirmed ? window->Selected() : color;
    delete window;
    return chosen;
}

TXLSColorChooser& Chooser() {
    static TXLSColorChooser chooser = RunXLSColorEditor;
    return chooser;
}

}  // namespace

TxlsColor ChooseXLSColor(TxlsColor color, QWidget* parent) { return Chooser()(color, parent); }

void SetXLSColorChooser(TXLSColorChooser chooser) {
    Chooser() = chooser ? std::move(chooser) : TXLSColorChooser(RunXLSColorEditor);
}

QImage RenderXLSColorPicker(TxlsColor selected) {
    TOstrelXLSColorEditorF window;
    window.SetSelected(selected);
    return WindowPicture(window);
}

}  // namespace ostrel::qt
