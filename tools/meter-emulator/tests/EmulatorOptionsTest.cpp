#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

#include "EmulatorOptions.h"
#include "ReplySchedule.h"
#include "ReplyWriter.h"

using namespace emulator;

namespace {
bool parse(const QStringList& extra, EmulatorOptions& o, QString& error) {
    return parseOptions(QStringList{"meter-emulator"} + extra, o, error);
}
}  // namespace

TEST(EmulatorOptions, DefaultsNeedOnlyTheDataFolder) {
    EmulatorOptions o;
    QString error;
    ASSERT_TRUE(parse({"--data-folder", "/tmp/x"}, o, error)) << error.toStdString();
    EXPECT_EQ(o.dataFolder, "/tmp/x");
    EXPECT_EQ(o.port, 1);
    EXPECT_TRUE(o.readingsFile.isEmpty());
    EXPECT_EQ(o.generatedCount, 12);
    EXPECT_EQ(o.timeoutSeconds, 60);
    EXPECT_FALSE(o.faults.neverAnswer || o.faults.doubleReplies || o.faults.noCountAnswer);
    EXPECT_FALSE(o.splitReplies || o.keepRunning);
    EXPECT_EQ(o.faults.wakeAfter, 1);
    EXPECT_EQ(o.faults.skipRecord, 0);
    EXPECT_EQ(o.faults.answerTwice, 0);
    EXPECT_EQ(o.replyDelayMs, 0);
    EXPECT_EQ(o.queuedDelayMs, 0);
    EXPECT_FALSE(o.copyGapMs.has_value());
    EXPECT_EQ(o.strayEveryMs, 0);
    EXPECT_EQ(o.strayByte, '\0');
}

TEST(EmulatorOptions, ReadsEveryFaultAndSetting) {
    EmulatorOptions o;
    QString error;
    ASSERT_TRUE(parse({"--data-folder", "d", "--port", "5", "--count", "0", "--never-answer",
                       "--wake-after", "4", "--split-replies", "--double-replies",
                       "--no-count-answer", "--skip-record", "255", "--keep-running",
                       "--timeout", "0", "--answer-twice", "7", "--reply-delay", "250",
                       "--copy-gap", "0"},
                      o, error))
        << error.toStdString();
    EXPECT_EQ(o.port, 5);
    EXPECT_EQ(o.generatedCount, 0);
    EXPECT_TRUE(o.faults.neverAnswer && o.faults.doubleReplies && o.faults.noCountAnswer);
    EXPECT_TRUE(o.splitReplies && o.keepRunning);
    EXPECT_EQ(o.faults.wakeAfter, 4);
    EXPECT_EQ(o.faults.skipRecord, 255);
    EXPECT_EQ(o.timeoutSeconds, 0);
    EXPECT_EQ(o.faults.answerTwice, 7);
    EXPECT_EQ(o.replyDelayMs, 250);
    EXPECT_EQ(o.copyGapMs, 0);
    ASSERT_TRUE(parse({"--data-folder", "d", "--readings", "r.txt", "--queued-delay", "500",
                       "--stray-every", "60000", "--stray-byte", "aA", "--byte-gap", "1.15"},
                      o, error));
    EXPECT_EQ(o.byteGapUs, 1150);
    EXPECT_EQ(o.readingsFile, "r.txt");
    EXPECT_EQ(o.queuedDelayMs, 500);
    EXPECT_EQ(o.strayEveryMs, 60000);
    EXPECT_EQ(o.strayByte, '\xAA');
}

