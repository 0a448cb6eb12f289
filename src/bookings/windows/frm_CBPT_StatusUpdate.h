#pragma once
// The booking status update: a booking (typed, picked from the booking search, or given as
// CBPT_NO) takes a status from the list, and with it the status's eight lock flags, copied onto
// the booking, its lead and its quotation in one save.
#include "bookings/family/BookingOpsWindow.h"
#include "shell/WindowRegistry.h"

namespace tarvic {

class CodeList;

class frm_CBPT_StatusUpdate : public BookingOpsWindow {
    Q_OBJECT
public:
    frm_CBPT_StatusUpdate(Session& session, QWidget* parent, const WindowArgs& args = {});

    CodeList* Cmb_Status = nullptr;
    // The chosen status's flags, in the order of BookingOperations::lockColumns().
    QList<QLabel*> lockLabels;

    void Save_Record();

protected:
    void clearOwn() override;
    void showOwn() override;

private:
    void showLocks();
};

}  // namespace tarvic
