#include "dialog/qt/ExcelPage.h"

#include "dialog/qt/DialogTexts.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "dialog/DialogSettings.h"
#include "dialog/qt/IB_OstrelXLSColorEditor.h"
#include "dialog/qt/PageWidgets.h"
#include "dialog/qt/QuestionBox.h"
#include "dialog/qt/SettingBindings.h"
#include "dialog/qt/XlsControls.h"
#include "dialog/qt/XlsIcons.h"
#include "dialog/qt/XlsPainting.h"

namespace ostrel::qt {

namespace {

constexpr int kSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};
constexpr int kBorderStyleCount = bstSlantedDashDot + 1;
constexpr int kPatternCount = ptThinThinSpots + 1;

constexpr TxlsFontUnderline kUnderlines[4] = {fulSingle, fulDouble, fulSingleAccounting, fulDoubleAccounting};
constexpr TDialogText kUnderlineHints[4] = {sXLSHintUnderlineSingle, sXLSHintUnderlineDouble,
                                            sXLSHintUnderlineSingleAccounting, sXLSHintUnderlineDoubleAccounting};
constexpr TxlsHorizontalAlignment kHorizontals[4] = {halLeft, halCenter, halRight, halFill};
constexpr TDialogText kHorizontalHints[4] = {sXLSHintLeft, sXLSHintCenter, sXLSHintRight, sXLSHintFill};
constexpr TxlsVerticalAlignment kVerticals[3] = {valTop, valCenter, valBottom};
constexpr TDialogText kVerticalHints[3] = {sXLSHintTop, sXLSHintMiddle, sXLSHintBottom};
constexpr TDialogText kBorderHints[kXLSSideCount] = {sXLSHintTopBorder, sXLSHintBottomBorder, sXLSHintLeftBorder,
                                                     sXLSHintRightBorder};
constexpr TDialogText kBorderColourHints[kXLSSideCount] = {sXLSHintTopBorderColor, sXLSHintBottomBorderColor,
                                                           sXLSHintLeftBorderColor, sXLSHintRightBorderColor};
constexpr TDialogText kAggregateTexts[5] = {sXLSAggNone, sXLSAggSum, sXLSAggAvg, sXLSAggMin, sXLSAggMax};

QChar FirstLetter(TDialogText id) {
    const QString text = Text(id);
    return text.isEmpty() ? QChar(' ') : text.front();
}

void SetChecked(QAbstractButton* button, bool on) {
    if (button->isChecked() != on) button->setChecked(on);
}

}  // namespace

TExcelPageView::TExcelPageView(TDialogPageContext& context, QWidget* parent) : TDialogPageView(context, parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* tabs = FControls.SubPages = new QTabWidget(this);
    tabs->addTab(BuildDataFormatPage(), QString());
    tabs->addTab(BuildAdvancedPage(), QString());
    layout->addWidget(tabs);
    Model().OnChanged = [this] { ModelChanged(); };
}

TOstrelXLSFormatList& TExcelPageView::Model() { return Context.Settings.XLSFormats(); }

// ---- building ----

QToolButton* TExcelPageView::Toggle(QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setCheckable(true);
    button->setAutoRaise(false);
    button->setFixedSize(26, 26);
    button->setIconSize(QSize(16, 16));
    return button;
}

