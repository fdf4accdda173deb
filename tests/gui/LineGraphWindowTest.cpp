// The line graph and PC line graph windows, opened from their commands.
#include <QElapsedTimer>
#include <QPushButton>
#include <memory>

#include "app/Module1.h"
#include "linegraph/frmR02.h"
#include "meter/frmMeterRead.h"
#include "pclinegraph/frmR02p.h"
#include "platform/core/NestedWait.h"
#include "shell/frmMain.h"
#include "shell/frmMenu.h"
#include "tests/support/EventWait.h"
#include "tests/support/ReportWindowTest.h"
#include "tests/support/ReadingRows.h"

class LineGraphWindowTest : public ReportWindowTest {
protected:
    static void setReadings(const std::vector<ReadingRow>& rows) {
        fillReadings(Module1::state().readings, rows);
    }
    static QString label(const frmLineGraphBase& w, int k) { return w.X[k - 1]->text(); }
    static QStringList statistics(const frmLineGraphBase& w) {
        return {w.Label2->text(), w.Label12->text(), w.Label13->text(), w.Label14->text()};
    }
};

TEST_F(LineGraphWindowTest, OpensFromEveryCommandByUnit) {
    setReadings(dailyReadings(20));
    const struct {
        const char* command;
        std::function<void(frmMain&)> open;
        int unit;
        frmLineGraphBase* window;
    } cases[] = {
        {"menu", [](frmMain& m) { m.mnuReport5_Click(); }, 1, &frmR02::instance()},
        {"toolbar", [](frmMain& m) { m.mnuReport3_Click(); }, 2, &frmR02unit::instance()},
        {"report page", [](frmMain&) { frmMenu::instance().Show(); frmMenu::instance().Picture3_Click(); }, 1, &frmR02::instance()},
        {"PC menu", [](frmMain& m) { m.mnuReport6_Click(); }, 1, &frmR02p::instance()},
        {"PC toolbar key", [](frmMain& m) { m.ShowPCLineGraph(); }, 2, &frmR02unitp::instance()},
        {"PC report page", [](frmMain&) { frmMenu::instance().Show(); frmMenu::instance().ShowPCLineGraph(); }, 2, &frmR02unitp::instance()},
        {"PC download button", [](frmMain&) { frmMeterRead::instance().Show(); frmMeterRead::instance().CmdReportPC_Click(); }, 1, &frmR02p::instance()},
    };
    for (const auto& c : cases) {
        Module1::state().GluUnit = c.unit;
        main_->CloseChildForms();
        c.open(*main_);
        ASSERT_TRUE(c.window->isLoaded()) << c.command;
        EXPECT_EQ(main_->activeChildPage(), c.window->window()) << c.command;
        EXPECT_EQ(c.window->window()->windowTitle(), "Line Graph");
        EXPECT_EQ(c.window->Label5->text(), "anna");
        EXPECT_EQ(c.window->Label6->text(), c.unit == 1 ? "mg/dL" : "mmol/L");
        EXPECT_EQ(c.window->LOW->text(), c.unit == 1 ? "Low" : "Low--");
    }
    messages();
    // None of the PC line graph's openers is offered to the user.
    EXPECT_FALSE(main_->mnuReport6->isEnabled());
    frmMeterRead::instance().Show();
    EXPECT_TRUE(frmMeterRead::instance().CmdReportPC->isHidden());
    Module1::state().GluUnit = 3;
    main_->mnuReport5_Click();
    main_->mnuReport6_Click();
    EXPECT_EQ(main_->activeChildPage(), nullptr);
}

