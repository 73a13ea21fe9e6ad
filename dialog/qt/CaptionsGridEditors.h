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
