#pragma once
// "SUPPLIER REQUESTS": a booking's hotel lines, vehicle and other notes with their supplier
// status. Choose lines (Shift or Ctrl with the arrows, Ctrl+A for all) and send their requests,
// record a line's answer (confirmed with the supplier's number, declined with the reason,
// waitlisted), mail the voucher of a confirmed hotel line to its hotel and the customer, or
// print a hotel line's rooming list. Opened with CBPT_NO (and
// QUOTATION_NO, ACC_CODE to choose that line) from the booking and the hotel status list.
#include "bookings/family/BookingOpsWindow.h"
#include "engine/bookings/SupplierRequests.h"
#include "shell/WindowRegistry.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tarvic {

class frm_SupplierRequests : public BookingOpsWindow {
    Q_OBJECT
public:
    enum GridCol {
        ColSlNo,
        ColCheckIn,
        ColCheckOut,
        ColNights,
        ColHotel,
        ColStatus,  // who holds the line and how, before the details that scroll
        ColAnswer,
        ColRooms,
        ColMeal,
        ColEmail,
        ColUpdated,
        ColQuotNo,
        ColAccNo
    };
    frm_SupplierRequests(Session& session, QWidget* parent, const WindowArgs& args = {});

    QTableWidget* Grid1 = nullptr;  // the lines
    QTableWidget* Grid2 = nullptr;  // the steps of the current line
    QPushButton* Cmd_Request = nullptr;
    QPushButton* Cmd_Voucher = nullptr;
    QPushButton* Cmd_RoomingList = nullptr;
    QComboBox* Cmb_Answer = nullptr;
    QLineEdit* txt_AnswerText = nullptr;
    QPushButton* Cmd_Answer = nullptr;

    void Load_Grid();
    void Send_Request();
    void Mail_Voucher();
    void Record_Answer();
    void Print_RoomingList();
    // Chooses the line of the quotation (false when the booking has none such).
    bool chooseLine(qint64 quotation, qint64 line);

protected:
    void clearOwn() override;
    void showOwn() override;

private:
    std::vector<SupplierLine> chosen() const;
    void showSteps();
    void send(SupplierMailKind kind);

    std::vector<SupplierLine> lines_;
};

}  // namespace tarvic
