#include <QDir>
#include <QFile>
#include <QTimer>

#include "app/Module1.h"
#include "meter/frmMeterRead.h"
#include "shell/frmMenu.h"
#include "tests/support/EventWait.h"
#include "tests/support/FakeMeterLink.h"
#include "tests/support/GuiTest.h"

namespace {
const QString kSettingError = QStringLiteral("RS232 Setting Error !");
}

class MeterReadWindowTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        Module1::state().ComPort = 2;
        Module1::state().UserID = QStringLiteral("guest");
        Module1::state().UserName = QStringLiteral("guest");
        frmMeterRead::setLinkFactory([this] {
            auto link = std::make_unique<FakeMeterLink>();
            link->meter = meter;
            link->refuseOpen = refuseOpen;
            link_ = link.get();
            return link;
        });
    }
    void TearDown() override {
        form().Unload();
        frmMenu::instance().Unload();
        frmMeterRead::setLinkFactory({});
        GuiTest::TearDown();
    }
    static frmMeterRead& form() { return frmMeterRead::instance(); }
    void meterHoldsOneReading() {
        meter.readings.push_back({QByteArray::fromHex("7B65AA"), QByteArray::fromHex("45DBAA")});
    }
    void loadAndStart() {
        form().Load();
        form().CommandMR->click();
    }
    static std::vector<QTimer*> allTimers() {
        return {form().TimerRt, form().TimerOP, form().Timer1,    form().Timer2,
                form().Timer3,  form().Timer4,  form().TimerSleep};
    }
    std::vector<QTimer*> activeTimers() const {
        std::vector<QTimer*> out;
        for (QTimer* t : allTimers())
            if (t->isActive())
                out.push_back(t);
        return out;
    }

    FakeMeter meter;
    bool refuseOpen = false;
    FakeMeterLink* link_ = nullptr;
};

TEST_F(MeterReadWindowTest, LoadShowsTheDesignAndOpensThePortWithDtrOff) {
    form().Load();
    ASSERT_TRUE(form().isLoaded());
    EXPECT_EQ(form().window()->windowTitle(), QStringLiteral("Download Meter Readings"));
    EXPECT_EQ(form().Frame3->title(), QStringLiteral("Step1"));
    EXPECT_EQ(form().Frame4->title(), QStringLiteral("Step2"));
    EXPECT_EQ(form().Frame5->title(), QStringLiteral("Step3"));
    EXPECT_EQ(form().CommandMR->text(), QStringLiteral("Start Reading"));
    EXPECT_EQ(form().CmdReport->text(), QStringLiteral("View Reports ..."));
    EXPECT_EQ(form().LabelRead->text(), QStringLiteral("Reading Massage..."));
    EXPECT_TRUE(form().CommandMR->isEnabled());
    EXPECT_EQ(form().ProgressBar1->value(), 0);
    EXPECT_EQ(form().ProgressBar1->maximum(), 100);
    EXPECT_TRUE(activeTimers().empty());
    EXPECT_EQ(form().TimerRt->interval(), 20);
    for (QTimer* t : allTimers())
        EXPECT_EQ(t->timerType(), Qt::PreciseTimer) << t->interval();
    EXPECT_EQ(form().Timer2->interval(), 1000);
    ASSERT_NE(link_, nullptr);
    EXPECT_TRUE(link_->isOpen());
    EXPECT_EQ(link_->commPort, 2);
    EXPECT_FALSE(link_->dtr);
    EXPECT_TRUE(messages().isEmpty());
}

// A port that will not open, or a port number outside 1 to 5.
TEST_F(MeterReadWindowTest, UnusablePortIsASettingErrorAndSwitchesStartReadingOff) {
    for (const bool refuse : {true, false}) {
        refuseOpen = refuse;
        Module1::state().ComPort = refuse ? 2 : 7;
        form().Load();
        const auto shown = messages();
        ASSERT_EQ(shown.size(), 1) << refuse;
        EXPECT_EQ(shown.front().text, kSettingError) << refuse;
        EXPECT_EQ(shown.front().title, "Ambrel Management Software") << refuse;
        EXPECT_EQ(shown.front().icon, platform::MsgIcon::None) << refuse;
        EXPECT_FALSE(form().CommandMR->isEnabled()) << refuse;
        EXPECT_TRUE(form().CmdReport->isEnabled()) << refuse;
        form().Unload();
    }
}

