#pragma once
// Registered windows made by name as the menu would make them, shown and active, owned by the
// test (not deleted when closed).
#include "shell/WindowRegistry.h"
#include "support/Drive.h"
#include "support/TestSession.h"

#include <functional>
#include <memory>

namespace tarvic::test {

template <class W>
std::unique_ptr<W> createShown(const WindowRegistry& registry, Session& session, const QString& name,
                               const WindowArgs& args = {}) {
    std::unique_ptr<W> w(static_cast<W*>(registry.create(name, session, nullptr, args)));
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    [&] { QVERIFY(showActive(*w)); }();
    return w;
}

// A logged-on session with windows registered; picks holds what the windows handed back.
struct SessionWindows {
    TestSession ts;
    WindowRegistry registry;
    QStringList picks;
    explicit SessionWindows(const std::function<void(WindowRegistry&)>& registerWindows = {}) {
        if (registerWindows)
            registerWindows(registry);
        ts.session.windows = &registry;
    }
    Database& db() { return ts.db(); }
    // Without a callback of its own, the window hands its picks to picks.
    template <class W>
    std::unique_ptr<W> open(const QString& name, WindowArgs args = {}) {
        if (!args.onPick)
            args.onPick = [this](const QString& code) { picks << code; };
        return createShown<W>(registry, ts.session, name, args);
    }
};

}  // namespace tarvic::test
