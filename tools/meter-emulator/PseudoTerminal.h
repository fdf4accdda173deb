#pragma once
// The master side of a fresh pseudo-terminal pair, in raw mode and
// non-blocking; the host opens the slave side as its serial device. While
// no host holds the slave side open, the master reports a hang-up.
#include <QString>

namespace emulator {

class PseudoTerminal {
public:
    PseudoTerminal() = default;
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;
    ~PseudoTerminal();

    bool open(QString& error);
    int masterFd() const { return master_; }
    QString slavePath() const { return slavePath_; }

private:
    int master_ = -1;
    QString slavePath_;
};

}  // namespace emulator
