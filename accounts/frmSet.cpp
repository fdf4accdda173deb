#include "accounts/frmSet.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "accounts/LimitRule.h"
#include "accounts/RegisterFile.h"
#include "accounts/SettingsRows.h"
#include "accounts/WriteFailure.h"
#include "app/Module1.h"
#include "platform/MessageBox.h"
#include "platform/Twips.h"

using platform::placeTwips;
using platform::twipsToPixels;

frmSet& frmSet::instance() {
    static frmSet* form = new frmSet;
    return *form;
}

namespace {

QRadioButton* option(const char* caption, QWidget* frame, int top) {
    auto* button = new QRadioButton(QString::fromUtf8(caption), frame);
    placeTwips(button, 240, top, 2400, 300);
    return button;
}

QLabel* label(const char* caption, QWidget* parent, int left, int top, int width) {
    auto* l = new QLabel(QString::fromUtf8(caption), parent);
    placeTwips(l, left, top, width, 300);
    return l;
}

QLineEdit* limitBox(const char* text, QWidget* parent, int top) {
    auto* box = new QLineEdit(QString::fromUtf8(text), parent);
    placeTwips(box, 1800, top, 1080, 360);
    return box;
}

// Marking an option button from code runs its handler as a click does;
// unmarking runs nothing.
void onMarked(QRadioButton* button, frmSet* form, void (frmSet::*handler)()) {
    QObject::connect(button, &QRadioButton::toggled, form, [form, handler](bool marked) {
        if (marked)
            (form->*handler)();
    });
}

}  // namespace

QWidget* frmSet::CreateControls() {
    auto* w = new QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                       Qt::WindowCloseButtonHint);
    w->setWindowTitle(QStringLiteral("Setting parameters"));
    w->setFixedSize(twipsToPixels(7800), twipsToPixels(4920));

    Label5 = new QLabel(QStringLiteral("Choose the proper port, data, glucose unit and glucose "
                                       "value limit before pressing save."),
                        w);
    Label5->setWordWrap(true);
    placeTwips(Label5, 240, 120, 7320, 540);

    createPortFrame(w);
    createUnitFrame(w);
    createTimeFrame(w);
    createLimitFrame(w);

    CmdSave = new QPushButton(QStringLiteral("SAVE"), w);
    placeTwips(CmdSave, 2040, 4140, 1500, 480);
    cmdOK = new QPushButton(QStringLiteral("OK"), w);
    placeTwips(cmdOK, 4260, 4140, 1500, 480);

    connectOptions();
    connect(CmdSave, &QPushButton::clicked, this, &frmSet::CmdSave_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmSet::cmdOK_Click);
    return w;
}

void frmSet::createPortFrame(QWidget* w) {
    Frame1 = new QGroupBox(QStringLiteral("RS232 Port Setting"), w);
    placeTwips(Frame1, 240, 780, 3000, 3120);
    ComOption1 = option("Com Port 1 (Default)", Frame1, 420);
    ComOption2 = option("Com Port 2", Frame1, 960);
    ComOption3 = option("Com Port 3", Frame1, 1500);
    ComOption4 = option("Com Port 4", Frame1, 2040);
    ComOption5 = option("Com Port 5", Frame1, 2580);
}

void frmSet::createUnitFrame(QWidget* w) {
    Frame2 = new QGroupBox(QStringLiteral("Glucose Unit Setting"), w);
    placeTwips(Frame2, 3480, 780, 4080, 900);
    UnitOption1 = option("mg/dL(Default)", Frame2, 420);
    UnitOption2 = option("mmol/L", Frame2, 420);
    placeTwips(UnitOption2, 2520, 420, 1440, 300);
}

// The date order is kept from the register; no user ever sees this frame.
void frmSet::createTimeFrame(QWidget* w) {
    Frame3 = new QGroupBox(QStringLiteral("Time Format Setting"), w);
    placeTwips(Frame3, 3480, 780, 4080, 900);
    TimeOption1 = option("yyyy/mm/dd(Default)", Frame3, 420);
    TimeOption2 = option("dd/mm/yyyy", Frame3, 420);
    placeTwips(TimeOption2, 2520, 420, 1440, 300);
    Frame3->hide();
}

// The post-meal row is filled, checked and saved with the others but stays
// hidden.
void frmSet::createLimitFrame(QWidget* w) {
    Frame4 = new QGroupBox(QStringLiteral("Glucose Value Limit Setting"), w);
    placeTwips(Frame4, 3480, 1860, 4080, 2040);
    Label1 = label("Uper limit:", Frame4, 240, 480, 1500);
    TextMax = limitBox("120", Frame4, 450);
    Label3 = label("mg/dL", Frame4, 3000, 480, 960);
    Label2 = label("Lower limit:", Frame4, 240, 1200, 1500);
    TextMin = limitBox("80", Frame4, 1170);
    Label4 = label("mg/dL", Frame4, 3000, 1200, 960);
    Label7 = label("PC Uper limit:", Frame4, 240, 480, 1500);
    TextMaxp = limitBox("120", Frame4, 450);
    Label9 = label("mg/dL", Frame4, 3000, 480, 960);
    Label6 = label("PC Lower limit:", Frame4, 240, 1200, 1500);
    TextMinp = limitBox("80", Frame4, 1170);
    Label8 = label("mg/dL", Frame4, 3000, 1200, 960);
    // Screen readers name each box after its label, so the post-meal pair
    // ("PC Uper limit:") is told apart from the other pair.
    Label1->setBuddy(TextMax);
    Label2->setBuddy(TextMin);
    Label7->setBuddy(TextMaxp);
    Label6->setBuddy(TextMinp);
    for (QWidget* hidden : {static_cast<QWidget*>(Label7), static_cast<QWidget*>(TextMaxp),
                            static_cast<QWidget*>(Label9), static_cast<QWidget*>(Label6),
                            static_cast<QWidget*>(TextMinp), static_cast<QWidget*>(Label8)})
        hidden->hide();
}

