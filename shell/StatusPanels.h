#pragma once
// The main window's status bar: the product name, the current date and the
// current time, the last two kept up to date by the status bar itself.
#include <QLabel>
#include <QStatusBar>
#include <QTimer>

class StatusPanels : public QStatusBar {
    Q_OBJECT
public:
    explicit StatusPanels(QWidget* parent = nullptr);

    QLabel* Panel1 = nullptr;  // fixed text
    QLabel* Panel2 = nullptr;  // date
    QLabel* Panel3 = nullptr;  // time

private:
    QLabel* addPanel(int widthTwips, bool stretch);
    void showNow();

    QTimer clock_;
};
