#include "DocumentStatus.h"

namespace tarvic {

namespace sql {

namespace {
QString column(const QString& alias, const char* name) {
    return alias.isEmpty() ? QString::fromLatin1(name) : alias + QLatin1Char('.') + QLatin1String(name);
}
}  // namespace

QString live(const QString& alias) {
    return QStringLiteral("%1='%2'").arg(column(alias, "DOC_STATUS"), status::kLive);
}

QString notCancelled(const QString& alias) {
    return QStringLiteral("COALESCE(%1,'')<>'%2'").arg(column(alias, "DOC_STATUS"), status::kCancelled);
}

QString livePostedAgainstBooking(const QString& alias) {
    return QStringLiteral("%1='%2' AND %3=? AND %4<>'%2' AND %5")
        .arg(column(alias, "IN_DOCCODE"), QLatin1String(kBookingCode), column(alias, "IN_DOCNO"),
             column(alias, "DOC_CODE"), live(alias));
}

}  // namespace sql

}  // namespace tarvic
