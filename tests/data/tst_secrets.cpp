// Secrets stay where they are kept: stored passwords (the old transform still recognised,
// argon2id hashes from now on), the data source's own server login, no password in any message,
// exception, Qt log line or admin tool output, and a data folder that is its owner's alone.
#include "admin/frm_SMTP.h"
#include "data/DatabaseSetup.h"
#include "data/Passwords.h"
#include "support/AdminRunner.h"
#include "support/Drive.h"
#include "support/TestSession.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <sys/stat.h>

using namespace tarvic;
using namespace tarvic::test;
using namespace Qt::StringLiterals;

namespace {

const QString kBuiltIn = ConnectionString::parse(QString::fromLatin1(kConnectionString)).password;
// A password with the characters a connection string must escape.
const QString kOwn = u"Own;pw{7}x"_s;
const QString kWrong = u"Wrong;pw"_s;
QString role() {
    return u"tarvic_sec_%1"_s.arg(QCoreApplication::applicationPid());
}

// Data sources of this test: the test's TARVIC with some keys said first (the first one counts).
void defineDataSources(const QList<std::pair<QString, QStringList>>& sources) {
    QFile ini(qEnvironmentVariable("ODBCINI"));
    QVERIFY(ini.open(QIODevice::ReadWrite));
    const QString text = QString::fromUtf8(ini.readAll());
    const QString base = text.mid(text.indexOf(u"[TARVIC]"_s) + 8).section(QLatin1Char('['), 0, 0);
    for (const auto& [name, lines] : sources)
        ini.write(u"\n[%1]\n%2%3"_s.arg(name, lines.join(QLatin1Char('\n')), base).toUtf8());
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
        const QString own = u"Username=%1"_s.arg(role());
        defineDataSources({
            {u"SEC_OWN"_s, {own, u"Password="_s + kOwn}},
            {u"SEC_UIDPWD"_s, {u"UID="_s + role(), u"PWD="_s + kOwn}},
            {u"SEC_PASSWORD"_s, {u"Password="_s + kOwn}},
            {u"SEC_USER"_s, {own}},
            {u"SEC_WRONG"_s, {own, u"Password="_s + kWrong}},
            {u"SEC_GONE"_s,
             {TestDb::usePostgres() ? u"Database=no_such_database"_s : u"Database=/no/such/dir/x.db"_s,
              u"NoCreat=1"_s}},
        });
        if (TestDb::usePostgres())
            TestDb::serverAdmin(u"CREATE ROLE %1 LOGIN PASSWORD '%2'"_s.arg(role(), kOwn));
    }

    void oldTransformHashesAndLegacy() {
        // Each code raised by the key's code ('7' = 55, the default key), low eight bits kept;
        // the key upper-cased ("a" is "A"); key character (i mod length) + 1 raises character
        // i; an empty key changes nothing. Letters raised into 0x80..0x9F are the workstation
        // code page's characters there ('I' + 55 = 0x80, the euro sign), read back at their codes.
        const QString typed = u"Secret 123!"_s;
        const std::tuple<QString, QString, QString> cases[] = {{u"ABC"_s, u"7"_s, u"xyz"_s},
                                                               {u"\x01"_s, u"a"_s, QString(QChar(0x42))},
                                                               {u"AAA"_s, u"\x01\x02"_s, u"CBC"_s},
                                                               {typed, QString(), typed},
                                                               {QString(QChar(0xF0)), u"7"_s, QString(QChar(0x27))},
                                                               {u"\u20AC"_s, u"\x01"_s, QString(QChar(0x81))}};
        for (const auto& [text, key, expected] : cases)
            QCOMPARE(Passwords::EnCrypt(text, key), expected);
        QCOMPARE(Passwords::EnCrypt(u"ABC"_s), u"xyz"_s);
        QCOMPARE(Passwords::EnCrypt(u"Ia"_s), u"\u20AC\u02DC"_s);
        QCOMPARE(Passwords::EnCrypt(typed).size(), typed.size());
        QCOMPARE(Passwords::EnCrypt(typed, u"a"_s), Passwords::EnCrypt(typed, u"A"_s));
        for (char c = 0x20; c < 0x7F; ++c)  // printable input never yields a quote
            QVERIFY(!Passwords::EnCrypt(QString(QLatin1Char(c))).contains(QLatin1Char('\'')));
        const QString stored = Passwords::hash(u"Tour@2024"_s);
        QVERIFY(Passwords::isHash(stored) && stored.startsWith(QLatin1String("$argon2id$")));
        QVERIFY(Passwords::hash(u"Tour@2024"_s) != stored);  // salted
        // Stored trimmed, typed with the blanks: no match.
        for (const auto& [typed, match] : {std::pair{u"Tour@2024"_s, Passwords::Match::Yes},
                                           {u"tour@2024"_s, Passwords::Match::No},
                                           {QString(), Passwords::Match::No},
                                           {u" Tour@2024 "_s, Passwords::Match::No}})
            QCOMPARE(Passwords::verify(typed, stored), match);
        const QString unicode = Passwords::hash(u"p\u00E4ss\u20AC"_s);
        QCOMPARE(Passwords::verify(u"p\u00E4ss\u20AC"_s, unicode), Passwords::Match::Yes);
        QCOMPARE(Passwords::verify(u"pass?"_s, unicode), Passwords::Match::No);
        const QString legacy = Passwords::EnCrypt(u"Admin123"_s);
        QVERIFY(!Passwords::isHash(legacy));
        QCOMPARE(Passwords::verify(u"Admin123"_s, legacy), Passwords::Match::YesLegacy);
        QCOMPARE(Passwords::verify(u"admin123"_s, legacy), Passwords::Match::No);
        QCOMPARE(Passwords::verify(u" Admin123 "_s, legacy), Passwords::Match::No);
        // The stored form carried byte for byte as Latin-1 is recognised too.
        QCOMPARE(Passwords::verify(u"Ia"_s, u"\u0080\u0098"_s), Passwords::Match::YesLegacy);
        // An empty stored password never matches.
        QCOMPARE(Passwords::verify(QString(), QString()), Passwords::Match::No);
    }

