#include "PrivateFiles.h"

#include "Database.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace tarvic {

namespace {

// Where unixODBC reads odbcinst.ini and the system odbc.ini unless ODBCSYSINI says otherwise
// (Debian's build). Not asked of unixODBC itself: it would keep the answer for the process.
constexpr const char* kSystemOdbcFolder = "/etc";

void syncPath(const QString& path, bool folder) {
    const int fd = ::open(QFile::encodeName(path).constData(), folder ? O_RDONLY | O_DIRECTORY : O_RDONLY);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// odbcinst.ini with every log switch at 0; empty when none of them was on.
QByteArray withLogsOff(const QByteArray& text) {
    bool anyOn = false;
    QByteArray out;
    for (QByteArray line : text.split('\n')) {
        const qsizetype eq = line.indexOf('=');
        const QByteArray key = eq < 0 ? QByteArray() : line.left(eq).trimmed().toLower();
        if (key == "commlog" || key == "debug") {
            // Read as the driver reads it (atoi).
            anyOn = anyOn || std::atoi(line.mid(eq + 1).trimmed().constData()) != 0;
            line = line.left(eq) + "=0";
        }
        out += line + '\n';
    }
    return anyOn ? out : QByteArray();
}

}  // namespace

void keepFilesPrivate() {
    ::umask(077);
    keepDriverLogsOff();
}

void keepDriverLogsOff() {
    const QString folder = qEnvironmentVariableIsSet("ODBCSYSINI") ? qEnvironmentVariable("ODBCSYSINI")
                                                                   : QString::fromLatin1(kSystemOdbcFolder);
    QFile inst(folder + QLatin1Char('/') + qEnvironmentVariable("ODBCINSTINI", QStringLiteral("odbcinst.ini")));
    if (!inst.open(QIODevice::ReadOnly))
        return;
    const QByteArray quiet = withLogsOff(inst.readAll());
    if (quiet.isEmpty())
        return;
    // Lives as long as the process: unixODBC reads the folder again at each connection. In the
    // runtime folder when there is one, which goes at logout even after a process was killed.
    static std::unique_ptr<QTemporaryDir> own;
    for (const QString& parent : {qEnvironmentVariable("XDG_RUNTIME_DIR"), QDir::tempPath()}) {
        if (!parent.isEmpty() && (!own || !own->isValid()))
            own = std::make_unique<QTemporaryDir>(parent + QStringLiteral("/tarvic-odbc-XXXXXX"));
    }
    if (!own || !own->isValid())
        return;
    QFile copy(own->filePath(QStringLiteral("odbcinst.ini")));
    if (!copy.open(QIODevice::WriteOnly) || copy.write(quiet) != quiet.size())
        return;
    copy.close();
    const QString systemSources = folder + QStringLiteral("/odbc.ini");
    if (QFileInfo::exists(systemSources))
        QFile::link(systemSources, own->filePath(QStringLiteral("odbc.ini")));
    qputenv("ODBCSYSINI", QFile::encodeName(own->path()));
    qunsetenv("ODBCINSTINI");
}

PrivateSaveFile::PrivateSaveFile(const QString& target)
    : target_(QFileInfo(target).absoluteFilePath()), temp_(target_ + QStringLiteral(".partial-XXXXXX")) {}

bool PrivateSaveFile::open() {
    // QTemporaryFile creates its file 0600, and never over one that exists.
    if (temp_.open())
        return true;
    error_ = temp_.errorString();
    return false;
}

bool PrivateSaveFile::commit() {
    const QString partial = temp_.fileName();
    if (temp_.isOpen() && !temp_.flush()) {
        error_ = temp_.errorString();
        return false;
    }
    temp_.close();
    syncPath(partial, false);
    if (std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(target_).constData()) != 0) {
        error_ = QStringLiteral("%1 cannot be written: %2").arg(target_, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    temp_.setAutoRemove(false);
    syncPath(QFileInfo(target_).absolutePath(), true);
    return true;
}

bool othersMayRead(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && (st.st_mode & (S_IRGRP | S_IROTH)) != 0;
}

QString databaseFile(Database& db) {
    if (!db.dialect().isSqlite())
        return {};
    const auto row = db.firstRow(QStringLiteral("SELECT file FROM pragma_database_list WHERE name='main'"));
    return row ? row->value(0).toString() : QString();
}

}  // namespace tarvic
