#include "meter/DownloadSequence.h"

#include <algorithm>
#include <iterator>

using protocol::Reply;

namespace {
const QString kLinkError = QStringLiteral("Link Error !");
const QString kLinkTesting = QStringLiteral("Link Testing...");
constexpr int kWakeTickLimit = 50;
constexpr int kLinkTickLimit = 10;
constexpr int kHelloTickLimit = 5;
constexpr int kPollMs = timerPeriodMs(DownloadTimer::TimerRt);
// The timers of the waking, link test and hello phases, in that order.
constexpr DownloadTimer kLinkUpTimers[] = {DownloadTimer::TimerOP, DownloadTimer::Timer1,
                                           DownloadTimer::Timer2};

bool isComPort(int port) {
    return port >= 1 && port <= 5;
}
}  // namespace

DownloadSequence::DownloadSequence(DownloadHost& host, platform::SerialLink* link)
    : host_(host), link_(link) {}

bool DownloadSequence::setUpPort() {
    return isComPort(loadedPort_) && link_->setCommPort(loadedPort_) && link_->open() &&
           link_->setDtr(false);
}

bool DownloadSequence::OpenPort() {
    loadedPort_ = host_.comPort();
    return reopenPort();
}

// The settings window may change the user's port while this window stays
// loaded; the download goes on using the port chosen at load.
bool DownloadSequence::reopenPort() {
    if (setUpPort())
        return true;
    link_->close();
    host_.portOpenFailed();
    return false;
}

void DownloadSequence::Stop() {
    stopAllTimers();
    link_->close();
}

void DownloadSequence::stopAllTimers() {
    for (DownloadTimer t : kAllDownloadTimers)
        setTimer(t, false);
}

bool DownloadSequence::send(const QByteArray& command) {
    return link_->output(command);
}

void DownloadSequence::CommandMR_Click() {
    // A download under way must not go on beside the new one.
    stopAllTimers();
    if (!link_->isOpen() && !reopenPort())
        return;
    if (!link_->setDtr(true)) {
        link_->close();
        host_.portOpenFailed();
        return;
    }
    DownloadState = 1;
    WakeTicks = 0;
    LinkTicks = 0;
    HelloTicks = 0;
    hellosSent_ = 0;
    phase_ = Phase::Waking;
    saveFailed_ = false;
    pending_.clear();
    // Whatever a device sent before now answers nothing of this download.
    link_->discardInput();
    send(protocol::wakeByte());
    setTimer(DownloadTimer::TimerRt, true);
    setTimer(DownloadTimer::TimerOP, true);
}

void DownloadSequence::TimerOP_Timer() {
    send(protocol::wakeByte());
    ++WakeTicks;
    showWakeUpProgress();
    if (WakeTicks == kWakeTickLimit) {
        host_.showStatus(QStringLiteral("Meter Wake Up...Failed"));
        setTimer(DownloadTimer::TimerOP, false);
    }
}

void DownloadSequence::showWakeUpProgress() {
    if (WakeTicks >= 10 && WakeTicks <= 40 && WakeTicks % 10 == 0)
        host_.showStatus(QStringLiteral("Meter Wake Up...Waiting(%1s)").arg(WakeTicks / 10));
    if (WakeTicks >= 9 && WakeTicks <= 49 && WakeTicks % 10 == 9)
        host_.showStatus(QString());
}

void DownloadSequence::resumeWakeUp() {
    host_.showStatus(kLinkTesting);
    phase_ = Phase::Waking;
    setTimer(DownloadTimer::TimerOP, true);
}

// The link test and the hello wait while replies to earlier commands keep
// coming; a tick that sends nothing counts for nothing.
void DownloadSequence::Timer1_Timer() {
    if (pending_.settling())
        return;
    ++LinkTicks;
    send(protocol::linkTestByte());
    if (LinkTicks > kLinkTickLimit) {
        setTimer(DownloadTimer::Timer1, false);
        resumeWakeUp();
        LinkTicks = 0;
    }
}

void DownloadSequence::Timer2_Timer() {
    if (pending_.settling())
        return;
    ++HelloTicks;
    ++hellosSent_;
    send(protocol::helloCommand());
    if (HelloTicks > kHelloTickLimit) {
        setTimer(DownloadTimer::Timer2, false);
        resumeWakeUp();
        HelloTicks = 0;
    }
}

bool DownloadSequence::awaitingRecord(int index) {
    return index >= 1 && index <= host_.batch().NewCount;
}

// Replies carry no index: a request goes out only once the one before it
// is answered and nothing else is waiting, so that each reply is taken for
// the index it answers. The poll repeats a request that gets no reply.
bool DownloadSequence::readyForNextRequest() {
    return !pending_.busy() && link_->inBufferCount() == 0;
}

