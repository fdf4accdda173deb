#pragma once
// "Setting parameters": the signed-in user's port, unit and glucose limits.
// Port and unit take effect at once, limits through "SAVE", and "OK" writes
// the whole register with the user's settings.
#include "platform/Form.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class frmSet : public platform::Form {
    Q_OBJECT
public:
    static frmSet& instance();

    QLabel* Label5 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QRadioButton *ComOption1 = nullptr, *ComOption2 = nullptr, *ComOption3 = nullptr,
                 *ComOption4 = nullptr, *ComOption5 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QRadioButton *UnitOption1 = nullptr, *UnitOption2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QRadioButton *TimeOption1 = nullptr, *TimeOption2 = nullptr;
    QGroupBox* Frame4 = nullptr;
    QLabel *Label1 = nullptr, *Label3 = nullptr;
    QLineEdit* TextMax = nullptr;
    QLabel *Label2 = nullptr, *Label4 = nullptr;
    QLineEdit* TextMin = nullptr;
    QLabel *Label7 = nullptr, *Label9 = nullptr;
    QLineEdit* TextMaxp = nullptr;
    QLabel *Label6 = nullptr, *Label8 = nullptr;
    QLineEdit* TextMinp = nullptr;
    QPushButton* CmdSave = nullptr;
    QPushButton* cmdOK = nullptr;

    void ComOption1_Click();
    void ComOption2_Click();
    void ComOption3_Click();
    void ComOption4_Click();
    void ComOption5_Click();
    void TimeOption1_Click();
    void TimeOption2_Click();
    void UnitOption1_Click();
    void UnitOption2_Click();
    void CmdSave_Click();
    void cmdOK_Click();

protected:
    QWidget* CreateControls() override;
    void Form_Load() override;

private:
    void createPortFrame(QWidget* w);
    void createUnitFrame(QWidget* w);
    void createTimeFrame(QWidget* w);
    void createLimitFrame(QWidget* w);
    void connectOptions();
    void markPort();
    void markUnit();
    void markTimeFormat();
    void chooseUnit(qint16 unit, const QString& upper, const QString& lower);
};
