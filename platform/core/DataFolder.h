#pragma once
// The one folder where the program keeps its files (the register and one
// readings file per user): $XDG_DATA_HOME/ambrel, by default
// ~/.local/share/ambrel. It is looked up anew at every call so tests can
// point XDG_DATA_HOME at a temporary folder.
#include <QString>

namespace platform {

QString dataFolder();                       // created when missing
QString dataPath(const QString& fileName);  // dataFolder() + "/" + fileName

}  // namespace platform
