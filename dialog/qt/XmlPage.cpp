#include "dialog/qt/XmlPage.h"

#include "dialog/qt/DialogTexts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialog/qt/SettingBindings.h"

namespace ostrel::qt {

namespace {

}  // namespace

TXmlPage::TXmlPage(TDialogPageContext& context, QWidget* parent) : TDialogPageView(context, parent) {
    auto& c = FControls;
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    c.Standalone = new QCheckBox(this);
    c.EncodingLabel = new QLabel(this);
    c.Encoding = new QLineEdit(this);
    c.Encoding->setFixedWidth(160);
    c.EncodingLabel->setBuddy(c.Encoding);
    grid->addWidget(c.Standalone, 0, 0, 1, 2);
    grid->addWidget(c.EncodingLabel, 1, 0);
    grid->addWidget(c.Encoding, 1, 1);
    grid->setColumnStretch(2, 1);
    layout->addLayout(grid);
    layout->addStretch(1);

    Context.Binder.BindCheck(c.Standalone, dsXMLStandalone);
    Context.Binder.BindText(c.Encoding, dsXMLEncoding);
}

void TXmlPage::ApplyTexts() {
    FControls.Standalone->setText(Text(sStandalone));
    FControls.EncodingLabel->setText(Text(sEncoding));
}

TDialogPageView* CreateXmlPage(TDialogPageContext& context, QWidget* parent) { return new TXmlPage(context, parent); }

}  // namespace ostrel::qt
