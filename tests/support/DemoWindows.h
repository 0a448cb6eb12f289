#pragma once
// The demo books with a subsystem's windows registered: the fixture of a window test that
// works on the demo's bookings and parties (DEMO ASHA NAIR and her booking 1).
#include "engine/admin/DemoData.h"
#include "shell/WindowRegistry.h"
#include "support/Drive.h"
#include "support/TestSession.h"

#include <functional>
#include <memory>

namespace tarvic::test {

struct DemoWindows {
    TestSession ts;
    WindowRegistry registry;
    qint64 asha = 0;  // the demo customer's party code

    explicit DemoWindows(const std::function<void(WindowRegistry&)>& registerWindows) {
        addDemoData(ts.db());
        registerWindows(registry);
        ts.session.windows = &registry;
        asha = ts.db()
                   .scalar(QStringLiteral("SELECT PARTY_CODE FROM M_TBL_PARTY WHERE PARTY_NAME='DEMO ASHA NAIR'"))
                   .toLongLong();
    }
    Database& db() { return ts.db(); }
    // A window made from the registry and shown, owned by the test.
    template <class W>
    std::unique_ptr<W> open(const QString& name, const WindowArgs& args = {}) {
        std::unique_ptr<W> w(static_cast<W*>(registry.create(name, ts.session, nullptr, args)));
        w->setAttribute(Qt::WA_DeleteOnClose, false);
        [&] { QVERIFY(showActive(*w)); }();
        return w;
    }
};

}  // namespace tarvic::test
