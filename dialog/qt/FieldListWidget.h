// A list of the fields page. Drags carry the list they started from; a drop hands the source
// list and the row under the mouse to the field-lists model instead of moving items itself.
#pragma once

#include <functional>

#include <QListWidget>

#include "dialog/DialogFieldLists.h"

namespace ostrel::qt {

class TFieldListWidget : public QListWidget {
public:
    static const char* const kMimeType;

    TFieldListWidget(TFieldList list, QWidget* parent = nullptr);
    TFieldList List() const { return FList; }

    // Called with the source list and the row under the mouse (-1 for none).
    std::function<void(TFieldList source, int targetRow)> OnDrop;

protected:
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    TFieldList FList;
};

}  // namespace ostrel::qt
