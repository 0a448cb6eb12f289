#pragma once
// A workstation user of the test's own, for the set-up and the first start: a home with its
// data folder (XDG_DATA_HOME) and its data source files (ODBCINI, and ODBCSYSINI with empty
// system files), handed to a child process or put in place for this one.
#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace tarvic::test {

// The permission bits of a file or folder; -1 when it is not there.
inline int modeOf(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 0777) : -1;
}

inline QByteArray contentsOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class UserHome {
public:
    UserHome() {
        QDir().mkpath(system());
        for (const char* name : {"/odbc.ini", "/odbcinst.ini"}) {
            QFile f(system() + QLatin1String(name));
            f.open(QIODevice::WriteOnly);
        }
    }
    QString path() const { return dir_.path(); }
    QString dataHome() const { return path() + QStringLiteral("/data"); }
    QString folder() const { return dataHome() + QStringLiteral("/tarvic"); }
    QString database() const { return folder() + QStringLiteral("/tarvic.db"); }
    QString ini() const { return path() + QStringLiteral("/odbc.ini"); }
    QString system() const { return path() + QStringLiteral("/sys"); }

    // This process's environment with the user's own places.
    QProcessEnvironment environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const auto& [key, value] : places())
            env.insert(QString::fromLatin1(key), value);
        return env;
    }

    // While alive, this process looks where the user's programs look.
    class InPlace {
    public:
        explicit InPlace(const UserHome& home) {
            for (const auto& [key, value] : home.places()) {
                saved_.append({key, qgetenv(key)});
                qputenv(key, QFile::encodeName(value));
            }
        }
        ~InPlace() {
            for (const auto& [key, value] : saved_)
                value.isNull() ? qunsetenv(key) : qputenv(key, value);
        }
        InPlace(const InPlace&) = delete;
        InPlace& operator=(const InPlace&) = delete;

    private:
        QList<std::pair<const char*, QByteArray>> saved_;
    };

private:
    QList<std::pair<const char*, QString>> places() const {
        return {{"HOME", path()}, {"XDG_DATA_HOME", dataHome()}, {"ODBCINI", ini()}, {"ODBCSYSINI", system()}};
    }
    QTemporaryDir dir_;
};

}  // namespace tarvic::test
