#include "platform/core/QSerialPortLink.h"

#include "platform/core/Clock.h"
#include "platform/core/SerialDevicePath.h"

namespace platform {

namespace {
// A command is 1 or 3 bytes; at 9600 baud it leaves within a few ms.
constexpr int kWriteTimeoutMs = 200;
}  // namespace

// The port reads the device whenever the event loop finds bytes there, and
// at each poll; either way it tells when they came.
QSerialPortLink::QSerialPortLink() {
    QObject::connect(&port_, &QSerialPort::readyRead, &port_,
                     [this] { lastArrivalMs_ = clockMs(); });
}

bool QSerialPortLink::setCommPort(int port) {
    if (!isValidCommPort(port))
        return false;
    commPort_ = port;
    return true;
}

bool QSerialPortLink::open() {
    if (port_.isOpen())
        return true;
    port_.setPortName(serialDevicePath(commPort_));
    if (!port_.open(QIODevice::ReadWrite))
        return false;
    if (configureLine())
        return true;
    port_.close();
    return false;
}

bool QSerialPortLink::configureLine() {
    return port_.setBaudRate(QSerialPort::Baud9600) &&
           port_.setDataBits(QSerialPort::Data8) &&
           port_.setParity(QSerialPort::NoParity) &&
           port_.setStopBits(QSerialPort::TwoStop) &&
           port_.setFlowControl(QSerialPort::NoFlowControl);
}

void QSerialPortLink::close() {
    if (port_.isOpen())
        port_.close();
    port_.clearError();
}

bool QSerialPortLink::isOpen() const {
    return port_.isOpen();
}

bool QSerialPortLink::setDtr(bool on) {
    if (!port_.isOpen())
        return false;
    if (port_.setDataTerminalReady(on))
        return true;
    // A pseudo-terminal has no modem lines; the meter emulator lives on one.
    const bool noModemLines =
        port_.error() == QSerialPort::UnsupportedOperationError;
    port_.clearError();
    return noModemLines;
}

int QSerialPortLink::inBufferCount() {
    if (!port_.isOpen())
        return -1;
    pullArrivedBytes();
    if (failed())
        return -1;
    return static_cast<int>(port_.bytesAvailable());
}

bool QSerialPortLink::input(QByteArray& bytes) {
    bytes.clear();
    if (!port_.isOpen())
        return false;
    pullArrivedBytes();
    if (failed())
        return false;
    bytes = port_.read(kMostInputBytes);
    return true;
}

bool QSerialPortLink::discardInput() {
    if (!port_.isOpen())
        return false;
    port_.clear(QSerialPort::Input);
    return !failed();
}

bool QSerialPortLink::output(const QByteArray& bytes) {
    if (!port_.isOpen())
        return false;
    if (port_.write(bytes) != bytes.size())
        return false;
    // Without a running event loop the bytes would stay in Qt's buffer.
    while (port_.bytesToWrite() > 0) {
        if (!port_.waitForBytesWritten(kWriteTimeoutMs))
            return false;
    }
    return !failed();
}

// The caller polls from a timer or a plain loop, so bytes that reached the
// device must be fetched here rather than by the event loop.
void QSerialPortLink::pullArrivedBytes() {
    while (port_.bytesAvailable() < kMostInputBytes && port_.waitForReadyRead(0)) {
    }
    if (port_.error() == QSerialPort::TimeoutError)
        port_.clearError();
}

bool QSerialPortLink::failed() const {
    const auto e = port_.error();
    return e != QSerialPort::NoError && e != QSerialPort::TimeoutError;
}

std::unique_ptr<SerialLink> createSerialLink() {
    return std::make_unique<QSerialPortLink>();
}

}  // namespace platform