bool DownloadSequence::ask(const QByteArray& command) {
    pending_.sent(command);
    return send(command);
}

void DownloadSequence::requestGlucose() {
    host_.setProgressValue(GlucoseIndex);
    ask(protocol::glucoseRequest(GlucoseIndex));
}

void DownloadSequence::requestTime() {
    ask(protocol::timeRequest(TimeIndex));
    host_.setProgressValue(TimeIndex + host_.batch().NewCount);
}

// The tick that finds the last glucose record in starts the time pass with
// its first request, so no tick goes by idle.
void DownloadSequence::Timer3_Timer() {
    if (!readyForNextRequest())
        return;
    if (awaitingRecord(GlucoseIndex)) {
        requestGlucose();
        return;
    }
    setTimer(DownloadTimer::Timer3, false);
    TimeIndex = 1;
    setTimer(DownloadTimer::Timer4, true);
    requestTime();
}

// As the glucose pass: the tick that finds the last time record in ends the
// download itself, so the save never runs without every record.
void DownloadSequence::Timer4_Timer() {
    if (!readyForNextRequest())
        return;
    if (awaitingRecord(TimeIndex)) {
        requestTime();
        return;
    }
    setTimer(DownloadTimer::Timer4, false);
    SleepTicks = 0;
    TimerSleep_Timer();
}

// Run by the time pass's last tick; the window's TimerSleep stays off.
void DownloadSequence::TimerSleep_Timer() {
    ++SleepTicks;
    Sleep();  // the records are all in: they are saved even if the meter missed it
    if (SleepTicks == 1) {
        setTimer(DownloadTimer::TimerSleep, false);
        saveRecords();
    }
}

void DownloadSequence::saveRecords() {
    const SaveOutcome outcome = host_.saveDownload();
    if (outcome == SaveOutcome::Saved)
        return;
    saveFailed_ = true;
    host_.showMessage(saveOutcomeMessage(outcome));
}

bool DownloadSequence::GetData() {
    return send(protocol::countRequest());
}

bool DownloadSequence::Sleep() {
    DownloadState = 4;
    return send(protocol::sleepCommand());
}

protocol::PollContext DownloadSequence::pollContext() {
    return {DownloadState, GlucoseIndex, TimeIndex, host_.batch().NewCount,
            pending_.unanswered()};
}

void DownloadSequence::TimerRt_Timer() {
    const int waiting = link_->inBufferCount();
    if (waiting < 0) {
        failDownload(kLinkError);
        return;
    }
    if (waiting > 0 && !takeReply())
        return;
    awaitReply();
}

// False when the reply ended the download.
bool DownloadSequence::takeReply() {
    RxBytes.clear();
    if (!link_->input(RxBytes)) {
        failDownload(kLinkError);
        return false;
    }
    const QString dump = protocol::dumpText(RxBytes);
    const Reply reply = protocol::classify(RxBytes, pollContext());
    if (reply == Reply::ReceiveError) {
        failDownload(QStringLiteral("Data Receiving Error! Got %1 byte--it's %2")
                         .arg(RxBytes.size())
                         .arg(dump));
        return false;
    }
    if (isStale(reply)) {
        pending_.waitForQuiet();
        return true;
    }
    if (actOn(reply))
        return true;
    failDownload(kLinkError);
    return false;
}

// A reply to a command of a phase already over, or bytes that answer
// nothing while the line settles: the meter is still working through
// earlier commands, and the next command must wait until it is done.
bool DownloadSequence::isStale(Reply reply) const {
    switch (reply) {
    case Reply::None:
        return pending_.settling();
    case Reply::Wake:
        return phase_ > Phase::Waking;
    case Reply::Link:
        return phase_ > Phase::LinkTest;
    default:
        return false;
    }
}

// A poll without the awaited reply. The repeat goes out on a clean line, so
// that a reply split by the wait is not glued to the next one.
void DownloadSequence::awaitReply() {
    switch (pending_.waited(kPollMs)) {
    case PendingRequest::Step::Wait:
        if (!countRequestDue() || askForCount())
            return;
        break;
    case PendingRequest::Step::Repeat:
        if (link_->discardInput() && send(pending_.command()))
            return;
        break;
    case PendingRequest::Step::GiveUp:
        break;
    }
    failDownload(kLinkError);
}

// False when a command could not be written to the link.
bool DownloadSequence::actOn(Reply reply) {
    switch (reply) {
    case Reply::Wake:
        host_.showStatus(QStringLiteral("Meter Wake Up...Please Wait!"));
        return startPhase(Phase::LinkTest);
    case Reply::Link:
        host_.showStatus(QStringLiteral("Linking..."));
        return startPhase(Phase::Hello);
    case Reply::Hello:
        return onHello();
    case Reply::SleepAck:
        onSleepAck();
        return true;
    case Reply::Count:
        return onCount();
    case Reply::GlucoseRecord:
        onGlucoseRecord();
        return true;
    case Reply::TimeRecord:
        onTimeRecord();
        return true;
    case Reply::Unasked:
        return onUnasked();
    default:
        return true;
    }
}