TEST(EmulatorOptions, RefusesBadCommandLines) {
    const QList<QStringList> bad = {
        {},
        {"--port", "1"},
        {"--data-folder", "d", "--port", "0"},
        {"--data-folder", "d", "--port", "6"},
        {"--data-folder", "d", "--count", "256"},
        {"--data-folder", "d", "--count", "-1"},
        {"--data-folder", "d", "--count", "many"},
        {"--data-folder", "d", "--wake-after", "0"},
        {"--data-folder", "d", "--skip-record", "0"},
        {"--data-folder", "d", "--answer-twice", "256"},
        {"--data-folder", "d", "--reply-delay", "-1"},
        {"--data-folder", "d", "--queued-delay", "0"},
        {"--data-folder", "d", "--queued-delay", "10001"},
        {"--data-folder", "d", "--reply-delay", "60", "--queued-delay", "250"},
        {"--data-folder", "d", "--copy-gap", "30"},
        {"--data-folder", "d", "--answer-twice", "1", "--copy-gap", "-1"},
        {"--data-folder", "d", "--answer-twice", "1", "--copy-gap", "10001"},
        {"--data-folder", "d", "--stray-every", "0"},
        {"--data-folder", "d", "--stray-every", "60001"},
        {"--data-folder", "d", "--stray-byte", "55"},
        {"--data-folder", "d", "--stray-every", "50", "--stray-byte", "100"},
        {"--data-folder", "d", "--stray-every", "50", "--stray-byte", "0x5"},
        {"--data-folder", "d", "--readings", "r", "--count", "3"},
        {"--data-folder", "d", "--byte-gap", "-0.5"},
        {"--data-folder", "d", "--byte-gap", "1000.5"},
        {"--data-folder", "d", "--byte-gap", "1", "--split-replies"},
        {"--data-folder", "d", "--no-such-option"},
        {"--data-folder", "d", "stray"},
    };
    for (const QStringList& args : bad) {
        EmulatorOptions o;
        QString error;
        EXPECT_FALSE(parse(args, o, error)) << args.join(' ').toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(EmulatorOptions, HelpListsEveryOption) {
    EmulatorOptions o;
    QString error;
    ASSERT_TRUE(parse({"--help"}, o, error));
    EXPECT_TRUE(o.helpWanted);
    const QString help = helpText();
    for (const char* name : {"--data-folder", "--port", "--readings", "--count", "--never-answer",
                             "--wake-after", "--split-replies", "--double-replies",
                             "--no-count-answer", "--skip-record", "--keep-running", "--timeout",
                             "--answer-twice", "--reply-delay", "--queued-delay", "--copy-gap",
                             "--stray-every", "--stray-byte", "--byte-gap"})
        EXPECT_TRUE(help.contains(name)) << name;
}

// Worked examples of reads of the host's bytes, each with its time, the
// number of replies it asks for and which of them (from 1) is a copy, and the
// due time of every reply.
TEST(EmulatorReplySchedule, SideBySideOrQueued) {
    struct Read {
        qint64 atMs;
        size_t replies;
        size_t copyAt = 0;
    };
    const struct {
        const char* name;
        int replyDelayMs, queuedDelayMs;
        std::vector<Read> reads;
        std::vector<qint64> due;
        std::optional<int> copyGapMs = {};
    } cases[] = {
        {"at once", 0, 0, {{0, 1}, {50, 1}}, {0, 50}},
        {"two replies to one read", 0, 0, {{10, 2}}, {10, 40}},
        {"side by side", 250, 0, {{0, 1}, {50, 1}, {100, 1}}, {250, 300, 350}},
        {"queued", 0, 250, {{0, 1}, {50, 1}, {100, 1}}, {250, 500, 750}},
        {"queued, the queue ran dry", 0, 250, {{0, 1}, {50, 1}, {900, 1}}, {250, 500, 1150}},
        {"queued, one read of two", 0, 500, {{0, 2}, {100, 1}}, {500, 1000, 1500}},
        {"queued, nothing to answer", 0, 250, {{0, 0}, {50, 1}}, {300}},
        {"queued, a copy in a turn of its own", 0, 250, {{0, 2, 2}, {50, 1}}, {250, 500, 750}},
        {"copy gap", 0, 0, {{0, 3, 2}}, {0, 100, 30}, 100},
        {"side by side, copy gap", 250, 0, {{0, 2, 2}, {50, 1}}, {250, 350, 300}, 100},
        {"queued, copy gap", 0, 250, {{0, 2, 2}, {50, 1}, {100, 1}}, {250, 280, 500, 750}, 30},
        {"queued, copy gap past the next turn", 0, 250, {{0, 2, 2}, {50, 1}}, {250, 650, 500}, 400},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ReplySchedule schedule(c.replyDelayMs, c.queuedDelayMs, c.copyGapMs);
        std::vector<qint64> due;
        for (const Read& r : c.reads) {
            std::vector<bool> isCopy(r.replies, false);
            if (r.copyAt > 0)
                isCopy[r.copyAt - 1] = true;
            for (qint64 t : schedule.dueTimes(r.atMs, isCopy))
                due.push_back(t);
        }
        EXPECT_EQ(due, c.due);
    }
}

TEST(EmulatorReplyWriter, SplitsRepliesOfTwoOrMoreBytes) {
    using Pieces = std::vector<QByteArray>;
    EXPECT_EQ(replyPieces("abc", false), Pieces{"abc"});
    EXPECT_EQ(replyPieces("abc", true), (Pieces{"a", "bc"}));
    EXPECT_EQ(replyPieces("ab", true), (Pieces{"a", "b"}));
    EXPECT_EQ(replyPieces(QByteArray(1, '\0'), true), Pieces{QByteArray(1, '\0')});
}

TEST(EmulatorReplyWriter, SplitPiecesArriveWithAPauseBetween) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    QElapsedTimer clock;
    clock.start();
    std::thread writer([&] { writeReply(fds[1], "abc", true); });
    char buf[8];
    ASSERT_EQ(read(fds[0], buf, sizeof buf), 1);
    const qint64 first = clock.elapsed();
    ASSERT_EQ(read(fds[0], buf, sizeof buf), 2);
    EXPECT_GE(clock.elapsed() - first, 25);  // ~30 ms, less the clock's grain
    writer.join();
    close(fds[0]);
    close(fds[1]);
}

TEST(EmulatorReplyWriter, WithAByteGapEveryByteComesOnItsOwn) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    QElapsedTimer clock;
    clock.start();
    std::thread writer([&] { writeReply(fds[1], "abc", false, 16000); });
    char buf[8];
    for (char expected : {'a', 'b', 'c'}) {
        ASSERT_EQ(read(fds[0], buf, sizeof buf), 1);
        EXPECT_EQ(buf[0], expected);
    }
    EXPECT_GE(clock.elapsed(), 30);  // two gaps of 16 ms, less the clock's grain
    writer.join();
    close(fds[0]);
    close(fds[1]);
}
