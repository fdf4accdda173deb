#include "meter/DownloadSequence.h"

#include <algorithm>

using protocol::Reply;

namespace {
// Beyond the slowest reply: the polls' rhythm, jitter and the reply's bytes.
constexpr int kTrustMarginMs = 60;

bool isComPort(int port) {
    return port >= 1 && port <= 5;
}
}  // namespace

DownloadSequence::DownloadSequence(DownloadHost& host, platform::SerialLink* link)
    : host_(host), link_(link) {}

void DownloadSequence::enter(DownloadStep step) {
    step_ = step;
    DownloadState = downloadStateOf(step);
}

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

// Every command goes out here, so that each one is owed its reply.
bool DownloadSequence::send(const QByteArray& command) {
    if (!link_->output(command))
        return false;
    owed_.sent(command);
    return true;
}

void DownloadSequence::CommandMR_Click() {
    // A download under way must not go on beside the new one.
    stopAllTimers();
    // A device that went away since the last download is opened afresh.
    if (link_->isOpen() && link_->inBufferCount() < 0)
        link_->close();
    if (!link_->isOpen() && !reopenPort())
        return;
    if (!link_->setDtr(true)) {
        link_->close();
        host_.portOpenFailed();
        return;
    }
    enter(DownloadStep::Waking);
    WakeTicks = 0;
    LinkTicks = 0;
    HelloTicks = 0;
    linkUpMs_ = 0;
    queuedMeter_ = false;
    pending_.clear();
    owed_.forgive();
    // Whatever a device sent before now answers nothing of this download.
    replies_.discard(*link_);
    send(protocol::wakeByte());
    setTimer(DownloadTimer::TimerRt, true);
    setTimer(DownloadTimer::TimerOP, true);
}

bool DownloadSequence::awaitingRecord(int index) {
    return index >= 1 && index <= host_.batch().NewCount;
}

// Replies carry no index: a request goes out only once the one before it
// is answered, nothing else is waiting and nothing followed the answer for
// longer than any reply took, so that each reply is taken for the index it
// answers. The poll repeats a request that gets no reply.
bool DownloadSequence::readyForNextRequest() {
    return !pending_.busy() && replies_.kept() == 0 && link_->inBufferCount() == 0 &&
           pending_.quietSinceReply(link_->clockMs(), link_->lastArrivalMs());
}

bool DownloadSequence::ask(const QByteArray& command) {
    pending_.sent(command, link_->clockMs());
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
    enter(DownloadStep::Time);
    setTimer(DownloadTimer::Timer4, true);
    requestTime();
}

// As the glucose pass: the tick that finds the last time record in sends
// the sleep command itself.
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

// Run by the time pass's last tick; the window's TimerSleep stays off. The
// records are saved once the meter acknowledges the sleep command: with
// every command answered, no reply can still be on its way to be taken for
// one of them.
void DownloadSequence::TimerSleep_Timer() {
    ++SleepTicks;
    if (SleepTicks == 1)
        setTimer(DownloadTimer::TimerSleep, false);
    if (!askToSleep())
        failDownload(linkError());
}

bool DownloadSequence::askToSleep() {
    pending_.sent(protocol::sleepCommand(), link_->clockMs());
    return Sleep();
}

// Every command of the download has been answered and nothing followed:
// only now are the records kept, and only a download that was kept (or had
// nothing to keep) is called complete.
void DownloadSequence::finishDownload() {
    enter(DownloadStep::Done);
    const int count = host_.batch().NewCount;
    const SaveOutcome outcome = count == 0 ? SaveOutcome::Saved : host_.saveDownload();
    if (outcome == SaveOutcome::Saved)
        host_.showStatus(QStringLiteral("Complete! Receive ( %1 ) Data from Meter !!").arg(count));
    else
        host_.showMessage(saveOutcomeMessage(outcome));
}

bool DownloadSequence::GetData() {
    return send(protocol::countRequest());
}

bool DownloadSequence::Sleep() {
    enter(DownloadStep::Sleeping);
    return send(protocol::sleepCommand());
}

