#pragma once
// Bytes written as numbers, as the protocol tables give them.
#include <QByteArray>
#include <initializer_list>

inline QByteArray bytes(std::initializer_list<unsigned char> values) {
    QByteArray b;
    for (unsigned char v : values)
        b.append(static_cast<char>(v));
    return b;
}
