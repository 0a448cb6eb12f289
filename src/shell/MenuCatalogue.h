#pragma once
// The main window's whole menu, defined once as data: seven top-level menus, five submenus
// and 115 entries in display order. Each entry names the window it opens and whether that
// window stays open beside the others (modeless) or blocks the main window until closed.
#include <QList>
#include <QString>

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
    static int entryCount();
    static int modelessCount();
};

}  // namespace tarvic
