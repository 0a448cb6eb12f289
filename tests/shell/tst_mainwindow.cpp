// The main window: caption, the whole menu, rights visibility from M_TBL_MENUSHOW, modal and
// modeless opening of each entry's window by name, and closing everything with the frame.
#include "shell/MainWindow.h"
#include "shell/MenuCatalogue.h"
#include "support/TestSession.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

using namespace tarvic;
using namespace tarvic::test;

class TestMainWindow : public QObject {
    Q_OBJECT

    static void setRight(Database& db, qint64 login, const QString& menuName, const QString& show) {
        QVariant id = db.scalar(QStringLiteral("SELECT MENU_ID FROM M_TBL_MENUDETAILS WHERE MENU_NAME=?"), {menuName});
        if (id.isNull()) {
            // Menus above the entries have no catalogue row of their own until one is added.
            id = db.scalar(QStringLiteral("SELECT COALESCE(MAX(MENU_ID), 0) + 1 FROM M_TBL_MENUDETAILS"));
            db.exec(QStringLiteral("INSERT INTO M_TBL_MENUDETAILS (MENU_ID, GROUP_ID, GROUP_NAME, MENU_NAME, "
                                   "MENU_CAPTION) VALUES (?, 99, 'MENUS', ?, ?)"),
                    {id, menuName, menuName});
        }
        db.exec(QStringLiteral("DELETE FROM M_TBL_MENUSHOW WHERE LOGIN_ID=? AND MENU_ID=?"), {login, id});
        db.exec(QStringLiteral("INSERT INTO M_TBL_MENUSHOW (LOGIN_ID, MENU_ID, SHOW_MENU, MENU_DISP) VALUES (?, ?, ?, ?)"),
                {login, id, show, show == QLatin1String("N") ? QStringLiteral(".Enabled=FALSE")
                                                              : QStringLiteral(".Enabled=TRUE")});
    }

