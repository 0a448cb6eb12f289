#include "AccountsWindows.h"

namespace tarvic {

void registerMoneyDocumentWindows(WindowRegistry&) {}

}  // namespace tarvic
