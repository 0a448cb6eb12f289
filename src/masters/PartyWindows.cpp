#include "PartyWindows.h"

#include "masters/frm_LstPartyRegd.h"
#include "masters/frm_Party.h"
#include "masters/frm_Search_Party.h"

#include <QDateTime>

namespace tarvic {

namespace party {

QString momentText(const QVariant& moment) {
    if (moment.isNull())
        return {};
    QDateTime dt;
    if (moment.metaType().id() == QMetaType::QDateTime) {
        dt = moment.toDateTime();
    } else {
        // SQLite hands moments back as text: "yyyy-MM-dd HH:mm:ss[.zzz]".
        QString text = moment.toString().trimmed();
        text.replace(QLatin1Char(' '), QLatin1Char('T'));
        dt = QDateTime::fromString(text, Qt::ISODateWithMs);
        if (!dt.isValid())
            return moment.toString().trimmed();
    }
    return dt.toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"));
}

QString byOnText(const QVariant& by, const QVariant& on) {
    return by.toString().trimmed() + QStringLiteral(" - ") + momentText(on);
}

}  // namespace party

void registerPartyWindows(WindowRegistry& registry) {
    registry.add<frm_Party>(QStringLiteral("mnu_PartyMaintenance"));
    // From the menu the picker only shows its list: nobody receives the party.
    registry.add<frm_Search_Party>(QStringLiteral("mnu_SrcParty"));
    registry.add<frm_LstPartyRegd>(QStringLiteral("mnu_LstPartyRegd"));
}

}  // namespace tarvic
