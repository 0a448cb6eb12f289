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
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace tarvic
