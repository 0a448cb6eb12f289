#pragma once
// The session values of one run: the shared connection, who is logged on, the company, and
// the prompter every window reports through, and the windows a window may open by name.
// Passed to every window; nothing is global.
#include "data/Database.h"
#include "shell/Prompter.h"

#include <QString>

namespace tarvic {

class WindowRegistry;

struct Session {
    Database* db = nullptr;
    Prompter* prompter = nullptr;
    QString userFullName;    // FULL_NAME of the logged-on login; written into *_BY columns
    qint64 loginId = 0;      // LOGIN_ID; key of the menu rights
    int consultantCode = 0;  // CONSULTANT_CODE of the login
    QString companyName;     // LOC_NAME of the company row
    // Every window by name, for a window that opens another; null where none are registered.
    const WindowRegistry* windows = nullptr;
};

}  // namespace tarvic
