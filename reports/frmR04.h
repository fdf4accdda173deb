#pragma once
// The standard day: the days that have readings, and the chosen day's
// readings by minute of the day with the limit lines and the day's
// statistics, in the user's unit.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "platform/ChartControl.h"
#include "platform/EditCombo.h"
#include "platform/Form.h"

class frmR04 : public platform::Form {
    Q_OBJECT
public:
    static frmR04& instance();
    bool isChildPage() const override { return true; }

    QLabel *Label1 = nullptr, *Label5 = nullptr, *Label3 = nullptr;
    platform::EditCombo* Combo4 = nullptr;
    QLabel *Label4 = nullptr, *Label2 = nullptr, *Label19 = nullptr, *Label18 = nullptr;
    QLabel *Label7 = nullptr, *Label8 = nullptr, *Label9 = nullptr;
    QLabel *Label12 = nullptr, *Label13 = nullptr, *Label14 = nullptr;
    QLabel *Label6 = nullptr, *Label10 = nullptr, *Label11 = nullptr;
    platform::ChartControl* MSChart1 = nullptr;
    QLineEdit *Text7 = nullptr, *Text2 = nullptr, *Text3 = nullptr, *Text4 = nullptr;
    QLineEdit *Text5 = nullptr, *Text6 = nullptr, *Text1 = nullptr, *Text8 = nullptr;

    void Combo4_Click();
    void DrawStandardDay();

protected:
    QWidget* CreateControls() override;
    void Form_Load() override;

private:
    void createHeader(QWidget* page);
    void createChart(QWidget* page);
    void createTimeAxis(QWidget* page);
    void placeRuler(int left, int width);
};
