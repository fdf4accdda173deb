#pragma once
// An editable combo box: the user can pick an item of its list (Click) or
// type any text (Change). Writing its text from the program raises Change
// too, at once, when the text really changes.
#include <QComboBox>

namespace platform {

class EditCombo : public QComboBox {
    Q_OBJECT
public:
    explicit EditCombo(QWidget* parent = nullptr);

    QString text() const { return currentText(); }
    void setText(const QString& text);

signals:
    void Change();
    void Click();
};

}  // namespace platform
