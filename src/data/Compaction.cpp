#include "Compaction.h"

#include "SqliteFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <sqlite3.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tarvic {

namespace {

CompactResult failure(int id, const QString& description, int line) {
    CompactResult r;
    r.status = CompactResult::Failed;
    r.errorId = id;
    r.description = description;
    r.lineNumber = line;
    return r;
}

// Flushes a file or a folder to the disk, so that a rename cannot become durable before
// the data it points at.
int syncPath(const QString& path, bool directory) {
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), directory ? O_RDONLY | O_DIRECTORY : O_RDWR);
    if (fd < 0)
        return errno;
    const int rc = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return rc;
#else
    if (directory)
        return 0;
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite))
        return EIO;
    f.flush();
    return 0;
#endif
}


}  // namespace

CompactResult compactDatabase(const QString& path, const QString& /*password*/, int format) {
    if (format != 0 && format != 1) {
        CompactResult r;
        r.status = CompactResult::NotSupported;
        r.description = QString::fromLatin1(kCompactNotSupportedMessage);
        return r;
    }

    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        return failure(ENOENT, QStringLiteral("The file %1 does not exist.").arg(QDir::toNativeSeparators(path)), __LINE__);
    // Through a link the file itself is replaced, not the link.
    const QString source = info.canonicalFilePath();
    const qint64 sizeBefore = info.size();

    // The copy goes into the source's folder, so the final rename stays on one file system.
    QTemporaryFile tmp(QFileInfo(source).absolutePath() + QStringLiteral("/.") + QFileInfo(source).fileName() +
                       QStringLiteral(".compact-XXXXXX"));
    if (!tmp.open())
        return failure(EACCES, QStringLiteral("Cannot create the compacted copy in %1: %2")
                                   .arg(QDir::toNativeSeparators(QFileInfo(source).absolutePath()), tmp.errorString()),
                       __LINE__);
    const QString target = tmp.fileName();
    tmp.close();  // VACUUM INTO accepts an existing empty file; QTemporaryFile removes it on every return

    SqliteFile src;
    try {
        // NOCREATE by omission: a mistyped path must not produce an empty database.
        src.open(source, SqliteFile::Mode::ReadWrite);
        src.run(QStringLiteral("VACUUM INTO ?1"), {target});
    } catch (const SqliteError& e) {
        return failure(e.code, e.message, __LINE__);
    }

    // The last connection to close folds a write-ahead log into the file and removes it; a
    // log still there means someone else has the file open, and a stale log beside the new
    // file would corrupt it.
    if (src.close() != SQLITE_OK)
        return failure(SQLITE_BUSY, QStringLiteral("The database file could not be closed."), __LINE__);
    const QFileInfo wal(source + QStringLiteral("-wal"));
    if (wal.exists() && wal.size() > 0)
        return failure(SQLITE_BUSY, QStringLiteral("The database file is in use."), __LINE__);

    // The copy takes the source's permissions (a temporary file is private to its owner).
    if (!QFile::setPermissions(target, QFile::permissions(source)))
        return failure(EPERM, QStringLiteral("Cannot set the permissions of the compacted copy."), __LINE__);
    if (const int err = syncPath(target, false); err != 0)
        return failure(err, QString::fromLocal8Bit(std::strerror(err)), __LINE__);

    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(target.toStdU16String()), std::filesystem::path(source.toStdU16String()), ec);
    if (ec)
        return failure(ec.value(), QString::fromStdString(ec.message()), __LINE__);
    tmp.setAutoRemove(false);  // its name now belongs to the compacted source
    syncPath(QFileInfo(source).absolutePath(), true);

    CompactResult r;
    r.status = CompactResult::Compacted;
    r.sizeBefore = sizeBefore;
    r.sizeAfter = QFileInfo(source).size();
    return r;
}

QString compactionErrorTitle(const QString& programTitle) {
    return programTitle + QStringLiteral(": Unexpected Error");
}

QString compactionErrorReport(const QString& programTitle, const QVersionNumber& version, const CompactResult& result) {
    const QString build = QStringLiteral("%1.%2.%3").arg(version.majorVersion()).arg(version.minorVersion()).arg(version.microVersion());
    return QStringLiteral("An Unexpected Error has Occured in %1 (Build %2)\n\n").arg(programTitle, build) +
           QStringLiteral("Please report this problem by contacting the author so it can be resolved.\n\n") +
           QStringLiteral("Technical Information:\n\n") +
           QStringLiteral("Error ID: %1\n").arg(result.errorId) +
           QStringLiteral("Description: %1\n").arg(result.description) +
           QStringLiteral("Module: ModDatabase\n") +
           QStringLiteral("Function: CompactAccess\n") +
           QStringLiteral("Line Number: %1\n\n").arg(result.lineNumber) +
           QStringLiteral("Press Ctrl + C to copy this information to the clipboard");
}

}  // namespace tarvic
