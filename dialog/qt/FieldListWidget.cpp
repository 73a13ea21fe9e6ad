#include "dialog/qt/FieldListWidget.h"

#include <QDropEvent>
#include <QMimeData>

namespace ostrel::qt {

const char* const TFieldListWidget::kMimeType = "application/x-ostrel-field-list";

TFieldListWidget::TFieldListWidget(TFieldList list, QWidget* parent) : QListWidget(parent), FList(list) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
}

QStringList TFieldListWidget::mimeTypes() const { return {kMimeType}; }

QMimeData* TFieldListWidget::mimeData(const QList<QListWidgetItem*>&) const {
    auto* data = new QMimeData;
    data->setData(kMimeType, QByteArray::number(FList));
    return data;
}

void TFieldListWidget::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasFormat(kMimeType)) event->acceptProposedAction();
    else event->ignore();
}

void TFieldListWidget::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData()->hasFormat(kMimeType)) event->acceptProposedAction();
    else event->ignore();
}

void TFieldListWidget::dropEvent(QDropEvent* event) {
    if (!event->mimeData()->hasFormat(kMimeType)) return event->ignore();
    const int source = event->mimeData()->data(kMimeType).toInt();
    const QListWidgetItem* item = itemAt(event->position().toPoint());
    const int targetRow = item ? row(item) : -1;
    // The model moves the rows; the widget's own move is not wanted.
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    if (OnDrop) OnDrop(source == flExported ? flExported : flAvailable, targetRow);
}

}  // namespace ostrel::qt
