// "&Formats": the nine common formats, and the user formats of single fields.
#include "dialog/qt/FormatsPage.h"

#include "dialog/qt/DialogTexts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <utility>

#include "dialog/DialogSettings.h"
#include "dialog/qt/DialogPage.h"
#include "dialog/qt/SettingBindings.h"

namespace ostrel::qt {

namespace {

TInputBoxFunction& InputBox() {
    static TInputBoxFunction function;
    return function;
}

QString Q(const std::string& text) { return QString::fromStdString(text); }

struct TCommonFormat {
    TDialogSetting Setting;
    TDialogText Label;
    const char* Name;
};

constexpr TCommonFormat kCommonFormats[] = {
    {dsIntegerFormat, sIntegerFormat, "IntegerFormat"},    {dsFloatFormat, sFloatFormat, "FloatFormat"},
    {dsDateFormat, sDateFormat, "DateFormat"},             {dsTimeFormat, sTimeFormat, "TimeFormat"},
    {dsDateTimeFormat, sDateTimeFormat, "DateTimeFormat"}, {dsCurrencyFormat, sCurrencyFormat, "CurrencyFormat"},
    {dsBooleanTrue, sBooleanTrue, "BooleanTrue"},          {dsBooleanFalse, sBooleanFalse, "BooleanFalse"},
    {dsNullString, sNullString, "NullString"},
};
constexpr int kCommonCount = static_cast<int>(std::size(kCommonFormats));
constexpr int kCommonPerColumn = 3;

// The mark of a user-format row: a small blue tag.
QIcon UserFormatMark() {
    QPixmap pixmap(12, 12);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x1F, 0x4E, 0x9A), 1.2));
    p.setBrush(QColor(0x5B, 0x8D, 0xD6));
    const QPointF tag[] = {{1.5, 3.5}, {7.5, 3.5}, {10.5, 6}, {7.5, 8.5}, {1.5, 8.5}};
    p.drawPolygon(tag, 5);
    return QIcon(pixmap);
}

class TFormatsPage : public TDialogPageView {
public:
    TFormatsPage(TDialogPageContext& context, QWidget* parent);

    void ApplyTexts() override;
    void Fill() override { ShowUserFormats(); }
    void Activated() override { UpdateUserFormatButtons(); }

private:
    QGroupBox* BuildCommon();
    QGroupBox* BuildUser();
    void Connect();
    TOstrelDialogUserFormats& Model() { return Context.Settings.UserFormats(); }
    void ShowUserFormats();
    void ShowChoices();
    void ShowRows();
    void UpdateUserFormatButtons();
    void EditFormat();

    QGroupBox* FCommon = nullptr;
    QLabel* FCommonLabels[kCommonCount] = {};
    QGroupBox* FUser = nullptr;
    QComboBox* FField = nullptr;
    QLabel* FEquals = nullptr;
    QComboBox* FPreset = nullptr;
    QTreeWidget* FList = nullptr;
    QPushButton* FAdd = nullptr;
    QPushButton* FEdit = nullptr;
    QPushButton* FDelete = nullptr;
    QPushButton* FClear = nullptr;
    bool FShowing = false;
};

TFormatsPage::TFormatsPage(TDialogPageContext& context, QWidget* parent) : TDialogPageView(context, parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(BuildCommon());
    layout->addWidget(BuildUser(), 1);
    Connect();
}

QGroupBox* TFormatsPage::BuildCommon() {
    FCommon = new QGroupBox(this);
    auto* grid = new QGridLayout(FCommon);
    grid->setContentsMargins(8, 4, 8, 6);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(1);
    // Three columns of labelled edits, filled column by column; labels above their edits leave
    // the edits wide enough for date-time patterns.
    for (int i = 0; i < kCommonCount; ++i) {
        const TCommonFormat& f = kCommonFormats[i];
        auto* label = FCommonLabels[i] = new QLabel(FCommon);
        auto* edit = new QLineEdit(FCommon);
        edit->setObjectName(f.Name);
        label->setBuddy(edit);
        const int row = 2 * (i % kCommonPerColumn), col = i / kCommonPerColumn;
        grid->addWidget(label, row, col);
        grid->addWidget(edit, row + 1, col);
        Context.Binder.BindText(edit, f.Setting);
    }
    return FCommon;
}

QGroupBox* TFormatsPage::BuildUser() {
    FUser = new QGroupBox(this);
    auto* grid = new QGridLayout(FUser);
    grid->setContentsMargins(8, 4, 8, 6);
    grid->setSpacing(4);
    FField = new QComboBox(FUser);
    FField->setObjectName("FormatField");
    FEquals = new QLabel(FUser);
    FPreset = new QComboBox(FUser);
    FPreset->setObjectName("FormatPreset");
    FPreset->setEditable(true);
    FPreset->setInsertPolicy(QComboBox::NoInsert);
    auto* choice = new QHBoxLayout;
    choice->addWidget(FField, 1);
    choice->addWidget(FEquals);
    choice->addWidget(FPreset, 1);

    FList = new QTreeWidget(FUser);
    FList->setObjectName("UserFormats");
    FList->setColumnCount(3);
    FList->setHeaderHidden(true);
    FList->setRootIsDecorated(false);
    FList->setSelectionBehavior(QAbstractItemView::SelectRows);
    FList->setSelectionMode(QAbstractItemView::SingleSelection);
    FList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FList->setColumnWidth(0, 130);
    FList->setColumnWidth(1, 20);
    FList->setMinimumHeight(40);

    // Two by two: a column of four would not fit beside the list in the fixed window.
    auto* buttons = new QGridLayout;
    buttons->setSpacing(4);
    QPushButton** const fields[] = {&FAdd, &FEdit, &FDelete, &FClear};
    const char* const names[] = {"AddFormat", "EditFormat", "DeleteFormat", "ClearFormats"};
    for (int i = 0; i < 4; ++i) {
        auto* b = *fields[i] = new QPushButton(FUser);
        b->setObjectName(names[i]);
        b->setAutoDefault(false);
        buttons->addWidget(b, i / 2, i % 2);
    }
    buttons->setRowStretch(2, 1);

    grid->addLayout(choice, 0, 0);
    grid->addWidget(FList, 1, 0);
    grid->addLayout(buttons, 0, 1, 2, 1);
    grid->setRowStretch(1, 1);
    return FUser;
}

