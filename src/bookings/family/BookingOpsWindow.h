#pragma once
// The shape the operations windows share: a booking number with its search, what the window
// shows of the booking (its names outer-joined, so a booking without a status loads), and the
// refusal of a cancelled booking. A member states its labels and adds its own fields:
//
//     frm_Thing(Session& s, QWidget* p)
//         : BookingOpsWindow(s, p, "frm_Thing", "THING", {{"BILL PARTY", "lbl_BillParty", "BILL_PARTY"}}) {
//         form()->addWidget(...);
//         Load_Init();
//     }
#include "shell/kit/TaskWindow.h"

#include <QHash>
#include <QSqlRecord>

class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvic {

struct BookingShown {
    enum class Kind { Text, Date, Money, ByOn };
    QString caption;
    QString objectName;
    QString field;  // a column of BookingOperations::booking(); ByOn: the who column
    Kind kind = Kind::Text;
    QString onField = {};  // ByOn: the when column
};

// The booking number with its search button beside it, as every booking window asks for it
// (whole numbers only); returns the row to place.
QHBoxLayout* bookingNumberRow(TaskWindow* owner, QLineEdit*& number, QPushButton*& search);

class BookingOpsWindow : public TaskWindow {
    Q_OBJECT
public:
    BookingOpsWindow(Session& session, QWidget* parent, const QString& objectName, const QString& title,
                     const QList<BookingShown>& shown);

    QLineEdit* txt_CBPTNo = nullptr;
    QPushButton* Cmd_SrcCBPT = nullptr;

    // The booking loaded (0: none) and its row.
    qint64 booking() const { return booking_; }
    const QSqlRecord& record() const { return record_; }
    QString shownText(const QString& objectName) const;

    void Load_Init();
    // Loads the booking typed; a cancelled one is refused with its message and not loaded.
    bool Show_CBPT();

protected:
    // The grid of the form: rows of (caption, label, caption, label); members add below.
    QGridLayout* form() const { return form_; }
    int nextRow() const;
    virtual void clearOwn() {}
    virtual void showOwn() {}

private:
    void clearShown();

    QList<BookingShown> shown_;
    QHash<QString, QLabel*> labels_;
    QGridLayout* form_ = nullptr;
    qint64 booking_ = 0;
    QSqlRecord record_;
};

}  // namespace tarvic
