// Leaving a line graph while its range message waits its second: the user
// types or steps a picker, and during the wait clicks another command. The
// window goes without a crash and the page asked for opens untouched.
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <functional>

#include "linegraph/frmR02.h"
#include "pclinegraph/frmR02p.h"
#include "platform/core/NestedWait.h"
#include "reports/frmR04.h"
#include "reports/frmR05.h"
#include "tests/support/EventWait.h"
#include "tests/support/ReadingRows.h"
#include "tests/support/ReportWindowTest.h"

class LineGraphWaitTest : public ReportWindowTest {
protected:
    void SetUp() override {
        ReportWindowTest::SetUp();
        fillReadings(Module1::state().readings, dailyReadings(40, QStringLiteral("PC")));
        main_->window()->show();
    }
    void clickToolbar(const QString& key) {
        for (QAction* a : main_->tbToolBar->actions())
            if (a->toolTip() == key)
                QTest::mouseClick(main_->tbToolBar->widgetForAction(a), Qt::LeftButton);
    }
    static void typeInto(platform::EditCombo* box, const QString& text) {
        box->lineEdit()->selectAll();
        QTest::keyClicks(box->lineEdit(), text);
    }
    static void stepFromPastTo(platform::DatePicker* from) {
        from->setDateText("2007/2/9");  // the last reading's day; a year up is past it
        QTest::keyClick(from, Qt::Key_Up);
    }
};

TEST_F(LineGraphWaitTest, AnyCommandDuringTheRangeMessageClosesTheWindowSafely) {
    const struct {
        const char* how;
        std::function<void(frmR02&)> run;
        std::function<bool(frmR02&)> opened;  // the page the command opens, as it opens
    } leaves[] = {
        {"toolbar Standard Day", [this](frmR02&) { clickToolbar("Standard Day"); },
         [](frmR02& w) { return !w.isLoaded() && frmR04::instance().isLoaded(); }},
        {"page close box", [](frmR02& w) { qobject_cast<QMdiSubWindow*>(w.window()->parentWidget())->close(); },
         [](frmR02& w) { return !w.isLoaded(); }},
        {"Report menu Histogram", [this](frmR02&) { main_->mnuReport4->trigger(); },
         [](frmR02& w) { return !w.isLoaded() && frmR05::instance().isLoaded(); }},
        {"toolbar Line Graph", [this](frmR02&) { clickToolbar("Line Graph"); },
         [](frmR02& w) {
             return w.isLoaded() && w.LabelError->text().isEmpty() && w.ComboLO->text() == "0" &&
                    w.ComboHI->text() == "24" && w.Label2->text() == "40" &&
                    w.DTPicker1->date() == QDate(2007, 1, 1);
         }},
    };
    const struct {
        const char* how;
        std::function<void(frmR02&)> run;
    } starts[] = {
        {"reversed hours typed", [](frmR02& w) { typeInto(w.ComboHI, "5"), typeInto(w.ComboLO, "20"); }},
        {"From stepped past To", [](frmR02& w) { stepFromPastTo(w.DTPicker1); }},
    };
    for (int unit : {1, 2})
        for (const auto& start : starts)
            for (const auto& leave : leaves) {
                SCOPED_TRACE(std::string(start.how) + ", then " + leave.how + ", unit " + std::to_string(unit));
                Module1::state().GluUnit = qint16(unit);
                main_->mnuReport5_Click();
                frmR02& w = unit == 1 ? frmR02::instance() : frmR02unit::instance();
                QString shown;
                const auto waiting = [&] {
                    return platform::NestedWait::running() && !w.LabelError->text().isEmpty();
                };
                const test_wait::WhenReady leaveDuringTheWait(
                    waiting, [&] { shown = w.LabelError->text(), leave.run(w); }, "the range message's wait");
                start.run(w);
                EXPECT_EQ(shown, "Range of date Error!");
                EXPECT_TRUE(leave.opened(w));
                pump(20);  // the closed page's widgets go once back in the event loop
            }
}

// The post-meal window reports a refused range in a modal box; the page may
// be closed while the box is up (a command run by a timer here, as the user
// cannot reach the main window then).
TEST_F(LineGraphWaitTest, PostMealRangeBoxOutlivedByItsWindow) {
    platform::setRecordMessages(false);
    main_->mnuReport6_Click();
    const QPointer<QWidget> page = frmR02p::instance().window();
    QString boxText;
    bool pageKeptWhileBoxOpen = false;
    QElapsedTimer sinceLeaving;
    const test_wait::WhenReady leave([] { return test_wait::shownMessageBox() != nullptr; },
                                     [&] {
                                         main_->mnuReport2_Click();
                                         sinceLeaving.start();
                                     },
                                     "the range box");
    // OK only later, so the box's own loop runs on after the page was closed.
    const test_wait::MessageBoxWatch okLater(
        [&](QMessageBox& box) {
            pageKeptWhileBoxOpen = !page.isNull();
            boxText = box.text(), box.accept();
        },
        [&] { return sinceLeaving.isValid() && sinceLeaving.elapsed() >= 200; });
    stepFromPastTo(frmR02p::instance().DTPicker1);
    platform::setRecordMessages(true);
    EXPECT_EQ(boxText, "There's an error in your range of data !");
    EXPECT_FALSE(frmR02p::instance().isLoaded());
    EXPECT_TRUE(frmR04::instance().isLoaded());
    EXPECT_TRUE(pageKeptWhileBoxOpen);
    EXPECT_TRUE(QTest::qWaitFor([&] { return page.isNull(); }, 2000));
}
