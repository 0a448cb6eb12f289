// Secrets stay where they are kept: the server login a data source names is the one used, no
// password reaches a message, an exception, a Qt log line or the admin tool's output, and the
// embedded database's folder is its owner's alone.
#include "admin/frm_SMTP.h"
#include "app/DataFolder.h"
#include "support/AdminRunner.h"
#include "support/Drive.h"
#include "support/TestSession.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <sys/stat.h>

using namespace tarvic;
using namespace tarvic::test;

namespace {

const QString kBuiltIn = ConnectionString::parse(QString::fromLatin1(kConnectionString)).password;
// A password with the characters a connection string must escape.
const QString kOwn = QStringLiteral("Own;pw{7}x");
const QString kWrong = QStringLiteral("Wrong;pw");
QString role() {
    return QStringLiteral("tarvic_sec_%1").arg(QCoreApplication::applicationPid());
}

// Data sources of this test: the test's TARVIC with some keys said first (the first one counts).
void defineDataSources(const QList<std::pair<QString, QStringList>>& sources) {
    QFile ini(qEnvironmentVariable("ODBCINI"));
    QVERIFY(ini.open(QIODevice::ReadWrite));
    const QString text = QString::fromUtf8(ini.readAll());
    const QString base = text.mid(text.indexOf(QStringLiteral("[TARVIC]")) + 8).section(QLatin1Char('['), 0, 0);
    for (const auto& [name, lines] : sources)
        ini.write(QStringLiteral("\n[%1]\n%2%3").arg(name, lines.join(QLatin1Char('\n')), base).toUtf8());
}

ConnectionString through(const QString& dsn) {
    ConnectionString cs = ConnectionString::parse(QString::fromLatin1(kConnectionString));
    cs.dsn = dsn;
    return cs;
}

// Everything Qt logs while the test runs a failure path.
QString qtLog;
void collect(QtMsgType, const QMessageLogContext&, const QString& text) {
    qtLog += text + QLatin1Char('\n');
}

bool showsAnyPassword(const QString& text) {
    return text.contains(kBuiltIn) || text.contains(kOwn) || text.contains(kWrong);
}

int modeOf(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 0777) : -1;
}

}  // namespace

