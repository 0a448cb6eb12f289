#pragma once
// The lead windows' role check (see engine/masters/ConsultantRole.h) for the logged-on user.
#include "engine/masters/ConsultantRole.h"

namespace tarvic {

struct Session;

TCRoleCheck Chk_TCRole(const Session& session);

}  // namespace tarvic
