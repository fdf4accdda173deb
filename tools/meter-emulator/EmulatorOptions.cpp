#include "EmulatorOptions.h"

#include <QCommandLineParser>
#include <QRegularExpression>

#include "ReadingsSource.h"

namespace emulator {

namespace {
const char* const kDescription =
    "Emulates a blood-glucose meter on a pseudo-terminal linked as COM<N> in\n"
    "DIR, answering the download commands until the sleep command comes.\n"
    "Prints \"ready <slave path>\" once the link exists.\n"
    "Exit status: 0 after the sleep command (with --keep-running: when stopped\n"
    "or timed out after one), 1 for a bad command line or readings file, 2 when\n"
    "no sleep command came in time, 3 when stopped by SIGTERM or SIGINT before\n"
    "one. The COM<N> link is removed on every exit.";

void addOptions(QCommandLineParser& p) {
    p.setApplicationDescription(QString::fromLatin1(kDescription));
    p.addOptions({
        {"help", "Show this help."},
        {"data-folder", "Folder for the COM<N> link (required).", "DIR"},
        {"port", "Port number N, 1 to 5 (default 1).", "N", "1"},
        {"readings", "One reading per line: month,day,hour,minute,glucose,flag "
                     "(flag 0 before a meal, 1 after); line 1 is record 1, the newest.",
         "FILE"},
        {"count", "Generate N distinct readings, 0 to 255 (default 12).", "N"},
        {"never-answer", "Answer nothing (the sleep command still ends the run)."},
        {"wake-after", "Answer the wake byte only from its K-th try on.", "K", "1"},
        {"split-replies", "Write each reply of 2 or more bytes in two parts, ~30 ms apart."},
        {"byte-gap", "Write each reply's bytes MS milliseconds apart, a decimal from 0 to "
                     "1000 (1.15 is a 9600-baud line), also for copies and on a queued meter.",
         "MS"},
        {"double-replies", "Send every reply twice in one write."},
        {"no-count-answer", "Do not answer the count request."},
        {"skip-record", "Leave the first glucose record request for index I "
                        "unanswered; repeated requests are answered.",
         "I"},
        {"answer-twice", "Answer the first glucose record request for index I twice, "
                         "the copy 30 ms after the reply (with --queued-delay: in a turn "
                         "of its own).",
         "I"},
        {"copy-gap", "With --answer-twice, write the copy MS milliseconds after the reply, "
                     "0 to 10000; with --queued-delay too, the copy then takes no turn of "
                     "the queue.",
         "MS"},
        {"reply-delay", "Write each reply MS milliseconds after its command came, "
                        "however many are under way (default 0).",
         "MS", "0"},
        {"queued-delay", "Handle one command at a time, MS milliseconds each, and answer "
                         "every command in the order it came: each reply MS milliseconds "
                         "after its command came or after the reply before it, whichever "
                         "is later (a slow meter that builds a queue).",
         "MS"},
        {"stray-every", "Write a stray byte every MS milliseconds, 1 to 60000, from the "
                        "start on, between replies, to a host that has the line open "
                        "(a noisy line).",
         "MS"},
        {"stray-byte", "The stray byte of --stray-every, in hexadecimal (default 00).", "HEX"},
        {"keep-running", "After the sleep command go on answering commands "
                         "until SIGTERM or the time limit."},
        {"timeout", "Give up after SECONDS (default 60; 0: no limit).", "SECONDS", "60"},
    });
}

bool readInt(const QCommandLineParser& p, const QString& name, int lowest, int highest,
             int& value, QString& error) {
    if (!p.isSet(name))
        return true;
    bool ok = false;
    const int v = p.value(name).toInt(&ok);
    if (!ok || v < lowest || v > highest) {
        error = QStringLiteral("--%1 wants a number from %2 to %3").arg(name).arg(lowest).arg(highest);
        return false;
    }
    value = v;
    return true;
}

bool readNumbers(const QCommandLineParser& p, EmulatorOptions& o, QString& error) {
    return readInt(p, "port", 1, 5, o.port, error) &&
           readInt(p, "count", 0, kMaxReadings, o.generatedCount, error) &&
           readInt(p, "wake-after", 1, 1000000, o.faults.wakeAfter, error) &&
           readInt(p, "skip-record", 1, kMaxReadings, o.faults.skipRecord, error) &&
           readInt(p, "answer-twice", 1, kMaxReadings, o.faults.answerTwice, error) &&
           readInt(p, "reply-delay", 0, 10000, o.replyDelayMs, error) &&
           readInt(p, "queued-delay", 1, 10000, o.queuedDelayMs, error) &&
           readInt(p, "stray-every", 1, 60000, o.strayEveryMs, error) &&
           readInt(p, "timeout", 0, 1000000, o.timeoutSeconds, error);
}

bool readByteGap(const QCommandLineParser& p, EmulatorOptions& o, QString& error) {
    if (!p.isSet("byte-gap"))
        return true;
    bool ok = false;
    const double ms = p.value("byte-gap").toDouble(&ok);
    if (!ok || ms < 0 || ms > 1000) {
        error = QStringLiteral("--byte-gap wants milliseconds from 0 to 1000");
        return false;
    }
    o.byteGapUs = static_cast<int>(ms * 1000 + 0.5);
    return true;
}

bool readCopyGap(const QCommandLineParser& p, EmulatorOptions& o, QString& error) {
    int gapMs = 0;
    if (!readInt(p, "copy-gap", 0, 10000, gapMs, error))
        return false;
    if (p.isSet("copy-gap"))
        o.copyGapMs = gapMs;
    return true;
}

bool readStrayByte(const QCommandLineParser& p, EmulatorOptions& o, QString& error) {
    if (!p.isSet("stray-byte"))
        return true;
    static const QRegularExpression hexByte(QStringLiteral("^[0-9A-Fa-f]{1,2}$"));
    if (!hexByte.match(p.value("stray-byte")).hasMatch()) {
        error = QStringLiteral("--stray-byte wants one byte in hexadecimal, 00 to FF");
        return false;
    }
    o.strayByte = static_cast<char>(p.value("stray-byte").toUInt(nullptr, 16));
    return true;
}

// Options that exclude each other, or that mean nothing without another.
bool checkCombinations(const QCommandLineParser& p, QString& error) {
    const struct {
        const char* option;
        const char* other;
        bool needsOther;  // false: excludes it
    } rules[] = {
        {"readings", "count", false},
        {"reply-delay", "queued-delay", false},
        {"copy-gap", "answer-twice", true},
        {"stray-byte", "stray-every", true},
        {"byte-gap", "split-replies", false},
    };
    for (const auto& r : rules) {
        if (p.isSet(r.option) && p.isSet(r.other) != r.needsOther) {
            const char* text = r.needsOther ? "--%1 needs --%2" : "give either --%1 or --%2";
            error = QString::fromLatin1(text).arg(QLatin1String(r.option), QLatin1String(r.other));
            return false;
        }
    }
    return true;
}

void readSwitches(const QCommandLineParser& p, EmulatorOptions& o) {
    o.faults.neverAnswer = p.isSet("never-answer");
    o.faults.doubleReplies = p.isSet("double-replies");
    o.faults.noCountAnswer = p.isSet("no-count-answer");
    o.splitReplies = p.isSet("split-replies");
    o.keepRunning = p.isSet("keep-running");
}
}  // namespace

bool parseOptions(const QStringList& args, EmulatorOptions& options, QString& error) {
    QCommandLineParser p;
    addOptions(p);
    if (!p.parse(args)) {
        error = p.errorText();
        return false;
    }
    options.helpWanted = p.isSet("help");
    if (options.helpWanted)
        return true;
    if (!p.positionalArguments().isEmpty()) {
        error = QStringLiteral("unexpected argument %1").arg(p.positionalArguments().first());
        return false;
    }
    options.dataFolder = p.value("data-folder");
    options.readingsFile = p.value("readings");
    if (options.dataFolder.isEmpty()) {
        error = QStringLiteral("--data-folder is required");
        return false;
    }
    if (!checkCombinations(p, error))
        return false;
    readSwitches(p, options);
    return readNumbers(p, options, error) && readCopyGap(p, options, error) &&
           readByteGap(p, options, error) && readStrayByte(p, options, error);
}

QString helpText() {
    QCommandLineParser p;
    addOptions(p);
    return p.helpText().replace(QStringLiteral("[options]"),
                                QStringLiteral("--data-folder DIR [options]"));
}

}  // namespace emulator