    static QStringList entryNames() {
        QStringList names;
        for (const MenuItem& item : MenuCatalogue::items()) {
            if (item.kind == MenuItem::Kind::Entry)
                names << QString::fromLatin1(item.name);
        }
        return names;
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

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void captionAndWholeMenu() {
        TestSession ts;
        ts.session.userFullName = QStringLiteral(" RAVI KUMAR  ");
        ts.session.companyName = QStringLiteral("SUNRISE TOURS ");
        WindowRegistry registry;
        registry.add(QStringLiteral("frm_Counter"), [](Session&, QWidget*) { return new QDialog; });
        MainWindow w(ts.session, registry);
        QCOMPARE(w.windowTitle(), QStringLiteral("WELCOME RAVI KUMAR TO SUNRISE TOURS"));
        QCOMPARE(w.objectName(), QStringLiteral("MDI_TARVIC"));

        // Every entry of the seeded catalogue is in the menu and shown, and there are no others.
        QStringList catalogue;
        QSqlQuery q = ts.db().exec(QStringLiteral("SELECT MENU_NAME FROM M_TBL_MENUDETAILS ORDER BY MENU_ID"));
        while (q.next())
            catalogue << q.value(0).toString();
        QCOMPARE(entryNames(), catalogue);
        for (const QString& name : catalogue)
            QVERIFY2(w.findChild<QAction*>(name) && w.menuShown(name), qPrintable(name));

        // Only entries with a registered window can be used.
        QVERIFY(w.findChild<QAction*>(QStringLiteral("mnu_CounterReset"))->isEnabled());
        QVERIFY(!w.findChild<QAction*>(QStringLiteral("mnu_CBPT01"))->isEnabled());
    }

    void rightsHideOnlyExplicitN() {
        TestSession ts;
        WindowRegistry registry;
        {
            MainWindow w(ts.session, registry);
            QVERIFY(w.hiddenNames().isEmpty());
            for (const QString& name : entryNames())
                QVERIFY(w.menuShown(name));
        }
        Database& db = ts.db();
        setRight(db, 1, QStringLiteral("mnu_PLAS"), QStringLiteral("N"));
        setRight(db, 1, QStringLiteral("mnu_CounterReset"), QStringLiteral("N"));
        setRight(db, 1, QStringLiteral("mnu_Country"), QStringLiteral("Y"));
        setRight(db, 1, QStringLiteral("mnu_State"), QStringLiteral("n"));
        setRight(db, 1, QStringLiteral("mnu_Place"), QStringLiteral("X"));
        setRight(db, 1, QStringLiteral("mnu_MiscAction"), QStringLiteral("N"));
        setRight(db, 2, QStringLiteral("mnu_LDOP"), QStringLiteral("N"));  // another login's row
        // A catalogue name in another case still names the entry.
        db.exec(QStringLiteral("UPDATE M_TBL_MENUDETAILS SET MENU_NAME='MNU_SRCPARTY' WHERE MENU_NAME='mnu_SrcParty'"));
        setRight(db, 1, QStringLiteral("MNU_SRCPARTY"), QStringLiteral("N"));

        MainWindow w(ts.session, registry);
        const QStringList gone = {"mnu_CompanyProfile", "mnu_Login", "mnu_GMR", "mnu_SmtpServer", "mnu_CounterReset",
                                  "mnu_SendBulkEmail", "mnu_ExpImpMenudetails", "mnu_SrcParty"};
        for (const QString& name : entryNames())
            QVERIFY2(w.menuShown(name) == !gone.contains(name), qPrintable(name));
        QVERIFY(!w.findChild<QMenu*>(QStringLiteral("mnu_PLAS"))->menuAction()->isVisible());
        QVERIFY(!w.findChild<QMenu*>(QStringLiteral("mnu_MiscAction"))->menuAction()->isVisible());
        QVERIFY(w.findChild<QMenu*>(QStringLiteral("mnu_CSP"))->menuAction()->isVisible());
        QVERIFY(w.findChild<QAction*>(QStringLiteral("mnu_DocCode_Maintenance"))->isVisible());
    }

    void rightsApplyAtTheNextLogon() {
        TestSession ts;
        WindowRegistry registry;
        MainWindow before(ts.session, registry);
        setRight(ts.db(), 1, QStringLiteral("mnu_LDOP"), QStringLiteral("N"));
        QVERIFY(before.menuShown(QStringLiteral("mnu_LDOP")));
        MainWindow after(ts.session, registry);
        QVERIFY(!after.menuShown(QStringLiteral("mnu_LDOP")));
        QVERIFY(after.menuShown(QStringLiteral("mnu_LDMA")));
    }

    void unreadableRightsShowEverything() {
        TestSession ts;
        setRight(ts.db(), 1, QStringLiteral("mnu_LDOP"), QStringLiteral("N"));
        ts.db().exec(QStringLiteral("DROP TABLE M_TBL_MENUSHOW"));
        WindowRegistry registry;
        MainWindow w(ts.session, registry);
        for (const QString& name : entryNames())
            QVERIFY(w.menuShown(name));
        QVERIFY(ts.prompter.messages.isEmpty());
    }

    void entriesOpenModalOrModeless() {
        TestSession ts;
        WindowRegistry registry;
        int listings = 0, bookings = 0, counters = 0;
        Session* given = nullptr;
        registry.add(QStringLiteral("frm_LstCBPT01"), [&](Session& s, QWidget*) -> QWidget* {
            ++listings;
            given = &s;
            auto* child = new QWidget;
            child->setObjectName(QStringLiteral("frm_LstCBPT01"));
            return child;
        });
        registry.add(QStringLiteral("frm_CBPT01"), [&](Session&, QWidget* parent) {
            ++bookings;
            auto* win = new QWidget(parent, Qt::Window);
            win->setObjectName(QStringLiteral("frm_CBPT01"));
            return win;
        });
        registry.add(QStringLiteral("frm_Counter"), [&](Session&, QWidget* parent) {
            ++counters;
            auto* d = new QDialog(parent);
            d->setObjectName(QStringLiteral("frm_Counter"));
            return d;
        });
        MainWindow w(ts.session, registry);
        w.show();

        w.findChild<QAction*>(QStringLiteral("mnu_LstCBPT"))->trigger();
        w.findChild<QAction*>(QStringLiteral("mnu_CBPT01"))->trigger();
        QCOMPARE(given, &ts.session);
        QCOMPARE(w.mdiArea()->subWindowList().size(), 1);
        QCOMPARE(w.mdiArea()->subWindowList()[0]->widget()->objectName(), QStringLiteral("frm_LstCBPT01"));
        QPointer<QWidget> booking = w.findChild<QWidget*>(QStringLiteral("frm_CBPT01"));
        QVERIFY(booking && booking->isVisible() && booking->isWindow());
        QVERIFY(!booking->isModal());
        // Both stay open beside the frame; a second click brings the same window forward.
        w.findChild<QAction*>(QStringLiteral("mnu_LstCBPT"))->trigger();
        w.findChild<QAction*>(QStringLiteral("mnu_CBPT01"))->trigger();
        QCOMPARE(listings, 1);
        QCOMPARE(bookings, 1);
        QCOMPARE(w.mdiArea()->subWindowList().size(), 1);

        // A modal entry waits until its window is closed, and its window is gone afterwards.
        QStringList modals;
        closeModalsFor(3000, &modals);
        w.findChild<QAction*>(QStringLiteral("mnu_CounterReset"))->trigger();
        QCOMPARE(modals, QStringList{QStringLiteral("frm_Counter")});
        QCOMPARE(counters, 1);
        QVERIFY(!w.findChild<QDialog*>(QStringLiteral("frm_Counter")));

        // A closed modeless window is made anew on the next click.
        booking->close();
        QTRY_VERIFY(booking.isNull());
        w.findChild<QAction*>(QStringLiteral("mnu_CBPT01"))->trigger();
        QCOMPARE(bookings, 2);
    }

    void closingTheFrameClosesEveryWindow() {
        TestSession ts;
        WindowRegistry registry;
        registry.add(QStringLiteral("frm_LstCBPT01"), [](Session&, QWidget*) { return new QWidget; });
        registry.add(QStringLiteral("frm_CBPT01"), [](Session&, QWidget* parent) { return new QWidget(parent, Qt::Window); });
        registry.add(QStringLiteral("frm_BusinessLeads_Quotation"), [](Session&, QWidget* parent) { return new QDialog(parent); });
        auto* w = new MainWindow(ts.session, registry);
        w->setAttribute(Qt::WA_DeleteOnClose);
        QPointer<MainWindow> frame(w);
        w->show();
        for (const char* entry : {"mnu_LstCBPT", "mnu_CBPT01", "mnu_QGBL01"})
            w->openEntry(QLatin1String(entry));
        QList<QPointer<QWidget>> others;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top != w && top->isVisible())
                others << top;
        }
        QCOMPARE(others.size(), 2);
        QCOMPARE(w->mdiArea()->subWindowList().size(), 1);
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