// Bytes waiting at a change of phase answer no command of the new one: the
// meter is working through a queue, so the line must settle first.
bool DownloadSequence::dropWaitingBytes() {
    const int waiting = link_->inBufferCount();
    if (waiting > 0)
        pending_.waitForQuiet();
    return waiting >= 0 && link_->discardInput();
}

// False when the link failed. The timers of the other phases stop: their
// commands would bring nothing but replies to be dropped.
bool DownloadSequence::startPhase(Phase next) {
    if (!dropWaitingBytes())
        return false;
    phase_ = next;
    for (size_t p = 0; p < std::size(kLinkUpTimers); ++p)
        setTimer(kLinkUpTimers[p], p == static_cast<size_t>(next));
    return true;
}

// A repeated hello may still be answered after this reply, and its reply
// would read as a count of 170: the count request then waits for quiet.
bool DownloadSequence::onHello() {
    host_.showStatus(QStringLiteral("On Line..."));
    DownloadState = 2;
    if (!startPhase(Phase::Counting))
        return false;
    if (hellosSent_ > 1)
        pending_.waitForQuiet();
    return pending_.settling() || askForCount();
}

// The count request held back for a quiet line goes out with the poll
// that finds the line quiet.
bool DownloadSequence::countRequestDue() const {
    return DownloadState == 2 && !pending_.busy();
}

bool DownloadSequence::askForCount() {
    pending_.sent(protocol::countRequest());
    return GetData();
}

// A count or a record nobody asked for: while the line settles it is a
// stale reply and dropped; any other means a reply may already have been
// taken for the wrong index, so nothing of this download can be trusted.
bool DownloadSequence::onUnasked() {
    if (!pending_.settling())
        return false;
    pending_.waitForQuiet();
    return true;
}

void DownloadSequence::onSleepAck() {
    // A download whose records were not kept must not be reported complete.
    if (saveFailed_)
        return;
    host_.showStatus(QStringLiteral("Complete! Receive ( %1 ) Data from Meter !!")
                         .arg(host_.batch().NewCount));
}

bool DownloadSequence::onCount() {
    pending_.answered();
    MeterBatch& batch = host_.batch();
    const int count = protocol::countOf(RxBytes);
    batch.NewCount = count;
    DownloadState = 3;
    // The time pass fills these; none may survive from an earlier download.
    std::fill(batch.NewDay.begin(), batch.NewDay.end(), 0);
    std::fill(batch.NewHour.begin(), batch.NewHour.end(), 0);
    std::fill(batch.NewMinute.begin(), batch.NewMinute.end(), 0);
    if (count == 0) {
        if (!Sleep())
            return false;
        host_.showStatus(QStringLiteral("There is no new data in meter !!"));
        return true;
    }
    host_.showStatus(QStringLiteral(" ( %1 ) Data in Meter !!").arg(count));
    host_.setProgressMaximum(2 * count);
    setTimer(DownloadTimer::Timer3, true);
    GlucoseIndex = 1;
    return true;
}

void DownloadSequence::onGlucoseRecord() {
    MeterBatch& batch = host_.batch();
    pending_.answered();
    const protocol::GlucoseFields f = protocol::decodeGlucoseRecord(RxBytes);
    batch.NewMonth[GlucoseIndex] = static_cast<qint16>(f.month);
    batch.NewGlucose[GlucoseIndex] = static_cast<qint16>(f.glucose);
    batch.NewEvent[GlucoseIndex] = f.mealFlag;
    GlucoseIndex = GlucoseIndex < batch.NewCount ? GlucoseIndex + 1 : 0;
}

void DownloadSequence::onTimeRecord() {
    MeterBatch& batch = host_.batch();
    pending_.answered();
    const protocol::TimeFields f = protocol::decodeTimeRecord(RxBytes);
    batch.NewDay[TimeIndex] = static_cast<qint16>(f.day);
    batch.NewHour[TimeIndex] = static_cast<qint16>(f.hour);
    batch.NewMinute[TimeIndex] = static_cast<qint16>(f.minute);
    TimeIndex = TimeIndex < batch.NewCount ? TimeIndex + 1 : 0;
}

// Both error paths end the download the same way. The sleep command is
// tried once whatever became of the write that caused the error; every
// timer stops so that none of them writes to the port closed here.
void DownloadSequence::failDownload(const QString& message) {
    pending_.clear();
    Sleep();
    stopAllTimers();
    link_->close();
    host_.showMessage(message);
    host_.setProgressValue(0);
}