void TFormatsPage::Connect() {
    connect(FField, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!FShowing) Model().ChooseField(index);
    });
    connect(FPreset, &QComboBox::editTextChanged, this, [this](const QString& text) {
        if (!FShowing) Model().SetPresetText(text.toStdString());
    });
    connect(FList, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (!FShowing) Model().Select(item ? FList->indexOfTopLevelItem(item) : -1);
    });
    auto button = [this](QPushButton* b, auto action) {
        connect(b, &QPushButton::clicked, this, [this, action] {
            action();
            UpdateUserFormatButtons();
        });
    };
    button(FAdd, [this] { Model().Add(); });
    button(FEdit, [this] { EditFormat(); });
    button(FDelete, [this] { Model().Delete(); });
    button(FClear, [this] { Model().Clear(); });
    Model().OnChanged = [this] { ShowUserFormats(); };
}

void TFormatsPage::ApplyTexts() {
    FCommon->setTitle(Text(sCommonGroup));
    for (int i = 0; i < kCommonCount; ++i) FCommonLabels[i]->setText(Text(kCommonFormats[i].Label));
    FUser->setTitle(Text(sUserGroup));
    FEquals->setText(Text(sEquals));
    FAdd->setText(Text(sAddFormat));
    FEdit->setText(Text(sEditFormat));
    FDelete->setText(Text(sDeleteFormat));
    FClear->setText(Text(sClearFormats));
}

void TFormatsPage::ShowUserFormats() {
    FShowing = true;
    ShowChoices();
    ShowRows();
    FShowing = false;
    UpdateUserFormatButtons();
}

void TFormatsPage::ShowChoices() {
    const TOstrelDialogUserFormats& m = Model();
    QStringList fields;
    for (const TFormatFieldItem& item : m.FieldChoice()) fields << Q(item.Name);
    QStringList presets;
    for (const std::string& preset : m.Presets()) presets << Q(preset);
    auto items = [](const QComboBox* box) {
        QStringList texts;
        for (int i = 0; i < box->count(); ++i) texts << box->itemText(i);
        return texts;
    };
    if (items(FField) != fields) {
        FField->clear();
        FField->addItems(fields);
    }
    FField->setCurrentIndex(m.ChosenField());
    if (items(FPreset) != presets) {
        FPreset->clear();
        FPreset->addItems(presets);
    }
    // Typing keeps the cursor where it is: the text is only set when it differs.
    if (FPreset->currentText() != Q(m.PresetText())) FPreset->setEditText(Q(m.PresetText()));
}

void TFormatsPage::ShowRows() {
    const bool showing = std::exchange(FShowing, true);
    const TOstrelDialogUserFormats& m = Model();
    const int count = static_cast<int>(m.Rows().size());
    bool same = FList->topLevelItemCount() == count;
    for (int i = 0; same && i < count; ++i) {
        const QTreeWidgetItem* item = FList->topLevelItem(i);
        same = item->text(0) == Q(m.Rows()[i].Field) && item->text(2) == Q(m.Rows()[i].Format);
    }
    // Rows are rebuilt only when they changed: a click that selects a row keeps its item.
    if (!same) {
        FList->clear();
        const QIcon mark = UserFormatMark();
        for (const TUserFormatRow& row : m.Rows()) {
            auto* item = new QTreeWidgetItem(FList, {Q(row.Field), Text(sEquals), Q(row.Format)});
            item->setIcon(0, mark);
        }
    }
    QTreeWidgetItem* selected = m.Selected() >= 0 ? FList->topLevelItem(m.Selected()) : nullptr;
    if (FList->currentItem() != selected) FList->setCurrentItem(selected);
    if (!selected) FList->clearSelection();
    FShowing = showing;
}

void TFormatsPage::UpdateUserFormatButtons() {
    const bool rows = Model().ButtonsEnabled();
    FEdit->setEnabled(rows);
    FDelete->setEnabled(rows);
    FClear->setEnabled(rows);
}

void TFormatsPage::EditFormat() {
    Model().Edit([this](std::string& format) {
        QString value = Q(format);
        if (!RunInputBox(this, Text(sNewFormatValue), Text(sEnterValue), value)) return false;
        format = value.toStdString();
        return true;
    });
}

}  // namespace

bool RunInputBox(QWidget* parent, const QString& title, const QString& prompt, QString& value) {
    if (InputBox()) return InputBox()(parent, title, prompt, value);
    bool ok = false;
    const QString text = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, value, &ok);
    if (ok) value = text;
    return ok;
}

void SetInputBoxFunction(TInputBoxFunction function) { InputBox() = std::move(function); }

TDialogPageView* CreateFormatsPage(TDialogPageContext& context, QWidget* parent) {
    return new TFormatsPage(context, parent);
}

}  // namespace ostrel::qt
