#pragma once
// The embedded database's folder belongs to its owner alone: the database holds every
// customer, every amount and the logins' password hashes.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <sys/stat.h>

namespace tarvic {

// Where the set-up puts the embedded database: ${XDG_DATA_HOME:-~/.local/share}/tarvic.
inline QString dataFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/tarvic");
}

// Creates the folder 0700, or takes group and others off one that exists, and off every file in
// it (the database and its journal, copies of it). What cannot be changed is left as it is: the
// program still starts.
inline void makeDataFolderPrivate(const QString& folder = dataFolder()) {
    const QByteArray path = QFile::encodeName(folder);
    struct stat st {};
    if (::stat(path.constData(), &st) != 0) {
        QDir().mkpath(QFileInfo(folder).path());
        ::mkdir(path.constData(), 0700);
    } else if (S_ISDIR(st.st_mode) && (st.st_mode & 077)) {
        ::chmod(path.constData(), st.st_mode & 0700);
    }
    const QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : files) {
        const QByteArray file = QFile::encodeName(folder + QLatin1Char('/') + name);
        if (::lstat(file.constData(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & 077))
            ::chmod(file.constData(), st.st_mode & 0700);
    }
}

}  // namespace tarvic
