// Runs the real emulator program and talks to it through the program's own
// serial link, as a download does.
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <climits>
#include <gtest/gtest.h>

#include "ReadingsSource.h"
#include "TestBytes.h"
#include "platform/core/SerialLink.h"
#include "tests/support/DataHomeTest.h"

using namespace emulator;

namespace {
unsigned byteAt(const QByteArray& b, int i) {
    return static_cast<unsigned char>(b[i]);
}
}  // namespace

class MeterEmulatorProcess : public DataHomeTest {
protected:
    void TearDown() override {
        if (emulator_.state() != QProcess::NotRunning) {
            emulator_.kill();
            emulator_.waitForFinished(2000);
        }
        DataHomeTest::TearDown();
    }

    QString comEntry() const { return dataDir() + "/COM1"; }

    // Starts the emulator and waits for its "ready" line.
    bool start(const QStringList& extra) {
        emulator_.start(METER_EMULATOR_BINARY,
                        QStringList{"--data-folder", dataDir(), "--port", "1"} +
                            extra);
        if (!emulator_.waitForStarted(5000))
            return false;
        while (!emulator_.canReadLine()) {
            if (!emulator_.waitForReadyRead(5000))
                return false;
        }
        return emulator_.readLine().startsWith("ready /dev/");
    }

    bool openLink() {
        link_ = platform::createSerialLink();
        return link_->setCommPort(1) && link_->open() && link_->setDtr(false) &&
               link_->setDtr(true);
    }

    // Sends one command and collects the reply, polling as the download does.
    QByteArray ask(const QByteArray& command, int expected, int withinMs = 2000) {
        if (!link_->output(command))
            return "output failed";
        QByteArray reply;
        QElapsedTimer clock;
        clock.start();
        while (reply.size() < expected && clock.elapsed() < withinMs) {
            QThread::msleep(5);
            QByteArray piece;
            if (link_->inBufferCount() > 0 && link_->input(piece))
                reply += piece;
        }
        return reply;
    }

    // Everything that arrives within `ms` milliseconds.
    QByteArray listen(int ms) { return ask(QByteArray(), INT_MAX, ms); }

    QProcess emulator_;
    std::unique_ptr<platform::SerialLink> link_;
};

