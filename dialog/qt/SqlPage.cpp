#include "dialog/qt/SqlPage.h"

#include "dialog/qt/DialogTexts.h"

#include <algorithm>

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "dialog/qt/PageWidgets.h"
#include "dialog/qt/SettingBindings.h"

namespace ostrel::qt {

TSqlPage::TSqlPage(TDialogPageContext& context, QWidget* parent) : TDialogPageView(context, parent) {
    // Three groups stacked would not fit the fixed window: the table options span the page,
    // the commit and other options share the row below.
    auto* layout = new QGridLayout(this);
    BuildTableOptions();
    BuildCommitOptions();
    BuildOtherOptions();
    layout->addWidget(FControls.TableOptions, 0, 0, 1, 2);
    layout->addWidget(FControls.CommitOptions, 1, 0);
    layout->addWidget(FControls.OtherOptions, 1, 1);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(2, 1);
}

QLabel* TSqlPage::AddLabelled(QGridLayout* grid, int row, QWidget* edit) {
    auto* label = new QLabel(edit->parentWidget());
    label->setBuddy(edit);
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    return label;
}

void TSqlPage::BuildTableOptions() {
    auto& c = FControls;
    c.TableOptions = new QGroupBox(this);
    auto* grid = new QGridLayout(c.TableOptions);
    c.CreateTable = new QCheckBox(c.TableOptions);
    c.TableName = new QLineEdit(c.TableOptions);
    grid->addWidget(c.CreateTable, 0, 0, 1, 2);
    c.TableNameLabel = AddLabelled(grid, 1, c.TableName);
    TSettingBinder& b = Context.Binder;
    b.BindCheck(c.CreateTable, dsSQLCreateTable);
    b.BindText(c.TableName, dsSQLTableName);
}

void TSqlPage::BuildCommitOptions() {
    auto& c = FControls;
    c.CommitOptions = new QGroupBox(this);
    auto* grid = new QGridLayout(c.CommitOptions);
    // The count stands between "Commit after" and "record(s)".
    auto* count = new QWidget(c.CommitOptions);
    auto* countRow = new QHBoxLayout(count);
    countRow->setContentsMargins(0, 0, 0, 0);
    c.CommitRecCount = ShortEdit(count);
    c.CommitRecordsLabel = new QLabel(count);
    countRow->addWidget(c.CommitRecCount);
    countRow->addWidget(c.CommitRecordsLabel);
    countRow->addStretch(1);
    c.CommitAfterLabel = AddLabelled(grid, 0, count);
    c.CommitAfterLabel->setBuddy(c.CommitRecCount);
    c.CommitAfterScript = new QCheckBox(c.CommitOptions);
    grid->addWidget(c.CommitAfterScript, 1, 0, 1, 2);
    c.CommitStatement = new QLineEdit(c.CommitOptions);
    c.CommitStatementLabel = AddLabelled(grid, 2, c.CommitStatement);
    TSettingBinder& b = Context.Binder;
    b.BindNumber(c.CommitRecCount, dsSQLCommitRecCount, true);
    b.BindCheck(c.CommitAfterScript, dsSQLCommitAfterScript);
    b.BindText(c.CommitStatement, dsSQLCommitStatement);
}

void TSqlPage::BuildOtherOptions() {
    auto& c = FControls;
    c.OtherOptions = new QGroupBox(this);
    auto* grid = new QGridLayout(c.OtherOptions);
    c.NullString = new QLineEdit(c.OtherOptions);
    c.NullStringLabel = AddLabelled(grid, 0, c.NullString);
    // Only the first character terminates a statement, but the edit takes the text as typed.
    c.StatementTerm = ShortEdit(c.OtherOptions);
    c.StatementTermLabel = AddLabelled(grid, 1, c.StatementTerm);
    // Shorter than the commit options beside it: the rows stay at the top.
    grid->setRowStretch(2, 1);
    TSettingBinder& b = Context.Binder;
    b.BindText(c.NullString, dsNullString);
    b.BindText(c.StatementTerm, dsSQLStatementTerm);
}

void TSqlPage::ApplyTexts() {
    auto& c = FControls;
    c.TableOptions->setTitle(Text(sTableOptionsGroup));
    c.CreateTable->setText(Text(sCreateTable));
    c.TableNameLabel->setText(Text(sTableName));
    c.CommitOptions->setTitle(Text(sCommitOptionsGroup));
    c.CommitAfterLabel->setText(Text(sCommitAfter));
    c.CommitRecordsLabel->setText(Text(sRecordsPlural));
    c.CommitAfterScript->setText(Text(sCommitAfterScript));
    c.CommitStatementLabel->setText(Text(sCommitStatement));
    c.OtherOptions->setTitle(Text(sOtherOptionsGroup));
    c.NullStringLabel->setText(Text(sExportNullAs));
    c.StatementTermLabel->setText(Text(sStatementTerm));
    // The edits of the two groups on the left start in one column, after the wider label.
    int width = 0;
    for (QLabel* label : {c.TableNameLabel, c.CommitAfterLabel, c.CommitStatementLabel})
        width = std::max(width, label->sizeHint().width());
    for (QGroupBox* group : {c.TableOptions, c.CommitOptions})
        static_cast<QGridLayout*>(group->layout())->setColumnMinimumWidth(0, width);
}

TDialogPageView* CreateSqlPage(TDialogPageContext& context, QWidget* parent) { return new TSqlPage(context, parent); }

}  // namespace ostrel::qt
