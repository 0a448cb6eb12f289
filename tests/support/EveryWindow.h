#pragma once
// Every registered window of the program over a fresh database, opened in turn over the main
// window as the menu would open it: built, shown, looked at, closed, and gone. For checks that
// must hold in every window (tests that link every subsystem).
#include "app/AllWindows.h"
#include "shell/MainWindow.h"
#include "support/Drive.h"
#include "support/TestSession.h"

#include <QApplication>
#include <QPointer>
#include <QtTest>

#include <functional>
#include <memory>

namespace tarvic::test {

struct EveryWindow {
    TestSession ts;
    WindowRegistry registry;
    std::unique_ptr<MainWindow> main;

    EveryWindow() {
        registerAllWindows(registry);
        ts.session.windows = &registry;
        main = std::make_unique<MainWindow>(ts.session, registry);
    }

    void forEach(const std::function<void(const QString& name, QWidget& window)>& look) {
        QVERIFY(showActive(*main));
        for (const QString& name : registry.windows()) {
            QPointer<QWidget> w = registry.create(name, ts.session, main.get());
            QVERIFY2(w && w->isWindow(), qPrintable(name));
            w->show();
            QApplication::processEvents();
            look(name, *w);
            w->close();
            QTRY_VERIFY2(w.isNull(), qPrintable(name));
        }
    }
};

}  // namespace tarvic::test
