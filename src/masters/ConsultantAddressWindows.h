#pragma once
#include "shell/WindowRegistry.h"

namespace tarvic {

// Consultant registrations and the address book: mnu_TourConsultant, mnu_OpsConsultant,
// mnu_AddressBook, mnu_Src_AddressBook, mnu_LstAddressBook.
void registerConsultantAndAddressWindows(WindowRegistry& registry);

}  // namespace tarvic
