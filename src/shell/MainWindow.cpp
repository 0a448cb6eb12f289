#include "MainWindow.h"

#include "data/Migrations.h"
#include "data/PrivateFiles.h"
#include "engine/admin/CompanyProfile.h"
#include "engine/masters/ConsultantRole.h"
#include "shell/MenuCatalogue.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QEventLoop>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cstdio>

namespace tarvic {

namespace {

const QColor kBackColour(221, 240, 250);

// The frame's backdrop: the system colour with a quiet picture in the middle.
class Backdrop : public QMdiArea {
public:
    using QMdiArea::QMdiArea;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(viewport());
        p.fillRect(viewport()->rect(), kBackColour);
        const QRect r = viewport()->rect();
        const int side = qMin(r.width(), r.height()) * 2 / 3;
        if (side < 60)
            return;
        p.setRenderHint(QPainter::Antialiasing);
        const QPointF c = r.center();
        const qreal rad = side / 2.0;
        // A globe of latitude and longitude lines, drawn a shade darker than the backdrop.
        QPen pen(QColor(176, 208, 230), qMax(1.0, rad / 120));
        p.setPen(pen);
        p.setBrush(QColor(208, 232, 246));
        p.drawEllipse(c, rad, rad);
        p.setBrush(Qt::NoBrush);
        for (int i = 1; i < 4; ++i) {
            const qreal k = i / 4.0;
            p.drawEllipse(c, rad * k, rad);                                          // meridians
            const qreal y = rad * (2 * k - 1);
            const qreal half = std::sqrt(rad * rad - y * y);
            p.drawLine(QPointF(c.x() - half, c.y() + y), QPointF(c.x() + half, c.y() + y));  // parallels
        }
        p.drawLine(QPointF(c.x(), c.y() - rad), QPointF(c.x(), c.y() + rad));
        // A route arcing over it.
        QPen route(QColor(150, 190, 220), qMax(1.5, rad / 90), Qt::DashLine, Qt::RoundCap);
        p.setPen(route);
        QPainterPath arc;
        arc.moveTo(c + QPointF(-rad * 1.2, rad * 0.35));
        arc.cubicTo(c + QPointF(-rad * 0.6, -rad * 1.3), c + QPointF(rad * 0.6, -rad * 1.3),
                    c + QPointF(rad * 1.25, -rad * 0.2));
        p.drawPath(arc);
        QFont f(QStringLiteral("Sans Serif"));
        f.setBold(true);
        f.setPixelSize(qMax(10, int(rad / 3.2)));
        f.setLetterSpacing(QFont::PercentageSpacing, 118);
        p.setFont(f);
        p.setPen(QColor(150, 186, 212));
        p.drawText(QRectF(r.left(), c.y() + rad + 4, r.width(), rad / 2.2), Qt::AlignHCenter | Qt::AlignTop,
                   QStringLiteral("TARVIC"));
    }
};

// Ends a modal wait when the window is hidden or closed, whichever comes first.
class HideWatcher : public QObject {
public:
    HideWatcher(QWidget* window, QEventLoop* loop) : QObject(window), loop_(loop) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        Q_UNUSED(watched);
        if (event->type() == QEvent::Hide)
            QMetaObject::invokeMethod(loop_, &QEventLoop::quit, Qt::QueuedConnection);
        return false;
    }

private:
    QEventLoop* loop_;
};

}  // namespace

MainWindow::MainWindow(Session& session, const WindowRegistry& registry, QWidget* parent)
    : QMainWindow(parent), session_(session), registry_(registry) {
    setObjectName(QStringLiteral("MDI_TARVIC"));
    mdi_ = new Backdrop(this);
    mdi_->setObjectName(QStringLiteral("MDIArea"));
    mdi_->setBackground(kBackColour);
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);
    resize(1024, 700);
    buildMenu();
    buildHelpMenu();
    MDIForm_Load();
}

void MainWindow::buildHelpMenu() {
    // Not an entry of the catalogue: every user has it, whatever the rights.
    QMenu* help = menuBar()->addMenu(QStringLiteral("&HELP"));
    help->setObjectName(QStringLiteral("mnu_Help"));
    QAction* about = help->addAction(QStringLiteral("&ABOUT TARVIC"));
    about->setObjectName(QStringLiteral("mnu_About"));
    connect(about, &QAction::triggered, this, &MainWindow::showAbout);
    help->addSeparator();
    QAction* logOff = help->addAction(QStringLiteral("&LOG OFF"));
    logOff->setObjectName(QStringLiteral("mnu_LogOff"));
    logOff->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L));
    connect(logOff, &QAction::triggered, this, &MainWindow::logOff);
}