TEST_F(MeterEmulatorProcess, DownloadOfThreeReadingsThenSleepEndsWithStatusZero) {
    ASSERT_TRUE(start({"--count", "3", "--timeout", "20"}));
    ASSERT_TRUE(openLink());
    const QByteArray onLine = bytes({0xAA, 0x5A, 0xAA});
    EXPECT_EQ(ask(bytes({0x00}), 1), bytes({0x00}));
    EXPECT_EQ(ask(bytes({0x55}), 2), bytes({0x54, 0xF1}));
    EXPECT_EQ(ask(bytes({0xBA, 0xA5, 0xA9}), 3), onLine);
    EXPECT_EQ(ask(bytes({0xAE, 0xA5, 0xA9}), 3), bytes({0x03, 0x5A, 0xAA}));
    const std::vector<Reading> expected = generateReadings(3);
    for (int i = 1; i <= 3; ++i) {
        const Reading& r = expected[static_cast<size_t>(i - 1)];
        const QByteArray g = ask(bytes({0xAC, static_cast<unsigned char>(i), 0xA9}), 3);
        ASSERT_EQ(g.size(), 3);
        EXPECT_EQ(byteAt(g, 2), 0xAAu);
        EXPECT_EQ(int((byteAt(g, 1) & 3) * 256 + byteAt(g, 0)), r.glucose);
        EXPECT_EQ(int(byteAt(g, 1) >> 4), r.month);
        EXPECT_EQ(int((byteAt(g, 1) >> 2) & 1), r.flag);
    }
    for (int i = 1; i <= 3; ++i) {
        const Reading& r = expected[static_cast<size_t>(i - 1)];
        const QByteArray t = ask(bytes({0xAD, static_cast<unsigned char>(i), 0xA9}), 3);
        ASSERT_EQ(t.size(), 3);
        EXPECT_EQ(int(byteAt(t, 1) >> 3), r.day);
        EXPECT_EQ(int((byteAt(t, 1) & 7) * 4 + (byteAt(t, 0) >> 6)), r.hour);
        EXPECT_EQ(int(byteAt(t, 0) & 0x3F), r.minute);
    }
    EXPECT_EQ(ask(bytes({0xB5, 0xA5, 0xA9}), 3), onLine);
    ASSERT_TRUE(emulator_.waitForFinished(5000));
    EXPECT_EQ(emulator_.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(emulator_.exitCode(), 0);
    EXPECT_FALSE(QFileInfo(comEntry()).isSymLink());
}

TEST_F(MeterEmulatorProcess, SplitRepliesReachTheHostInTwoPolls) {
    ASSERT_TRUE(start({"--count", "1", "--split-replies"}));
    ASSERT_TRUE(openLink());
    ASSERT_TRUE(link_->output(bytes({0x55})));
    QByteArray first;
    QElapsedTimer clock;
    clock.start();
    while (first.isEmpty() && clock.elapsed() < 2000) {
        QThread::msleep(2);
        link_->input(first);
    }
    EXPECT_EQ(first, bytes({0x54}));
    EXPECT_EQ(ask(QByteArray(), 1), bytes({0xF1}));
}

TEST_F(MeterEmulatorProcess, DelayedRepliesComeLateAndTheSleepAckStillArrives) {
    ASSERT_TRUE(start({"--count", "1", "--reply-delay", "150"}));
    ASSERT_TRUE(openLink());
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(ask(bytes({0x00}), 1), bytes({0x00}));
    EXPECT_GE(clock.elapsed(), 150);
    EXPECT_EQ(ask(bytes({0xB5, 0xA5, 0xA9}), 3), bytes({0xAA, 0x5A, 0xAA}));
    ASSERT_TRUE(emulator_.waitForFinished(5000));
    EXPECT_EQ(emulator_.exitCode(), 0);
}

TEST_F(MeterEmulatorProcess, StrayBytesReachAnOpenLinkBetweenWholeReplies) {
    ASSERT_TRUE(start({"--count", "1", "--stray-every", "50", "--timeout", "2"}));
    QThread::msleep(200);  // strays due now must not wait for the link to open
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(openLink());
    const QByteArray heard = listen(300);
    EXPECT_EQ(heard, QByteArray(heard.size(), '\0'));
    EXPECT_GE(heard.size(), 3);
    EXPECT_LE(heard.size(), clock.elapsed() / 50 + 1);
    ASSERT_TRUE(link_->output(bytes({0xBA, 0xA5, 0xA9})));
    const QByteArray answer = listen(300);
    EXPECT_TRUE(answer.contains(bytes({0xAA, 0x5A, 0xAA}))) << answer.toHex().data();
    EXPECT_EQ(QByteArray(answer).replace('\0', ""), bytes({0xAA, 0x5A, 0xAA}));
    link_->close();
    ASSERT_TRUE(emulator_.waitForFinished(5000));
    EXPECT_EQ(emulator_.exitCode(), 2);
}

TEST_F(MeterEmulatorProcess, TerminationRemovesTheComEntry) {
    ASSERT_TRUE(start({"--count", "0"}));
    EXPECT_TRUE(QFileInfo(comEntry()).isSymLink());
    emulator_.terminate();
    ASSERT_TRUE(emulator_.waitForFinished(5000));
    EXPECT_EQ(emulator_.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(emulator_.exitCode(), 3);
    EXPECT_FALSE(QFileInfo(comEntry()).isSymLink());
}

TEST_F(MeterEmulatorProcess, NoSleepCommandWithinTheTimeLimitEndsWithStatusTwo) {
    ASSERT_TRUE(start({"--count", "2", "--timeout", "1"}));
    ASSERT_TRUE(emulator_.waitForFinished(5000));
    EXPECT_EQ(emulator_.exitCode(), 2);
    EXPECT_FALSE(QFileInfo(comEntry()).isSymLink());
}

TEST_F(MeterEmulatorProcess, BadReadingsFileIsRefusedWithStatusOne) {
    emulator_.start(METER_EMULATOR_BINARY,
                    {"--data-folder", home_.path(), "--readings", home_.path() + "/missing"});
    ASSERT_TRUE(emulator_.waitForFinished(5000));
    EXPECT_EQ(emulator_.exitCode(), 1);
    EXPECT_FALSE(emulator_.readAllStandardError().isEmpty());
}
