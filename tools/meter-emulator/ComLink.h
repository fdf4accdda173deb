#pragma once
// The data folder's "COM<n>" entry, a symbolic link to the device the host
// should open for port n. Created over any existing entry; removed again
// only while it still points where this object set it, so that a newer
// emulator's link survives an older one's exit.
#include <QString>

namespace emulator {

class ComLink {
public:
    ComLink() = default;
    ComLink(const ComLink&) = delete;
    ComLink& operator=(const ComLink&) = delete;
    ~ComLink() { remove(); }

    bool create(const QString& folder, int port, const QString& target, QString& error);
    void remove();

private:
    QString path_;
    QString target_;
};

}  // namespace emulator
