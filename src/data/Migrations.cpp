#include "Migrations.h"

#include "Passwords.h"

#include <QDir>
#include <QFile>

// The scripts live in a static library: its resources must be registered by hand.
static void registerScripts() { Q_INIT_RESOURCE(migrations); }

namespace tarvic {

namespace {
QStringList scriptNames() {
    registerScripts();
    QStringList names = QDir(QStringLiteral(":/migrations")).entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name);
    return names;
}
int versionOf(const QString& name) { return name.left(name.indexOf(QLatin1Char('_'))).toInt(); }
}  // namespace

QStringList Migrations::statements(const QString& script) {
    QStringList out;
    QString current;
    for (const QString& line : script.split(QLatin1Char('\n'))) {
        const QString t = line.trimmed();
        if (t.isEmpty() || t.startsWith(QLatin1String("--")))
            continue;
        current += line + QLatin1Char('\n');
        if (t.endsWith(QLatin1Char(';'))) {
            current = current.trimmed();
            current.chop(1);
            out << current;
            current.clear();
        }
    }
    if (!current.trimmed().isEmpty())
        out << current.trimmed();
    return out;
}

int Migrations::latestVersion() {
    const QStringList names = scriptNames();
    return names.isEmpty() ? 0 : versionOf(names.last());
}

int Migrations::currentVersion() {
    if (!db_.tableExists(QStringLiteral("SCHEMA_VERSION")))
        return 0;
    return db_.scalar(QStringLiteral("SELECT COALESCE(MAX(VERSION), 0) FROM SCHEMA_VERSION")).toInt();
}

int Migrations::apply(int upTo) {
    if (!db_.tableExists(QStringLiteral("SCHEMA_VERSION"))) {
        db_.exec(QStringLiteral("CREATE TABLE SCHEMA_VERSION (VERSION INTEGER NOT NULL PRIMARY KEY, "
                                "APPLIED_ON %1)").arg(db_.dialect().renderSchema(QStringLiteral("{{MOMENT}}"))));
    }
    int applied = 0;
    for (const QString& name : scriptNames()) {
        const int version = versionOf(name);
        if (version > upTo)
            break;
        QFile f(QStringLiteral(":/migrations/") + name);
        f.open(QIODevice::ReadOnly);
        const QString script = db_.dialect().renderSchema(QString::fromUtf8(f.readAll()));
        const bool ran = db_.transact([&] {
            // Checked inside the transaction: two workstations upgrading at once apply it once.
            if (db_.scalar(QStringLiteral("SELECT COUNT(*) FROM SCHEMA_VERSION WHERE VERSION=?"), {version}).toInt() > 0)
                return false;
            for (const QString& st : statements(script))
                db_.exec(st);
            db_.exec(QStringLiteral("INSERT INTO SCHEMA_VERSION (VERSION, APPLIED_ON) VALUES (?, %1)")
                         .arg(db_.dialect().now()), {version});
            return true;
        });
        applied += ran ? 1 : 0;
    }
    ensureAdministrator();
    return applied;
}

void Migrations::ensureAdministrator() {
    db_.transact([&] {
        if (db_.scalar(QStringLiteral("SELECT COUNT(*) FROM MST_LOGINDETAILS")).toInt() > 0)
            return;
        db_.exec(QStringLiteral("INSERT INTO MST_LOGINDETAILS (LOGIN_ID, USER_NAME, USER_PASSWORD, FULL_NAME, "
                                "MODULE_FOR, USER_DEPARTMENT, USER_DESIGNATION, CONSULTANT_CODE) "
                                "VALUES (1, ?, ?, ?, ?, ?, ?, ?)"),
                 {QString::fromLatin1(kAdminName), Passwords::hash(QString::fromLatin1(kAdminPassword)),
                  QStringLiteral("ADMINISTRATOR"), QStringLiteral("ADMINISTRATION"),
                  QStringLiteral("ADMINISTRATION"), QStringLiteral("ADMIN"), QStringLiteral("0")});
        // The login ids counter moves past the first administrator.
        db_.exec(QStringLiteral("INSERT INTO MST_COUNTER (CODE, COUNTER) VALUES ('LoginId', 1) "
                                "ON CONFLICT (CODE) DO UPDATE SET COUNTER = "
                                "CASE WHEN MST_COUNTER.COUNTER < 1 THEN 1 ELSE MST_COUNTER.COUNTER END"));
    });
}

}  // namespace tarvic
