// "&SQL Options": the table, the commits and the statements of an SQL script.
#pragma once

#include "dialog/qt/DialogPage.h"

class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace ostrel::qt {

class TSqlPage : public TDialogPageView {
public:
    TSqlPage(TDialogPageContext& context, QWidget* parent);

    struct TControls {
        QGroupBox* TableOptions = nullptr;
        QCheckBox* CreateTable = nullptr;
        QLabel* TableNameLabel = nullptr;
        QLineEdit* TableName = nullptr;
        QGroupBox* CommitOptions = nullptr;
        QLabel* CommitAfterLabel = nullptr;
        QLineEdit* CommitRecCount = nullptr;
        QLabel* CommitRecordsLabel = nullptr;
        QCheckBox* CommitAfterScript = nullptr;
        QLabel* CommitStatementLabel = nullptr;
        QLineEdit* CommitStatement = nullptr;
        QGroupBox* OtherOptions = nullptr;
        QLabel* NullStringLabel = nullptr;
        QLineEdit* NullString = nullptr;  // the formats page's null string, shown here too
        QLabel* StatementTermLabel = nullptr;
        QLineEdit* StatementTerm = nullptr;
    };
    const TControls& Controls() const { return FControls; }

    void ApplyTexts() override;

private:
    void BuildTableOptions();
    void BuildCommitOptions();
    void BuildOtherOptions();
    // A label left of its edit, in the label column of a group's grid.
    QLabel* AddLabelled(QGridLayout* grid, int row, QWidget* edit);

    TControls FControls;
};

}  // namespace ostrel::qt
