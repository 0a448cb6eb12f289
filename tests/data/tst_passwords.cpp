// Stored passwords: the old transform (still recognised for existing logins) and argon2id
// hashes for everything stored from now on.
#include "data/Passwords.h"

#include <QtTest>

using namespace tarvic;

class TstPasswords : public QObject {
    Q_OBJECT
private slots:
    void enCrypt() {
        // Each code raised by the key's code ('7' = 55), low eight bits kept, length kept.
        QCOMPARE(Passwords::EnCrypt(QStringLiteral("ABC"), QStringLiteral("7")), QStringLiteral("xyz"));
        QCOMPARE(Passwords::EnCrypt(QStringLiteral("ABC")), QStringLiteral("xyz"));
        const QString typed = QStringLiteral("Secret 123!");
        QCOMPARE(Passwords::EnCrypt(typed).size(), typed.size());
        // The key is upper-cased before use: "a" and "A" are the same key.
        QCOMPARE(Passwords::EnCrypt(typed, QStringLiteral("a")), Passwords::EnCrypt(typed, QStringLiteral("A")));
        QCOMPARE(Passwords::EnCrypt(QStringLiteral("\x01"), QStringLiteral("a")), QString(QChar(0x42)));
        // Key characters are taken from position (i mod length) + 1: the second key
        // character raises the first text character.
        QCOMPARE(Passwords::EnCrypt(QStringLiteral("AAA"), QStringLiteral("\x01\x02")), QStringLiteral("CBC"));
        // An empty key leaves the text as it is.
        QCOMPARE(Passwords::EnCrypt(typed, QString()), typed);
        // Codes wrap at eight bits.
        QCOMPARE(Passwords::EnCrypt(QString(QChar(0xF0)), QStringLiteral("7")), QString(QChar(0x27)));
        // Printable input never yields a quote.
        for (char c = 0x20; c < 0x7F; ++c)
            QVERIFY(!Passwords::EnCrypt(QString(QLatin1Char(c))).contains(QLatin1Char('\'')));
    }

    void enCryptCodePage() {
        // Letters raised into 0x80..0x9F are the workstation code page's characters there:
        // 'I' + 55 = 0x80 (euro sign), 'a' + 55 = 0x98 (small tilde).
        QCOMPARE(Passwords::EnCrypt(QStringLiteral("Ia")), QString::fromUtf16(u"\u20AC\u02DC"));
        // and such characters typed in a password are read at their code-page codes.
        QCOMPARE(Passwords::EnCrypt(QString::fromUtf16(u"\u20AC"), QStringLiteral("\x01")), QString(QChar(0x81)));
    }

    void hashes() {
        const QString stored = Passwords::hash(QStringLiteral("Tour@2024"));
        QVERIFY(Passwords::isHash(stored));
        QVERIFY(stored.startsWith(QLatin1String("$argon2id$")));
        QVERIFY(Passwords::hash(QStringLiteral("Tour@2024")) != stored);  // salted
        QCOMPARE(Passwords::verify(QStringLiteral("Tour@2024"), stored), Passwords::Match::Yes);
        QCOMPARE(Passwords::verify(QStringLiteral("tour@2024"), stored), Passwords::Match::No);
        QCOMPARE(Passwords::verify(QString(), stored), Passwords::Match::No);
        // Stored trimmed, typed with the blanks: no match.
        QCOMPARE(Passwords::verify(QStringLiteral(" Tour@2024 "), stored), Passwords::Match::No);
        const QString unicode = Passwords::hash(QString::fromUtf16(u"p\u00E4ss\u20AC"));
        QCOMPARE(Passwords::verify(QString::fromUtf16(u"p\u00E4ss\u20AC"), unicode), Passwords::Match::Yes);
        QCOMPARE(Passwords::verify(QStringLiteral("pass?"), unicode), Passwords::Match::No);
    }

    void legacy() {
        const QString stored = Passwords::EnCrypt(QStringLiteral("Admin123"));
        QVERIFY(!Passwords::isHash(stored));
        QCOMPARE(Passwords::verify(QStringLiteral("Admin123"), stored), Passwords::Match::YesLegacy);
        QCOMPARE(Passwords::verify(QStringLiteral("admin123"), stored), Passwords::Match::No);
        QCOMPARE(Passwords::verify(QStringLiteral(" Admin123 "), stored), Passwords::Match::No);
        // The stored form carried byte for byte as Latin-1 is recognised too.
        QCOMPARE(Passwords::verify(QStringLiteral("Ia"), QString::fromUtf16(u"\u0080\u0098")), Passwords::Match::YesLegacy);
        // An empty stored password never matches.
        QCOMPARE(Passwords::verify(QString(), QString()), Passwords::Match::No);
    }
};

QTEST_GUILESS_MAIN(TstPasswords)
#include "tst_passwords.moc"