void frmSet::connectOptions() {
    onMarked(ComOption1, this, &frmSet::ComOption1_Click);
    onMarked(ComOption2, this, &frmSet::ComOption2_Click);
    onMarked(ComOption3, this, &frmSet::ComOption3_Click);
    onMarked(ComOption4, this, &frmSet::ComOption4_Click);
    onMarked(ComOption5, this, &frmSet::ComOption5_Click);
    onMarked(UnitOption1, this, &frmSet::UnitOption1_Click);
    onMarked(UnitOption2, this, &frmSet::UnitOption2_Click);
    onMarked(TimeOption1, this, &frmSet::TimeOption1_Click);
    onMarked(TimeOption2, this, &frmSet::TimeOption2_Click);
}

void frmSet::Form_Load() {
    markPort();
    markUnit();
    markTimeFormat();
}

void frmSet::markPort() {
    QRadioButton* const ports[] = {ComOption1, ComOption2, ComOption3, ComOption4,
                                         ComOption5};
    const qint16 port = Module1::state().ComPort;
    if (port >= 1 && port <= 5)
        ports[port - 1]->setChecked(true);
}

void frmSet::markUnit() {
    const Module1::State& s = Module1::state();
    if (s.GluUnit == kUnitMgdl)
        UnitOption1->setChecked(true);
    else if (s.GluUnit == kUnitMmol)
        UnitOption2->setChecked(true);
    else
        return;  // an unknown unit: the boxes keep their design texts
    TextMax->setText(limitText(s.LimitMax, s.GluUnit));
    TextMin->setText(limitText(s.LimitMin, s.GluUnit));
    TextMaxp->setText(limitText(s.LimitMaxp, s.GluUnit));
    TextMinp->setText(limitText(s.LimitMinp, s.GluUnit));
}

void frmSet::markTimeFormat() {
    const qint16 order = Module1::state().TimeFormat;
    if (order == 1)
        TimeOption1->setChecked(true);
    else if (order == 2)
        TimeOption2->setChecked(true);
}

void frmSet::ComOption1_Click() { Module1::state().ComPort = 1; }
void frmSet::ComOption2_Click() { Module1::state().ComPort = 2; }
void frmSet::ComOption3_Click() { Module1::state().ComPort = 3; }
void frmSet::ComOption4_Click() { Module1::state().ComPort = 4; }
void frmSet::ComOption5_Click() { Module1::state().ComPort = 5; }
void frmSet::TimeOption1_Click() { Module1::state().TimeFormat = 1; }
void frmSet::TimeOption2_Click() { Module1::state().TimeFormat = 2; }

void frmSet::UnitOption1_Click() {
    chooseUnit(kUnitMgdl, QStringLiteral("126"), QStringLiteral("70"));
}

void frmSet::UnitOption2_Click() {
    chooseUnit(kUnitMmol, QStringLiteral("7"), QStringLiteral("3.8"));
}

// A unit choice resets all four boxes, the hidden ones too, to the unit's
// defaults; "OK" waits for a "SAVE" in the new unit.
void frmSet::chooseUnit(qint16 unit, const QString& upper, const QString& lower) {
    Module1::state().GluUnit = unit;
    const QString name = unit == kUnitMmol ? QStringLiteral("mmol/L") : QStringLiteral("mg/dL");
    for (QLabel* unitLabel : {Label3, Label4, Label9, Label8})
        unitLabel->setText(name);
    TextMax->setText(upper);
    TextMin->setText(lower);
    TextMaxp->setText(upper);
    TextMinp->setText(lower);
    cmdOK->setEnabled(false);
}

void frmSet::CmdSave_Click() {
    Module1::State& s = Module1::state();
    if (s.GluUnit != kUnitMgdl && s.GluUnit != kUnitMmol)
        return;
    const LimitCheck check = checkLimits(
        {TextMax->text(), TextMin->text(), TextMaxp->text(), TextMinp->text()}, s.GluUnit);
    if (!check.error.isEmpty()) {
        platform::MsgBox(check.error);
        cmdOK->setEnabled(false);
        return;
    }
    s.LimitMax = check.max;
    s.LimitMin = check.min;
    s.LimitMaxp = check.maxp;
    s.LimitMinp = check.minp;
    cmdOK->setEnabled(true);
}

void frmSet::cmdOK_Click() {
    Module1::State& s = Module1::state();
    RegisterTable updated = s.reg;
    putSettingsIntoRegister(updated, s);
    if (!rewriteRegister(updated)) {
        platform::MsgBox(writeFailureMessage(registerPath()));
        return;  // the window stays open so "OK" can be tried again
    }
    s.reg = std::move(updated);
    Unload();
}
