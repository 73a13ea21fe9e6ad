// The questions the dialog asks before it discards the user's work or stops a run: Yes and No,
// No the default. Replaceable, so that tests give the answer instead of a modal box.
#pragma once

#include <functional>
#include <memory>

#include <QMessageBox>
#include <QString>

class QWidget;

namespace ostrel::qt {

// Returns whether the answer is Yes. `text` may break its lines with "\r\n".
using TQuestionFunction = std::function<bool(QWidget* parent, const QString& title, const QString& text)>;

bool AskWarningQuestion(QWidget* parent, const QString& title, const QString& text);
// The same with the question icon.
bool AskQuestion(QWidget* parent, const QString& title, const QString& text);
// The box either question shows, for pictures of it.
std::unique_ptr<QMessageBox> MakeQuestionBox(QMessageBox::Icon icon, QWidget* parent, const QString& title,
                                             const QString& text);
// nullptr restores the message box.
void SetQuestionFunction(TQuestionFunction function);

}  // namespace ostrel::qt
