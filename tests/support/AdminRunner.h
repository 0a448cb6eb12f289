#pragma once
// Runs the real tarvic-admin against a test database and collects what it printed.
#include "support/TestDb.h"

#include <QProcess>

namespace tarvic::test {

struct AdminRun {
    int code = -1;
    QString out;
    QString err;
    QString describe() const { return QStringLiteral("exit %1\n%2%3").arg(code).arg(out, err); }
};

// input is the tool's standard input (a password), closed after it.
inline AdminRun runAdmin(QStringList args, const QByteArray& input = {}) {
    AdminRun r;
    QProcess p;
    p.start(qEnvironmentVariable("TARVIC_BIN_DIR") + QStringLiteral("/src/tarvic-admin"), args);
    if (!p.waitForStarted(10000)) {
        r.err = p.errorString();
        return r;
    }
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(120000);
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

// The same, pointed at the test's own database.
inline AdminRun runAdmin(const TestDb& t, QStringList args, const QByteArray& input = {}) {
    args << QStringLiteral("--set") << t.connectionString().overrides;
    return runAdmin(args, input);
}

}  // namespace tarvic::test
