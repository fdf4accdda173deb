// A whole download as a user does it: start-up, sign-in, the download window,
// "Start Reading" against an emulated meter on a pseudo-terminal, real timers.
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "accounts/frmLogin.h"
#include "app/Main.h"
#include "app/Module1.h"
#include "meter/frmMeterRead.h"
#include "platform/core/Clock.h"
#include "shell/frmMain.h"
#include "tests/e2e/support/EmulatedMeter.h"
#include "tests/support/FileBytes.h"
#include "tests/support/GuiTest.h"

frmMain* MainForm();

namespace {

// The expected line of a reading, formatted here independently of the writer.
QByteArray expectedLine(int number, const MeterReading& r, int year) {
    char mmol[16];
    std::snprintf(mmol, sizeof mmol, "%04.1f", r.glucose / 18.0);
    char line[128];
    std::snprintf(line, sizeof line, "T%04d,%05d,%02d,%02d,%02d,%02d,%s,%s,%04d,%04d/%02d/%02d - %02d:%02d\r\n",
                  number, r.glucose, r.month, r.day, r.hour, r.minute, r.flag ? "PC" : "C", mmol,
                  year, year, r.month, r.day, r.hour, r.minute);
    return line;
}

const QByteArray kReadingsHeader =
    "Test_No,Glucose,Month,Day,Hour,Minute,Event,Glucose_mmol,Year,Date & Time\r\n";

}  // namespace

class DownloadEndToEndTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        // 10:00 on 5 January 2009: readings later in the year are last year's.
        platform::setClock([] { return QDateTime(QDate(2009, 1, 5), QTime(10, 0)); });
        writeBytes(dataFile("ZuRegister.txt"),
                   "ID,Passwd,RS-232port,Unit,Time,Max,Min,Maxp,Minp\r\n"
                   "guest*,brisk*,1,1,1,120,80,120,80\r\n"
                   "anna*,secret*,1,1,1,120,80,120,80\r\n");
    }
    void TearDown() override {
        // Its receive poll would report the vanished meter in the next test.
        frmMeterRead::instance().Unload();
        meter.stop();
        GuiTest::TearDown();
    }

    void startAndSignInAsAnna() { startAndSignIn("anna", "secret"); }
    void startAndSignIn(const QString& id, const QString& password) {
        Main();  // splash, one second, then the sign-in window
        frmLogin& login = frmLogin::instance();
        ASSERT_TRUE(pumpUntil([&] { return login.isLoaded() && !login.Timerload->isActive(); }, 5000));
        ASSERT_EQ(login.ComboName->currentText(), "anna");  // the last register row
        login.ComboName->setCurrentIndex(login.ComboName->findText(id));
        login.TextPasswd->setText(password);
        login.CommandLoginIn->click();
        ASSERT_EQ(Module1::state().UserID, id);
        ASSERT_TRUE(messages().isEmpty());
    }

    // Opens the download window from the menu and runs one download.
    void download(int limitMs) {
        MainForm()->mnuMeterRead_Click();
        frmMeterRead& page = frmMeterRead::instance();
        ASSERT_TRUE(page.isLoaded());
        ASSERT_TRUE(page.CommandMR->isEnabled()) << "port not opened";
        page.CommandMR->click();
        ASSERT_TRUE(pumpUntil([&] { return page.LabelRead->text().startsWith("Complete!"); }, limitMs))
            << "status: " << page.LabelRead->text().toStdString();
    }

    // Waits for the first recorded message box; empty when none came in time.
    QList<platform::RecordedMessage> awaitMessages(int limitMs) {
        QList<platform::RecordedMessage> shown;
        pumpUntil([&] { return !(shown += messages()).isEmpty(); }, limitMs);
        return shown;
    }
    // A download for guest, signed in, from a meter started with `args`; the
    // first reading's glucose tells the downloads apart. Guest's file then
    // holds exactly the meter's readings.
    void expectExactGuestDownload(const QStringList& args, int glucoseShift, int limitMs) {
        const QList<MeterReading> readings{
            {1, 5, 9, 30, 95 + glucoseShift, 1}, {12, 31, 23, 59, 1023, 0}, {12, 30, 7, 9, 0, 0}};
        ASSERT_TRUE(meter.start(readings, args));
        download(limitMs);
        QByteArray expected = kReadingsHeader;
        for (int i = 0; i < readings.size(); ++i)
            expected += expectedLine(i + 1, readings[i], i == 0 ? 2009 : 2008);
        EXPECT_EQ(bytesOf(dataFile("guest.txt")), expected);
        EXPECT_TRUE(messages().isEmpty());
    }

    // Presses "Start Reading" for a download that must fail: one failure
    // message in time, every timer off, and the window never saying "Complete!".
    void expectFailedDownload(int limitMs) {
        frmMeterRead& page = frmMeterRead::instance();
        page.CommandMR->click();
        const auto shown = awaitMessages(limitMs);
        ASSERT_EQ(shown.size(), 1);
        EXPECT_TRUE(shown.front().text == "Link Error !" ||
                    shown.front().text.startsWith("Data Receiving Error! Got "))
            << shown.front().text.toStdString();
        EXPECT_FALSE(anyDownloadTimerActive());
        EXPECT_FALSE(page.LabelRead->text().startsWith("Complete!"));
    }
    static bool anyDownloadTimerActive() {
        const frmMeterRead& page = frmMeterRead::instance();
        for (const QTimer* t : {page.TimerRt, page.TimerOP, page.Timer1, page.Timer2, page.Timer3,
                                page.Timer4, page.TimerSleep})
            if (t->isActive())
                return true;
        return false;
    }

    static bool pumpUntil(const std::function<bool()>& done, int limitMs) {
        QElapsedTimer t;
        t.start();
        while (!done() && t.elapsed() < limitMs)
            pump(5);
        return done();
    }

    EmulatedMeter meter;
};

