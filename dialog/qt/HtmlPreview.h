// The preview of the HTML page's colours: a page with its default text, a small table with a
// header row and four data rows, and the three link texts, each part painted in its colour
// setting. A click on a part names the setting it shows; the page lets the user pick it.
#pragma once

#include <functional>
#include <map>

#include <QFrame>

#include "dialog/DialogSettings.h"

class QLabel;

namespace ostrel::qt {

class TSettingBinder;

class THtmlPreview : public QFrame {
public:
    static constexpr int kColumns = 3;
    static constexpr int kRows = 4;

    THtmlPreview(TOstrelDialogSettings& settings, TSettingBinder& binder, QWidget* parent);

    // Sets the texts and tooltips from the text table.
    void ApplyTexts();

    // Told the colour setting of the part the user clicked.
    std::function<void(TDialogSetting)> OnPick;

    // The parts, for tests and pictures. Rows count from 0 for the table's first data row.
    QWidget* PageArea() const { return FPage; }
    QLabel* DefaultText() const { return FDefaultText; }
    QWidget* HeaderCell(int column) const { return FHeaderCells[column]; }
    QLabel* HeaderText(int column) const { return FHeaderTexts[column]; }
    QWidget* DataCell(int row, int column) const { return FCells[row][column]; }
    QLabel* DataText(int row, int column) const { return FTexts[row][column]; }
    QLabel* LinkText(int which) const { return FLinks[which]; }  // non-visited, visited, active

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildTable();
    QWidget* NewCell(QWidget* parent, QLabel*& text, Qt::Alignment align);
    // `widget` shows `id` as its background, or as its text colour.
    void Show(QWidget* widget, TDialogSetting id, bool background);

    TOstrelDialogSettings& FSettings;
    TSettingBinder& FBinder;
    QWidget* FPage = nullptr;
    QLabel* FDefaultText = nullptr;
    QWidget* FHeaderCells[kColumns] = {};
    QLabel* FHeaderTexts[kColumns] = {};
    QWidget* FCells[kRows][kColumns] = {};
    QLabel* FTexts[kRows][kColumns] = {};
    QLabel* FLinks[3] = {};
    std::map<QObject*, TDialogSetting> FPartSetting;
    QObject* FPressed = nullptr;
};

}  // namespace ostrel::qt