TEST_F(LineGraphWindowTest, ThreeHundredReadingsOpenOnTheNewest150) {
    setReadings(dailyReadings(300));
    for (int opening = 0; opening < 2; ++opening) {
        main_->mnuReport5_Click();
        frmR02& w = frmR02::instance();
        EXPECT_EQ(w.ComboLO->count(), 25);  // "0" to "24", once per opening
        EXPECT_EQ(w.ComboLO->text(), "0");
        EXPECT_EQ(w.ComboHI->text(), "24");
        EXPECT_EQ(w.DTPicker1->date(), QDate(2007, 1, 1));
        EXPECT_EQ(w.DTPicker2->date(), QDate(2007, 1, 1).addDays(299));
        EXPECT_EQ(statistics(w), QStringList({"300", "299", "100", "182"}));
        EXPECT_TRUE(w.HScroll1->isVisibleTo(w.window()));
        EXPECT_EQ(w.HScroll1->maximum(), 150);
        EXPECT_EQ(w.HScroll1->value(), 150);
        EXPECT_EQ(w.RowsShown, 150);
        EXPECT_EQ(w.MSChart1->chartData().point(1, 1), 100 + 150 % 200);
        EXPECT_EQ(label(w, 1), "5/31");  // reading 151
        // Scrolling to the start shows the oldest 150.
        w.HScroll1->setValue(0);
        EXPECT_EQ(w.MSChart1->chartData().point(1, 1), 100);
        EXPECT_EQ(label(w, 1), "1/1");
        EXPECT_EQ(label(w, 26), "5/30");
        // The tip names the reading under the pointer in the scrolled window.
        w.MSChart1_MouseMove(0, 0, 1150, 2000);
        EXPECT_TRUE(w.Text4->isVisibleTo(w.window()));
        EXPECT_EQ(w.Text4->text(), "2007/1/1 8:30  100mg/dL");
        EXPECT_EQ(w.Text3->text(), " Y");
        main_->CloseChildForms();
    }
}

TEST_F(LineGraphWindowTest, NoReadingsShowNoDataAndIgnoreTheHourBoxes) {
    setReadings({{0, 0, 0, 0, 0, 0, 0}});
    for (int unit : {1, 2}) {
        Module1::state().GluUnit = unit;
        main_->mnuReport5_Click();
        frmR02& w = unit == 1 ? frmR02::instance() : frmR02unit::instance();
        EXPECT_EQ(w.LabelError->text(), "No data !");
        EXPECT_FALSE(w.DTPicker1->isEnabled());
        EXPECT_EQ(w.DTPicker2->date(), QDate(2006, 8, 21));
        EXPECT_EQ(statistics(w), QStringList({"- -", "- - -", "- - -", "- - -"}));
        EXPECT_EQ(w.RowsShown, 25);
        EXPECT_EQ(w.MSChart1->chartData().point(1, 1), 0.0);
        EXPECT_EQ(label(w, 1), "");
        w.ComboHI->setText("3");
        w.ComboLO_Click();
        EXPECT_EQ(w.LabelError->text(), "No data !");
        EXPECT_EQ(w.Label2->text(), "- -");
        // The tip finds no reading in any column.
        w.MSChart1_MouseMove(0, 0, 1150, 2000);
        EXPECT_FALSE(w.Text4->isVisibleTo(w.window()));
        main_->CloseChildForms();
    }
}

TEST_F(LineGraphWindowTest, HourBoxesSelectAndRefuseARange) {
    setReadings({{2007, 5, 3, 2, 0, 100}, {2007, 5, 3, 5, 10, 120}, {2007, 5, 4, 9, 0, 250}});
    main_->mnuReport5_Click();
    frmR02& w = frmR02::instance();
    w.ComboHI->setText("5.9");
    EXPECT_EQ(statistics(w), QStringList({"2", "120", "100", "110"}));
    // A box being typed into keeps what is shown.
    w.ComboLO->setText("");
    w.ComboLO->setText("abc");
    EXPECT_EQ(w.Label2->text(), "2");
    w.ComboLO->setText("9");  // highest 5 below lowest 9: refused, lowest back to 0
    EXPECT_EQ(w.ComboLO->text(), "0");
    EXPECT_EQ(w.LabelError->text(), "");
    EXPECT_EQ(statistics(w), QStringList({"2", "120", "100", "110"}));
    w.ComboHI->setText("1");
    EXPECT_EQ(w.Label2->text(), "0");  // nothing in range: the empty chart
    EXPECT_EQ(w.MSChart1->chartData().rowCount(), 150);
    EXPECT_EQ(w.MSChart1->chartData().point(1, 1), std::nullopt);
    EXPECT_EQ(label(w, 1), "");
    EXPECT_FALSE(w.HScroll1->isVisibleTo(w.window()));
}

