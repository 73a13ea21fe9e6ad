// A Qt report-style list view that an exporter can read: items with a caption and sub-items
// under captioned columns.
#pragma once

#include <QTreeWidget>

#include <string>
#include <vector>

#include "engine/IB_OstrelSources.h"

namespace ostrel::qt {

// The widget base comes first so that the component part goes first when the object is
// destroyed: whoever refers to the list view is told while the widget still exists.
class TQtListView : public QTreeWidget, public TListView {
public:
    explicit TQtListView(QWidget* parent = nullptr);

    void AddColumn(const std::string& caption, int widthPixels);
    // Returns the new item's index.
    int AddItem(const std::string& caption, const std::vector<std::string>& subItems = {});

    int ItemCount() const override;
    std::string ItemCaption(int item) const override;
    std::string ItemSubItem(int item, int subItem) const override;
    // Makes the item current and scrolls to it; the selection stays as it is.
    void FocusItem(int item) override;
    // The first selected item.
    int SelectedIndex() const override;
    void BeginUpdate() override;
    void EndUpdate() override;
    int ColumnCount() const override;
    std::string ColumnCaption(int column) const override;
    int ColumnWidth(int column) const override;
    TFont Font() const override;

private:
    int FUpdateDepth = 0;
};

}  // namespace ostrel::qt
