#pragma once
// The serial link to the meter over QSerialPort.
#include <QSerialPort>

#include "platform/core/Clock.h"
#include "platform/core/SerialLink.h"

namespace platform {

class QSerialPortLink : public SerialLink {
public:
    QSerialPortLink();

    bool setCommPort(int port) override;
    bool open() override;
    void close() override;
    bool isOpen() const override;
    bool setDtr(bool on) override;
    int inBufferCount() override;
    bool input(QByteArray& bytes) override;
    bool discardInput() override;
    bool output(const QByteArray& bytes) override;
    qint64 clockMs() const override { return steadyMs(); }
    qint64 lastArrivalMs() const override { return lastArrivalMs_; }

private:
    bool configureLine();
    void pullArrivedBytes();
    bool failed() const;

    QSerialPort port_;
    int commPort_ = 1;
    qint64 lastArrivalMs_ = 0;
};

}  // namespace platform
