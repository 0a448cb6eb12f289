#include "GeographyLists.h"

namespace tarvic {

QDateTime momentOf(const QVariant& v) {
    if (v.isNull())
        return {};
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime();
    const QString s = v.toString().trimmed();
    QDateTime d = QDateTime::fromString(s, Qt::ISODateWithMs);
    if (!d.isValid())
        d = QDateTime::fromString(s, QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    if (!d.isValid())
        d = QDateTime::fromString(s, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return d;
}

QString byOn(const QVariant& by, const QVariant& on) {
    const QString user = by.toString().trimmed();
    const QDateTime moment = momentOf(on);
    if (user.isEmpty() && !moment.isValid())
        return {};
    return user + QStringLiteral(" - ") +
           (moment.isValid() ? moment.toString(QStringLiteral("dd/MM/yyyy hh:mm:ss")) : QString());
}

}  // namespace tarvic