QWidget* TExcelPageView::BuildDataFormatPage() {
    auto& c = FControls;
    auto* page = new QWidget(this);
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);

    auto* left = new QVBoxLayout;
    c.List = new QListWidget(page);
    c.List->setObjectName("XLSFormatList");
    c.List->setSelectionMode(QAbstractItemView::ExtendedSelection);
    c.List->setFixedWidth(170);
    c.List->setIconSize(QSize(12, 12));
    c.ResetItem = new QPushButton(page);
    c.ResetAll = new QPushButton(page);
    for (QPushButton* b : {c.ResetItem, c.ResetAll}) b->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(c.ResetItem);
    buttons->addWidget(c.ResetAll);
    left->addWidget(c.List, 1);
    left->addLayout(buttons);
    layout->addLayout(left);

    auto* right = new QVBoxLayout;
    c.SampleLabel = new QLabel(page);
    c.Sample = new TXlsSampleCell(page);
    c.Sample->setObjectName("XLSSampleCell");
    c.Sample->setFixedHeight(56);
    c.Sample->Format = [this] { return SampleFormat(); };
    c.InnerPages = new QTabWidget(page);
    c.InnerPages->addTab(BuildFontPage(), QString());
    c.InnerPages->addTab(BuildBordersPage(), QString());
    c.InnerPages->addTab(BuildFillPage(), QString());
    c.InnerPages->addTab(BuildAggregatePage(), QString());
    right->addWidget(c.SampleLabel);
    right->addWidget(c.Sample);
    right->addWidget(c.InnerPages, 1);
    layout->addLayout(right, 1);

    connect(c.List, &QListWidget::itemSelectionChanged, this, [this] { ListSelectionChanged(); });
    connect(c.ResetItem, &QPushButton::clicked, this, [this] { Edit([](TOstrelXLSFormatList& m) { m.ResetSelected(); }); });
    connect(c.ResetAll, &QPushButton::clicked, this, [this] {
        Edit([this](TOstrelXLSFormatList& m) {
            m.ResetAll([this] { return AskWarningQuestion(this, Text(sXLSResetAllTitle), Text(sXLSResetAllQuestion)); });
        });
    });
    return page;
}

QWidget* TExcelPageView::BuildFontPage() {
    auto& c = FControls;
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setVerticalSpacing(6);

    c.Font = new QComboBox(page);
    c.Font->addItems(QFontDatabase::families());
    c.Font->setMinimumWidth(150);
    c.FontLabel = LabelFor(c.Font, page);
    c.Size = new QComboBox(page);
    c.Size->setEditable(true);
    c.Size->setInsertPolicy(QComboBox::NoInsert);
    // A typed "1" is the size 1, not the first size the list completes it to.
    c.Size->setCompleter(nullptr);
    for (int size : kSizes) c.Size->addItem(QString::number(size));
    c.Size->setFixedWidth(60);
    c.SizeLabel = LabelFor(c.Size, page);
    auto* names = new QHBoxLayout;
    names->addWidget(c.FontLabel);
    names->addWidget(c.Font, 1);
    names->addSpacing(8);
    names->addWidget(c.SizeLabel);
    names->addWidget(c.Size);
    grid->addLayout(names, 0, 0);

    auto* styles = new QHBoxLayout;
    styles->setSpacing(2);
    c.FontColour = new TXlsColourButton(page);
    c.Bold = Toggle(page);
    c.Italic = Toggle(page);
    c.StrikeOut = Toggle(page);
    for (QWidget* w : {static_cast<QWidget*>(c.FontColour), static_cast<QWidget*>(c.Bold),
                       static_cast<QWidget*>(c.Italic), static_cast<QWidget*>(c.StrikeOut)})
        styles->addWidget(w);
    styles->addSpacing(10);
    for (auto& b : c.Underline) styles->addWidget(b = Toggle(page));
    styles->addStretch(1);
    grid->addLayout(styles, 1, 0);

    auto* alignment = new QHBoxLayout;
    alignment->setSpacing(2);
    for (auto& b : c.Horizontal) alignment->addWidget(b = Toggle(page));
    alignment->addSpacing(10);
    for (auto& b : c.Vertical) alignment->addWidget(b = Toggle(page));
    alignment->addStretch(1);
    grid->addLayout(alignment, 2, 0);
    grid->setRowStretch(3, 1);

    connect(c.Font, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0) return;
        const std::string name = FControls.Font->itemText(index).toStdString();
        Edit([&name](TOstrelXLSFormatList& m) { m.SetFontName(name); });
    });
    connect(c.Size, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        // Shown again only when the size changed: text being typed stays as it is.
        if (!FShowing) Model().SetFontSizeText(text.trimmed().toStdString());
    });
    ConnectColour(c.FontColour, [](const TXLSShown& s) { return s.FontColor; },
                  [](TOstrelXLSFormatList& m, TxlsColor colour) { m.SetFontColor(colour); });
    const std::pair<QToolButton*, TxlsFontStyle> fontStyles[] = {
        {c.Bold, xfsBold}, {c.Italic, xfsItalic}, {c.StrikeOut, xfsStrikeOut}};
    for (auto [button, style] : fontStyles)
        connect(button, &QToolButton::clicked, this, [this, style](bool down) {
            Edit([&](TOstrelXLSFormatList& m) { m.SetFontStyle(style, down); });
        });
    for (int i = 0; i < 4; ++i) {
        connect(c.Underline[i], &QToolButton::clicked, this,
                [this, kind = kUnderlines[i]](bool down) {
                    Edit([&](TOstrelXLSFormatList& m) { m.SetUnderline(kind, down); });
                });
        connect(c.Horizontal[i], &QToolButton::clicked, this,
                [this, kind = kHorizontals[i]](bool down) {
                    Edit([&](TOstrelXLSFormatList& m) { m.SetHorizontal(kind, down); });
                });
    }
    for (int i = 0; i < 3; ++i)
        connect(c.Vertical[i], &QToolButton::clicked, this,
                [this, kind = kVerticals[i]](bool down) {
                    Edit([&](TOstrelXLSFormatList& m) { m.SetVertical(kind, down); });
                });
    return page;
}

