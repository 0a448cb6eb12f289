#pragma once
// A local mail server for a test: python3-aiosmtpd on a free loopback port, STARTTLS with a
// test-only certificate (tests/support/mail), AUTH required. The messages it received are
// read back whole, with their envelope.
#include "data/Database.h"

#include <QDir>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

namespace tarvic::test {

struct ReceivedMail {
    QStringList envelopeTo;
    QString envelopeFrom;
    QByteArray raw;
};

class SmtpServer {
public:
    static constexpr const char* kUser = "mailer";
    static constexpr const char* kPassword = "s3cret;pass";

    // extra: "--plain" (no TLS), "--refuse-auth", "--refuse-rcpt" ADDRESS.
    explicit SmtpServer(const QStringList& extra = {}) {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        port_ = probe.serverPort();
        probe.close();
        proc_.start(QStringLiteral("/usr/bin/python3"),
                    QStringList{dir() + QStringLiteral("/smtp_server.py"), QStringLiteral("--port"),
                                QString::number(port_), QStringLiteral("--dir"), out_.path()} +
                        extra);
        if (!proc_.waitForStarted(10000) || !proc_.waitForReadyRead(15000) || !proc_.readAll().contains("READY"))
            qFatal("the local mail server did not start: %s", proc_.readAllStandardError().constData());
    }
    ~SmtpServer() {
        proc_.closeWriteChannel();
        if (!proc_.waitForFinished(5000))
            proc_.kill();
    }
    int port() const { return port_; }
    static QString dir() { return QStringLiteral(TARVIC_TEST_SUPPORT_DIR "/mail"); }
    static QString caFile() { return dir() + QStringLiteral("/cert.pem"); }
    // The office's mail settings pointed at this server, its certificate trusted.
    void useFor(Database& db) const {
        qputenv("TARVIC_MAIL_CA_FILE", caFile().toUtf8());
        db.exec(QStringLiteral("DELETE FROM M_TBL_EMAIL"));
        db.exec(
            QStringLiteral("INSERT INTO M_TBL_EMAIL VALUES (1, ?, ?, '127.0.0.1', ?, 'TARVIC DESK', 'desk@x.test')"),
            {kUser, kPassword, QString::number(port_)});
    }

    QList<ReceivedMail> received() const {
        QList<ReceivedMail> out;
        const QDir d(out_.path());
        for (const QString& name : d.entryList({QStringLiteral("*.eml")}, QDir::Files, QDir::Name)) {
            ReceivedMail m;
            QFile raw(d.filePath(name)),
                env(d.filePath(QString(name).replace(QLatin1String(".eml"), QLatin1String(".env"))));
            if (raw.open(QIODevice::ReadOnly))
                m.raw = raw.readAll();
            if (env.open(QIODevice::ReadOnly))
                for (const QString& line :
                     QString::fromUtf8(env.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
                    if (line.startsWith(QLatin1String("TO ")))
                        m.envelopeTo << line.mid(3);
                    else if (line.startsWith(QLatin1String("FROM ")))
                        m.envelopeFrom = line.mid(5);
                }
            out << m;
        }
        return out;
    }

private:
    QTemporaryDir out_;
    QProcess proc_;
    int port_ = 0;
};

}  // namespace tarvic::test
