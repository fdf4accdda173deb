#pragma once
// The byte protocol with the meter: the commands the host writes, the
// recognition of one poll's bytes as a reply, and the two record formats.
// Replies carry no length, index or checksum, so a reply is known only by
// its byte count, its values and where the download stands.
#include <QByteArray>
#include <QString>

namespace protocol {

QByteArray wakeByte();                  // 00
QByteArray linkTestByte();              // 55
QByteArray helloCommand();              // BA A5 A9
QByteArray countRequest();              // AE A5 A9
QByteArray glucoseRequest(int index);   // AC i A9
QByteArray timeRequest(int index);      // AD i A9
QByteArray sleepCommand();              // B5 A5 A9

QByteArray wakeReply();                 // 00
QByteArray linkReply();                 // 54 F1
QByteArray helloReply();                // AA 5A AA, also the sleep acknowledgement

enum class Reply {
    None,  // matches no row: dropped without a trace
    Wake,
    Link,
    Hello,
    SleepAck,
    Count,
    GlucoseRecord,
    TimeRecord,
    Unasked,       // a count or a record while no request is unanswered
    ReceiveError,  // more than 3 bytes in one poll
};

// What the classification depends on besides the bytes themselves.
struct PollContext {
    int downloadState = 0;
    int glucoseIndex = 0;
    int timeIndex = 0;
    int count = 0;
    bool requestUnanswered = true;
};

// The first matching row wins; the same AA 5A AA is hello, sleep
// acknowledgement, a count of 170 or a record depending on the state.
Reply classify(const QByteArray& bytes, const PollContext& at);

// What a reply looks like before it has come whole: its bytes, some of
// which may hold any value (a count, a record's fields).
struct ReplyShape {
    QByteArray bytes;
    quint8 anyByte = 0;  // bit i set: byte i may hold any value

    // `b` is the reply or, when `proper`, only a beginning shorter than it.
    bool starts(const QByteArray& b, bool proper) const;
    bool matches(const QByteArray& b) const { return b.size() == bytes.size() && starts(b, false); }
};

// The shape of a reply of this kind; empty for None and the errors.
ReplyShape shapeOf(Reply reply);
// The very bytes of a reply already known.
inline ReplyShape exactly(const QByteArray& reply) { return {reply, 0}; }

// The longest reply: more bytes than this in one poll are the receive error.
constexpr int kLongestReply = 3;

// The meter's count in a count reply.
int countOf(const QByteArray& countReply);

struct GlucoseFields {
    int month = 0;
    int mealFlag = 0;  // 0 "C", 1 "PC"
    int glucose = 0;   // whole mg/dL, 0 to 1023
};
struct TimeFields {
    int day = 0;
    int hour = 0;
    int minute = 0;
};

GlucoseFields decodeGlucoseRecord(const QByteArray& record);
TimeFields decodeTimeRecord(const QByteArray& record);

// A record whose fields lie outside the calendar is no reading the meter
// took: bytes that answered something else were taken for it.
bool isCalendarRecord(const GlucoseFields& fields);
bool isCalendarRecord(const TimeFields& fields);

// Every byte as "[" upper-case hex without leading zero "]"; past the first
// 16 only "...", so that a babbling device gives a message box that fits.
constexpr int kMostDumpedBytes = 16;
QString dumpText(const QByteArray& bytes);

}  // namespace protocol
