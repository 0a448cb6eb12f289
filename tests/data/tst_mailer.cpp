// Mail through a local server that requires STARTTLS and AUTH: one message reaches every
// address of the field, with its From, Reply-To, subject (encoded when not ASCII, never split
// into a second header) and an HTML body with its picture related by Content-ID; nothing is
// sent without TLS, to an untrusted certificate, with a wrong password or to nobody, and the
// password is in no error.
#include "data/Database.h"
#include "data/Mailer.h"
#include "support/SmtpServer.h"
#include "support/TestDb.h"

#include <QtTest>

using namespace tarvic;
using tarvic::test::SmtpServer;

namespace {

MailSettings settings(const SmtpServer& server) {
    return {SmtpServer::kUser,
            SmtpServer::kPassword,
            QStringLiteral("127.0.0.1"),
            server.port(),
            QStringLiteral("TARVIC HOLIDAYS, KOCHI"),
            QStringLiteral("desk@tarvic.test"),
            SmtpServer::caFile()};
}

}  // namespace

class TstMailer : public QObject {
    Q_OBJECT
private slots:
    void settingsAreReadTrimmed() {
        test::TestDb t;
        QVERIFY(!MailSettings::read(t.db()));
        t.db().exec("INSERT INTO M_TBL_EMAIL VALUES (1, ' u ', ' p ', ' smtp.x ', ' 587 ', ' NAME ', ' a@x ')");
        const MailSettings s = *MailSettings::read(t.db());
        QCOMPARE((QStringList{s.user, s.password, s.server, QString::number(s.port), s.senderName, s.senderAddress}),
                 (QStringList{"u", "p", "smtp.x", "587", "NAME", "a@x"}));
        QCOMPARE(splitAddresses(" a@x.test; b@x.test ,, ;c@x.test "),
                 (QStringList{"a@x.test", "b@x.test", "c@x.test"}));
    }

    void htmlWithPictureReachesEveryAddressOnce() {
        SmtpServer server;
        MailMessage m;
        m.to = {QStringLiteral("asha@x.test; john@x.test")};
        m.subject = QStringLiteral("RE:Tour\r\nBcc: thief@x.test");
        m.html = QStringLiteral("<html><p>Kerala ") + QString(100, QLatin1Char('x')) +
                 QStringLiteral(" caf\u00e9</p><img src=\"cid:myimage.jpg\"></html>");
        m.pictures = {{QByteArray("\xff\xd8\xff\xe0 not really a jpeg", 22), QStringLiteral("image/jpeg"),
                       QStringLiteral("myimage.jpg"), QStringLiteral("myimage.jpg")}};
        Mailer(settings(server)).send(m);
        const auto got = server.received();
        QCOMPARE(got.size(), 1);
        QCOMPARE(got[0].envelopeTo, (QStringList{"asha@x.test", "john@x.test"}));
        QCOMPARE(got[0].envelopeFrom, QStringLiteral("desk@tarvic.test"));
        const QByteArray raw = got[0].raw;
        for (const char* expected :
             {"\r\nFrom: \"TARVIC HOLIDAYS, KOCHI\" <desk@tarvic.test>\r\n", "\r\nReply-To: \"TARVIC HOLIDAYS, KOCHI\"",
              "\r\nTo: asha@x.test, john@x.test\r\n", "\r\nSubject: RE:Tour  Bcc: thief@x.test\r\n",
              "Content-Type: multipart/related", "Content-ID: <myimage.jpg>",
              "Content-Transfer-Encoding: quoted-printable", "caf=C3=A9"})
            QVERIFY2(raw.contains(expected), expected);
        QVERIFY(!raw.contains("\r\nBcc:"));
        // Quoted-printable breaks the long body line: every line stays within what servers accept.
        QVERIFY(raw.contains("=\r\n"));
        for (const QByteArray& line : raw.split('\n'))
            QVERIFY(line.size() <= 998);
    }

