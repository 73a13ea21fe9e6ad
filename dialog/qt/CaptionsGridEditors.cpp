#include "dialog/qt/CaptionsGridEditors.h"

#include "dialog/qt/DialogTexts.h"
#include "dialog/qt/ErrorDisplay.h"

#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QSpinBox>

#include "dialog/DialogCaptionsGrid.h"
#include "dialog/IB_OstrelConsts.h"
#include "platform/Errors.h"

namespace ostrel::qt {

namespace {

std::string CellText(const QModelIndex& index) { return index.data(Qt::EditRole).toString().toStdString(); }

}  // namespace

TCaptionsGridEditors::TCaptionsGridEditors(const TOstrelCaptionsGrid& grid, QObject* parent)
    : QStyledItemDelegate(parent), FGrid(grid) {}

bool TCaptionsGridEditors::IsAlignCell(const QModelIndex& index) const {
    return index.column() == FGrid.CurrentLayout().AlignCol;
}

bool TCaptionsGridEditors::IsWidthCell(const QModelIndex& index) const {
    return index.column() == FGrid.CurrentLayout().WidthCol;
}

QWidget* TCaptionsGridEditors::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                            const QModelIndex& index) const {
    if (IsAlignCell(index)) {
        auto* box = new QComboBox(parent);
        box->addItems({Text(sAlignNone), Text(sAlignLeft), Text(sAlignCenter), Text(sAlignRight)});
        return box;
    }
    if (IsWidthCell(index)) {
        // A cell that holds no number opens no editor, so the grid stays as it was.
        try {
            TOstrelCaptionsGrid::WidthOfCell(CellText(index));
        } catch (const EOstrelError& e) {
            ShowErrorMessage(parent->window(), QString::fromStdString(e.what()));
            return nullptr;
        }
        auto* spin = new QSpinBox(parent);
        spin->setRange(0, kMaxWidth);
        return spin;
    }
    return QStyledItemDelegate::createEditor(parent, option, index);
}

void TCaptionsGridEditors::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* box = qobject_cast<QComboBox*>(editor)) {
        // No item matching the cell leaves the drop-down empty, as a list without a choice is.
        box->setCurrentIndex(box->findText(QString::fromStdString(CellText(index)), Qt::MatchFixedString));
    } else if (auto* spin = qobject_cast<QSpinBox*>(editor)) {
        spin->setValue(TOstrelCaptionsGrid::WidthOfCell(CellText(index)));
    } else {
        QStyledItemDelegate::setEditorData(editor, index);
    }
}

void TCaptionsGridEditors::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
    if (auto* box = qobject_cast<QComboBox*>(editor)) {
        model->setData(index, box->currentText(), Qt::EditRole);
    } else if (auto* spin = qobject_cast<QSpinBox*>(editor)) {
        spin->interpretText();
        model->setData(index, QString::number(spin->value()), Qt::EditRole);
    } else {
        QStyledItemDelegate::setModelData(editor, model, index);
    }
}

void TCaptionsGridEditors::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                                const QModelIndex& index) const {
    // The drop-down starts a pixel inside the cell and is two pixels wider, so that its arrow
    // lies over the grid line; the spin box fills the cell.
    QRect rect = option.rect;
    if (IsAlignCell(index)) rect.adjust(1, 0, 3, 0);
    editor->setGeometry(rect);
}

}  // namespace ostrel::qt