QWidget* TExcelPageView::BuildBordersPage() {
    auto& c = FControls;
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setVerticalSpacing(3);
    for (int side = 0; side < kXLSSideCount; ++side) {
        const auto s = static_cast<TXLSSide>(side);
        c.BorderToggle[side] = Toggle(page);
        c.BorderToggle[side]->setIcon(XlsBorderIcon(s));
        c.BorderStyle[side] = new TXlsPictureCombo(
            kBorderStyleCount,
            [this, side](QPainter& p, const QRect& r, int index, bool highlighted) {
                PaintBorderStyleItem(p, r, static_cast<TxlsBorderStyle>(index), XlsQColor(FShown.BorderColor[side]),
                                     highlighted, palette(), Text(sXLSNone));
            },
            page);
        c.BorderStyle[side]->setFixedWidth(150);
        c.BorderColour[side] = new TXlsColourButton(page);
        c.BorderColour[side]->setIcon(XlsBorderIcon(s));
        grid->addWidget(c.BorderToggle[side], side, 0);
        grid->addWidget(c.BorderStyle[side], side, 1);
        grid->addWidget(c.BorderColour[side], side, 2);

        connect(c.BorderToggle[side], &QToolButton::clicked, this,
                [this, s](bool down) {
            Edit([&](TOstrelXLSFormatList& m) { m.ToggleBorder(s, down); });
        });
        connect(c.BorderStyle[side], &QComboBox::currentIndexChanged, this, [this, s](int index) {
            if (index >= 0)
                Edit([&](TOstrelXLSFormatList& m) { m.SetBorderStyle(s, static_cast<TxlsBorderStyle>(index)); });
        });
        ConnectColour(c.BorderColour[side], [side](const TXLSShown& shown) { return shown.BorderColor[side]; },
                      [s](TOstrelXLSFormatList& m, TxlsColor colour) { m.SetBorderColor(s, colour); });
    }
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(kXLSSideCount, 1);
    return page;
}

