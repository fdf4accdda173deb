#pragma once
// The histogram: all readings counted into twelve glucose ranges, with the
// dates they span and their statistics.
#include <QLabel>
#include <QLineEdit>

#include "linegraph/ReadingStats.h"
#include "platform/ChartControl.h"
#include "platform/Form.h"

class frmR05 : public platform::Form {
    Q_OBJECT
public:
    static frmR05& instance();
    bool isChildPage() const override { return true; }

    QLabel *Label1 = nullptr, *Label5 = nullptr, *Label3 = nullptr, *Label15 = nullptr;
    QLabel *Label4 = nullptr, *Label2 = nullptr;
    QLabel *Label7 = nullptr, *Label8 = nullptr, *Label9 = nullptr;
    QLabel *Label12 = nullptr, *Label13 = nullptr, *Label14 = nullptr;
    QLabel *Label6 = nullptr, *Label10 = nullptr, *Label11 = nullptr;
    platform::ChartControl* MSChart1 = nullptr;
    QLineEdit* Text2 = nullptr;

protected:
    QWidget* CreateControls() override;
    void Form_Load() override;

private:
    void createLabels(QWidget* page);
    void createChart(QWidget* page);
    void showUnit();
    void showStatistics(const ReadingStats& stats);
};