class tst_secrets : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        TestDb::defineDataSource();
        const QString own = QStringLiteral("Username=%1").arg(role());
        defineDataSources({
            {QStringLiteral("SEC_OWN"), {own, QStringLiteral("Password=") + kOwn}},
            {QStringLiteral("SEC_UIDPWD"), {QStringLiteral("UID=") + role(), QStringLiteral("PWD=") + kOwn}},
            {QStringLiteral("SEC_PASSWORD"), {QStringLiteral("Password=") + kOwn}},
            {QStringLiteral("SEC_USER"), {own}},
            {QStringLiteral("SEC_WRONG"), {own, QStringLiteral("Password=") + kWrong}},
            {QStringLiteral("SEC_GONE"),
             {TestDb::usePostgres() ? QStringLiteral("Database=no_such_database")
                                    : QStringLiteral("Database=/no/such/dir/x.db"),
              QStringLiteral("NoCreat=1")}},
        });
        if (TestDb::usePostgres())
            TestDb::serverAdmin(QStringLiteral("CREATE ROLE %1 LOGIN PASSWORD '%2'").arg(role(), kOwn));
    }

    void cleanupTestCase() {
        if (TestDb::usePostgres())
            TestDb::serverAdmin(QStringLiteral("DROP ROLE IF EXISTS %1").arg(role()));
    }

    void theDataSourcesLoginReplacesTheBuiltInOne_data() {
        QTest::addColumn<QString>("dsn");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::newRow("none of its own") << "TARVIC"
                                         << "tarvicuser" << kBuiltIn;
        QTest::newRow("Username/Password") << "SEC_OWN" << role() << kOwn;
        QTest::newRow("UID/PWD") << "SEC_UIDPWD" << role() << kOwn;
        QTest::newRow("password only") << "SEC_PASSWORD"
                                       << "tarvicuser" << kOwn;
        QTest::newRow("user only: no built-in password") << "SEC_USER" << role() << QString();
    }
    void theDataSourcesLoginReplacesTheBuiltInOne() {
        QFETCH(QString, dsn);
        const ConnectionString cs = through(dsn).withDataSourceLogin();
        QTEST(cs.user, "user");
        QTEST(cs.password, "password");
    }

    void aServerRoleConnectsWithItsOwnPassword() {
        if (!TestDb::usePostgres())
            QSKIP("the embedded database has no logins");
        for (const QString& dsn : {QStringLiteral("SEC_OWN"), QStringLiteral("SEC_UIDPWD")}) {
            Database db(through(dsn), dsn);
            QCOMPARE(db.scalar(QStringLiteral("SELECT current_user")).toString(), role());
        }
    }

    void failuresNeverShowAPassword_data() {
        QTest::addColumn<QString>("dsn");
        QTest::addColumn<int>("kind");
        QTest::newRow("no such data source") << "SEC_MISSING" << int(DbError::Kind::NoDataSource);
        QTest::newRow("database cannot be opened") << "SEC_GONE" << int(DbError::Kind::Connection);
        if (TestDb::usePostgres())
            QTest::newRow("wrong password") << "SEC_WRONG" << int(DbError::Kind::Connection);
    }
    void failuresNeverShowAPassword() {
        QFETCH(QString, dsn);
        QFETCH(int, kind);
        qtLog.clear();
        const QtMessageHandler previous = qInstallMessageHandler(collect);
        QString seen;
        try {
            Database db(through(dsn), dsn);
        } catch (const DbError& e) {
            QCOMPARE(int(e.kind()), kind);
            seen = e.message() + QString::fromLocal8Bit(e.what());
        }
        qInstallMessageHandler(previous);
        QVERIFY2(!seen.isEmpty(), "the connection did not fail");
        QVERIFY(!showsAnyPassword(seen + qtLog));

        // The admin tool reports the same failure as no connection, and nothing more.
        const AdminRun r = runAdmin({QStringLiteral("--dsn"), dsn, QStringLiteral("check")});
        QCOMPARE(r.code, 2);
        QVERIFY(!showsAnyPassword(r.out + r.err));
    }

    // PostgreSQL quotes a refused row whole ("Failing row contains (...)").
    void aRefusedMailSettingsSaveHidesThePassword() {
        TestSession ts;
        ts.db().exec(
            TestDb::usePostgres()
                ? QStringLiteral("ALTER TABLE M_TBL_EMAIL ADD CONSTRAINT refused CHECK (EMAIL_SENDERNAME <> 'REFUSED')")
                : QStringLiteral("CREATE TRIGGER refused BEFORE INSERT ON M_TBL_EMAIL WHEN NEW.EMAIL_SENDERNAME = "
                                 "'REFUSED' BEGIN SELECT RAISE(ABORT, 'refused'); END"));
        frm_SMTP w(ts.session);
        showActive(w);
        for (auto [field, text] : {std::pair{w.txt_SMTPUsrName, QStringLiteral("mailer")},
                                   {w.txt_SMTPPasswd, kOwn},
                                   {w.txt_SMTPServer, QStringLiteral("smtp.test")},
                                   {w.txt_SMTPPort, QStringLiteral("25")},
                                   {w.txt_SenderName, QStringLiteral("REFUSED")}})
            field->setText(text);
        QTest::mouseClick(w.Cmd_Save, Qt::LeftButton);
        QCOMPARE(count(ts.db(), QStringLiteral("M_TBL_EMAIL")), qint64(0));
        QCOMPARE(ts.prompter.texts().size(), 1);
        QVERIFY(!ts.prompter.texts().first().isEmpty());
        QVERIFY(!showsAnyPassword(ts.prompter.texts().first()));
    }

    void theDataFolderIsTheOwnersAlone_data() {
        QTest::addColumn<bool>("bySetUp");
        QTest::addColumn<bool>("existing");
        QTest::newRow("set-up, new folder") << true << false;
        QTest::newRow("set-up, loose folder") << true << true;
        QTest::newRow("program, new folder") << false << false;
        QTest::newRow("program, loose folder") << false << true;
    }
    void theDataFolderIsTheOwnersAlone() {
        QFETCH(bool, bySetUp);
        QFETCH(bool, existing);
        QTemporaryDir home;
        const QString folder = home.path() + QStringLiteral("/data/tarvic");
        const QString file = folder + QStringLiteral("/tarvic.db");
        if (existing) {
            QVERIFY(QDir().mkpath(folder));
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.close();
            QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0755) == 0);
            QVERIFY(::chmod(QFile::encodeName(file).constData(), 0644) == 0);
        }
        if (!bySetUp) {
            makeDataFolderPrivate(folder);
        } else {
            // The set-up's own function in a home of the test's own, the admin tool stood in for.
            const QString script =
                QStringLiteral(
                    "export HOME=$1 XDG_DATA_HOME=$1/data ODBCINI=$1/odbc.ini ODBCSYSINI=$1/sys "
                    "TARVIC_BUILD_DIR=$1/build; mkdir -p $1/sys $1/build/src; "
                    "printf '#!/bin/sh\\n' >$1/build/src/tarvic-admin; chmod +x $1/build/src/tarvic-admin; "
                    "source %1/../../scripts/common.sh && setup_embedded_database")
                    .arg(QStringLiteral(QT_TESTCASE_SOURCEDIR));
            QCOMPARE(QProcess::execute(QStringLiteral("bash"),
                                       {QStringLiteral("-c"), script, QStringLiteral("bash"), home.path()}),
                     0);
            QCOMPARE(modeOf(home.path() + QStringLiteral("/odbc.ini")), 0600);
        }
        QCOMPARE(modeOf(folder), 0700);
        if (bySetUp || existing)
            QCOMPARE(modeOf(file), 0600);
    }
};

QTEST_MAIN(tst_secrets)
#include "tst_secrets.moc"