QWidget* TExcelPageView::BuildFillPage() {
    auto& c = FControls;
    auto* page = new QWidget(this);
    auto* row = new QHBoxLayout(page);
    row->setContentsMargins(6, 6, 6, 6);
    c.Pattern = new TXlsPictureCombo(
        kPatternCount,
        [this](QPainter& p, const QRect& r, int index, bool highlighted) {
            PaintPatternItem(p, r, static_cast<TxlsPattern>(index), FShown.Background, FShown.Foreground, highlighted,
                             palette(), Text(sXLSNone));
        },
        page);
    c.Pattern->setFixedWidth(150);
    c.Background = new TXlsColourButton(page);
    c.Background->setIcon(XlsFillIcon(false));
    c.Foreground = new TXlsColourButton(page);
    c.Foreground->setIcon(XlsFillIcon(true));
    row->addWidget(c.Pattern, 0, Qt::AlignTop);
    row->addWidget(c.Background, 0, Qt::AlignTop);
    row->addWidget(c.Foreground, 0, Qt::AlignTop);
    row->addStretch(1);

    connect(c.Pattern, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) Edit([&](TOstrelXLSFormatList& m) { m.SetPattern(static_cast<TxlsPattern>(index)); });
    });
    ConnectColour(c.Background, [](const TXLSShown& s) { return s.Background; },
                  [](TOstrelXLSFormatList& m, TxlsColor colour) { m.SetBackground(colour); });
    ConnectColour(c.Foreground, [](const TXLSShown& s) { return s.Foreground; },
                  [](TOstrelXLSFormatList& m, TxlsColor colour) { m.SetForeground(colour); });
    return page;
}

QWidget* TExcelPageView::BuildAggregatePage() {
    auto& c = FControls;
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(6, 6, 6, 6);
    c.AggregateGroup = new QGroupBox(page);
    auto* radios = new QHBoxLayout(c.AggregateGroup);
    c.AggregateButtons = new QButtonGroup(this);
    for (int i = 0; i < 5; ++i) {
        c.Aggregate[i] = new QRadioButton(c.AggregateGroup);
        c.AggregateButtons->addButton(c.Aggregate[i], i);
        radios->addWidget(c.Aggregate[i]);
    }
    radios->addStretch(1);
    layout->addWidget(c.AggregateGroup);
    layout->addStretch(1);
    connect(c.AggregateButtons, &QButtonGroup::idClicked, this,
            [this](int id) { Edit([&](TOstrelXLSFormatList& m) { m.SetAggregate(static_cast<TxlsAggregate>(id)); }); });
    return page;
}

