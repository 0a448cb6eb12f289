#pragma once
// The customer booking (CBPT01): bill-to party, lead and quotation, the traveller's papers,
// and the operations desk of the tour (what was quoted, what suppliers billed, what the
// customer paid, what is outstanding) with the posting windows opened for the booking on
// screen. One class in two modes: operations (frm_CBPT01) and sales (frm_CBPT_SALES), which
// offers only money receipts and the hotel voucher and reads only two lock flags.
#include "engine/bookings/Bookings.h"
#include "shell/kit/Checks.h"
#include "shell/kit/CodeList.h"
#include "shell/kit/QueryModel.h"
#include "shell/kit/TaskWindow.h"

#include <QHash>
#include <QSqlRecord>
#include <memory>

class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace tarvic {

class DocumentEditor;
class ListGrid;
class ScheduleTab;
class TravellersTab;

class frm_CBPT01 : public TaskWindow {
    Q_OBJECT
public:
    enum class Mode { Operations, Sales };
    // The posting buttons, each guarded by one lock flag and opening one window by name.
    enum Posting { PostReceipt, PostHotel, PostVehicle, PostOther, PostPayment, PostRefund, PostCount };

    frm_CBPT01(Session& session, QWidget* parent, Mode mode = Mode::Operations);
    ~frm_CBPT01() override;

    Mode mode() const { return mode_; }
    qint64 number() const { return number_; }

    QLabel* lbl_DocNo = nullptr;
    QLabel* lbl_Status = nullptr;
    QDateEdit* txt_DocDate = nullptr;
    QLabel* lbl_Balance = nullptr;
    CodeField* party = nullptr;
    QLineEdit* txt_LeadNo = nullptr;
    QLineEdit* txt_QuotNo = nullptr;
    QLineEdit* txt_FileNo = nullptr;
    QLineEdit* txt_TouristName = nullptr;
    QLineEdit* txt_Mobile = nullptr;
    QLineEdit* txt_Email = nullptr;
    QLineEdit* txt_PAN = nullptr;
    QLineEdit* txt_Aadhar = nullptr;
    QLineEdit* txt_Passport = nullptr;
    QLineEdit* txt_DrvLicense = nullptr;
    QLineEdit* txt_BookedBy = nullptr;
    QPushButton* Cmd_SrcLead = nullptr;
    QPushButton* Cmd_SrcQuot = nullptr;
    QPushButton* Cmd_HotelVoucher = nullptr;
    QPushButton* Cmd_SupplierRequests = nullptr;  // the requests to the hotels of the booking
    QTabWidget* tabs = nullptr;
    QWidget* bookingTab = nullptr;
    ScheduleTab* scheduleTab = nullptr;  // operations only
    TravellersTab* travellersTab = nullptr;

    QPushButton* postingButton(Posting p) const { return posting_[p]; }
    // A grid by its object name (Grid_Hotel, Grid_Receipts, ...), or nullptr.
    ListGrid* grid(const QString& name) const;
    // A shown label by its object name (lbl_LeadDate, lbl_GrandTotal, lbl_LckCBPT, ...).
    QString labelText(const QString& name) const;

    void Load_Init();
    // Shows a booking: fields, balance, locks, then every grid. False when there is none.
    bool Show_Record(qint64 number);
    void Save_Record();
    void Refresh_Record();
    // The lead and the quotation as typed (Enter in their fields).
    bool Show_Lead();
    bool Show_Quotation();

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct GridDef;
    // The parts of the window, built in this order.
    void buildHead();
    void buildBookingTab();
    void buildQuotationTabs();
    void buildReceiptAndNoteTabs();
    void buildPaymentTabs();
    void buildOutstandingTab();
    void buildSupplierButtons(bool sales);
    void buildScheduleTab();
    void showSchedule();
    void buildTravellersTab();
    void connectKeyFields();
    QWidget* addPage(const QString& title);
    QWidget* addPostingPage(const QString& title, Posting p);
    void bookedRows(const char* code);
    void printsVoucher(const char* code);
    QLabel* addLabel(const QString& name);
    void addGrid(QWidget* page, const QString& name, QList<ListColumn> columns, const QString& select,
                 const QString& statement, const QString& order, bool byQuotation);
    void loadGrids(bool quotationOnly);
    void clearQuotation();
    void clearLead();
    void fillQuotation(const QSqlRecord& q, bool travellers);
    void applyLocks();
    void openPosting(Posting p);
    BookingEntry entry() const;
    Money grandTotal() const;  // as the quotation shows it
    QList<Check> checks();
    Confirmation question() const;

    Mode mode_;
    DocumentEditor* editor_ = nullptr;
    qint64 number_ = 0;
    qint64 lead_ = 0;
    qint64 quotation_ = 0;
    QString status_;
    QHash<QString, QString> locks_;
    QHash<QString, QLabel*> labels_;
    QList<std::shared_ptr<GridDef>> grids_;
    QPushButton* posting_[PostCount] = {};
    QStringList ldop_;
};

}  // namespace tarvic
