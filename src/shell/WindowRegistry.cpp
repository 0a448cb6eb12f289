#include "WindowRegistry.h"

#include "shell/MenuCatalogue.h"

#include <QApplication>

namespace tarvic {

namespace {

// The property that names the window and document an opened window shows.
constexpr const char* kShows = "tarvicShows";

// The window's name and its identifying values, in one text; empty without values.
QString documentOf(const QString& window, const WindowArgs& args) {
    QStringList keys = args.identity.isEmpty() ? args.values.keys() : args.identity;
    if (keys.isEmpty())
        return {};
    keys.sort();
    QString text = window;
    for (const QString& key : keys)
        text += QLatin1Char('\x1f') + key + QLatin1Char('=') + args.values.value(key).toString();
    return text;
}

QWidget* openWindowShowing(const QString& document) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w->property(kShows).toString() == document)
            return w;
    }
    return nullptr;
}

void bringToFront(QWidget* w) {
    if (w->isMinimized())
        w->showNormal();
    w->raise();
    w->activateWindow();
}

}  // namespace

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
    const QString document = documentOf(window, args);
    if (!document.isEmpty() && has(window)) {
        if (QWidget* open = openWindowShowing(document)) {
            bringToFront(open);
            return open;
        }
    }
    QWidget* w = create(window, session, parent, args);
    if (!w)
        return nullptr;
    if (!document.isEmpty())
        w->setProperty(kShows, document);
    if (how == Opening::AsCatalogued) {
        const MenuItem* entry = MenuCatalogue::entryOpening(window);
        how = !entry || entry->modeless ? Opening::Modeless : Opening::Modal;
    }
    if (!w->isWindow())
        w->setWindowFlag(Qt::Window, true);
    if (how == Opening::Modal)
        w->setWindowModality(Qt::ApplicationModal);
    w->show();
    bringToFront(w);
    return w;
}

}  // namespace tarvic
