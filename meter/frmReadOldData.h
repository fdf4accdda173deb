#pragma once
// The readings loader window: shown by the sign-in window, it fills the
// readings table from the user's readings file once per object.
#include <QString>

#include "platform/Form.h"

class QLabel;

class frmReadOldData : public platform::Form {
    Q_OBJECT
public:
    static frmReadOldData& instance();

    // The first showing of the object loads the readings, then the window
    // appears; later showings only show it.
    void Show();

    QLabel* Label1 = nullptr;

    // The text-driver data control: its folder and the table ("<ID>#txt").
    struct DataControl {
        QString DatabaseName;
        QString RecordSource;
        QString filePath() const;  // the file the table names
    } QuorDB;

protected:
    QWidget* CreateControls() override;
    void Form_Load() override;
    void Form_Initialize();

private:
    bool initialized_ = false;
};
