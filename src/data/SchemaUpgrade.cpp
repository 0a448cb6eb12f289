#include "SchemaUpgrade.h"

#include "Migrations.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>

namespace tarvic {

namespace {

// Where the backup goes and under which name: beside the embedded database's file, named after
// it; for a server database, into the given folder, named after the database.
QString backupPath(Database& db, const ConnectionString& cs, const QString& serverFolder, int version) {
    const QDate today = QDate::currentDate();
    if (db.dialect().isSqlite()) {
        const QFileInfo file(
            db.scalar(QStringLiteral("SELECT file FROM pragma_database_list WHERE name='main'")).toString());
        return file.absoluteDir().filePath(upgradeBackupName(file.completeBaseName(), today, version));
    }
    QString name = cs.attribute("Database");
    if (name.isEmpty())
        name = QStringLiteral("tarvic");
    QDir().mkpath(serverFolder);
    return QDir(serverFolder).filePath(upgradeBackupName(name, today, version));
}

}  // namespace

QString upgradeBackupName(const QString& database, const QDate& day, int version) {
    return QStringLiteral("%1-%2-schema%3.backup").arg(database, day.toString(Qt::ISODate)).arg(version);
}

SchemaUpgrade upgradeSchema(Database& db, const ConnectionString& cs, const QString& serverBackupFolder,
                            const Say& say) {
    Migrations m(db);
    SchemaUpgrade u;
    u.from = m.currentVersion();
    const int latest = Migrations::latestVersion();
    if (u.from > latest)
        throw DbError(DbError::Kind::Refused,
                      QStringLiteral("the database is of schema version %1, newer than this program's %2: "
                                     "install the newer version of TARVIC")
                          .arg(u.from)
                          .arg(latest));
    if (u.from > 0 && u.from < latest) {
        u.backup = backupPath(db, cs, serverBackupFolder, u.from);
        try {
            // The backup holds every customer, amount and password hash: never readable by
            // others, not even for a moment.
            const OwnerOnlyFiles guard;
            backupDatabase(cs, u.backup, say);
        } catch (const DbError& e) {
            throw DbError(DbError::Kind::Refused,
                          QStringLiteral("no backup could be taken before the upgrade from schema version %1, "
                                         "so nothing was changed: %2")
                              .arg(u.from)
                              .arg(e.message()));
        }
    }
    u.applied = m.apply();
    u.to = m.currentVersion();
    return u;
}

}  // namespace tarvic
