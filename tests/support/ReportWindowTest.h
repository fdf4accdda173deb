#pragma once
// Fixture for report window tests: a loaded main window to open pages in,
// and a signed-in user "anna" in mg/dL, date order 1, limits 120 and 80.
#include <memory>

#include "app/Module1.h"
#include "shell/frmMain.h"
#include "tests/support/GuiTest.h"

class ReportWindowTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        main_ = std::make_unique<frmMain>();
        main_->Load();
        Module1::State& s = Module1::state();
        s.UserID = s.UserName = QStringLiteral("anna");
        s.GluUnit = 1;
        s.TimeFormat = 1;
        s.LimitMax = 120;
        s.LimitMin = 80;
    }
    void TearDown() override {
        main_->CloseChildForms();
        main_.reset();
        GuiTest::TearDown();
    }
    std::unique_ptr<frmMain> main_;
};
