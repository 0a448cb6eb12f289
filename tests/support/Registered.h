#pragma once
// A registered window made by its name as the menu would make it, shown and active, owned by
// the test (it is not deleted when closed).
#include "shell/WindowRegistry.h"
#include "support/Drive.h"

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

}  // namespace tarvic::test
