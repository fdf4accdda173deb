#include "platform/EditCombo.h"

#include <QLineEdit>

namespace platform {

EditCombo::EditCombo(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
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
