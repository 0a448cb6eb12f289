#pragma once
// The TRAVELLERS page of the booking window: the booking's travellers in an editable grid,
// read from a .csv/.xlsx file through a preview of every row (refused ones with why) that the
// user accepts or cancels, written back to a file, saved whole; the rooms by type against the
// hotel lines on a line of their own and in the save's question; the rooming list of a chosen
// hotel line printed. Read-only on a cancelled or locked booking.
#include "engine/bookings/Travellers.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace tarvic {

class TaskWindow;

class TravellersTab : public QWidget {
    Q_OBJECT
public:
    TravellersTab(TaskWindow& owner, QWidget* parent);

    QTableWidget* Grid_Travellers = nullptr;
    QLabel* lbl_RoomCheck = nullptr;
    QPushButton* Cmd_AddRow = nullptr;
    QPushButton* Cmd_DelRow = nullptr;
    QPushButton* Cmd_Import = nullptr;
    QPushButton* Cmd_Export = nullptr;
    QPushButton* Cmd_SaveTravellers = nullptr;
    QComboBox* Cmb_HotelLine = nullptr;
    QPushButton* Cmd_RoomingList = nullptr;

    // Shows the booking's stored travellers (none for a new booking, 0).
    void showBooking(qint64 booking);
    void Import_File();
    void Export_File();
    // Asks (stating every room difference), stores the grid's rows, shows them again. False
    // when nothing was stored.
    bool Save_Travellers();
    void Print_RoomingList();

private:
    void fill(const std::vector<Traveller>& list);
    // The grid's rows as a sheet, headings first.
    QList<QStringList> gridRows() const;
    void showRoomCheck();
    Travellers travellers() const;

    TaskWindow& owner_;
    qint64 booking_ = 0;
    bool open_ = false;
    std::vector<HotelStay> stays_;
};

}  // namespace tarvic
