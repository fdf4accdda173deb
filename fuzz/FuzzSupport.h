#pragma once
// What the fuzz targets share: a private data folder for the run, the input
// written as a file into it, and a check that stops the run loudly so the
// fuzzer keeps the input that broke a rule.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

// Points XDG_DATA_HOME at a temporary folder, once per run.
inline void useTemporaryDataFolder() {
    static QTemporaryDir dir;
    static const bool set = qputenv("XDG_DATA_HOME", dir.path().toLocal8Bit());
    if (!dir.isValid() || !set)
        std::abort();
}

inline void writeInput(const QString& path, const uint8_t* data, size_t size) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) !=
            static_cast<qint64>(size))
        std::abort();
}

inline void check(bool holds, const char* rule) {
    if (holds)
        return;
    std::fprintf(stderr, "broken: %s\n", rule);
    std::abort();
}

}  // namespace fuzz
