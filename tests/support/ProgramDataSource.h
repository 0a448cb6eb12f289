#pragma once
// The data source a program started by a test uses: the test's own, pointed at one test's
// database, written into a folder of its own (the program's ODBCINI and ODBCSYSINI).
#include "support/TestDb.h"

#include <QFile>

namespace tarvic::test {

inline bool writeProgramDataSource(const TestDb& t, const QString& dir) {
    QFile testIni(qEnvironmentVariable("ODBCINI"));
    if (!testIni.open(QIODevice::ReadOnly))
        return false;
    QStringList ini = QString::fromUtf8(testIni.readAll()).split(QLatin1Char('\n'));
    for (QString& line : ini)
        if (line.startsWith(QLatin1String("Database=")))
            line = t.connectionString().overrides;
    QFile own(dir + QStringLiteral("/odbc.ini"));
    if (!own.open(QIODevice::WriteOnly))
        return false;
    own.write(ini.join(QLatin1Char('\n')).toUtf8());
    own.close();
    return QFile::copy(qEnvironmentVariable("ODBCSYSINI") + QStringLiteral("/odbcinst.ini"),
                       dir + QStringLiteral("/odbcinst.ini"));
}

}  // namespace tarvic::test
