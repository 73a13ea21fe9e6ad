// "Hea&der && Footer": the lines written before and after the data, one box each.
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "dialog/DialogSettings.h"
#include "dialog/qt/DialogPage.h"

#include "dialog/qt/DialogTexts.h"

namespace ostrel::qt {

namespace {

// A labelled multi-line box whose lines are a line list of the model, kept equal on every edit.
class TLinesBox {
public:
    TLinesBox(QWidget* page, QVBoxLayout* layout, TStrings& lines, const char* name) : FLines(lines) {
        FLabel = new QLabel(page);
        FEdit = new QPlainTextEdit(page);
        FEdit->setObjectName(name);
        FEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
        FLabel->setBuddy(FEdit);
        layout->addWidget(FLabel);
        layout->addWidget(FEdit, 1);
        QObject::connect(FEdit, &QPlainTextEdit::textChanged, FEdit, [this] {
            if (!FShowing) FLines.SetText(FEdit->toPlainText().toStdString());
        });
    }
    void SetLabel(const QString& text) { FLabel->setText(text); }
    // Shows the lines unless the box already shows them (which keeps the cursor while typing).
    void Show() {
        QStringList lines;
        for (const std::string& line : FLines) lines << QString::fromStdString(line);
        const QString text = lines.join('\n');
        if (FEdit->toPlainText() == text) return;
        FShowing = true;
        FEdit->setPlainText(text);
        FShowing = false;
    }

private:
    TStrings& FLines;
    QLabel* FLabel = nullptr;
    QPlainTextEdit* FEdit = nullptr;
    bool FShowing = false;
};

class THeaderFooterPage : public TDialogPageView {
public:
    THeaderFooterPage(TDialogPageContext& context, QWidget* parent)
        : TDialogPageView(context, parent),
          FLayout(new QVBoxLayout(this)),
          FHeader(this, FLayout, context.Settings.HeaderLines(), "HeaderText"),
          FFooter(this, FLayout, context.Settings.FooterLines(), "FooterText") {}

    void ApplyTexts() override {
        FHeader.SetLabel(Text(sHeaderText));
        FFooter.SetLabel(Text(sFooterText));
    }
    void Fill() override { ShowLines(); }
    // The lines may have been replaced (an options file) while another page was current.
    void Activated() override { ShowLines(); }
    void Reshow() override { ShowLines(); }

private:
    void ShowLines() {
        FHeader.Show();
        FFooter.Show();
    }

    QVBoxLayout* FLayout;
    TLinesBox FHeader, FFooter;
};

}  // namespace

TDialogPageView* CreateHeaderFooterPage(TDialogPageContext& context, QWidget* parent) {
    return new THeaderFooterPage(context, parent);
}

}  // namespace ostrel::qt
