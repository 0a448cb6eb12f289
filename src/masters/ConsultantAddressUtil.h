#pragma once
// Small helpers shared by the consultant and address-book windows: audit moments written
// through a record set and shown in grids as "BY - ON".
#include <QDateTime>
#include <QString>
#include <QVariant>

namespace tarvic {

// The workstation's clock, to the second, for CREATED_ON / UPDATE_ON written with a row.
inline QDateTime workstationNow() {
    const QDateTime now = QDateTime::currentDateTime();
    return now.addMSecs(-now.time().msec());
}

// A moment read back from either engine: PostgreSQL returns a date-time, SQLite the text it
// stored ("yyyy-MM-dd HH:mm:ss.zzz").
inline QDateTime auditMoment(const QVariant& v) {
    if (v.isNull())
        return {};
    if (v.metaType().id() == QMetaType::QDateTime)
        return v.toDateTime();
    const QString s = v.toString().trimmed();
    for (const char* f : {"yyyy-MM-dd HH:mm:ss.zzz", "yyyy-MM-dd HH:mm:ss", "yyyy-MM-ddTHH:mm:ss.zzz",
                          "yyyy-MM-ddTHH:mm:ss", "yyyy-MM-dd"}) {
        const QDateTime dt = QDateTime::fromString(s, QLatin1String(f));
        if (dt.isValid())
            return dt;
    }
    return QDateTime::fromString(s, Qt::ISODate);
}

inline QString showAuditMoment(const QVariant& v) {
    const QDateTime dt = auditMoment(v);
    return dt.isValid() ? dt.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")) : QString();
}

// "CREATED BY - ON" cell: the user and the moment.
inline QString auditByOn(const QVariant& by, const QVariant& on) {
    const QString who = by.toString().trimmed();
    const QString when = showAuditMoment(on);
    if (who.isEmpty() && when.isEmpty())
        return {};
    return who + QStringLiteral(" - ") + when;
}

}  // namespace tarvic