QString MainWindow::aboutText() const {
    const QString version = QCoreApplication::applicationVersion();
    QStringList lines{
        QStringLiteral("TARVIC %1").arg(version.isEmpty() ? QStringLiteral("(DEVELOPMENT BUILD)") : version)};
    Database& db = *session_.db;
    // The data source by name only (the connection string's first item): the rest may hold a password.
    QString dsn = db.handle().databaseName().section(QLatin1Char(';'), 0, 0).trimmed();
    if (dsn.contains(QLatin1Char('=')))
        dsn = dsn.startsWith(QLatin1String("DSN="), Qt::CaseInsensitive) ? dsn.mid(4) : QString();
    try {
        lines << QStringLiteral("SCHEMA VERSION : %1").arg(Migrations(db).currentVersion());
        if (db.dialect().isSqlite()) {
            lines << QStringLiteral("DATABASE : EMBEDDED (SQLITE)");
            lines << QStringLiteral("DATA SOURCE : %1").arg(dsn);
            lines << QStringLiteral("FILE : %1").arg(databaseFile(db));
        } else {
            lines
                << QStringLiteral("DATABASE : SERVER (POSTGRESQL %1)")
                       .arg(
                           db.scalar(QStringLiteral("SHOW server_version")).toString().section(QLatin1Char(' '), 0, 0));
            lines << QStringLiteral("DATA SOURCE : %1").arg(dsn);
            lines << QStringLiteral("SERVER DATABASE : %1")
                         .arg(db.scalar(QStringLiteral("SELECT current_database()")).toString());
        }
    } catch (const DbError& e) {
        lines << e.message();
    }
    lines << QStringLiteral("COMPANY : %1").arg(session_.companyName.trimmed());
    lines << QStringLiteral("LOGGED ON : %1 (LOGIN ID %2)").arg(session_.userFullName.trimmed()).arg(session_.loginId);
    return lines.join(QLatin1String("\r\n"));
}

void MainWindow::showAbout() {
    session_.prompter->information(this, aboutText(), QStringLiteral("ABOUT TARVIC"));
}

void MainWindow::logOff() {
    // The frame closes as on quitting, taking every window with it; the program stays.
    if (!close())
        return;
    session_.loginId = 0;
    session_.userFullName.clear();
    session_.consultantCode = 0;
    emit loggedOff();
}

bool MainWindow::offerCompanySetUp() {
    if (!menuShown(QStringLiteral("mnu_CompanyProfile")))
        return false;
    QStringList unfilled;
    try {
        unfilled = CompanyProfile::read(*session_.db).unfilled();
    } catch (const DbError& e) {
        std::fprintf(stderr, "tarvic: reading the company profile: %s\n", e.message().toLocal8Bit().constData());
        return false;
    }
    if (unfilled.isEmpty())
        return false;
    openEntry(QStringLiteral("mnu_CompanyProfile"));
    return true;
}

bool MainWindow::offerTodayBoard() {
    const QString entry = QStringLiteral("mnu_TodayBoard");
    if (!menuShown(entry) || !registry_.has(QStringLiteral("frm_TodayBoard")))
        return false;
    // A login that is no tour consultant has no board: the menu entry says why when asked.
    try {
        if (!Chk_TCRole(*session_.db, session_.consultantCode).saveAllowed())
            return false;
    } catch (const DbError& e) {
        std::fprintf(stderr, "tarvic: reading the consultant's role: %s\n", e.message().toLocal8Bit().constData());
        return false;
    }
    openEntry(entry);
    return open_.value(entry) != nullptr;
}

void MainWindow::openAtLogon() {
    offerCompanySetUp();
    offerTodayBoard();
}

void MainWindow::MDIForm_Load() {
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kBackColour);
    setPalette(pal);
    setWindowTitle(QStringLiteral("WELCOME ") + session_.userFullName.trimmed() + QStringLiteral(" TO ") +
                   session_.companyName.trimmed());
    applyRights();
}

void MainWindow::buildMenu() {
    QHash<QString, QMenu*> menus;
    for (const MenuItem& item : MenuCatalogue::items()) {
        const QString name = QString::fromLatin1(item.name);
        const QString caption = QString::fromLatin1(item.caption);
        QMenu* parent = item.parent ? menus.value(QString::fromLatin1(item.parent)) : nullptr;
        if (item.parent)
            parentOf_.insert(name, QString::fromLatin1(item.parent));
        switch (item.kind) {
        case MenuItem::Kind::Top:
        case MenuItem::Kind::Submenu: {
            QMenu* menu = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
            menu->setObjectName(name);
            menus.insert(name, menu);
            actions_.insert(name, menu->menuAction());
            break;
        }
        case MenuItem::Kind::Entry: {
            QAction* action = parent->addAction(caption);
            action->setObjectName(name);
            action->setEnabled(registry_.has(QString::fromLatin1(item.window)));
            connect(action, &QAction::triggered, this, [this, name] { openEntry(name); });
            actions_.insert(name, action);
            break;
        }
        }
    }
}

