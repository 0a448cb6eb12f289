// Windows by name: every registered window is catalogued, is built with its own name and
// deletes itself when closed; a window opened by name gets its arguments and the modality
// the catalogue gives it.
#include "app/AllWindows.h"
#include "shell/MainWindow.h"
#include "shell/MenuCatalogue.h"
#include "shell/kit/TaskWindow.h"
#include "support/Drive.h"
#include "support/TestSession.h"

#include <QApplication>
#include <QHeaderView>
#include <QMdiArea>
#include <QPointer>
#include <QStyle>
#include <QtTest>

using namespace tarvic;
using namespace tarvic::test;

class tst_window_catalogue : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void everyRegisteredWindowIsCataloguedBuiltAndDeletedOnClose() {
        TestSession ts;
        WindowRegistry registry;
        registerAllWindows(registry);
        ts.session.windows = &registry;
        QWidget main;
        const QStringList names = registry.windows();
        QVERIFY(names.size() >= 30);
        for (const QString& name : names) {
            QVERIFY2(MenuCatalogue::knowsWindow(name), qPrintable(name));
            QPointer<QWidget> w = registry.create(name, ts.session, &main);
            QVERIFY2(w, qPrintable(name));
            QCOMPARE(w->objectName(), name);
            QVERIFY2(w->isWindow(), qPrintable(name));
            w->show();
            w->close();
            QTRY_VERIFY2(w.isNull(), qPrintable(name));
        }
        QVERIFY(!registry.has(QStringLiteral("mnu_Country")));  // keyed by window, not by menu entry
    }

    // Opened over a main window of its default size, every window lies inside the main
    // window's work area, and no visible heading of its grids is cut short.
    void everyWindowFitsTheMainWindowWithHeadingsWhole() {
        TestSession ts;
        WindowRegistry registry;
        registerAllWindows(registry);
        ts.session.windows = &registry;
        MainWindow main(ts.session, registry);
        QVERIFY(showActive(main));
        const QRect frame = main.frameGeometry();
        const QSize area = main.mdiArea()->size();
        QStringList faults;
        for (const QString& name : registry.windows()) {
            QPointer<QWidget> w = registry.create(name, ts.session, &main);
            QVERIFY2(w, qPrintable(name));
            w->show();
            QApplication::processEvents();
            const QRect at = w->frameGeometry();
            if (at.width() > area.width() || at.height() > area.height() || !frame.contains(at))
                faults << QStringLiteral("%1 is %2x%3 at %4,%5")
                              .arg(name)
                              .arg(at.width())
                              .arg(at.height())
                              .arg(at.x() - frame.x())
                              .arg(at.y() - frame.y());
            for (const QHeaderView* h : w->findChildren<QHeaderView*>()) {
                if (h->orientation() != Qt::Horizontal || !h->isVisible())
                    continue;
                // The style's margin on either side, then the whole text, or it is elided.
                const int margin = 2 * h->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, h);
                for (int c = 0; c < h->count(); ++c) {
                    const QString text = h->model()->headerData(c, Qt::Horizontal).toString();
                    const int needed = h->fontMetrics().horizontalAdvance(text) + margin;
                    if (!h->isSectionHidden(c) && !text.isEmpty() && h->sectionSize(c) < needed)
                        faults
                            << QStringLiteral("%1: \"%2\" %3 < %4").arg(name, text).arg(h->sectionSize(c)).arg(needed);
                }
            }
            shoot(*w, name);
            w->close();
            QTRY_VERIFY2(w.isNull(), qPrintable(name));
        }
        QVERIFY2(faults.isEmpty(),
                 qPrintable(QStringLiteral("main window work area %1x%2\n").arg(area.width()).arg(area.height()) +
                            faults.join(QLatin1Char('\n'))));
    }

    void openByNameWithArgumentsAndModality() {
        TestSession ts;
        WindowRegistry registry;
        QVariant given;
        auto probe = [&given](Session&, QWidget* parent, const WindowArgs& args) -> QWidget* {
            given = args.value(QStringLiteral("CBPT_NO"));
            return new QWidget(parent, Qt::Window);
        };
        registry.add(QStringLiteral("frm_Counter"), probe);         // a modal menu entry
        registry.add(QStringLiteral("frm_GrantAccess"), probe);     // a modeless one
        registry.add(QStringLiteral("frm_PartyWebAccess"), probe);  // on no menu
        ts.session.windows = &registry;
        TaskWindow opener(ts.session);

        QPointer<QWidget> modal = opener.openWindow(QStringLiteral("frm_Counter"), {{{QStringLiteral("CBPT_NO"), 42}}});
        QVERIFY(modal && modal->isVisible());
        QCOMPARE(given.toInt(), 42);
        QCOMPARE(modal->windowModality(), Qt::ApplicationModal);
        QCOMPARE(modal->parentWidget(), &opener);
        for (const char* name : {"frm_GrantAccess", "frm_PartyWebAccess"}) {
            QPointer<QWidget> w = opener.openWindow(QLatin1String(name));
            QVERIFY(w && w->isVisible());
            QCOMPARE(w->windowModality(), Qt::NonModal);
            w->close();
            QTRY_VERIFY(w.isNull());
        }
        QPointer<QWidget> forced =
            opener.openWindow(QStringLiteral("frm_GrantAccess"), {}, WindowRegistry::Opening::Modal);
        QCOMPARE(forced->windowModality(), Qt::ApplicationModal);

        // A window not built yet, or no registry at all: nothing opens, nothing is said.
        QVERIFY(!opener.canOpen(QStringLiteral("frm_FRDB01")));
        QVERIFY(!opener.openWindow(QStringLiteral("frm_FRDB01")));
        ts.session.windows = nullptr;
        QVERIFY(!opener.openWindow(QStringLiteral("frm_Counter")));
        QVERIFY(ts.prompter.messages.isEmpty());
    }
};

QTEST_MAIN(tst_window_catalogue)
#include "tst_window_catalogue.moc"
