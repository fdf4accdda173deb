#include "platform/EditCombo.h"

#include <QLineEdit>

namespace platform {

EditCombo::EditCombo(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // Typed text is the user's text: no completion from the list, and a
    // typed text that matches an entry is not reported as a pick when
    // editing ends (the box would otherwise select that entry).
    setCompleter(nullptr);
    disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);
    connect(lineEdit(), &QLineEdit::textEdited, this, &EditCombo::Change);
    connect(this, &QComboBox::activated, this, &EditCombo::Click);
}

void EditCombo::setText(const QString& text) {
    if (text == currentText())
        return;
    setEditText(text);
    emit Change();
}

}  // namespace platform
