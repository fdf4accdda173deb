// Leaving a line graph while its range message waits its second: the user
// types or steps a picker, and during the wait clicks another command. The
// window must go without a crash and the page asked for must open.
#include <QApplication>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

#include "linegraph/frmR02.h"
#include "pclinegraph/frmR02p.h"
#include "reports/frmR04.h"
#include "reports/frmR05.h"
#include "tests/support/ReadingRows.h"
#include "tests/support/ReportWindowTest.h"

class LineGraphWaitTest : public ReportWindowTest {
protected:
    void SetUp() override {
        ReportWindowTest::SetUp();
        fillReadings(Module1::state().readings, dailyReadings(40));
    }
    QWidget* toolbarButton(const QString& key) const {
        for (QAction* a : main_->tbToolBar->actions())
            if (a->toolTip() == key)
                return main_->tbToolBar->widgetForAction(a);
        return nullptr;
    }
    static void typeInto(platform::EditCombo* box, const QString& text) {
        box->lineEdit()->selectAll();
        QTest::keyClicks(box->lineEdit(), text);
    }
};

TEST_F(LineGraphWaitTest, AnyCommandDuringTheRangeMessageClosesTheWindowSafely) {
    struct Leave {
        const char* how;
        std::function<void(frmLineGraphBase&)> run;
        std::function<bool()> opened;  // the page the command opens
    };
    const Leave leaves[] = {
        {"toolbar Standard Day",
         [this](frmLineGraphBase&) {
             QTest::mouseClick(toolbarButton("Standard Day"), Qt::LeftButton);
         },
         [] { return frmR04::instance().isLoaded(); }},
        {"page close box",
         [](frmLineGraphBase& w) {
             qobject_cast<QMdiSubWindow*>(w.window()->parentWidget())->close();
         },
         [] { return true; }},
        {"Report menu Histogram",
         [this](frmLineGraphBase&) { main_->mnuReport4->trigger(); },
         [] { return frmR05::instance().isLoaded(); }},
    };
    struct Start {
        const char* how;
        std::function<void(frmR02&)> run;
    };
    const Start starts[] = {
        {"reversed hours typed",
         [](frmR02& w) {
             typeInto(w.ComboHI, "5");
             typeInto(w.ComboLO, "20");
         }},
        {"From stepped past To",
         [](frmR02& w) {
             w.DTPicker1->setDateText("2007/2/9");  // the To day; a year up is past it
             QTest::keyClick(w.DTPicker1, Qt::Key_Up);
         }},
    };
    for (int unit : {1, 2}) {
        for (const Start& start : starts) {
            for (const Leave& leave : leaves) {
                SCOPED_TRACE(std::string(start.how) + ", then " + leave.how + ", unit " +
                             std::to_string(unit));
                Module1::state().GluUnit = qint16(unit);
                main_->mnuReport5_Click();
                frmR02& w = unit == 1 ? frmR02::instance() : frmR02unit::instance();
                ASSERT_TRUE(w.isLoaded());
                QString shown;
                QTimer::singleShot(300, [&] {
                    shown = w.LabelError->text();
                    leave.run(w);
                });
                start.run(w);
                EXPECT_EQ(shown, "Range of date Error!");
                EXPECT_FALSE(w.isLoaded());
                EXPECT_TRUE(leave.opened());
                pump(20);  // the closed page's widgets go once back in the event loop
            }
        }
    }
}

TEST_F(LineGraphWaitTest, OpeningTheGraphAgainDuringTheMessageLeavesTheNewOpeningAlone) {
    main_->mnuReport5_Click();
    frmR02& w = frmR02::instance();
    QTimer::singleShot(300, [&] { QTest::mouseClick(toolbarButton("Line Graph"), Qt::LeftButton); });
    typeInto(w.ComboHI, "5");
    typeInto(w.ComboLO, "20");
    ASSERT_TRUE(w.isLoaded());
    EXPECT_EQ(w.LabelError->text(), "");
    EXPECT_EQ(w.ComboLO->text(), "0");
    EXPECT_EQ(w.ComboHI->text(), "24");
    EXPECT_EQ(w.Label2->text(), "40");
    EXPECT_EQ(w.DTPicker1->date(), QDate(2007, 1, 1));
}

// The post-meal window reports a refused range in a modal box; the page may
// be closed while the box is up (a command run by a timer here, as the user
// cannot reach the main window then).
TEST_F(LineGraphWaitTest, PostMealRangeBoxOutlivedByItsWindow) {
    fillReadings(Module1::state().readings, dailyReadings(40, QStringLiteral("PC")));
    platform::setRecordMessages(false);
    main_->mnuReport6_Click();
    frmR02p& w = frmR02p::instance();
    QString boxText;
    QTimer::singleShot(300, [&] {
        main_->mnuReport2_Click();
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box) {
            boxText = box->text();
            box->accept();
        }
    });
    w.DTPicker1->setDateText("2007/2/9");
    QTest::keyClick(w.DTPicker1, Qt::Key_Up);
    platform::setRecordMessages(true);
    EXPECT_EQ(boxText, "There's an error in your range of data !");
    EXPECT_FALSE(w.isLoaded());
    EXPECT_TRUE(frmR04::instance().isLoaded());
}
