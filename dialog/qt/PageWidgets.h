// Small controls every page of the dialog builds alike.
#pragma once

#include <QLabel>
#include <QLineEdit>

namespace ostrel::qt {

// An edit for a short value: a count, a terminator.
inline QLineEdit* ShortEdit(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setFixedWidth(60);
    return edit;
}

// A label that gives its control the focus by its accelerator.
inline QLabel* LabelFor(QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setBuddy(buddy);
    return label;
}

}  // namespace ostrel::qt
