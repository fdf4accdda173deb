#include "meter/Protocol.h"

namespace protocol {

namespace {
constexpr quint8 kClose = 0xAA;

quint8 at(const QByteArray& bytes, int i) {
    return static_cast<quint8>(bytes.at(i));
}

QByteArray bytesOf(std::initializer_list<quint8> values) {
    QByteArray out;
    for (quint8 v : values)
        out.append(static_cast<char>(v));
    return out;
}

bool isHelloPattern(const QByteArray& b) {
    return at(b, 0) == 0xAA && at(b, 1) == 0x5A && at(b, 2) == kClose;
}

bool inRange(int index, int count) {
    return index >= 1 && index <= count;
}

Reply classifyThreeBytes(const QByteArray& b, const PollContext& p) {
    if (isHelloPattern(b) && p.downloadState == 1)
        return Reply::Hello;
    if (isHelloPattern(b) && p.downloadState == 4)
        return Reply::SleepAck;
    if (at(b, 1) == 0x5A && at(b, 2) == kClose && p.downloadState == 2)
        return p.requestUnanswered ? Reply::Count : Reply::Unasked;
    if (at(b, 2) != kClose || p.downloadState != 3)
        return Reply::None;
    if (!p.requestUnanswered)
        return Reply::Unasked;
    if (inRange(p.glucoseIndex, p.count))
        return Reply::GlucoseRecord;
    if (inRange(p.timeIndex, p.count))
        return Reply::TimeRecord;
    return Reply::None;
}
}  // namespace

QByteArray wakeByte() { return bytesOf({0x00}); }
QByteArray linkTestByte() { return bytesOf({0x55}); }
QByteArray helloCommand() { return bytesOf({0xBA, 0xA5, 0xA9}); }
QByteArray countRequest() { return bytesOf({0xAE, 0xA5, 0xA9}); }
QByteArray sleepCommand() { return bytesOf({0xB5, 0xA5, 0xA9}); }

QByteArray wakeReply() { return bytesOf({0x00}); }
QByteArray linkReply() { return bytesOf({0x54, 0xF1}); }
QByteArray helloReply() { return bytesOf({0xAA, 0x5A, 0xAA}); }

QByteArray glucoseRequest(int index) {
    return bytesOf({0xAC, static_cast<quint8>(index), 0xA9});
}

QByteArray timeRequest(int index) {
    return bytesOf({0xAD, static_cast<quint8>(index), 0xA9});
}

Reply classify(const QByteArray& b, const PollContext& p) {
    switch (b.size()) {
    case 0:
        return Reply::None;
    case 1:
        return at(b, 0) == 0x00 && p.downloadState == 1 ? Reply::Wake : Reply::None;
    case 2:
        return at(b, 0) == 0x54 && at(b, 1) == 0xF1 && p.downloadState == 1 ? Reply::Link
                                                                              : Reply::None;
    case 3:
        return classifyThreeBytes(b, p);
    default:
        return Reply::ReceiveError;
    }
}

bool ReplyShape::starts(const QByteArray& b, bool proper) const {
    if (b.size() > bytes.size() || (proper && b.size() == bytes.size()))
        return false;
    for (int i = 0; i < b.size(); ++i)
        if (!(anyByte & (1u << i)) && b.at(i) != bytes.at(i))
            return false;
    return true;
}

ReplyShape shapeOf(Reply reply) {
    constexpr quint8 kFirst = 1, kFirstTwo = 3;
    switch (reply) {
    case Reply::Wake: return exactly(wakeReply());
    case Reply::Link: return exactly(linkReply());
    case Reply::Hello:
    case Reply::SleepAck: return exactly(helloReply());
    case Reply::Count: return {helloReply(), kFirst};
    case Reply::GlucoseRecord:
    case Reply::TimeRecord: return {helloReply(), kFirstTwo};
    default: return {};
    }
}

int countOf(const QByteArray& countReply) {
    return at(countReply, 0);
}

GlucoseFields decodeGlucoseRecord(const QByteArray& r) {
    GlucoseFields f;
    f.month = at(r, 1) >> 4;
    f.mealFlag = (at(r, 1) >> 2) & 1;
    f.glucose = (at(r, 1) & 3) * 256 + at(r, 0);
    return f;
}

TimeFields decodeTimeRecord(const QByteArray& r) {
    TimeFields f;
    f.day = at(r, 1) >> 3;
    f.hour = (at(r, 1) & 7) * 4 + (at(r, 0) >> 6);
    f.minute = at(r, 0) & 0x3F;
    return f;
}

bool isCalendarRecord(const GlucoseFields& f) {
    return f.month >= 1 && f.month <= 12;
}

bool isCalendarRecord(const TimeFields& f) {
    return f.day >= 1 && f.day <= 31 && f.hour <= 23 && f.minute <= 59;
}

QString dumpText(const QByteArray& bytes) {
    QString out;
    for (char c : bytes.left(kMostDumpedBytes))
        out += QStringLiteral("[%1]").arg(static_cast<quint8>(c), 0, 16).toUpper();
    if (bytes.size() > kMostDumpedBytes)
        out += QStringLiteral("...");
    return out;
}

}  // namespace protocol
