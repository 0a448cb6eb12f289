#pragma once
// The demo books with a subsystem's windows registered: DEMO ASHA NAIR and her booking 1.
#include "engine/admin/DemoData.h"
#include "support/Registered.h"

namespace tarvic::test {

struct DemoWindows : SessionWindows {
    qint64 asha = 0;  // the demo customer's party code

    explicit DemoWindows(const std::function<void(WindowRegistry&)>& registerWindows)
        : SessionWindows(registerWindows) {
        addDemoData(ts.db());
        asha = partyCode(QStringLiteral("DEMO ASHA NAIR"));
    }
    qint64 partyCode(const QString& name) {
        return db()
            .scalar(QStringLiteral("SELECT PARTY_CODE FROM M_TBL_PARTY WHERE PARTY_NAME=?"), {name})
            .toLongLong();
    }
};

}  // namespace tarvic::test