    void cleanupTestCase() {
        if (TestDb::usePostgres())
            TestDb::serverAdmin(u"DROP ROLE IF EXISTS %1"_s.arg(role()));
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
        for (const QString& dsn : {u"SEC_OWN"_s, u"SEC_UIDPWD"_s}) {
            Database db(through(dsn), dsn);
            QCOMPARE(db.scalar(u"SELECT current_user"_s).toString(), role());
        }
    }

    void failuresNeverShowAPassword_data() {
        QTest::addColumn<QString>("dsn");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("said");
        const QString refused = u"cannot connect to data source \"%1\""_s;
        QTest::newRow("no such data source")
            << "SEC_MISSING" << int(DbError::Kind::NoDataSource) << u"data source \"SEC_MISSING\" does not exist"_s;
        QTest::newRow("database cannot be opened")
            << "SEC_GONE" << int(DbError::Kind::Connection) << refused.arg("SEC_GONE");
        if (TestDb::usePostgres())
            QTest::newRow("wrong password")
                << "SEC_WRONG" << int(DbError::Kind::Connection) << refused.arg("SEC_WRONG");
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

        // The admin tool reports the same failure as no connection (exit 2), and nothing more.
        const AdminRun r = runAdmin({u"--dsn"_s, dsn, u"check"_s});
        QFETCH(QString, said);
        QVERIFY2(r.code == 2 && r.err.contains(said), qPrintable(r.describe()));
        QVERIFY(!showsAnyPassword(r.out + r.err));
    }

    // PostgreSQL quotes a refused row whole ("Failing row contains (...)").
    void aRefusedMailSettingsSaveHidesThePassword() {
        TestSession ts;
        ts.db().exec(TestDb::usePostgres()
                         ? u"ALTER TABLE M_TBL_EMAIL ADD CONSTRAINT refused CHECK (EMAIL_SENDERNAME <> 'REFUSED')"_s
                         : u"CREATE TRIGGER refused BEFORE INSERT ON M_TBL_EMAIL WHEN NEW.EMAIL_SENDERNAME = "
                           "'REFUSED' BEGIN SELECT RAISE(ABORT, 'refused'); END"_s);
        frm_SMTP w(ts.session);
        showActive(w);
        for (auto [field, text] : {std::pair{w.txt_SMTPUsrName, u"mailer"_s},
                                   {w.txt_SMTPPasswd, kOwn},
                                   {w.txt_SMTPServer, u"smtp.test"_s},
                                   {w.txt_SMTPPort, u"25"_s},
                                   {w.txt_SenderName, u"REFUSED"_s}})
            field->setText(text);
        QTest::mouseClick(w.Cmd_Save, Qt::LeftButton);
        QCOMPARE(count(ts.db(), u"M_TBL_EMAIL"_s), qint64(0));
        QCOMPARE(ts.prompter.texts().size(), 1);
        QVERIFY(!ts.prompter.texts().first().isEmpty() && !showsAnyPassword(ts.prompter.texts().first()));
    }

    void theDataFolderIsTheOwnersAlone_data() {
        QTest::addColumn<bool>("existing");
        QTest::newRow("new folder") << false;
        QTest::newRow("loose folder") << true;
    }
    void theDataFolderIsTheOwnersAlone() {
        QFETCH(bool, existing);
        QTemporaryDir home;
        const QString folder = home.path() + u"/data/tarvic"_s;
        const QString file = folder + u"/tarvic.db"_s;
        if (existing) {
            QVERIFY(QDir().mkpath(folder));
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.close();
            QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0755) == 0);
            QVERIFY(::chmod(QFile::encodeName(file).constData(), 0644) == 0);
        }
        makeDataFolderPrivate(folder);
        QCOMPARE(modeOf(folder), 0700);
        if (existing)
            QCOMPARE(modeOf(file), 0600);
    }
};

QTEST_MAIN(tst_secrets)
#include "tst_secrets.moc"
