#include "MeterModel.h"

#include <utility>

namespace emulator {

namespace {
constexpr char kWake = '\x00';
constexpr char kLinkTest = '\x55';
constexpr char kHello = '\xBA';
constexpr char kCount = '\xAE';
constexpr char kGlucose = '\xAC';
constexpr char kTime = '\xAD';
constexpr char kSleep = '\xB5';
constexpr char kFixedMiddle = '\xA5';
constexpr char kCommandEnd = '\xA9';
constexpr int kMostRecords = 255;  // the count is one byte

const QByteArray kOnLine("\xAA\x5A\xAA", 3);
const QByteArray kLinkReply("\x54\xF1", 2);

bool startsLongCommand(char byte) {
    return byte == kHello || byte == kCount || byte == kGlucose ||
           byte == kTime || byte == kSleep;
}

bool isWellFormed(const QByteArray& command) {
    const char first = command[0];
    const bool indexed = first == kGlucose || first == kTime;
    return command[2] == kCommandEnd && (indexed || command[1] == kFixedMiddle);
}

int indexOf(const QByteArray& command) {
    return static_cast<unsigned char>(command[1]);
}
}  // namespace

MeterModel::MeterModel(std::vector<Reading> readings, MeterFaults faults)
    : readings_(std::move(readings)), faults_(faults) {
    if (readings_.size() > kMostRecords)
        readings_.resize(kMostRecords);
}

std::vector<QByteArray> MeterModel::receive(const QByteArray& bytes, std::vector<bool>* isCopy) {
    std::vector<QByteArray> replies;
    copyFlags_.clear();
    for (char byte : bytes)
        take(byte, replies);
    if (isCopy)
        *isCopy = copyFlags_;
    return replies;
}

void MeterModel::take(char byte, std::vector<QByteArray>& replies) {
    if (!pending_.isEmpty()) {
        pending_.append(byte);
        if (pending_.size() == 3)
            takeLongCommand(replies);
    } else if (byte == kWake || byte == kLinkTest) {
        answer(QByteArray(1, byte), replies);
    } else if (startsLongCommand(byte)) {
        pending_.append(byte);
    }
}

void MeterModel::takeLongCommand(std::vector<QByteArray>& replies) {
    const QByteArray command = std::exchange(pending_, QByteArray());
    if (isWellFormed(command)) {
        answer(command, replies);
        return;
    }
    // A lost byte must not swallow the next command: look again from the
    // second byte on.
    take(command[1], replies);
    take(command[2], replies);
}

void MeterModel::answer(const QByteArray& command, std::vector<QByteArray>& replies) {
    answerAgain_ = false;
    const QByteArray reply = replyTo(command);
    if (reply.isEmpty() || faults_.neverAnswer)
        return;
    replies.push_back(faults_.doubleReplies ? reply + reply : reply);
    copyFlags_.push_back(false);
    if (answerAgain_) {
        replies.push_back(replies.back());
        copyFlags_.push_back(true);
    }
}

QByteArray MeterModel::replyTo(const QByteArray& command) {
    switch (command[0]) {
    case kWake:
        return wakeReply();
    case kLinkTest:
        return kLinkReply;
    case kHello:
        return kOnLine;
    case kCount:
        if (faults_.noCountAnswer)
            return QByteArray();
        return QByteArray(1, static_cast<char>(readings_.size())) + kOnLine.mid(1);
    case kGlucose:
        return glucoseReply(indexOf(command));
    case kTime:
        return timeReply(indexOf(command));
    case kSleep:
        ++sleepCommands_;
        return kOnLine;
    }
    return QByteArray();
}

QByteArray MeterModel::wakeReply() {
    ++wakeTries_;
    return wakeTries_ >= faults_.wakeAfter ? QByteArray(1, kWake) : QByteArray();
}

QByteArray MeterModel::glucoseReply(int index) {
    const Reading* r = reading(index);
    if (!r)
        return QByteArray();
    if (index == faults_.skipRecord && !recordSkipped_) {
        recordSkipped_ = true;
        return QByteArray();
    }
    if (index == faults_.answerTwice && !answeredTwice_)
        answeredTwice_ = answerAgain_ = true;
    return glucoseRecord(*r);
}

QByteArray MeterModel::timeReply(int index) {
    const Reading* r = reading(index);
    return r ? timeRecord(*r) : QByteArray();
}

// Record indices count from 1; the meter has nothing to say about others.
const Reading* MeterModel::reading(int index) const {
    if (index < 1 || index > static_cast<int>(readings_.size()))
        return nullptr;
    return &readings_[static_cast<size_t>(index - 1)];
}

}  // namespace emulator
