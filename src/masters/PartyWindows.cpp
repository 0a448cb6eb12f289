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

namespace {
QWidget* deleteOnClose(QWidget* w) {
    w->setAttribute(Qt::WA_DeleteOnClose);
    return w;
}
}  // namespace

void registerPartyWindows(WindowRegistry& registry) {
    registry.add(QStringLiteral("mnu_PartyMaintenance"),
                 [](Session& s, QWidget* parent) { return deleteOnClose(new frm_Party(s, parent)); });
    // From the menu the picker only shows its list: nobody receives the party.
    registry.add(QStringLiteral("mnu_SrcParty"),
                 [](Session& s, QWidget* parent) { return deleteOnClose(new frm_Search_Party(s, parent)); });
    registry.add(QStringLiteral("mnu_LstPartyRegd"),
                 [](Session& s, QWidget* parent) { return deleteOnClose(new frm_LstPartyRegd(s, parent)); });
}

}  // namespace tarvic
