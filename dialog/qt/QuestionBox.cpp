#include "dialog/qt/QuestionBox.h"

#include <QMessageBox>

namespace ostrel::qt {

namespace {

bool MessageBoxQuestion(QMessageBox::Icon icon, QWidget* parent, const QString& title, const QString& text) {
    return MakeQuestionBox(icon, parent, title, text)->exec() == QMessageBox::Yes;
}

// A replacement answers both kinds; none means the message boxes.
TQuestionFunction& Replacement() {
    static TQuestionFunction function;
    return function;
}

}  // namespace

std::unique_ptr<QMessageBox> MakeQuestionBox(QMessageBox::Icon icon, QWidget* parent, const QString& title,
                                             const QString& text) {
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    auto box = std::make_unique<QMessageBox>(icon, title, shown, QMessageBox::Yes | QMessageBox::No, parent);
    box->setDefaultButton(QMessageBox::No);
    return box;
}

bool AskWarningQuestion(QWidget* parent, const QString& title, const QString& text) {
    if (Replacement()) return Replacement()(parent, title, text);
    return MessageBoxQuestion(QMessageBox::Warning, parent, title, text);
}

bool AskQuestion(QWidget* parent, const QString& title, const QString& text) {
    if (Replacement()) return Replacement()(parent, title, text);
    return MessageBoxQuestion(QMessageBox::Question, parent, title, text);
}

void SetQuestionFunction(TQuestionFunction function) { Replacement() = std::move(function); }

}  // namespace ostrel::qt
