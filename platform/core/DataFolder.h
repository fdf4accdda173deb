#pragma once
// The one folder where the program keeps its files (the register and one
// readings file per user): $XDG_DATA_HOME/ambrel, by default
// ~/.local/share/ambrel. It is looked up anew at every call so tests can
// point XDG_DATA_HOME at a temporary folder.
#include <QFile>
#include <QString>

namespace platform {

// Only its owner may enter the folder: the register holds passwords.
constexpr QFile::Permissions kOwnerOnlyFolder =
    QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

QString dataFolder();                       // created (owner only) when missing
QString dataPath(const QString& fileName);  // dataFolder() + "/" + fileName

}  // namespace platform
