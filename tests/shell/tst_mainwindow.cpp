// The main window and windows by name: caption, the whole menu, rights visibility from
// M_TBL_MENUSHOW, every registered window catalogued, built, fitting the frame and deleted
// on close, modal and modeless opening with arguments, and closing everything with the frame.
#include "app/AllWindows.h"
#include "shell/MainWindow.h"
#include "shell/MenuCatalogue.h"
#include "shell/kit/TaskWindow.h"
#include "support/Drive.h"
#include "support/TestSession.h"

#include <QDialog>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStyle>
#include <QTest>
#include <QTimer>

using namespace tarvic;
using namespace tarvic::test;
using namespace Qt::StringLiterals;

class TestMainWindow : public QObject {
    Q_OBJECT

    static void setRight(Database& db, qint64 login, const QString& menuName, const QString& show) {
        QVariant id = db.scalar(u"SELECT MENU_ID FROM M_TBL_MENUDETAILS WHERE MENU_NAME=?"_s, {menuName});
        if (id.isNull()) {
            // Menus above the entries have no catalogue row of their own until one is added.
            id = db.scalar(u"SELECT COALESCE(MAX(MENU_ID), 0) + 1 FROM M_TBL_MENUDETAILS"_s);
            db.exec(
                u"INSERT INTO M_TBL_MENUDETAILS (MENU_ID, GROUP_ID, GROUP_NAME, MENU_NAME, MENU_CAPTION) "
                "VALUES (?, 99, 'MENUS', ?, ?)"_s,
                {id, menuName, menuName});
        }
        db.exec(u"DELETE FROM M_TBL_MENUSHOW WHERE LOGIN_ID=? AND MENU_ID=?"_s, {login, id});
        db.exec(u"INSERT INTO M_TBL_MENUSHOW (LOGIN_ID, MENU_ID, SHOW_MENU, MENU_DISP) VALUES (?, ?, ?, ?)"_s,
                {login, id, show, show == "N"_L1 ? u".Enabled=FALSE"_s : u".Enabled=TRUE"_s});
    }

    static QStringList entryNames() {
        QStringList names;
        for (const MenuItem& item : MenuCatalogue::items())
            if (item.kind == MenuItem::Kind::Entry)
                names << QString::fromLatin1(item.name);
        return names;
    }

    // The entries a main window built now hides, sorted.
    static QStringList hidden(TestSession& ts, WindowRegistry& registry) {
        MainWindow w(ts.session, registry);
        QStringList out;
        for (const QString& name : entryNames())
            if (!w.menuShown(name))
                out << name;
        out.sort();
        return out;
    }

    // Closes whatever modal window comes up, as a user would, by polling for it.
    static void closeModalsFor(int ms, QStringList* seen) {
        auto* poll = new QTimer(qApp);
        QObject::connect(poll, &QTimer::timeout, [seen] {
            if (QWidget* w = QApplication::activeModalWidget()) {
                *seen << w->objectName();
                w->close();
            }
        });
        poll->start(20);
        QTimer::singleShot(ms, poll, &QObject::deleteLater);
    }

    static QWidget* named(const QString& name, QWidget* w) {
        w->setObjectName(name);
        return w;
    }

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void captionAndWholeMenu() {
        TestSession ts;
        ts.session.userFullName = u" RAVI KUMAR  "_s;
        ts.session.companyName = u"SUNRISE TOURS "_s;
        WindowRegistry registry;
        registry.add(u"frm_Counter"_s, [](Session&, QWidget*) { return new QDialog; });
        MainWindow w(ts.session, registry);
        QCOMPARE(w.windowTitle(), u"WELCOME RAVI KUMAR TO SUNRISE TOURS"_s);
        // Every entry of the seeded catalogue is in the menu and shown, and there are no others.
        const QStringList catalogue = lines(ts.db(), u"SELECT MENU_NAME FROM M_TBL_MENUDETAILS ORDER BY MENU_ID"_s);
        QCOMPARE(entryNames(), catalogue);
        for (const QString& name : catalogue)
            QVERIFY2(w.findChild<QAction*>(name) && w.menuShown(name), qPrintable(name));
        // Only entries with a registered window can be used.
        QVERIFY(w.findChild<QAction*>(u"mnu_CounterReset"_s)->isEnabled());
        QVERIFY(!w.findChild<QAction*>(u"mnu_CBPT01"_s)->isEnabled());
    }

