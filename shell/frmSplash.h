#pragma once
// The splash window, on screen during start-up, with a progress bar that
// fills while the program gets ready.
#include <QLabel>
#include <QProgressBar>
#include <QTimer>

#include "platform/Form.h"

class frmSplash : public platform::Form {
    Q_OBJECT
public:
    static frmSplash& instance();

    QLabel* Picture1 = nullptr;
    QLabel* lblProductName = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QTimer* Timer1 = nullptr;

    void Timer1_Timer();

protected:
    QWidget* CreateControls() override;
    void Form_Load() override;
};