TEST_F(LineGraphWindowTest, AReversedDateRangeIsRefusedForOneSecond) {
    setReadings({{2007, 5, 3, 2, 0, 100}, {2007, 5, 9, 5, 10, 120}});
    main_->mnuReport5_Click();
    frmR02& w = frmR02::instance();
    QString shownDuringWait;
    const test_wait::WhenReady look([] { return platform::NestedWait::running(); },
                                    [&] { shownDuringWait = w.LabelError->text(); }, "the wait");
    QElapsedTimer took;
    took.start();
    w.DTPicker1->setDateText("2007/6/1");
    w.DTPicker1_Change();
    EXPECT_GE(took.elapsed(), 1000);
    EXPECT_EQ(shownDuringWait, "Range of date Error!");
    EXPECT_EQ(w.LabelError->text(), "");
    EXPECT_EQ(w.DTPicker1->date(), QDate(2007, 5, 3));
    EXPECT_EQ(w.DTPicker2->date(), QDate(2007, 5, 9));
    EXPECT_EQ(w.Label2->text(), "2");
}

TEST_F(LineGraphWindowTest, PostMealWindowSelectsMarkedReadings) {
    setReadings({{2007, 5, 3, 8, 0, 90, "C"}, {2007, 5, 4, 8, 0, 100, "PC"},
                 {2007, 5, 5, 8, 0, 110, "QC"}, {2007, 5, 6, 8, 0, 27, 1}});
    Module1::state().GluUnit = 2;
    Module1::state().TimeFormat = 2;
    main_->ShowPCLineGraph();
    frmR02unitp& w = frmR02unitp::instance();
    EXPECT_EQ(w.Label4->text(), "PC Datas covered :");
    EXPECT_EQ(statistics(w), QStringList({"2", "5.6", "1.5", "3.5"}));
    EXPECT_EQ(w.DTPicker1->date(), QDate(2007, 5, 4));
    EXPECT_EQ(w.DTPicker2->date(), QDate(2007, 5, 6));
    EXPECT_EQ(label(w, 2), "6/5");
    EXPECT_EQ(w.MSChart1->chartData().cell(2, 2), QVariant(QStringLiteral("1.5")));
    w.MSChart1_MouseMove(0, 0, 1100, 2000);
    EXPECT_EQ(w.Text4->text(), "4/5/2007 8:0  5.6mmol/L");
    // A reversed range: the message, the pickers back on the selection.
    w.DTPicker1->setDateText("2007/5/30");
    w.DTPicker1_Change();
    EXPECT_EQ(messages().value(0).text, "There's an error in your range of data !");
    EXPECT_EQ(w.DTPicker1->date(), QDate(2007, 5, 4));
    // A range holding no post-meal reading: count 0 and the empty chart.
    w.DTPicker2->setDateText("2007/5/5");
    w.DTPicker1->setDateText("2007/5/5");
    w.DTPicker2_Change();
    EXPECT_EQ(statistics(w), QStringList({"0", "0.0", "0.0", "0.0"}));
    EXPECT_EQ(w.MSChart1->chartData().rowCount(), 150);
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(LineGraphWindowTest, PostMealWindowWithoutPostMealReadingsSaysSo) {
    setReadings({{2007, 5, 3, 8, 0, 90, "C"}, {2007, 5, 4, 8, 0, 100, "pc"}});
    main_->mnuReport6_Click();
    frmR02p& w = frmR02p::instance();
    const QList<platform::RecordedMessage> shown = messages();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].text, "This ID have no Glucose data !! Please read from Meter!!");
    EXPECT_FALSE(w.DTPicker1->isEnabled());
    EXPECT_EQ(statistics(w), QStringList({"- -", "- - -", "- - -", "- - -"}));
    EXPECT_EQ(w.RowsShown, 25);
    EXPECT_EQ(w.MSChart1->chartData().point(1, 1), 0.0);
}

TEST_F(LineGraphWindowTest, AReadingWithoutACalendarDayLeavesItsPickerAlone) {
    // The meter's fields allow month 13 and day 31 of February.
    setReadings({{2007, 13, 3, 8, 0, 90}, {2007, 5, 4, 8, 0, 100}, {2007, 2, 31, 8, 0, 110}});
    main_->mnuReport5_Click();
    frmR02& w = frmR02::instance();
    EXPECT_EQ(w.Label2->text(), "3");
    EXPECT_EQ(w.DTPicker1->date(), QDate(2006, 8, 21));
    EXPECT_EQ(w.DTPicker2->date(), QDate(2006, 8, 21));
    w.DTPicker2->setDateText("2007/12/31");
    w.DTPicker2_Change();
    EXPECT_EQ(w.Label2->text(), "1");  // only the reading with a calendar day lies in a range
}
