#include "PartyWindows.h"

#include "masters/frm_LstPartyRegd.h"
#include "masters/frm_Party.h"
#include "masters/frm_PartyWebAccess.h"
#include "masters/frm_Search_Party.h"
#include "masters/frm_WebAccess.h"

namespace tarvic {

void registerPartyWindows(WindowRegistry& registry) {
    registry.add<frm_Party>(QStringLiteral("frm_Party"));
    // Opened from the menu the picker only shows its list: nobody receives the party.
    registry.add(QStringLiteral("frm_Search_Party"), [](Session& s, QWidget* parent, const WindowArgs& args) -> QWidget* {
        return new frm_Search_Party(s, parent, args.onPick);
    });
    registry.add<frm_LstPartyRegd>(QStringLiteral("frm_LstPartyRegd"));
    // The web password of the party PARTY_CODE.
    registry.add(QStringLiteral("frm_PartyWebAccess"), [](Session& s, QWidget* parent, const WindowArgs& args) -> QWidget* {
        return new frm_PartyWebAccess(s, parent, args.value(QStringLiteral("PARTY_CODE")).toLongLong());
    });
    registry.add<frm_WebAccess>(QStringLiteral("frm_WebAccess"));
}

}  // namespace tarvic