TEST_F(DownloadEndToEndTest, ThreeReadingsReplaceThePlaceholderAndAreWrittenNewestFirst) {
    const QList<MeterReading> readings{{1, 5, 9, 30, 95, 1}, {12, 31, 23, 59, 1023, 0}, {12, 30, 7, 9, 0, 0}};
    ASSERT_TRUE(meter.start(readings));
    startAndSignInAsAnna();
    download(15000);

    EXPECT_EQ(frmMeterRead::instance().LabelRead->text(), "Complete! Receive ( 3 ) Data from Meter !!");
    EXPECT_EQ(bytesOf(dataFile("anna.txt")),
              kReadingsHeader + "T0001,00095,01,05,09,30,PC,05.3,2009,2009/01/05 - 09:30\r\n"
                                "T0002,01023,12,31,23,59,C,56.8,2008,2008/12/31 - 23:59\r\n"
                                "T0003,00000,12,30,07,09,C,00.0,2008,2008/12/30 - 07:09\r\n");
    const auto& table = Module1::state().readings;
    ASSERT_EQ(table.ReadCount, 3);
    EXPECT_EQ(table.ReadGlucose[1], 0);  // oldest first in memory
    EXPECT_EQ(table.ReadGlucose[3], 95);
    EXPECT_EQ(table.ReadEvent[3].toInt(), 1);
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(DownloadEndToEndTest, ASecondDownloadAppendsOnlyTheTwoNewReadings) {
    const QList<MeterReading> first{{1, 4, 8, 0, 110, 0}, {1, 3, 8, 0, 120, 1}, {1, 2, 8, 0, 130, 0}};
    ASSERT_TRUE(meter.start(first));
    startAndSignInAsAnna();
    download(15000);
    const QByteArray afterFirst = bytesOf(dataFile("anna.txt"));

    // The meter keeps its old readings and has taken two more since.
    const QList<MeterReading> second = QList<MeterReading>{{1, 5, 7, 45, 150, 1}, {1, 4, 21, 10, 99, 0}} + first;
    ASSERT_TRUE(meter.start(second));
    download(15000);

    EXPECT_EQ(frmMeterRead::instance().LabelRead->text(), "Complete! Receive ( 5 ) Data from Meter !!");
    QByteArray expected = kReadingsHeader;
    for (int i = 0; i < second.size(); ++i)
        expected += expectedLine(i + 1, second[i], 2009);
    EXPECT_EQ(bytesOf(dataFile("anna.txt")), expected);
    EXPECT_EQ(Module1::state().readings.ReadCount, 5);
    EXPECT_NE(afterFirst, expected);
}

TEST_F(DownloadEndToEndTest, AFullMeterOf255ReadingsArrivesWhole) {
    QList<MeterReading> readings;
    for (int i = 0; i < 255; ++i) {
        // Newest first: one reading every 5 hours going back from 4 January.
        const QDateTime at = QDateTime(QDate(2009, 1, 4), QTime(23, 0)).addSecs(-i * 5 * 3600 - i * 60);
        readings.append({at.date().month(), at.date().day(), at.time().hour(), at.time().minute(),
                         40 + (i * 37) % 984, i % 2});
    }
    ASSERT_TRUE(meter.start(readings));
    startAndSignInAsAnna();
    QElapsedTimer t;
    t.start();
    download(60000);

    QByteArray expected = kReadingsHeader;
    for (int i = 0; i < readings.size(); ++i) {
        const int year = readings[i].month == 1 ? 2009 : 2008;
        expected += expectedLine(i + 1, readings[i], year);
    }
    EXPECT_EQ(bytesOf(dataFile("anna.txt")), expected);
    EXPECT_EQ(frmMeterRead::instance().ProgressBar1->maximum(), 510);
    EXPECT_EQ(frmMeterRead::instance().ProgressBar1->value(), 510);
    // Two requests of 50 ms per reading bound the time from below.
    EXPECT_GE(t.elapsed(), 2 * 255 * 50);
}

TEST_F(DownloadEndToEndTest, MeterThatVanishesMidDownloadEndsItWithTheLinkErrorAndNoSave) {
    QList<MeterReading> readings;
    for (int i = 0; i < 40; ++i)
        readings.append({1, 1 + i % 4, 8, i, 100 + i, 0});
    ASSERT_TRUE(meter.start(readings));
    startAndSignInAsAnna();
    const QByteArray before = bytesOf(dataFile("anna.txt"));
    MainForm()->mnuMeterRead_Click();
    frmMeterRead& page = frmMeterRead::instance();
    page.CommandMR->click();
    ASSERT_TRUE(pumpUntil([&] { return page.ProgressBar1->value() >= 10; }, 15000));
    meter.stop();  // the cable is pulled: the pseudo-terminal goes away

    const auto shown = awaitMessages(5000);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown.front().text, "Link Error !");
    EXPECT_FALSE(anyDownloadTimerActive());
    EXPECT_EQ(page.ProgressBar1->value(), 0);
    pump(300);
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(bytesOf(dataFile("anna.txt")), before);
    EXPECT_TRUE(page.CommandMR->isEnabled());
}