void MainWindow::applyRights() {
    hidden_.clear();
    try {
        // One query for the whole menu: the user's rights rows with their entry names.
        QSqlQuery q = session_.db->exec(
            QStringLiteral("select a.MENU_ID, a.SHOW_MENU, a.MENU_DISP, b.MENU_NAME "
                           "from M_TBL_MENUSHOW a, M_TBL_MENUDETAILS b "
                           "where a.LOGIN_ID=? and a.MENU_ID=b.MENU_ID"),
            {session_.loginId});
        while (q.next()) {
            if (q.value(1).toString().trimmed() == QLatin1String("N"))
                hidden_.insert(q.value(3).toString().trimmed().toUpper());
        }
    } catch (const DbError& e) {
        // Rights that cannot be read hide nothing.
        std::fprintf(stderr, "tarvic: reading the menu rights: %s\n", e.message().toLocal8Bit().constData());
        hidden_.clear();
    }
    // Names match as the catalogue's server compared them: without regard to case.
    for (auto it = actions_.cbegin(); it != actions_.cend(); ++it)
        it.value()->setVisible(!hidden_.contains(it.key().toUpper()));
    // A menu whose every entry is hidden goes too, rather than opening empty; a menu of such
    // menus follows on the next pass.
    for (bool changed = true; changed;) {
        changed = false;
        for (QAction* a : std::as_const(actions_)) {
            const QMenu* menu = a->menu();
            if (!menu || !a->isVisible())
                continue;
            const QList<QAction*> entries = menu->actions();
            if (std::none_of(entries.begin(), entries.end(), [](QAction* e) { return e->isVisible(); })) {
                a->setVisible(false);
                changed = true;
            }
        }
    }
}

bool MainWindow::menuShown(const QString& name) const {
    if (!actions_.contains(name))
        return false;
    for (QString n = name; !n.isEmpty(); n = parentOf_.value(n)) {
        if (!actions_.value(n)->isVisible())
            return false;
    }
    return true;
}

void MainWindow::openEntry(const QString& entry) {
    const MenuItem* item = MenuCatalogue::find(entry);
    if (!item || item->kind != MenuItem::Kind::Entry)
        return;
    if (item->modeless) {
        if (QWidget* already = open_.value(entry)) {
            if (auto* sub = qobject_cast<QMdiSubWindow*>(already->parentWidget())) {
                mdi_->setActiveSubWindow(sub);
            } else {
                already->showNormal();
                already->raise();
                already->activateWindow();
            }
            return;
        }
    }
    QWidget* window = nullptr;
    try {
        window = registry_.create(QString::fromLatin1(item->window), session_, this);
    } catch (const DbError& e) {
        session_.prompter->information(this, e.message());
        return;
    } catch (const std::exception& e) {
        session_.prompter->information(this, QString::fromLocal8Bit(e.what()));
        return;
    }
    if (!window)
        return;
    if (item->modeless)
        showModeless(*item, window);
    else
        runModal(window);
}

void MainWindow::showModeless(const MenuItem& item, QWidget* window) {
    window->setAttribute(Qt::WA_DeleteOnClose);
    open_.insert(QString::fromLatin1(item.name), window);
    // A dialog, or a window made over the frame (a task window), stands on its own beside
    // the frame; a plain widget becomes a sub-window of the frame.
    const bool ownWindow = qobject_cast<QDialog*>(window) || (window->parentWidget() && window->isWindow());
    if (ownWindow) {
        window->show();
        window->raise();
        window->activateWindow();
    } else {
        // The sub-window keeps the size the window asked for, plus its own frame.
        const QSize wanted = window->testAttribute(Qt::WA_Resized) ? window->size() : window->sizeHint();
        QMdiSubWindow* sub = mdi_->addSubWindow(window);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->show();
        window->show();
        if (wanted.isValid())
            sub->resize(wanted + (sub->size() - window->size()));
    }
}

void MainWindow::runModal(QWidget* window) {
    QPointer<QWidget> guard(window);
    if (!window->isWindow())
        window->setWindowFlag(Qt::Window, true);
    window->setWindowModality(Qt::ApplicationModal);
    if (auto* dialog = qobject_cast<QDialog*>(window)) {
        dialog->exec();
    } else {
        QEventLoop loop;
        new HideWatcher(window, &loop);
        connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
        window->show();
        loop.exec();
    }
    delete guard.data();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Every other window first, then the frame itself.
    mdi_->closeAllSubWindows();
    for (int pass = 0; pass < 3; ++pass) {
        bool any = false;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w != this && w->isVisible()) {
                any = true;
                w->close();
            }
        }
        if (!any)
            break;
    }
    event->accept();
}

}  // namespace tarvic
