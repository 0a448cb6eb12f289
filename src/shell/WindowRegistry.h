#pragma once
// Which window each menu entry opens. The shell knows no subsystem: each subsystem library
// registers its windows by menu entry name (mnu_CounterReset, ...) and the program's main()
// calls those registration functions. An entry without a registered window stays in the
// menu, disabled.
#include "shell/Session.h"

#include <QHash>
#include <QString>
#include <functional>

class QWidget;

namespace tarvic {

class WindowRegistry {
public:
    // Builds the window for a menu entry. parent is the main window (placement and
    // ownership); the window is shown by the caller, modal or modeless as the menu says.
    using Factory = std::function<QWidget*(Session& session, QWidget* parent)>;

    void add(const QString& menuEntry, Factory factory) { factories_.insert(menuEntry, std::move(factory)); }
    bool has(const QString& menuEntry) const { return factories_.contains(menuEntry); }
    QWidget* create(const QString& menuEntry, Session& session, QWidget* parent) const {
        auto it = factories_.constFind(menuEntry);
        return it == factories_.constEnd() ? nullptr : (*it)(session, parent);
    }

private:
    QHash<QString, Factory> factories_;
};

}  // namespace tarvic
