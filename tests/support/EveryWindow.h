#pragma once
// Every registered window opened in turn over the main window, as the menu would open it:
// built, shown, looked at, closed, and gone. For checks that must hold in every window.
#include "shell/WindowRegistry.h"

#include <QApplication>
#include <QPointer>
#include <QtTest>

#include <functional>

namespace tarvic::test {

inline void forEachWindow(const WindowRegistry& registry, Session& session, QWidget* main,
                          const std::function<void(const QString& name, QWidget& window)>& look) {
    for (const QString& name : registry.windows()) {
        QPointer<QWidget> w = registry.create(name, session, main);
        QVERIFY2(w && w->isWindow(), qPrintable(name));
        w->show();
        QApplication::processEvents();
        look(name, *w);
        w->close();
        QTRY_VERIFY2(w.isNull(), qPrintable(name));
    }
}

}  // namespace tarvic::test
