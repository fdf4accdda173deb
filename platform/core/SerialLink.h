#pragma once
// The serial link to the meter, with only the operations the download uses:
// port number, open and close, DTR, bytes waiting, take all waiting bytes,
// write bytes. Every operation reports failure instead of throwing.
#include <QByteArray>
#include <memory>

namespace platform {

// A device that sends without pause must not make one poll read without end.
constexpr int kMostInputBytes = 4096;

class SerialLink {
public:
    virtual ~SerialLink() = default;

    // Port number 1 to 5 (COM1 to COM5). False for a number the link refuses.
    virtual bool setCommPort(int port) = 0;
    virtual bool open() = 0;  // 9600 baud, 8 data bits, no parity, 2 stop bits
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual bool setDtr(bool on) = 0;  // a device without modem lines: no-op, true
    // Number of received bytes waiting; -1 when the link fails.
    virtual int inBufferCount() = 0;
    // Takes the waiting bytes, at most kMostInputBytes; false when the link fails.
    virtual bool input(QByteArray& bytes) = 0;
    // Drops what is waiting, in the device's buffers too where the link can.
    virtual bool discardInput() {
        QByteArray dropped;
        return input(dropped);
    }
    // Writes one command; false when the link fails or is closed.
    virtual bool output(const QByteArray& bytes) = 0;
    // A steady clock in milliseconds, which times the line.
    virtual qint64 clockMs() const = 0;
    // On that clock, when the newest byte received came off the line; never
    // earlier than it came, so a time measured to it errs on the long side.
    virtual qint64 lastArrivalMs() const = 0;
};

// The real link over QSerialPort: COM n opens the device that the data
// folder's entry "COM<n>" links to when there is one, else /dev/ttyS<n-1>.
std::unique_ptr<SerialLink> createSerialLink();

}  // namespace platform
