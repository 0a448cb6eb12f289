#pragma once
// MDI_TARVIC: the frame of a logged-on run. Greets the user, carries the whole menu
// (MenuCatalogue), hides what the user's rights deny, opens each entry's window modal or
// modeless, and on close takes every other window with it.
#include "shell/Session.h"
#include "shell/WindowRegistry.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QSet>

class QMdiArea;
class QMenu;

namespace tarvic {

struct MenuItem;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(Session& session, const WindowRegistry& registry, QWidget* parent = nullptr);

    QMdiArea* mdiArea() const { return mdi_; }
    // The menu names (entries, submenus, top menus) the rights hide, upper case.
    const QSet<QString>& hiddenNames() const { return hidden_; }
    // Whether the user can reach the named entry or menu: it and every menu above it shown.
    bool menuShown(const QString& name) const;
    // Runs an entry as its menu click does: modeless windows are shown (or brought forward
    // when already open); modal ones are shown and waited for.
    void openEntry(const QString& entry);

    // After logon: an administrator (whoever may open the company profile) is taken to it while
    // the company's printed data is not filled in. Returns whether it was opened.
    bool offerCompanySetUp();
    // After logon, once the company set-up offer is done: the TODAY board, for whoever may open
    // it and is a tour consultant it shows rows for. Returns whether it was opened.
    bool offerTodayBoard();
    // What logon opens, in its order.
    void openAtLogon();
    // HELP menu: the program's version, the database in use and who is logged on.
    QString aboutText() const;
    void showAbout();
    // Closes every window and ends the user's session without ending the program: loggedOff
    // asks for the logon window again.
    void logOff();

signals:
    void loggedOff();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void MDIForm_Load();
    void buildMenu();
    void buildHelpMenu();
    void applyRights();
    void showModeless(const MenuItem& item, QWidget* window);
    void runModal(QWidget* window);

    Session& session_;
    const WindowRegistry& registry_;
    QMdiArea* mdi_;
    QHash<QString, QAction*> actions_;   // by name: entries and the actions of menus
    QHash<QString, QString> parentOf_;
    QSet<QString> hidden_;
    QHash<QString, QPointer<QWidget>> open_;  // modeless windows still open, by entry
};

}  // namespace tarvic