// A meter answering within a second, however slowly, gives exactly its
// readings, whether it works on commands side by side or one at a time
// (queued, it is still answering the wake-up and the link test long after
// the download has moved on); the guest's file holds only the latest download.
TEST_F(DownloadEndToEndTest, SlowMetersGiveExactDownloads) {
    startAndSignIn("guest", "brisk");
    const struct {
        const char* option;
        int delayMs;
    } meters[] = {{"--reply-delay", 0},    {"--reply-delay", 60},   {"--reply-delay", 250},
                  {"--queued-delay", 250}, {"--queued-delay", 500}};
    for (const auto& [option, delayMs] : meters) {
        SCOPED_TRACE(std::string(option) + " " + std::to_string(delayMs));
        expectExactGuestDownload({option, QString::number(delayMs)}, delayMs, 30000);
    }
}

// A meter that stops answering, or answers one request twice, ends the
// download with the link error and leaves the readings file as it was.
TEST_F(DownloadEndToEndTest, UnansweredOrDoubledRequestEndsWithTheLinkErrorAndNoSave) {
    const QList<MeterReading> readings{{1, 4, 8, 0, 110, 0}, {1, 3, 8, 0, 120, 1}};
    startAndSignInAsAnna();
    const QByteArray before = bytesOf(dataFile("anna.txt"));
    for (const QStringList& fault : {QStringList{"--no-count-answer"}, {"--answer-twice", "1"}}) {
        SCOPED_TRACE(fault.join(' ').toStdString());
        ASSERT_TRUE(meter.start(readings, fault));
        MainForm()->mnuMeterRead_Click();
        frmMeterRead& page = frmMeterRead::instance();
        page.CommandMR->click();
        const auto shown = awaitMessages(15000);
        ASSERT_EQ(shown.size(), 1);
        EXPECT_EQ(shown.front().text, "Link Error !");
        EXPECT_FALSE(anyDownloadTimerActive());
        EXPECT_EQ(bytesOf(dataFile("anna.txt")), before);
    }
}

// A meter that goes away once the download is over (here 300 ms after its
// acknowledgement, as the emulator does) changes nothing on screen, and the
// next "Start Reading" opens the port again for the next meter.
TEST_F(DownloadEndToEndTest, MeterThatVanishesAfterACompleteDownloadLeavesTheSaveAlone) {
    meter.keepRunning = false;
    ASSERT_TRUE(meter.start({{1, 4, 8, 0, 110, 0}, {1, 3, 8, 0, 120, 1}}));
    startAndSignInAsAnna();
    download(15000);
    const QByteArray saved = bytesOf(dataFile("anna.txt"));
    frmMeterRead& page = frmMeterRead::instance();
    const int progress = page.ProgressBar1->value();

    EXPECT_TRUE(awaitMessages(2000).isEmpty());
    EXPECT_EQ(page.LabelRead->text(), "Complete! Receive ( 2 ) Data from Meter !!");
    EXPECT_EQ(page.ProgressBar1->value(), progress);
    EXPECT_EQ(bytesOf(dataFile("anna.txt")), saved);
    EXPECT_EQ(Module1::state().readings.ReadCount, 2);

    meter.keepRunning = true;
    ASSERT_TRUE(meter.start({{1, 5, 8, 0, 130, 0}, {1, 4, 8, 0, 110, 0}, {1, 3, 8, 0, 120, 1}}));
    page.CommandMR->click();
    ASSERT_TRUE(pumpUntil([&] { return page.LabelRead->text().startsWith("Complete! Receive ( 3 )"); },
                          15000))
        << page.LabelRead->text().toStdString();
    EXPECT_EQ(Module1::state().readings.ReadCount, 3);
    EXPECT_TRUE(messages().isEmpty());
}

