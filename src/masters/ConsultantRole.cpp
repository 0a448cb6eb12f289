#include "ConsultantRole.h"

#include "shell/Session.h"

namespace tarvic {

TCRoleCheck Chk_TCRole(const Session& session) {
    return Chk_TCRole(*session.db, session.consultantCode);
}

}  // namespace tarvic