    // Only an explicit "N" of this login hides, and only from the next logon on; rights that
    // cannot be read hide nothing and say nothing.
    void rightsHideOnlyExplicitNAtTheNextLogon() {
        TestSession ts;
        WindowRegistry registry;
        Database& db = ts.db();
        MainWindow before(ts.session, registry);
        QVERIFY(before.hiddenNames().isEmpty());
        for (const auto& [login, name, show] : {std::tuple{1, "mnu_PLAS", "N"},
                                                {1, "mnu_CounterReset", "N"},
                                                {1, "mnu_Country", "Y"},
                                                {1, "mnu_State", "n"},
                                                {1, "mnu_Place", "X"},
                                                {1, "mnu_MiscAction", "N"},
                                                {2, "mnu_LDOP", "N"}})
            setRight(db, login, QLatin1String(name), QLatin1String(show));
        // A catalogue name in another case still names the entry.
        db.exec(u"UPDATE M_TBL_MENUDETAILS SET MENU_NAME='MNU_SRCPARTY' WHERE MENU_NAME='mnu_SrcParty'"_s);
        setRight(db, 1, u"MNU_SRCPARTY"_s, u"N"_s);
        QVERIFY(before.menuShown(u"mnu_CounterReset"_s));
        QCOMPARE(hidden(ts, registry),
                 (QStringList{"mnu_CompanyProfile", "mnu_CounterReset", "mnu_ExpImpMenudetails", "mnu_GMR", "mnu_Login",
                              "mnu_SendBulkEmail", "mnu_SmtpServer", "mnu_SrcParty"}));
        MainWindow w(ts.session, registry);
        QVERIFY(!w.findChild<QMenu*>(u"mnu_PLAS"_s)->menuAction()->isVisible());
        QVERIFY(!w.findChild<QMenu*>(u"mnu_MiscAction"_s)->menuAction()->isVisible());
        QVERIFY(w.findChild<QMenu*>(u"mnu_CSP"_s)->menuAction()->isVisible());
        QVERIFY(w.findChild<QAction*>(u"mnu_DocCode_Maintenance"_s)->isVisible());
        // A menu whose every entry is hidden is hidden too, rather than opening empty.
        for (const char* name : {"mnu_Country", "mnu_State", "mnu_Place"})
            setRight(db, 1, QLatin1String(name), u"N"_s);
        QVERIFY(!MainWindow(ts.session, registry).findChild<QMenu*>(u"mnu_CSP"_s)->menuAction()->isVisible());
        db.exec(u"DROP TABLE M_TBL_MENUSHOW"_s);
        QCOMPARE(hidden(ts, registry), QStringList());
        QVERIFY(ts.prompter.messages.isEmpty());
    }