protocol::PollContext DownloadSequence::pollContext() {
    return {DownloadState, GlucoseIndex, TimeIndex, host_.batch().NewCount,
            pending_.unanswered()};
}

void DownloadSequence::TimerRt_Timer() {
    if (hasEnded(step_)) {
        drainAfterTheEnd();
        return;
    }
    if (linkUpOverdue()) {
        giveUpLinkUp();
        return;
    }
    const WholeReplies::Poll got = replies_.poll(*link_, awaitedShapes(), kPollMs);
    RxBytes = replies_.taken();
    switch (got) {
    case WholeReplies::Poll::Held:
        return;  // the rest is on its way: no request is repeated meanwhile
    case WholeReplies::Poll::LinkFailed:
        failDownload(linkError());
        return;
    case WholeReplies::Poll::TooMany:
        failDownload(QStringLiteral("Data Receiving Error! Got %1 byte--it's %2")
                         .arg(RxBytes.size())
                         .arg(protocol::dumpText(RxBytes)));
        return;
    case WholeReplies::Poll::Reply:
        if (!takeReply())
            return;
        break;
    case WholeReplies::Poll::Nothing:
        break;
    }
    awaitReply();
}

// The step's own replies, and those the meter still owes for earlier
// commands, which are as long as ever on the line.
std::vector<protocol::ReplyShape> DownloadSequence::awaitedShapes() const {
    std::vector<protocol::ReplyShape> shapes = shapesAwaited(step_);
    for (const QByteArray& reply : owed_.knownOwed())
        shapes.push_back(protocol::exactly(reply));
    return shapes;
}

// Once a download has ended, what the link brings or does (a meter that
// goes away, its last bytes) is no news to the user. A link that failed is
// closed, so that the next "Start Reading" opens it afresh.
void DownloadSequence::drainAfterTheEnd() {
    if (replies_.poll(*link_, {}, kPollMs) != WholeReplies::Poll::LinkFailed)
        return;
    setTimer(DownloadTimer::TimerRt, false);
    link_->close();
}

// False when the reply ended the download.
bool DownloadSequence::takeReply() {
    const Reply reply = protocol::classify(RxBytes, pollContext());
    switch (judge(reply)) {
    case Verdict::Answer:
        if (actOn(reply))
            return true;
        break;
    case Verdict::Late:
        // The meter is still answering earlier commands: the next command
        // waits until it is done.
        awaitQueuedReplies();
        return true;
    case Verdict::Stray:
        return true;
    case Verdict::OutOfStep:
        break;
    }
    failDownload(linkError());
    return false;
}

// Whether the bytes answer what the step asked, are a reply the meter still
// owes for an earlier command, or neither.
DownloadSequence::Verdict DownloadSequence::judge(Reply reply) {
    if (answersStep(step_, reply) && isCalendarAnswer(reply))
        return Verdict::Answer;
    if (owed_.takeLate(RxBytes))
        return Verdict::Late;
    return isStrict(step_) ? Verdict::OutOfStep : Verdict::Stray;
}

bool DownloadSequence::isCalendarAnswer(Reply reply) const {
    if (reply == Reply::GlucoseRecord)
        return protocol::isCalendarRecord(protocol::decodeGlucoseRecord(RxBytes));
    if (reply == Reply::TimeRecord)
        return protocol::isCalendarRecord(protocol::decodeTimeRecord(RxBytes));
    return true;
}

void DownloadSequence::awaitQueuedReplies() {
    queuedMeter_ = true;
    pending_.waitForQuiet(quietMs());
}

int DownloadSequence::quietMs() const {
    return step_ == DownloadStep::Trusting ? pending_.slowestReplyMs() + kTrustMarginMs
                                           : PendingRequest::kQuietAfterRepeatMs;
}

