#include "Migrations.h"

#include "DocumentNumbers.h"
#include "DueBalances.h"
#include "Passwords.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

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

// The C++ steps scripts name, by name.
struct Step {
    const char* name;
    void (*run)(Database&);
};
const Step kSteps[] = {
    {"BULK_POSTING_PARTS", numberBulkPostingParts},
    {"DUE_BALANCES", createDueBalances},
    {"PARTY_BALANCES", createPartyBalances},
    {"LISTING_SUMS", createListingSums},
    // A number held by two documents stops the upgrade with its report; nothing is renumbered.
    {"NO_DOUBLED_NUMBERS",
     [](Database& db) {
         const QString report = doubledNumbersReport(doubledNumbers(db));
         if (!report.isEmpty())
             throw DbError(DbError::Kind::Refused, report);
     }},
};

// Runs one statement of a script: on its engine only, a step by its name.
void run(Database& db, QString statement) {
    static const QRegularExpression marked(QStringLiteral("^\\{\\{(SQLITE|POSTGRESQL)\\}\\}\\s*"));
    static const QRegularExpression step(QStringLiteral("^\\{\\{STEP ([A-Z_]+)\\}\\}$"));
    if (const auto m = step.match(statement); m.hasMatch()) {
        for (const Step& s : kSteps)
            if (m.captured(1) == QLatin1String(s.name))
                return s.run(db);
        throw DbError(DbError::Kind::Other, QStringLiteral("No migration step %1").arg(m.captured(1)));
    }
    if (const auto m = marked.match(statement); m.hasMatch()) {
        if ((m.captured(1) == QLatin1String("SQLITE")) != db.dialect().isSqlite())
            return;
        statement = statement.mid(m.capturedLength());
    }
    db.exec(statement);
}
}  // namespace

QStringList Migrations::statements(const QString& script) {
    QStringList out;
    QString current;
    for (const QString& line : script.split(QLatin1Char('\n'))) {
        const QString t = line.trimmed();
        if (t.isEmpty() || t.startsWith(QLatin1String("--")))
            continue;
        current += line + QLatin1Char('\n');
        // Inside a function body ("$$ ... $$") a ";" ends the body's own statements.
        if (t.endsWith(QLatin1Char(';')) && current.count(QLatin1String("$$")) % 2 == 0) {
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
                run(db_, st);
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
