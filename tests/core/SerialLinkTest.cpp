#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include "platform/core/SerialDevicePath.h"
#include "platform/core/SerialLink.h"
#include "tests/support/DataHomeTest.h"

using namespace platform;

namespace {

// The far end of a pseudo-terminal pair plays the meter; the link under test
// opens the slave side through the data folder's COM1 entry.
class PtyMaster {
public:
    PtyMaster() {
        fd_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (fd_ < 0 || grantpt(fd_) != 0 || unlockpt(fd_) != 0)
            return;
        slavePath_ = QString::fromLocal8Bit(ptsname(fd_));
        const int flags = fcntl(fd_, F_GETFL);
        fcntl(fd_, F_SETFL, flags | O_NONBLOCK);
    }
    ~PtyMaster() { closeMaster(); }
    bool ok() const { return fd_ >= 0 && !slavePath_.isEmpty(); }
    QString slavePath() const { return slavePath_; }
    void closeMaster() {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }
    bool write(const QByteArray& bytes) {
        return ::write(fd_, bytes.constData(), bytes.size()) == bytes.size();
    }
    // Everything the link sent within the wait, gathered across reads.
    QByteArray readFor(int expected, int timeoutMs = 1000) {
        QByteArray got;
        QElapsedTimer clock;
        clock.start();
        while (got.size() < expected && clock.elapsed() < timeoutMs) {
            char buf[256];
            const ssize_t n = ::read(fd_, buf, sizeof buf);
            if (n > 0)
                got.append(buf, static_cast<int>(n));
            else
                QThread::msleep(2);
        }
        return got;
    }

private:
    int fd_ = -1;
    QString slavePath_;
};

// Polls the link as the download's receive timer does, until the expected
// number of bytes is waiting, the link fails (-1) or the time is up.
int waitForCount(SerialLink& link, int expected, int timeoutMs = 5000) {
    QElapsedTimer clock;
    clock.start();
    int count = link.inBufferCount();
    while (count >= 0 && count < expected && clock.elapsed() < timeoutMs) {
        QThread::msleep(5);
        count = link.inBufferCount();
    }
    return count;
}

constexpr int kOneInput = 4096;  // the most bytes one input takes

}  // namespace

// The program runs the link inside an application, with socket notifiers
// live; the link must still see bytes when nobody spins the event loop.
class SerialLinkTest : public DataHomeTest {
protected:
    void SetUp() override {
        DataHomeTest::SetUp();
        ASSERT_TRUE(QDir().mkpath(dataDir()));
        ASSERT_TRUE(meter_.ok());
    }
    bool linkCom(int n, const QString& target) {
        return QFile::link(target, dataDir() + QStringLiteral("/COM%1").arg(n));
    }
    std::unique_ptr<SerialLink> openOnCom1() {
        EXPECT_TRUE(linkCom(1, meter_.slavePath()));
        auto link = createSerialLink();
        EXPECT_TRUE(link->setCommPort(1));
        EXPECT_TRUE(link->open());
        return link;
    }

    PtyMaster meter_;
};

TEST_F(SerialLinkTest, ComEntryInDataFolderIsResolvedElseClassicDevice) {
    EXPECT_EQ(serialDevicePath(3), "/dev/ttyS2");
    ASSERT_TRUE(linkCom(3, meter_.slavePath()));
    EXPECT_EQ(serialDevicePath(3), meter_.slavePath());
    EXPECT_EQ(serialDevicePath(1), "/dev/ttyS0");
    EXPECT_EQ(serialDevicePath(0), QString());
}

TEST_F(SerialLinkTest, RefusesPortsOutsideCom1ToCom5) {
    auto link = createSerialLink();
    EXPECT_FALSE(link->setCommPort(0));
    EXPECT_FALSE(link->setCommPort(6));
    EXPECT_FALSE(link->setCommPort(-1));
    EXPECT_TRUE(link->setCommPort(1));
    EXPECT_TRUE(link->setCommPort(5));
}

TEST_F(SerialLinkTest, OpensThePtyAndTreatsDtrAsNoOp) {
    auto link = openOnCom1();
    EXPECT_TRUE(link->isOpen());
    EXPECT_TRUE(link->setDtr(false));
    EXPECT_TRUE(link->setDtr(true));
    EXPECT_TRUE(link->isOpen());
}

