#pragma once
// The line graph: the user's readings of a date range and an hour range
// as a line between the two limit lines. frmR02 shows mg/dL, frmR02unit
// mmol/L.
#include "linegraph/ReadingSelection.h"
#include "linegraph/frmLineGraphBase.h"
#include "platform/EditCombo.h"

class frmR02 : public frmLineGraphBase {
    Q_OBJECT
public:
    static frmR02& instance();

    QLabel* LabelError = nullptr;
    QLabel* Label16 = nullptr;
    platform::EditCombo* ComboLO = nullptr;
    QLabel* Label17 = nullptr;
    platform::EditCombo* ComboHI = nullptr;

    void ShowStatistics() override;
    void SelectReadings();
    void ComboHI_Change() { Reselect(); }
    void ComboLO_Change() { Reselect(); }
    void ComboHI_Click() { Reselect(); }
    void ComboLO_Click() { Reselect(); }
    void DTPicker1_Change() override { Reselect(); }
    void DTPicker2_Change() override { Reselect(); }

protected:
    explicit frmR02(GlucoseUnit unit = GlucoseUnit::MgDl);
    void createOwnControls(QWidget* page) override;
    void Form_Load() override;

private:
    template <typename T>
    friend T& platform::singleForm();
    // A new selection, its statistics and its chart. False from the
    // statistics when the window went away during the range message.
    void Reselect();
    bool showStatisticsAndWait();
    std::optional<HourRange> hourRange() const;

    bool noData_ = false;
};

class frmR02unit : public frmR02 {
    Q_OBJECT
public:
    static frmR02unit& instance();

private:
    template <typename T>
    friend T& platform::singleForm();
    frmR02unit();
};
