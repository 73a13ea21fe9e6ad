#include "dialog/qt/HtmlPreview.h"

#include "dialog/qt/DialogTexts.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "dialog/qt/ColorDialogs.h"
#include "dialog/qt/SettingBindings.h"

namespace ostrel::qt {

namespace {

// Sample records of the table: number, name, age.
constexpr const char* kSample[THtmlPreview::kRows][THtmlPreview::kColumns] = {
    {"1", "John", "34"}, {"2", "Marcella", "27"}, {"3", "Alex", "25"}, {"4", "Julia", "48"}};
constexpr int kColumnWidths[THtmlPreview::kColumns] = {44, 96, 44};

// The rows show what an exported page shows: its first and third records take the table
// background, the second and fourth the odd-row background.
TDialogSetting RowBackground(int row) {
    return row % 2 == 0 ? dsHTMLEvenRowBackgroundColor : dsHTMLOddRowBackgroundColor;
}

}  // namespace

THtmlPreview::THtmlPreview(TOstrelDialogSettings& settings, TSettingBinder& binder, QWidget* parent)
    : QFrame(parent), FSettings(settings), FBinder(binder) {
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    FPage = this;
    Show(FPage, dsHTMLBackgroundColor, true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->setSpacing(8);
    FDefaultText = new QLabel(this);
    Show(FDefaultText, dsHTMLFontColor, false);
    layout->addWidget(FDefaultText, 0, Qt::AlignLeft);
    layout->addWidget(BuildTable(), 0, Qt::AlignLeft);

    auto* links = new QHBoxLayout;
    links->setSpacing(16);
    static constexpr TDialogSetting kLinkSettings[3] = {dsHTMLLinkColor, dsHTMLVLinkColor, dsHTMLALinkColor};
    for (int i = 0; i < 3; ++i) {
        FLinks[i] = new QLabel(this);
        Show(FLinks[i], kLinkSettings[i], false);
        links->addWidget(FLinks[i]);
    }
    links->addStretch(1);
    layout->addLayout(links);
    layout->addStretch(1);
}

QWidget* THtmlPreview::BuildTable() {
    auto* table = new QWidget(this);
    auto* grid = new QGridLayout(table);
    // One pixel between cells, where the page shows through, as cell spacing does on the page.
    grid->setContentsMargins(1, 1, 1, 1);
    grid->setSpacing(1);
    for (int column = 0; column < kColumns; ++column) {
        grid->setColumnMinimumWidth(column, kColumnWidths[column]);
        FHeaderCells[column] = NewCell(table, FHeaderTexts[column], Qt::AlignHCenter);
        QFont bold = FHeaderTexts[column]->font();
        bold.setBold(true);
        FHeaderTexts[column]->setFont(bold);
        Show(FHeaderCells[column], dsHTMLHeadBackgroundColor, true);
        Show(FHeaderTexts[column], dsHTMLHeadFontColor, false);
        grid->addWidget(FHeaderCells[column], 0, column);
        for (int row = 0; row < kRows; ++row) {
            FCells[row][column] = NewCell(table, FTexts[row][column], Qt::AlignLeft);
            FTexts[row][column]->setText(QString::fromUtf8(kSample[row][column]));
            Show(FCells[row][column], RowBackground(row), true);
            Show(FTexts[row][column], dsHTMLDataFontColor, false);
            grid->addWidget(FCells[row][column], row + 1, column);
        }
    }
    return table;
}

QWidget* THtmlPreview::NewCell(QWidget* parent, QLabel*& text, Qt::Alignment align) {
    auto* cell = new QWidget(parent);
    auto* layout = new QHBoxLayout(cell);
    layout->setContentsMargins(4, 2, 4, 2);
    text = new QLabel(cell);
    // The text keeps its own size inside the cell, so that a click beside it reaches the cell.
    layout->addWidget(text, 0, align | Qt::AlignVCenter);
    return cell;
}

void THtmlPreview::Show(QWidget* widget, TDialogSetting id, bool background) {
    FPartSetting[widget] = id;
    widget->installEventFilter(this);
    if (background) widget->setAutoFillBackground(true);
    const QPalette::ColorRole role = background ? QPalette::Window : QPalette::WindowText;
    FBinder.OnChange(id, [this, widget, id, role] {
        QPalette palette = widget->palette();
        palette.setColor(role, ToQColor(FSettings.Int(id)));
        widget->setPalette(palette);
    });
}

void THtmlPreview::ApplyTexts() {
    FDefaultText->setText(Text(sDefaultText));
    FDefaultText->setToolTip(Text(sHintFontColor));
    static constexpr TDialogText kHeaders[kColumns] = {sPreviewNum, sPreviewName, sPreviewAge};
    for (int column = 0; column < kColumns; ++column) {
        FHeaderTexts[column]->setText(Text(kHeaders[column]));
        FHeaderCells[column]->setToolTip(Text(sHintHeaderColor));
        for (int row = 0; row < kRows; ++row) {
            FCells[row][column]->setToolTip(Text(RowBackground(row) == dsHTMLOddRowBackgroundColor ? sHintOddRowColor : sHintEvenRowColor));
            FTexts[row][column]->setToolTip(Text(sHintTableFont));
        }
    }
    static constexpr TDialogText kLinks[3] = {sNonVisitedLink, sVisitedLink, sActiveLink};
    static constexpr TDialogText kLinkHints[3] = {sHintLinkColor, sHintVLinkColor, sHintALinkColor};
    for (int i = 0; i < 3; ++i) {
        FLinks[i]->setText(Text(kLinks[i]));
        FLinks[i]->setToolTip(Text(kLinkHints[i]));
    }
}

bool THtmlPreview::eventFilter(QObject* watched, QEvent* event) {
    const auto part = FPartSetting.find(watched);
    if (part == FPartSetting.end()) return QFrame::eventFilter(watched, event);
    const auto type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease) return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton) return false;
    if (type == QEvent::MouseButtonPress) {
        FPressed = watched;
        return true;
    }
    // A click: released over the part it was pressed on.
    const bool click = FPressed == watched && static_cast<QWidget*>(watched)->rect().contains(mouse->position().toPoint());
    FPressed = nullptr;
    if (click && OnPick) OnPick(part->second);
    return true;
}

}  // namespace ostrel::qt
