// "&Captions": whether captions are exported, and the grid of each field's caption, width and
// alignment, laid out for the export type.
#include <QCheckBox>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

#include <utility>

#include "dialog/DialogSettings.h"
#include "dialog/qt/CaptionsGridEditors.h"
#include "dialog/qt/DialogPage.h"
#include "dialog/qt/SettingBindings.h"

namespace ostrel::qt {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

class TCaptionsPage : public TDialogPageView {
public:
    TCaptionsPage(TDialogPageContext& context, QWidget* parent);

    void ApplyTexts() override { FAllow->setText(Q(DialogText(sAllowCaptions))); }
    void Fill() override { ShowGrid(); }

private:
    TOstrelCaptionsGrid& Model() { return Context.Settings.CaptionsGrid(); }
    void ShowGrid();
    void ShowHeader();
    void ShowCells();
    void CellEdited(QTableWidgetItem* item);

    QCheckBox* FAllow = nullptr;
    QTableWidget* FGrid = nullptr;
    bool FShowing = false;
};

TCaptionsPage::TCaptionsPage(TDialogPageContext& context, QWidget* parent) : TDialogPageView(context, parent) {
    auto* layout = new QVBoxLayout(this);
    FAllow = new QCheckBox(this);
    FAllow->setObjectName("AllowCaptions");
    FGrid = new QTableWidget(this);
    FGrid->setObjectName("CaptionsGrid");
    FGrid->verticalHeader()->hide();
    FGrid->verticalHeader()->setDefaultSectionSize(FGrid->fontMetrics().height() + 8);
    FGrid->horizontalHeader()->setSectionsClickable(false);
    FGrid->horizontalHeader()->setHighlightSections(false);
    FGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    FGrid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                           QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    FGrid->setItemDelegate(new TCaptionsGridEditors(Model(), FGrid));
    layout->addWidget(FAllow);
    layout->addWidget(FGrid, 1);

    TSettingBinder& b = context.Binder;
    b.BindCheck(FAllow, dsAllowCaptions);
    b.OnChange(dsAllowCaptions, [this] { FGrid->setEnabled(Context.Settings.Enabled(dcCaptionsGrid)); });
    // The model has laid the grid out for the new type before the change is announced.
    b.OnChange(dsExportType, [this] {
        ShowGrid();
        SetPageText(Q(Model().CurrentLayout().PageText));
    });
    Model().OnChanged = [this] { ShowCells(); };
    connect(FGrid, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) { CellEdited(item); });
}

void TCaptionsPage::ShowGrid() {
    const TCaptionsGridLayout& layout = Model().CurrentLayout();
    const bool showing = std::exchange(FShowing, true);
    FGrid->setColumnCount(layout.ColCount);
    for (int col = 0; col < layout.ColCount && col < static_cast<int>(layout.Widths.size()); ++col)
        FGrid->setColumnWidth(col, layout.Widths[col]);
    FShowing = showing;
    ShowHeader();
    ShowCells();
}

void TCaptionsPage::ShowHeader() {
    QFont bold = FGrid->horizontalHeader()->font();
    bold.setBold(true);
    for (int col = 0; col < FGrid->columnCount(); ++col) {
        auto* item = new QTableWidgetItem(Q(Model().HeaderText(col)));
        item->setFont(bold);
        item->setTextAlignment(Qt::AlignCenter);
        FGrid->setHorizontalHeaderItem(col, item);
    }
}

void TCaptionsPage::ShowCells() {
    const bool showing = std::exchange(FShowing, true);
    const TOstrelCaptionsGrid& m = Model();
    FGrid->setRowCount(m.RowCount());
    const QBrush fixed = FGrid->palette().button();
    for (int row = 0; row < m.RowCount(); ++row)
        for (int col = 0; col < FGrid->columnCount(); ++col) {
            const QString text = Q(m.Cell(col, row));
            QTableWidgetItem* item = FGrid->item(row, col);
            if (!item) {
                item = new QTableWidgetItem;
                // The name column identifies the row: shown like a header, never edited.
                if (col == 0) {
                    item->setFlags(Qt::ItemIsEnabled);
                    item->setBackground(fixed);
                }
                FGrid->setItem(row, col, item);
            }
            if (item->text() != text) item->setText(text);
        }
    FShowing = showing;
}

void TCaptionsPage::CellEdited(QTableWidgetItem* item) {
    if (FShowing || item->row() >= Model().RowCount()) return;
    Model().SetCell(item->column(), item->row(), item->text().toStdString());
}

}  // namespace

TDialogPageView* CreateCaptionsPage(TDialogPageContext& context, QWidget* parent) {
    return new TCaptionsPage(context, parent);
}

}  // namespace ostrel::qt