QWidget* TExcelPageView::BuildAdvancedPage() {
    auto& c = FControls;
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(8, 8, 8, 8);
    const std::tuple<QLabel**, QLineEdit**, TDialogSetting> edits[] = {
        {&c.PageHeaderLabel, &c.PageHeader, dsXLSPageHeader},
        {&c.PageFooterLabel, &c.PageFooter, dsXLSPageFooter},
        {&c.SheetTitleLabel, &c.SheetTitle, dsXLSSheetTitle}};
    int row = 0;
    for (auto [label, edit, setting] : edits) {
        *edit = new QLineEdit(page);
        *label = LabelFor(*edit, page);
        grid->addWidget(*label, row, 0);
        grid->addWidget(*edit, row, 1);
        Context.Binder.BindText(*edit, setting);
        ++row;
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(row, 1);
    return page;
}

void TExcelPageView::ConnectColour(TXlsColourButton* button, std::function<TxlsColor(const TXLSShown&)> colour,
                                   std::function<void(TOstrelXLSFormatList&, TxlsColor)> choose) {
    connect(button, &QToolButton::clicked, this, [this, colour = std::move(colour), choose = std::move(choose)] {
        if (!FShown.Active) return;
        const TxlsColor chosen = ChooseXLSColor(colour(FShown), this);
        Edit([&](TOstrelXLSFormatList& m) { choose(m, chosen); });
    });
    // The bar follows the face while the button is held down.
    connect(button, &QToolButton::pressed, button, qOverload<>(&QWidget::update));
    connect(button, &QToolButton::released, button, qOverload<>(&QWidget::update));
}

void TExcelPageView::ApplyTexts() {
    auto& c = FControls;
    c.SubPages->setTabText(0, Text(sXLSDataFormat));
    c.SubPages->setTabText(1, Text(sXLSAdvanced));
    c.ResetItem->setText(Text(sXLSResetItem));
    c.ResetAll->setText(Text(sXLSResetAll));
    c.SampleLabel->setText(Text(sXLSSampleCell));
    c.Sample->Text = Text(sXLSSampleText);
    c.InnerPages->setTabText(0, Text(sXLSFontPage));
    c.InnerPages->setTabText(1, Text(sXLSBordersPage));
    c.InnerPages->setTabText(2, Text(sXLSFillPage));
    c.InnerPages->setTabText(3, Text(sXLSAggregatePage));
    c.FontLabel->setText(Text(sXLSFont));
    c.SizeLabel->setText(Text(sXLSSize));

    c.FontColour->setToolTip(Text(sXLSHintFontColor));
    c.FontColour->setIcon(XlsLetterIcon(c.Sample->Text.isEmpty() ? QChar(' ') : c.Sample->Text.front(), {}, fulNone));
    const std::tuple<QToolButton*, TDialogText, TxlsFontStyles> styles[] = {
        {c.Bold, sXLSHintBold, {xfsBold}},
        {c.Italic, sXLSHintItalic, {xfsItalic}},
        {c.StrikeOut, sXLSHintStrikeOut, {xfsStrikeOut}}};
    for (auto [button, hint, style] : styles) {
        button->setToolTip(Text(hint));
        button->setIcon(XlsLetterIcon(FirstLetter(hint), style, fulNone));
    }
    for (int i = 0; i < 4; ++i) {
        c.Underline[i]->setToolTip(Text(kUnderlineHints[i]));
        c.Underline[i]->setIcon(XlsLetterIcon(FirstLetter(kUnderlineHints[i]), {}, kUnderlines[i]));
        c.Horizontal[i]->setToolTip(Text(kHorizontalHints[i]));
        c.Horizontal[i]->setIcon(XlsHorizontalIcon(kHorizontals[i]));
    }
    for (int i = 0; i < 3; ++i) {
        c.Vertical[i]->setToolTip(Text(kVerticalHints[i]));
        c.Vertical[i]->setIcon(XlsVerticalIcon(kVerticals[i]));
    }
    for (int side = 0; side < kXLSSideCount; ++side) {
        c.BorderToggle[side]->setToolTip(Text(kBorderHints[side]));
        c.BorderColour[side]->setToolTip(Text(kBorderColourHints[side]));
    }
    c.Background->setToolTip(Text(sXLSHintBackgroundColor));
    c.Foreground->setToolTip(Text(sXLSHintForegroundColor));
    c.AggregateGroup->setTitle(Text(sXLSAggregate));
    for (int i = 0; i < 5; ++i) c.Aggregate[i]->setText(Text(kAggregateTexts[i]));

    c.PageHeaderLabel->setText(Text(sXLSPageHeader));
    c.PageFooterLabel->setText(Text(sXLSPageFooter));
    c.SheetTitleLabel->setText(Text(sXLSSheetTitle));
}

void TExcelPageView::Fill() {
    auto& c = FControls;
    c.SubPages->setCurrentIndex(0);
    c.InnerPages->setCurrentIndex(0);
    ShowModel();
    // The first entry is the focused one, as it is the selected one.
    if (c.List->count() > 0)
        c.List->selectionModel()->setCurrentIndex(c.List->model()->index(0, 0), QItemSelectionModel::NoUpdate);
}

void TExcelPageView::Activated() { ShowModel(); }

// ---- the model shown ----

void TExcelPageView::Edit(const std::function<void(TOstrelXLSFormatList&)>& change) {
    if (FShowing) return;
    change(Model());
    // Also when the list refused the change (nothing selected, a released vertical toggle):
    // the control goes back to what the list holds.
    ShowModel();
}

void TExcelPageView::ModelChanged() {
    if (!FSelecting) ShowModel();
}

void TExcelPageView::ListSelectionChanged() {
    if (FShowing) return;
    QListWidget* list = FControls.List;
    // Each change is told to the list model on its own; the page shows the outcome once.
    FSelecting = true;
    for (int i = 0; i < list->count() && i < Model().Count(); ++i) {
        const bool selected = list->item(i)->isSelected();
        if (selected != Model().IsSelected(i)) Model().SetSelected(i, selected);
    }
    FSelecting = false;
    ShowModel();
}

void TExcelPageView::ShowModel() {
    FShowing = true;
    ShowList();
    FShown = Model().Shown();
    ShowFormat(FShown);
    FShowing = false;
}

void TExcelPageView::ShowList() {
    QListWidget* list = FControls.List;
    const TOstrelXLSFormatList& model = Model();
    while (list->count() > model.Count()) delete list->takeItem(list->count() - 1);
    while (list->count() < model.Count()) new QListWidgetItem(list);
    for (int i = 0; i < model.Count(); ++i) {
        const TXLSFormatEntry& entry = model.Entry(i);
        QListWidgetItem* item = list->item(i);
        const QString text = QString::fromStdString(entry.Text);
        if (item->text() != text) item->setText(text);
        const QVariant mark = static_cast<int>(entry.Mark);
        if (item->data(Qt::UserRole) != mark) {
            item->setData(Qt::UserRole, mark);
            item->setIcon(XlsEntryMark(entry.Mark));
        }
        if (item->isSelected() != entry.Selected) item->setSelected(entry.Selected);
    }
}

void TExcelPageView::ShowFormat(const TXLSShown& s) {
    auto& c = FControls;
    c.ResetItem->setText(Text(s.ResetText == xrtSelected ? sXLSResetSelected : sXLSResetItem));

    c.Font->setCurrentIndex(s.FontName ? c.Font->findText(QString::fromStdString(*s.FontName), Qt::MatchFixedString) : -1);
    // A size being typed keeps its text while it still means the shown size.
    bool typed = false;
    const int typedSize = c.Size->currentText().trimmed().toInt(&typed);
    if (!s.FontSize)
        c.Size->setEditText(QString());
    else if (!typed || typedSize != *s.FontSize)
        c.Size->setEditText(QString::number(*s.FontSize));
    c.FontColour->SetColour(s.FontColor);
    SetChecked(c.Bold, s.Bold);
    SetChecked(c.Italic, s.Italic);
    SetChecked(c.StrikeOut, s.StrikeOut);
    for (int i = 0; i < 4; ++i) {
        SetChecked(c.Underline[i], s.Underline == kUnderlines[i]);
        SetChecked(c.Horizontal[i], s.Horizontal == kHorizontals[i]);
    }
    for (int i = 0; i < 3; ++i) SetChecked(c.Vertical[i], s.Vertical == kVerticals[i]);

    for (int side = 0; side < kXLSSideCount; ++side) {
        SetChecked(c.BorderToggle[side], s.BorderDown[side]);
        c.BorderStyle[side]->setCurrentIndex(s.BorderStyle[side] ? *s.BorderStyle[side] : -1);
        c.BorderStyle[side]->update();
        c.BorderColour[side]->SetColour(s.BorderColor[side]);
    }
    c.Pattern->setCurrentIndex(s.Pattern ? *s.Pattern : -1);
    c.Pattern->update();
    c.Background->SetColour(s.Background);
    c.Foreground->SetColour(s.Foreground);

    c.AggregateGroup->setEnabled(s.AggregateEnabled);
    // No item checked needs a group that lets go of its checked button.
    c.AggregateButtons->setExclusive(false);
    for (int i = 0; i < 5; ++i) SetChecked(c.Aggregate[i], s.Aggregate && *s.Aggregate == i);
    c.AggregateButtons->setExclusive(true);

    c.Sample->update();
}

const TxlsFormat* TExcelPageView::SampleFormat() {
    const int entry = FShown.SampleEntry;
    if (entry < 0 || entry >= Model().Count()) return nullptr;
    return &Model().Format(entry);
}

TDialogPageView* CreateExcelPage(TDialogPageContext& context, QWidget* parent) {
    return new TExcelPageView(context, parent);
}

}  // namespace ostrel::qt
