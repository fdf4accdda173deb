#pragma once
// Writes the meter's replies to the pseudo-terminal. A split reply goes out
// in two writes with a pause between, long enough for the host's 20 ms
// receive poll to see two short pieces. With a byte gap every byte is a
// write of its own, that long after the one before, as on a real line.
#include <QByteArray>
#include <vector>

namespace emulator {

constexpr int kSplitPauseMs = 30;

// The pieces a reply is written in: itself, or when split and longer than
// one byte, its first half (rounded down) and the rest.
std::vector<QByteArray> replyPieces(const QByteArray& reply, bool split);

// False when the device refuses the bytes.
bool writeReply(int fd, const QByteArray& reply, bool split, int byteGapUs = 0);

}  // namespace emulator