    void subjectNotInAsciiIsEncoded() {
        SmtpServer server;
        Mailer(settings(server))
            .send({{"a@x.test"}, QStringLiteral("Tour \u2013 \u0d15\u0d47\u0d30\u0d33\u0d02"), {}, "hi", {}});
        const QByteArray raw = server.received().value(0).raw;
        QVERIFY(raw.contains("Subject: =?UTF-8?B?"));
        const QByteArray word = raw.mid(raw.indexOf("=?UTF-8?B?") + 10).split('?').first();
        QCOMPARE(QString::fromUtf8(QByteArray::fromBase64(word)),
                 QStringLiteral("Tour \u2013 \u0d15\u0d47\u0d30\u0d33\u0d02"));
    }

    // Each file comes back byte for byte from its own base64 part after the body, under a name
    // that cannot break its header; a name beyond ASCII keeps its exact form encoded beside it.
    void attachmentsComeBackWhole() {
        SmtpServer server;
        QByteArray pdf("%PDF-1.4\n");
        for (int i = 0; i < 3000; ++i)
            pdf += char(i % 256);
        const QByteArray sheet("PK\x03\x04 cells", 12);
        MailMessage m{{"hotel@x.test"}, "Request", "<p>Please confirm</p>", {}, {}, {}};
        m.attachments = {{QStringLiteral("VOUCHER \"12\"\r\nBcc: x.pdf"), QStringLiteral("application/pdf"), pdf},
                         {QStringLiteral("ROOMING caf\u00e9.xlsx"), QStringLiteral("application/vnd.ms-excel"), sheet}};
        Mailer(settings(server)).send(m);
        const QByteArray raw = server.received().value(0).raw;
        QVERIFY(raw.contains("Content-Type: multipart/mixed"));
        QVERIFY(!raw.contains("\r\nBcc:"));
        QVERIFY(raw.indexOf("Please confirm") < raw.indexOf("filename="));
        const auto part = [&](const QByteArray& disposition) {
            const qsizetype at = raw.indexOf(disposition);
            if (at < 0)
                return QByteArray("missing");
            const qsizetype start = raw.indexOf("\r\n\r\n", at) + 4;
            return QByteArray::fromBase64(raw.mid(start, raw.indexOf("\r\n--", start) - start));
        };
        QCOMPARE(part("filename=\"VOUCHER 12  Bcc: x.pdf\""), pdf);
        QCOMPARE(part("filename=\"ROOMING caf_.xlsx\"; filename*=UTF-8''ROOMING%20caf%C3%A9.xlsx"), sheet);
    }

    void refusedSendsNothingAndKeepsThePassword_data() {
        QTest::addColumn<QStringList>("serverOptions");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("trusted");
        QTest::addColumn<QString>("to");
        QTest::newRow("no TLS offered") << QStringList{"--plain"} << SmtpServer::kPassword << true << "a@x.test";
        QTest::newRow("untrusted certificate") << QStringList{} << SmtpServer::kPassword << false << "a@x.test";
        QTest::newRow("wrong password") << QStringList{} << "wrong;secret" << true << "a@x.test";
        QTest::newRow("authentication refused")
            << QStringList{"--refuse-auth"} << SmtpServer::kPassword << true << "a@x.test";
        QTest::newRow("nobody to send to") << QStringList{} << SmtpServer::kPassword << true << " ; ";
    }
    void refusedSendsNothingAndKeepsThePassword() {
        QFETCH(QStringList, serverOptions);
        QFETCH(QString, password);
        QFETCH(bool, trusted);
        QFETCH(QString, to);
        SmtpServer server(serverOptions);
        MailSettings s = settings(server);
        s.password = password;
        if (!trusted)
            s.caFile.clear();
        try {
            Mailer(s).send({{to}, "Tour", {}, "hi", {}});
            QFAIL("sent");
        } catch (const MailError& e) {
            QVERIFY2(!e.message().contains(password), qPrintable(e.message()));
            QVERIFY(e.message().endsWith(" ...."));
        }
        QCOMPARE(server.received().size(), 0);
    }
};

QTEST_GUILESS_MAIN(TstMailer)
#include "tst_mailer.moc"