TEST_F(MeterReadWindowTest, StartReadingWakesTheMeterAndStartsTwoTimers) {
    meter.silent = true;
    loadAndStart();
    ASSERT_EQ(link_->writes.size(), 1u);
    EXPECT_EQ(link_->writes.front().bytes, protocol::wakeByte());
    EXPECT_TRUE(link_->dtr);
    EXPECT_EQ(activeTimers(), (std::vector<QTimer*>{form().TimerRt, form().TimerOP}));
}

TEST_F(MeterReadWindowTest, DownloadRunsOnTheWindowTimersAndIsSaved) {
    meterHoldsOneReading();
    loadAndStart();
    ASSERT_TRUE(test_wait::until([] { return form().LabelRead->text().startsWith("Complete!"); }))
        << form().LabelRead->text().toStdString();
    EXPECT_EQ(form().LabelRead->text(), QStringLiteral("Complete! Receive ( 1 ) Data from Meter !!"));
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(form().ProgressBar1->maximum(), 2);
    EXPECT_EQ(form().ProgressBar1->value(), 2);
    const ReadingList& table = Module1::state().readings;
    ASSERT_EQ(table.ReadCount, 1);
    EXPECT_EQ(table.ReadGlucose[1], 379);
    EXPECT_EQ(table.ReadDay[1], 27);
    EXPECT_EQ(table.ReadEvent[1].toInt(), 1);
    EXPECT_TRUE(QFile::exists(dataFile(QStringLiteral("guest.txt"))));
    EXPECT_EQ(activeTimers(), (std::vector<QTimer*>{form().TimerRt}));
}

TEST_F(MeterReadWindowTest, UnloadDuringADownloadClosesThePortWithoutASave) {
    meterHoldsOneReading();
    loadAndStart();
    FakeMeterLink* link = link_;
    form().Unload();
    EXPECT_FALSE(link->isOpen());
    pump(2000);  // longer than the whole download would take
    EXPECT_EQ(link->writes.size(), 1u);
    EXPECT_EQ(Module1::state().readings.ReadCount, 0);
}

TEST_F(MeterReadWindowTest, ViewReportsLeavesForTheReportMenu) {
    meter.silent = true;
    loadAndStart();
    FakeMeterLink* link = link_;
    form().CmdReport->click();
    EXPECT_FALSE(form().isLoaded());
    EXPECT_TRUE(frmMenu::instance().isLoaded());
    EXPECT_FALSE(link->isOpen());
}

TEST_F(MeterReadWindowTest, ViewReportsDuringADownloadEndsItWithoutASave) {
    meterHoldsOneReading();
    loadAndStart();
    ASSERT_TRUE(test_wait::until([] { return form().LabelRead->text() == "Linking..."; }));
    FakeMeterLink* link = link_;
    const size_t writes = link->writes.size();
    form().CmdReport->click();
    EXPECT_TRUE(frmMenu::instance().isLoaded());
    pump(2000);
    EXPECT_EQ(link->writes.size(), writes);
    EXPECT_EQ(link->writesWhileClosed(), 0);
    EXPECT_EQ(Module1::state().readings.ReadCount, 0);
    EXPECT_FALSE(QFile::exists(dataFile(QStringLiteral("guest.txt"))));
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(MeterReadWindowTest, EachLoadShowsTheDesignStatusAgain) {
    loadAndStart();
    form().Unload();
    form().Load();
    EXPECT_EQ(form().LabelRead->text(), QStringLiteral("Reading Massage..."));
    EXPECT_TRUE(link_->isOpen());
    EXPECT_EQ(form().sequence().DownloadState, 1);  // the window's variables are kept
}

TEST_F(MeterReadWindowTest, ReadingsFileThatCannotBeWrittenIsNeverCalledComplete) {
    meterHoldsOneReading();
    ASSERT_TRUE(QDir().mkpath(dataFile(QStringLiteral("guest.txt"))));  // a folder in its place
    loadAndStart();
    ASSERT_TRUE(test_wait::until([] { return form().ProgressBar1->value() == 2; }));
    // The save follows the sleep command; the meter's reply to it is where a
    // download is called complete.
    QList<platform::RecordedMessage> shown;
    ASSERT_TRUE(test_wait::until([&] {
        shown += messages();
        return !shown.isEmpty() && link_->countWrites(protocol::sleepCommand()) == 1 &&
               link_->inBufferCount() == 0;
    }));
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown.front().text, "The readings file could not be written !! "
                                  "The new data were not saved; they are still in the meter.");
    EXPECT_FALSE(form().LabelRead->text().startsWith(QStringLiteral("Complete!")))
        << form().LabelRead->text().toStdString();
    EXPECT_EQ(Module1::state().readings.ReadCount, 0);
}
