#include "dialog/qt/QuestionBox.h"

#include <QMessageBox>

namespace ostrel::qt {

namespace {

bool MessageBoxQuestion(QWidget* parent, const QString& title, const QString& text) {
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return QMessageBox::warning(parent, title, shown, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
           QMessageBox::Yes;
}

TQuestionFunction& Question() {
    static TQuestionFunction function = MessageBoxQuestion;
    return function;
}

}  // namespace

bool AskWarningQuestion(QWidget* parent, const QString& title, const QString& text) {
    return Question()(parent, title, text);
}

void SetQuestionFunction(TQuestionFunction function) {
    Question() = function ? std::move(function) : TQuestionFunction(MessageBoxQuestion);
}

}  // namespace ostrel::qt
