#pragma once
// The PC line graph: the user's post-meal readings of a date range as a
// line between the two limit lines. frmR02p shows mg/dL, frmR02unitp mmol/L.
#include "linegraph/frmLineGraphBase.h"

class frmR02p : public frmLineGraphBase {
    Q_OBJECT
public:
    static frmR02p& instance();

    void ShowStatistics() override { showStatisticsLabels(); }
    void SelectReadings();
    void DTPicker1_Change() override { Reselect(); }
    void DTPicker2_Change() override { Reselect(); }

protected:
    explicit frmR02p(GlucoseUnit unit = GlucoseUnit::MgDl);
    void Form_Load() override;

private:
    template <typename T>
    friend T& platform::singleForm();
    void Reselect();
};

class frmR02unitp : public frmR02p {
    Q_OBJECT
public:
    static frmR02unitp& instance();

private:
    template <typename T>
    friend T& platform::singleForm();
    frmR02unitp();
};