    // Every registered window is catalogued, lies inside the main window's work area with no
    // visible heading of its grids cut short, and deletes itself when closed.
    void everyRegisteredWindowIsBuiltFitsAndIsDeletedOnClose() {
        TestSession ts;
        WindowRegistry registry;
        registerAllWindows(registry);
        ts.session.windows = &registry;
        MainWindow main(ts.session, registry);
        QVERIFY(showActive(main));
        const QRect frame = main.frameGeometry();
        const QSize area = main.mdiArea()->size();
        QStringList faults;
        QVERIFY(registry.windows().size() >= 30);
        QVERIFY(!registry.has(u"mnu_Country"_s));  // keyed by window, not by menu entry
        for (const QString& name : registry.windows()) {
            QVERIFY2(MenuCatalogue::knowsWindow(name), qPrintable(name));
            QPointer<QWidget> w = registry.create(name, ts.session, &main);
            QVERIFY2(w && w->isWindow(), qPrintable(name));
            w->show();
            QApplication::processEvents();
            const QRect at = w->frameGeometry();
            if (at.width() > area.width() || at.height() > area.height() || !frame.contains(at))
                faults << u"%1 is %2x%3 at %4,%5"_s.arg(name)
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
                        faults << u"%1: \"%2\" %3 < %4"_s.arg(name, text).arg(h->sectionSize(c)).arg(needed);
                }
            }
            shoot(*w, name);
            w->close();
            QTRY_VERIFY2(w.isNull(), qPrintable(name));
        }
        QVERIFY2(faults.isEmpty(),
                 qPrintable(u"work area %1x%2\n"_s.arg(area.width()).arg(area.height()) + faults.join('\n')));
    }

    void openByNameWithArgumentsAndModality() {
        TestSession ts;
        WindowRegistry registry;
        QVariant given;
        auto probe = [&given](Session&, QWidget* parent, const WindowArgs& args) -> QWidget* {
            given = args.value(u"CBPT_NO"_s);
            return new QWidget(parent, Qt::Window);
        };
        registry.add(u"frm_Counter"_s, probe);         // a modal menu entry
        registry.add(u"frm_GrantAccess"_s, probe);     // a modeless one
        registry.add(u"frm_PartyWebAccess"_s, probe);  // on no menu
        ts.session.windows = &registry;
        TaskWindow opener(ts.session);
        QPointer<QWidget> modal = opener.openWindow(u"frm_Counter"_s, {{{u"CBPT_NO"_s, 42}}});
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
        QPointer<QWidget> forced = opener.openWindow(u"frm_GrantAccess"_s, {}, WindowRegistry::Opening::Modal);
        QCOMPARE(forced->windowModality(), Qt::ApplicationModal);
        // A window not built yet, or no registry at all: nothing opens, nothing is said.
        QVERIFY(!opener.canOpen(u"frm_FRDB01"_s));
        QVERIFY(!opener.openWindow(u"frm_FRDB01"_s));
        ts.session.windows = nullptr;
        QVERIFY(!opener.openWindow(u"frm_Counter"_s));
        QVERIFY(ts.prompter.messages.isEmpty());
    }

    // Entries open their windows modal or modeless, each once; closing the frame closes all.
    void entriesOpenModalOrModelessAndCloseWithTheFrame() {
        TestSession ts;
        WindowRegistry registry;
        int listings = 0, bookings = 0, counters = 0;
        Session* given = nullptr;
        registry.add(u"frm_LstCBPT01"_s, [&](Session& s, QWidget*) {
            ++listings;
            given = &s;
            return named(u"frm_LstCBPT01"_s, new QWidget);
        });
        registry.add(u"frm_CBPT01"_s, [&](Session&, QWidget* parent) {
            ++bookings;
            return named(u"frm_CBPT01"_s, new QWidget(parent, Qt::Window));
        });
        registry.add(u"frm_Counter"_s, [&](Session&, QWidget* parent) {
            ++counters;
            return named(u"frm_Counter"_s, new QDialog(parent));
        });
        registry.add(u"frm_BusinessLeads_Quotation"_s, [](Session&, QWidget* parent) { return new QDialog(parent); });
        auto* w = new MainWindow(ts.session, registry);
        w->setAttribute(Qt::WA_DeleteOnClose);
        QPointer<MainWindow> frame(w);
        w->show();
        const auto trigger = [&](const char* entry) { w->findChild<QAction*>(QLatin1String(entry))->trigger(); };
        trigger("mnu_LstCBPT");
        trigger("mnu_CBPT01");
        QCOMPARE(given, &ts.session);
        QCOMPARE(w->mdiArea()->subWindowList().size(), 1);
        QCOMPARE(w->mdiArea()->subWindowList()[0]->widget()->objectName(), u"frm_LstCBPT01"_s);
        QPointer<QWidget> booking = w->findChild<QWidget*>(u"frm_CBPT01"_s);
        QVERIFY(booking && booking->isVisible() && booking->isWindow() && !booking->isModal());
        // Both stay open beside the frame; a second click brings the same window forward.
        trigger("mnu_LstCBPT");
        trigger("mnu_CBPT01");
        QCOMPARE((QList<int>{listings, bookings, int(w->mdiArea()->subWindowList().size())}), (QList<int>{1, 1, 1}));
        // A modal entry waits until its window is closed, and its window is gone afterwards.
        QStringList modals;
        closeModalsFor(3000, &modals);
        trigger("mnu_CounterReset");
        QCOMPARE(modals, QStringList{u"frm_Counter"_s});
        QCOMPARE(counters, 1);
        QVERIFY(!w->findChild<QDialog*>(u"frm_Counter"_s));
        // A closed modeless window is made anew on the next click.
        booking->close();
        QTRY_VERIFY(booking.isNull());
        trigger("mnu_CBPT01");
        QCOMPARE(bookings, 2);
        w->openEntry(u"mnu_QGBL01"_s);
        QList<QPointer<QWidget>> others;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top != w && top->isVisible())
                others << top;
        QCOMPARE(others.size(), 2);
        QVERIFY(w->close());
        QTRY_VERIFY(frame.isNull());
        for (const QPointer<QWidget>& o : others)
            QTRY_VERIFY(o.isNull() || !o->isVisible());
        for (QWidget* top : QApplication::topLevelWidgets())
            QVERIFY2(!top->isVisible(), qPrintable(top->objectName()));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
