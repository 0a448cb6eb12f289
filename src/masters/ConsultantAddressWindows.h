#pragma once
#include "shell/WindowRegistry.h"

namespace tarvic {

// Consultant registrations and the address book: frm_RegdConsultant, frm_Regd_Consultant_OP,
// frm_AddressBook, frm_Search_AddressBook, frm_LstAddressBook.
void registerConsultantAndAddressWindows(WindowRegistry& registry);

}  // namespace tarvic