TEST_F(SerialLinkTest, OpenOfAMissingDeviceFails) {
    ASSERT_TRUE(linkCom(2, home_.path() + "/no-such-device"));
    auto link = createSerialLink();
    ASSERT_TRUE(link->setCommPort(2));
    EXPECT_FALSE(link->open());
    EXPECT_FALSE(link->isOpen());
    EXPECT_EQ(link->inBufferCount(), -1);
    QByteArray bytes;
    EXPECT_FALSE(link->input(bytes));
    EXPECT_FALSE(link->output(QByteArray(1, '\0')));
    EXPECT_FALSE(link->setDtr(true));
}

TEST_F(SerialLinkTest, OutputReachesTheFarEndUnchanged) {
    auto link = openOnCom1();
    const QByteArray hello("\xBA\xA5\xA9", 3);
    ASSERT_TRUE(link->output(QByteArray(1, '\0')));  // 00 must not be lost
    ASSERT_TRUE(link->output(hello));
    EXPECT_EQ(meter_.readFor(4), QByteArray(1, '\0') + hello);
}

TEST_F(SerialLinkTest, ArrivedBytesAreCountedWithoutEventLoopAndTakenInOneGo) {
    auto link = openOnCom1();
    EXPECT_EQ(link->inBufferCount(), 0);
    // Bytes a terminal would translate (CR, NUL, XON) must arrive as sent.
    const QByteArray reply("\x0D\x00\x11\xAA", 4);
    const qint64 beforeWrite = link->clockMs();
    ASSERT_TRUE(meter_.write(reply));
    EXPECT_EQ(waitForCount(*link, 4), 4);
    // Fetched by the poll itself, the bytes are timed no earlier than they came.
    EXPECT_GE(link->lastArrivalMs(), beforeWrite);
    EXPECT_LE(link->lastArrivalMs(), link->clockMs());
    QByteArray taken;
    ASSERT_TRUE(link->input(taken));
    EXPECT_EQ(taken, reply);
    EXPECT_EQ(link->inBufferCount(), 0);
    ASSERT_TRUE(link->input(taken));
    EXPECT_TRUE(taken.isEmpty());
}

TEST_F(SerialLinkTest, OneInputTakesAtMost4KBAndDiscardDropsTheRest) {
    auto link = openOnCom1();
    ASSERT_TRUE(meter_.write(QByteArray(6000, '\xEE')));
    EXPECT_GE(waitForCount(*link, 6000), kOneInput);
    QByteArray taken;
    ASSERT_TRUE(link->input(taken));
    EXPECT_EQ(taken.size(), kOneInput);
    EXPECT_EQ(waitForCount(*link, 6000 - kOneInput), 6000 - kOneInput);
    EXPECT_TRUE(link->discardInput());
    EXPECT_EQ(link->inBufferCount(), 0);
    // A byte sent after the discard comes alone: nothing dropped comes back.
    ASSERT_TRUE(meter_.write(QByteArray(1, '\x55')));
    EXPECT_EQ(waitForCount(*link, 1), 1);
    ASSERT_TRUE(link->input(taken));
    EXPECT_EQ(taken, QByteArray(1, '\x55'));
}

TEST_F(SerialLinkTest, AfterCloseOutputAndInputFailAndReopenWorks) {
    auto link = openOnCom1();
    link->close();
    EXPECT_FALSE(link->isOpen());
    EXPECT_FALSE(link->output(QByteArray(1, '\x55')));
    EXPECT_EQ(link->inBufferCount(), -1);
    ASSERT_TRUE(link->open());
    ASSERT_TRUE(link->output(QByteArray(1, '\x55')));
    EXPECT_EQ(meter_.readFor(1), QByteArray(1, '\x55'));
}

TEST_F(SerialLinkTest, VanishedDeviceIsReportedNotThrown) {
    auto link = openOnCom1();
    meter_.closeMaster();
    EXPECT_EQ(waitForCount(*link, 1), -1);
    QByteArray bytes;
    EXPECT_FALSE(link->input(bytes));
    EXPECT_FALSE(link->output(QByteArray(1, '\0')));
    link->close();
    EXPECT_FALSE(link->isOpen());
}