// A poll without the awaited reply. The repeat goes out on a clean line, so
// that a reply split by the wait is not glued to the next one.
void DownloadSequence::awaitReply() {
    const bool wasSettling = pending_.settling();
    switch (pending_.waited(kPollMs)) {
    case PendingRequest::Step::Wait:
        if (!wasSettling || pending_.busy())
            return;
        // Quiet at last: whatever the meter still owed was lost on the way.
        owed_.forgive();
        if (onQuietLine())
            return;
        break;
    case PendingRequest::Step::Repeat:
        if (replies_.discard(*link_) && send(pending_.command()))
            return;
        break;
    case PendingRequest::Step::GiveUp:
        break;
    }
    failDownload(linkError());
}

// False when a command could not be written to the link.
bool DownloadSequence::actOn(Reply reply) {
    switch (reply) {
    case Reply::Wake:
        return onWake();
    case Reply::Link:
        noteAnswerTo(protocol::linkTestByte());
        host_.showStatus(QStringLiteral("Linking..."));
        return startPhase(DownloadStep::Hello);
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
    default:
        return true;
    }
}

// The bytes just taken answer `command`: a later reply to it must be the same.
void DownloadSequence::noteAnswerTo(const QByteArray& command) {
    owed_.answered(command, RxBytes);
    if (pending_.unanswered() && pending_.command() == command)
        pending_.answered(link_->lastArrivalMs());
}

// What waited for a quiet line goes on with the poll that finds it so: the
// count request held back, or the save after the sleep acknowledgement.
bool DownloadSequence::onQuietLine() {
    if (step_ == DownloadStep::Trusting) {
        finishDownload();
        return true;
    }
    return step_ != DownloadStep::OnLine || askForCount();
}

bool DownloadSequence::askForCount() {
    enter(DownloadStep::Counting);
    pending_.sent(protocol::countRequest(), link_->clockMs());
    return GetData();
}

bool DownloadSequence::onCount() {
    noteAnswerTo(protocol::countRequest());
    MeterBatch& batch = host_.batch();
    const int count = protocol::countOf(RxBytes);
    batch.NewCount = count;
    // The time pass fills these; none may survive from an earlier download.
    std::fill(batch.NewDay.begin(), batch.NewDay.end(), 0);
    std::fill(batch.NewHour.begin(), batch.NewHour.end(), 0);
    std::fill(batch.NewMinute.begin(), batch.NewMinute.end(), 0);
    if (count == 0) {
        if (!askToSleep())
            return false;
        host_.showStatus(QStringLiteral("There is no new data in meter !!"));
        return true;
    }
    enter(DownloadStep::Glucose);
    host_.showStatus(QStringLiteral(" ( %1 ) Data in Meter !!").arg(count));
    host_.setProgressMaximum(2 * count);
    setTimer(DownloadTimer::Timer3, true);
    GlucoseIndex = 1;
    return true;
}

// The acknowledgement's bytes are also those of a time record (day 11,
// 10:42), which a meter one reply out of step gives in its place. So it is
// trusted only once nothing has followed it for longer than the slowest
// reply of this download: the real acknowledgement would have come by then.
void DownloadSequence::onSleepAck() {
    noteAnswerTo(protocol::sleepCommand());
    enter(DownloadStep::Trusting);
    pending_.waitForQuiet(quietMs());
}

void DownloadSequence::onGlucoseRecord() {
    MeterBatch& batch = host_.batch();
    noteAnswerTo(protocol::glucoseRequest(GlucoseIndex));
    const protocol::GlucoseFields f = protocol::decodeGlucoseRecord(RxBytes);
    batch.NewMonth[GlucoseIndex] = static_cast<qint16>(f.month);
    batch.NewGlucose[GlucoseIndex] = static_cast<qint16>(f.glucose);
    batch.NewEvent[GlucoseIndex] = f.mealFlag;
    GlucoseIndex = GlucoseIndex < batch.NewCount ? GlucoseIndex + 1 : 0;
}

void DownloadSequence::onTimeRecord() {
    MeterBatch& batch = host_.batch();
    noteAnswerTo(protocol::timeRequest(TimeIndex));
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
    enter(DownloadStep::Stopped);
    stopAllTimers();
    link_->close();
    host_.showMessage(message);
    host_.setProgressValue(0);
}