// A real line brings a reply's bytes about a millisecond apart: a healthy
// meter still gives exactly its readings, and a queued meter that answers a
// request twice, whose oldest time record reads as the sleep acknowledgement,
// never gets its shifted replies saved.
TEST_F(DownloadEndToEndTest, BytesOneByOneGiveExactDownloadsAndNoShiftedOne) {
    startAndSignIn("guest", "brisk");
    const QStringList line{"--byte-gap", "1.15"};
    for (int delayMs : {8, 18}) {
        SCOPED_TRACE(delayMs);
        expectExactGuestDownload(line + QStringList{"--reply-delay", QString::number(delayMs)},
                                 delayMs, 15000);
    }
    const QByteArray before = bytesOf(dataFile("guest.txt"));
    ASSERT_TRUE(meter.start({{11, 14, 8, 0, 110, 0}, {11, 13, 8, 0, 1023, 1}, {11, 11, 10, 42, 100, 0}},
                            line + QStringList{"--queued-delay", "250", "--answer-twice", "1",
                                               "--copy-gap", "60"}));
    expectFailedDownload(15000);
    EXPECT_EQ(bytesOf(dataFile("guest.txt")), before);
}

// A queued meter that answers one request twice would have every later reply
// taken one request late, and a line carrying stray bytes answers nothing
// that was asked: either download ends with a failure text in time, the
// readings file untouched and the window never saying "Complete!".
TEST_F(DownloadEndToEndTest, RepeatedReplyOrStrayBytesEndWithAFailureAndNoSave) {
    const QList<MeterReading> readings{{1, 4, 8, 0, 110, 0}, {1, 3, 8, 0, 1023, 1}, {1, 2, 8, 0, 130, 0}};
    startAndSignInAsAnna();
    const QByteArray before = bytesOf(dataFile("anna.txt"));
    for (const QStringList& fault :
         {QStringList{"--queued-delay", "250", "--answer-twice", "1", "--copy-gap", "30"},
          {"--stray-every", "100"}}) {
        SCOPED_TRACE(fault.join(' ').toStdString());
        ASSERT_TRUE(meter.start(readings, fault));
        MainForm()->mnuMeterRead_Click();
        expectFailedDownload(30000);
        EXPECT_EQ(bytesOf(dataFile("anna.txt")), before);
        meter.stop();
    }
}

// A meter 200 ms slow on a real line writes glucose record 5 twice and later
// leaves a request unanswered, which would bring a stream shifted by the copy
// back in step: no such download is saved, whether the copy comes 100 ms
// after the reply or, on a queued meter, in a turn of its own. The same
// meter without the faults gives its 12 readings exactly, in under 20 s.
TEST_F(DownloadEndToEndTest, CopiedReplyOfASlowMeterIsNeverSavedAndAHealthyOneIsExactInTime) {
    QList<MeterReading> readings;
    for (int i = 0; i < 12; ++i)
        readings.append({12, 28 - i, 8 + i % 12, (i * 7) % 60, 80 + 13 * i, i % 2});
    startAndSignInAsAnna();
    const QByteArray before = bytesOf(dataFile("anna.txt"));
    const QStringList line{"--byte-gap", "1.15"};
    const QStringList faults{"--answer-twice", "5", "--skip-record", "8"};
    for (const QStringList& meterKind : {QStringList{"--reply-delay", "200", "--copy-gap", "100"},
                                         QStringList{"--queued-delay", "250"}}) {
        SCOPED_TRACE(meterKind.join(' ').toStdString());
        ASSERT_TRUE(meter.start(readings, line + faults + meterKind));
        MainForm()->mnuMeterRead_Click();
        expectFailedDownload(20000);
        EXPECT_EQ(bytesOf(dataFile("anna.txt")), before);
        meter.stop();
    }

    ASSERT_TRUE(meter.start(readings, line + QStringList{"--reply-delay", "200"}));
    download(20000);
    QByteArray expected = kReadingsHeader;
    for (int i = 0; i < readings.size(); ++i)
        expected += expectedLine(i + 1, readings[i], 2008);
    EXPECT_EQ(bytesOf(dataFile("anna.txt")), expected);
}
