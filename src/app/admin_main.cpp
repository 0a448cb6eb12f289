// tarvic-admin: sets up and looks after a TARVIC database from the command line.
// Exit status: 0 done; 1 the books are inconsistent, or the command was refused;
// 2 the data source cannot be opened; 3 a database error during the command; 64 bad usage.
#include "app/PasswordInput.h"
#include "data/Backup.h"
#include "data/BookMove.h"
#include "data/BooksCheck.h"
#include "data/Database.h"
#include "data/GridExport.h"
#include "data/Migrations.h"
#include "data/Passwords.h"
#include "data/PrivateFiles.h"
#include "engine/Aging.h"
#include "engine/admin/CompanyProfile.h"
#include "engine/admin/DatabaseSetup.h"
#include "engine/admin/Logins.h"
#include "engine/dues/DueBoard.h"
#include "engine/gst/GstFiles.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <memory>

#ifndef TARVIC_VERSION
#define TARVIC_VERSION "1.0.0"
#endif

using namespace tarvic;

namespace {

enum Exit { Ok = 0, Refused = 1, NoConnection = 2, DatabaseFailure = 3, Usage = 64 };

void say(const QString& line) {
    std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

void complain(const QString& line) {
    std::fputs(qPrintable(QStringLiteral("tarvic-admin: ") + line + QLatin1Char('\n')), stderr);
    std::fflush(stderr);
}

// A refusal the user can act on (exit 1), as opposed to a failing statement.
struct Refusal {
    QString message;
};

const char* const kCommands =
    "Commands:\n"
    "  setup [--no-demo]                define the embedded database for this user (unless the\n"
    "                                   data source exists), then init it\n"
    "  init [--no-demo]                 create the schema and seed data of an empty database\n"
    "                                   (or apply what is missing), and add the demo data set\n"
    "                                   once unless --no-demo is given\n"
    "  upgrade                          apply pending schema migrations, after a backup\n"
    "  create-login NAME [--full-name TEXT] [--admin]\n"
    "                                   add a login (operator unless --admin); the password\n"
    "                                   is asked for twice, or read as one line of standard\n"
    "                                   input when that is not a terminal\n"
    "  company [FIELD=VALUE ...]        show the company profile the printed receipts, invoices\n"
    "                                   and vouchers carry, and what is still to be filled in;\n"
    "                                   with FIELD=VALUE pairs, set those fields first. Fields:\n"
    "                                   name, address, city, state, phones, email, web, gstin,\n"
    "                                   jurisdiction, ac-name, ac-no, bank, branch, ifsc, picture\n"
    "  check                            verify the books: paired rows, keys, cancellations,\n"
    "                                   counters; exit 1 when a fault is found\n"
    "  move-to-server TARGET            copy the embedded database whole into the empty\n"
    "                                   PostgreSQL database of data source TARGET\n"
    "  backup FILE                      write a backup of the database (either engine)\n"
    "  restore FILE [--replace]         restore a backup into an empty database (--replace:\n"
    "                                   into one that holds tables), then check the books\n"
    "  gst-return --period YYYY-MM [--quarter] --out DIR\n"
    "                                   write the GST returns of the month (or of the quarter\n"
    "                                   holding it) into DIR: GSTR-1 and GSTR-3B as JSON and a\n"
    "                                   workbook; invoices left out are listed with their reasons\n"
    "  due [--days N] [--consultant CODE] [--format text|csv]\n"
    "                                   print what is due: customer instalments, supplier\n"
    "                                   dues and hotel deadlines within N days (default: the\n"
    "                                   office's setting), tours starting within 7 days with a\n"
    "                                   balance, leads to follow up and schedules that no longer\n"
    "                                   match their booking; all of it, or what consultant CODE\n"
    "                                   sees on the board\n"
    "  version                          print the tool's and the schema's version\n"
    "\n"
    "Exit status: 0 done, 1 inconsistent books or refused, 2 no connection,\n"
    "3 database error, 64 bad usage.\n";

class Admin {
public:
    Admin(ConnectionString cs) : cs_(std::move(cs)) {}

    Database& db() {
        if (!db_)
            db_ = std::make_unique<Database>(cs_, QStringLiteral("tarvic-admin"));
        return *db_;
    }

    int init(bool demo) {
        initDatabase(db(), cs_, demo, say);
        return Ok;
    }

    int setup(bool demo) {
        setUpDatabase(cs_, demo, say);
        return Ok;
    }

    int upgrade() {
        const SchemaUpgrade u = upgradeSchema(db(), cs_, dataFolder(), say);
        say(QStringLiteral("schema version %1 -> %2 (%3 migration(s) applied)").arg(u.from).arg(u.to).arg(u.applied));
        return Ok;
    }

    // Commands that work on the books need the schema; say so rather than fail on a table.
    void requireSchema() {
        if (Migrations(db()).currentVersion() == 0)
            throw Refusal{QStringLiteral("the database has no schema yet: run tarvic-admin init first")};
    }

    int createLogin(const QString& name, const QString& fullName, bool admin) {
        requireSchema();
        const QString user = name.trimmed().toUpper();
        if (user.isEmpty())
            throw Refusal{QStringLiteral("a login needs a name")};
        const PasswordInput input = readNewPassword(user);
        if (!input.refusal.isEmpty())
            throw Refusal{input.refusal};
        const QString& password = input.password;
        const QString full = fullName.trimmed().isEmpty() ? user : fullName.trimmed();
        // Hashed before the transaction: argon2id takes a noticeable moment.
        const QString stored = Passwords::hash(password);
        const qint64 id = logins::create(db(), user, full, admin, stored);
        say(QStringLiteral("login %1 created with LOGIN_ID %2 (%3)")
                .arg(user)
                .arg(id)
                .arg(admin ? QStringLiteral("ADMIN") : QStringLiteral("OPERATOR")));
        return Ok;
    }

    int company(const QStringList& assignments) {
        requireSchema();
        CompanyProfile profile = CompanyProfile::read(db());
        if (!assignments.isEmpty()) {
            for (const QString& a : assignments) {
                const QString key = a.section(QLatin1Char('='), 0, 0).trimmed().toLower();
                const auto& fields = CompanyProfile::fields();
                const auto f = std::find_if(fields.begin(), fields.end(), [&](const CompanyProfile::Field& f) {
                    return key == QLatin1String(f.key);
                });
                if (!a.contains(QLatin1Char('=')) || f == fields.end())
                    throw Refusal{QStringLiteral("\"%1\" is not FIELD=VALUE of a company field; see --help").arg(a)};
                profile.*f->member = a.section(QLatin1Char('='), 1).trimmed();
            }
            profile.save(db());
            profile = CompanyProfile::read(db());
        }
        for (const CompanyProfile::Field& f : CompanyProfile::fields())
            say(QStringLiteral("%1 (%2): %3").arg(QLatin1String(f.caption), QLatin1String(f.key), profile.*f.member));
        const QStringList unfilled = profile.unfilled();
        say(unfilled.isEmpty() ? QStringLiteral("the company profile is complete")
                               : QStringLiteral("still to be filled in: %1").arg(unfilled.join(QLatin1String(", "))));
        return Ok;
    }

    int check() {
        requireSchema();
        BooksReport report = checkBooks(db());
        report.problems += aging::checkBuckets(db(), QDate::currentDate());
        return sayBooks(report);
    }

    int gstReturn(const gst::Period& period, const QString& dir) {
        requireSchema();
        if (!QFileInfo(dir).isDir())
            throw Refusal{QStringLiteral("the folder %1 does not exist").arg(dir)};
        const gst::GstReturn r = gst::buildReturn(db(), period);
        if (!r.canWrite()) {
            for (const QString& p : r.problems)
                complain(p);
            return Refused;
        }
        gst::ReturnFiles files;
        try {
            files = gst::writeReturnFiles(r, QDir(dir).filePath(gst::defaultBaseName(period)));
        } catch (const ExportError& e) {
            throw Refusal{e.message()};
        }
        int b2cs = 0;
        for (const gst::B2csRow& row : r.b2cs)
            b2cs += row.invoices;
        say(QStringLiteral("GST return %1 (%2) of GSTIN %3: %4 approved invoice(s), B2B %5, B2CL %6, B2CS %7, "
                           "%8 document(s) issued, %9 cancelled")
                .arg(r.period.caption(), r.period.fp(), r.gstin)
                .arg(r.approvedRead)
                .arg(r.b2b.size())
                .arg(r.b2cl.size())
                .arg(b2cs)
                .arg(r.documents.issued)
                .arg(r.documents.cancelled));
        say(QStringLiteral("taxable %1, IGST %2, CGST %3, SGST %4")
                .arg(r.outward.taxable.toString(), r.outward.igst.toString(), r.outward.cgst.toString(),
                     r.outward.sgst.toString()));
        for (const gst::Exception& e : r.exceptions)
            say(QStringLiteral("left out: INV001 %1 (%2, %3, %4): %5")
                    .arg(e.invoice.docNo)
                    .arg(e.invoice.number, e.invoice.date.toString(QStringLiteral("dd/MM/yyyy")), e.invoice.partyName,
                         e.text));
        say(QStringLiteral("%1 exception(s)").arg(r.exceptions.size()));
        for (const QString& f : {files.gstr1, files.gstr3b, files.workbook})
            say(QStringLiteral("written %1").arg(f));
        return Ok;
    }

    int due(int days, std::optional<int> consultant, DueFormat format) {
        requireSchema();
        const DueBoard board = dueBoard(db(), {QDate::currentDate(), days, consultant});
        std::fputs(qPrintable(dueReport(board, format)), stdout);
        std::fflush(stdout);
        return Ok;
    }

    int moveToServer(const QString& targetDsn) {
        ConnectionString target = ConnectionString::parse(QString::fromLatin1(kConnectionString));
        target.dsn = targetDsn;
        std::unique_ptr<Database> server;
        try {
            server = std::make_unique<Database>(target, QStringLiteral("tarvic-admin-target"));
        } catch (const DbError& e) {
            if (e.kind() != DbError::Kind::NoDataSource && e.kind() != DbError::Kind::Connection)
                throw;
            complain(QStringLiteral("cannot connect to data source \"%1\": %2").arg(targetDsn, e.message()));
            return NoConnection;
        }
        const MoveReport r = tarvic::moveToServer(db(), *server, say);
        say(QStringLiteral("moved %1 table(s), %2 row(s) to data source %3; the embedded database is unchanged")
                .arg(r.tables)
                .arg(r.rows)
                .arg(targetDsn));
        return Ok;
    }

    int backup(const QString& file) {
        backupDatabase(cs_, file, say);
        return Ok;
    }

    int restore(const QString& file, bool replace) { return sayBooks(restoreDatabase(cs_, file, replace, say)); }

private:
    // The books check's findings, one per line, and the verdict.
    int sayBooks(const BooksReport& report) {
        for (const QString& p : report.problems)
            say(p);
        if (!report.ok()) {
            say(QStringLiteral("books are NOT consistent: %1 problem(s)").arg(report.problems.size()));
            return Refused;
        }
        say(QStringLiteral("books are consistent"));
        return Ok;
    }

    ConnectionString cs_;
    std::unique_ptr<Database> db_;
};

}  // namespace

int main(int argc, char** argv) {
    // Before anything is written or connected: backups, dumps and a new embedded database are
    // the owner's alone, and the driver's logs stay off.
    keepFilesPrivate();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tarvic-admin"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TARVIC_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Sets up and looks after a TARVIC database.\n\n") +
                                     QString::fromLatin1(kCommands));
    parser.addHelpOption();
    const QCommandLineOption dsnOpt(QStringLiteral("dsn"), QStringLiteral("ODBC data source (default TARVIC)."),
                                    QStringLiteral("NAME"), QStringLiteral("TARVIC"));
    const QCommandLineOption setOpt(QStringLiteral("set"),
                                    QStringLiteral("Connection attribute overriding the data source's own, "
                                                   "e.g. Database=/path/file.db (repeatable)."),
                                    QStringLiteral("KEY=VALUE"));
    const QCommandLineOption noDemoOpt(QStringLiteral("no-demo"), QStringLiteral("setup, init: add no demo data."));
    const QCommandLineOption adminOpt(QStringLiteral("admin"), QStringLiteral("create-login: an ADMIN login."));
    const QCommandLineOption fullNameOpt(QStringLiteral("full-name"),
                                         QStringLiteral("create-login: the person's full name (default: NAME)."),
                                         QStringLiteral("TEXT"));
    const QCommandLineOption replaceOpt(QStringLiteral("replace"),
                                        QStringLiteral("restore: overwrite a database that holds tables."));
    const QCommandLineOption periodOpt(QStringLiteral("period"), QStringLiteral("gst-return: the month, YYYY-MM."),
                                       QStringLiteral("YYYY-MM"));
    const QCommandLineOption quarterOpt(QStringLiteral("quarter"),
                                        QStringLiteral("gst-return: the quarter holding the month."));
    const QCommandLineOption outOpt(QStringLiteral("out"), QStringLiteral("gst-return: the folder to write into."),
                                    QStringLiteral("DIR"));
    const QCommandLineOption daysOpt(QStringLiteral("days"), QStringLiteral("due: the days ahead to look."),
                                     QStringLiteral("N"));
    const QCommandLineOption consultantOpt(QStringLiteral("consultant"),
                                           QStringLiteral("due: what this consultant sees (all for an ADMIN "
                                                          "consultant, own rows for an OPERATOR)."),
                                           QStringLiteral("CODE"));
    const QCommandLineOption formatOpt(QStringLiteral("format"), QStringLiteral("due: text (default) or csv."),
                                       QStringLiteral("FORMAT"), QStringLiteral("text"));
    parser.addOption(daysOpt);
    parser.addOption(consultantOpt);
    parser.addOption(formatOpt);
    parser.addOption(dsnOpt);
    parser.addOption(setOpt);
    parser.addOption(noDemoOpt);
    parser.addOption(adminOpt);
    parser.addOption(fullNameOpt);
    parser.addOption(replaceOpt);
    parser.addOption(periodOpt);
    parser.addOption(quarterOpt);
    parser.addOption(outOpt);
    parser.addPositionalArgument(
        QStringLiteral("command"),
        QStringLiteral("setup, init, upgrade, create-login, company, check, move-to-server, backup, restore, "
                       "gst-return, due or version."),
        QStringLiteral("<command> [arguments]"));

    if (!parser.parse(QCoreApplication::arguments())) {
        complain(parser.errorText());
        return Usage;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        say(parser.helpText());
        return Ok;
    }
    const QStringList args = parser.positionalArguments();
    if (args.isEmpty()) {
        complain(QStringLiteral("no command given; see --help"));
        return Usage;
    }
    const QString command = args.first();
    const QStringList rest = args.mid(1);

    // Each --set is one attribute; a ";" would smuggle in further ones.
    QStringList overrides;
    for (const QString& item : parser.values(setOpt)) {
        if (!item.contains(QLatin1Char('=')) || item.startsWith(QLatin1Char('=')) || item.contains(QLatin1Char(';'))) {
            complain(QStringLiteral("--set takes KEY=VALUE without ';', not \"%1\"").arg(item));
            return Usage;
        }
        overrides << item;
    }
    const QString dsn = parser.value(dsnOpt).trimmed();
    if (dsn.isEmpty() || dsn.contains(QLatin1Char(';')) || dsn.contains(QLatin1Char('='))) {
        complain(QStringLiteral("--dsn takes the name of a data source"));
        return Usage;
    }
    ConnectionString cs = ConnectionString::parse(QString::fromLatin1(kConnectionString));
    cs.dsn = dsn;
    cs.overrides = overrides.join(QLatin1Char(';'));

    const auto expectArgs = [&](qsizetype min, qsizetype max) {
        if (rest.size() < min || rest.size() > max) {
            complain(QStringLiteral("wrong number of arguments for %1; see --help").arg(command));
            return false;
        }
        return true;
    };

    Admin admin(cs);
    try {
        if (command == QLatin1String("version")) {
            if (!expectArgs(0, 0))
                return Usage;
            say(QStringLiteral("tarvic-admin %1, schema version %2")
                    .arg(QStringLiteral(TARVIC_VERSION))
                    .arg(Migrations::latestVersion()));
            return Ok;
        }
        if (command == QLatin1String("setup"))
            return expectArgs(0, 0) ? admin.setup(!parser.isSet(noDemoOpt)) : Usage;
        if (command == QLatin1String("init"))
            return expectArgs(0, 0) ? admin.init(!parser.isSet(noDemoOpt)) : Usage;
        if (command == QLatin1String("upgrade"))
            return expectArgs(0, 0) ? admin.upgrade() : Usage;
        if (command == QLatin1String("create-login")) {
            if (rest.size() > 1) {
                complain(QStringLiteral(
                    "create-login takes no password on its command line, where every user of this computer can "
                    "read it: type it when asked, or give it on standard input, e.g.\n"
                    "  printf '%s\\n' \"$PASSWORD\" | tarvic-admin create-login NAME [--full-name TEXT] [--admin]"));
                return Usage;
            }
            if (!expectArgs(1, 1))
                return Usage;
            return admin.createLogin(rest.at(0), parser.value(fullNameOpt), parser.isSet(adminOpt));
        }
        if (command == QLatin1String("company"))
            return admin.company(rest);
        if (command == QLatin1String("check"))
            return expectArgs(0, 0) ? admin.check() : Usage;
        if (command == QLatin1String("move-to-server")) {
            const QString target = rest.value(0).trimmed();
            if (!expectArgs(1, 1))
                return Usage;
            if (target.isEmpty() || target.contains(QLatin1Char(';')) || target.contains(QLatin1Char('=')) ||
                target.compare(dsn, Qt::CaseInsensitive) == 0) {
                complain(QStringLiteral("move-to-server takes the name of another data source"));
                return Usage;
            }
            return admin.moveToServer(target);
        }
        if (command == QLatin1String("backup"))
            return expectArgs(1, 1) ? admin.backup(rest.at(0)) : Usage;
        if (command == QLatin1String("restore"))
            return expectArgs(1, 1) ? admin.restore(rest.at(0), parser.isSet(replaceOpt)) : Usage;
        if (command == QLatin1String("gst-return")) {
            const auto period = gst::Period::parse(parser.value(periodOpt), parser.isSet(quarterOpt));
            if (!expectArgs(0, 0))
                return Usage;
            if (!period || parser.value(outOpt).trimmed().isEmpty()) {
                complain(QStringLiteral("gst-return takes --period YYYY-MM and --out DIR; see --help"));
                return Usage;
            }
            return admin.gstReturn(*period, parser.value(outOpt).trimmed());
        }
        if (command == QLatin1String("due")) {
            bool daysOk = true, consultantOk = true;
            const int days = parser.isSet(daysOpt) ? parser.value(daysOpt).toInt(&daysOk) : -1;
            const int consultant = parser.value(consultantOpt).toInt(&consultantOk);
            const QString format = parser.value(formatOpt).trimmed().toLower();
            if (!expectArgs(0, 0))
                return Usage;
            if (!daysOk || (parser.isSet(daysOpt) && (days < 0 || days > kMaxDueDays)) || (parser.isSet(consultantOpt) && !consultantOk) ||
                (format != QLatin1String("text") && format != QLatin1String("csv"))) {
                complain(QStringLiteral("due takes [--days N (0 to %1)] [--consultant CODE] [--format text|csv]; see --help").arg(kMaxDueDays));
                return Usage;
            }
            return admin.due(days, parser.isSet(consultantOpt) ? std::optional<int>(consultant) : std::nullopt,
                             format == QLatin1String("csv") ? DueFormat::Csv : DueFormat::Text);
        }
        complain(QStringLiteral("unknown command \"%1\"; see --help").arg(command));
        return Usage;
    } catch (const Refusal& r) {
        complain(r.message);
        return Refused;
    } catch (const DbError& e) {
        switch (e.kind()) {
            case DbError::Kind::Refused:
                complain(e.message());
                return Refused;
            case DbError::Kind::NoDataSource:
                complain(QStringLiteral("data source \"%1\" does not exist. Please, check the ODBC data source.\n%2")
                             .arg(dsn, e.message()));
                return NoConnection;
            case DbError::Kind::Connection:
                complain(QStringLiteral("cannot connect to data source \"%1\": %2").arg(dsn, e.message()));
                return NoConnection;
            default:
                complain(QStringLiteral("database error: %1").arg(e.message()));
                return DatabaseFailure;
        }
    }
}
