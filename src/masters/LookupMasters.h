#pragma once
// The ten lookup lists of the masters (party types, lead types, lead request types, meal
// plans, room types, vehicle brands, taxes, banks, payment modes, groups and meetings): each
// one grid over its whole table, configured here. Also the registration of the geography
// windows and the group/meeting search.
#include "shell/WindowRegistry.h"
#include "shell/kit/LookupGridConfig.h"

namespace tarvic {

LookupGridConfig frm_PartyType_Config();
LookupGridConfig frm_LeadType_Config();
LookupGridConfig frm_LeadRequestType_Config();
LookupGridConfig frm_MealPlan_Config();
LookupGridConfig frm_RoomType_Config();
LookupGridConfig frm_VehicleBrand_Config();
LookupGridConfig frm_TaxMaintenance_Config();
LookupGridConfig frm_Bank_Config();
LookupGridConfig frm_PaymentMode_Config();
LookupGridConfig frm_GroupMeet_Config();

// The configuration of each of the ten windows (registered by its window name).
QList<LookupGridConfig> lookupWindowConfigs();

// The ten lookup windows only.
void registerLookupWindows(WindowRegistry& registry);
// Lookup windows, country, state, place and the group/meeting search.
void registerGeographyAndLookupWindows(WindowRegistry& registry);

}  // namespace tarvic
