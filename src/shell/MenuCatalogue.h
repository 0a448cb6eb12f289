#pragma once
// The main window's whole menu, defined once as data: seven top-level menus, five submenus
// and 117 entries in display order. Each entry names the window it opens and whether that
// window stays open beside the others (modeless) or blocks the main window until closed.
// Windows opened only from other windows are listed beside the menu.
#include <QList>
#include <QString>
#include <QStringList>

namespace tarvic {

struct MenuItem {
    enum class Kind { Top, Submenu, Entry };
    Kind kind;
    const char* name;     // object name, the key of the menu rights (mnu_...)
    const char* parent;   // top-level menu or submenu that holds it; nullptr for a top
    const char* caption;  // with its access key (&)
    const char* window;   // the window an entry opens; nullptr for menus
    bool modeless;
};

class MenuCatalogue {
public:
    // Every item in display order; a submenu comes before the entries it groups.
    static const QList<MenuItem>& items();
    static const MenuItem* find(const QString& name);
    // The entry that opens a window (by the window's name), or nullptr.
    static const MenuItem* entryOpening(const QString& window);
    // Windows no menu entry opens: other windows open them by name (a login's web access
    // from the logins window, a party's web password from the party window).
    static const QStringList& innerWindows();
    // Whether a window of that name is catalogued, on the menu or opened from a window.
    static bool knowsWindow(const QString& window);
    static int entryCount();
    static int modelessCount();
};

}  // namespace tarvic
