#include "MastersWindows.h"

#include "masters/ConsultantAddressWindows.h"
#include "masters/LookupMasters.h"
#include "masters/PartyWindows.h"
#include "masters/StatusWindows.h"
#include "masters/frm_ScheduleTemplate.h"

namespace tarvic {

void registerMastersWindows(WindowRegistry& registry) {
    registerGeographyAndLookupWindows(registry);
    registerPartyWindows(registry);
    registerConsultantAndAddressWindows(registry);
    registerStatusWindows(registry);
    registry.add<frm_ScheduleTemplate>(QStringLiteral("frm_ScheduleTemplate"));
}

}  // namespace tarvic
