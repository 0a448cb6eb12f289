#pragma once
// Which window each menu entry opens. The shell knows no subsystem: each subsystem library
// registers its windows by menu entry name (mnu_CounterReset, ...) and the program's main()
// calls those registration functions. An entry without a registered window stays in the
// menu, disabled.
#include "shell/Session.h"

#include <QHash>
#include <QWidget>
#include <QString>
#include <functional>

namespace tarvic {

class WindowRegistry {
public:
    // Builds the window for a menu entry. parent is the main window (placement and
    // ownership); the window is shown by the caller, modal or modeless as the menu says.
    using Factory = std::function<QWidget*(Session& session, QWidget* parent)>;

    void add(const QString& menuEntry, Factory factory) { factories_.insert(menuEntry, std::move(factory)); }
    // The common case: the entry opens a window class built from (session, parent).
    template <class W>
    void add(const QString& menuEntry) {
        add(menuEntry, [](Session& session, QWidget* parent) -> QWidget* { return new W(session, parent); });
    }
    bool has(const QString& menuEntry) const { return factories_.contains(menuEntry); }
    QWidget* create(const QString& menuEntry, Session& session, QWidget* parent) const {
        auto it = factories_.constFind(menuEntry);
        QWidget* w = it == factories_.constEnd() ? nullptr : (*it)(session, parent);
        if (w)  // a window opened from the menu lives until it is closed
            w->setAttribute(Qt::WA_DeleteOnClose);
        return w;
    }

private:
    QHash<QString, Factory> factories_;
};

}  // namespace tarvic
