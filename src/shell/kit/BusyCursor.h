#pragma once
// The hourglass for the length of a scope: before a long query, restored however it ends.
//
//     { BusyCursor busy; Load_Grid1(); }
#include <QApplication>
#include <QCursor>

namespace tarvic {

class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~BusyCursor() { release(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
    // Ends the hourglass before the scope does (before a window opens, say).
    void release() {
        if (active_)
            QApplication::restoreOverrideCursor();
        active_ = false;
    }

private:
    bool active_ = true;
};

}  // namespace tarvic
