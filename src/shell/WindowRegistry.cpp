#include "WindowRegistry.h"

#include "shell/MenuCatalogue.h"

namespace tarvic {

QStringList WindowRegistry::windows() const {
    QStringList names = factories_.keys();
    names.sort();
    return names;
}

QWidget* WindowRegistry::create(const QString& window, Session& session, QWidget* parent,
                                const WindowArgs& args) const {
    auto it = factories_.constFind(window);
    QWidget* w = it == factories_.constEnd() ? nullptr : (*it)(session, parent, args);
    if (w)  // an opened window lives until it is closed
        w->setAttribute(Qt::WA_DeleteOnClose);
    return w;
}

QWidget* WindowRegistry::open(const QString& window, Session& session, QWidget* parent, const WindowArgs& args,
                              Opening how) const {
    QWidget* w = create(window, session, parent, args);
    if (!w)
        return nullptr;
    if (how == Opening::AsCatalogued) {
        const MenuItem* entry = MenuCatalogue::entryOpening(window);
        how = !entry || entry->modeless ? Opening::Modeless : Opening::Modal;
    }
    if (!w->isWindow())
        w->setWindowFlag(Qt::Window, true);
    if (how == Opening::Modal)
        w->setWindowModality(Qt::ApplicationModal);
    w->show();
    w->raise();
    w->activateWindow();
    return w;
}

}  // namespace tarvic
