// The in-place editors of the captions grid: a drop-down of the alignments over an alignment
// cell and a spin box over a width cell, each writing its value back when it loses the focus.
// Caption cells keep the grid's own line edit.
#pragma once

#include <functional>

#include <QStyledItemDelegate>

namespace ostrel {
class TOstrelCaptionsGrid;
}

namespace ostrel::qt {

// Shows the error of a width cell that holds no number; replaceable so that tests see the
// message instead of a modal box.
using TGridErrorDisplay = std::function<void(QWidget* parent, const QString& message)>;
void ShowGridError(QWidget* parent, const QString& message);
// nullptr restores the message box.
void SetGridErrorDisplay(TGridErrorDisplay function);

class TCaptionsGridEditors : public QStyledItemDelegate {
public:
    // The grid model tells which columns hold alignments and widths.
    TCaptionsGridEditors(const TOstrelCaptionsGrid& grid, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

    static constexpr int kMaxWidth = 1000;

private:
    bool IsAlignCell(const QModelIndex& index) const;
    bool IsWidthCell(const QModelIndex& index) const;

    const TOstrelCaptionsGrid& FGrid;
};

}  // namespace ostrel::qt
