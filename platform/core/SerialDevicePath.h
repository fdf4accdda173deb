#pragma once
// Which device a COM port number stands for. The user picks COM1 to COM5;
// a link named "COM<n>" in the data folder (for example to a USB adapter or
// to an emulator's pseudo-terminal) takes precedence over the classic
// /dev/ttyS<n-1>.
#include <QString>

namespace platform {

constexpr int kFirstCommPort = 1;
constexpr int kLastCommPort = 5;

bool isValidCommPort(int port);

// The device path for COM<port>, with a data folder link resolved to its
// target; an empty string for a port outside COM1 to COM5.
QString serialDevicePath(int port);

}  // namespace platform
