#pragma once
// One receipt or payment spread over several bookings of one party under one number: the
// receipt bulk posting (FRDB01/FRCR01) and the payment bulk posting (FTCR01/FTDB01) are one
// window class with a BulkConfig each. Every booking line becomes one pair of rows; all pairs
// are saved in one transaction with the counter inside, each line's booking checked there
// again (it must exist, be live and not locked for the kind, and appear once).
#include "data/Money.h"
#include "shell/kit/TaskWindow.h"

#include <vector>

class QLabel;
class QLineEdit;
class QDateEdit;
class QPushButton;
class QTableWidget;

namespace tarvic {

class CodeField;
class CodeList;

enum class BulkKind { Receipts, Payments };

struct BulkConfig {
    QString window;
    QString title;
    QString code;       // first code of the pairs; its counter numbers the posting
    QString narration;  // head of DOC_DESC
    QString remarks;    // head of REMARKS
    QString search;     // the document search that hands a number back
};
const BulkConfig& bulkConfig(BulkKind kind);

struct BulkLine {
    qint64 booking = 0;
    Money amount;  // whole rupees
};

// Why a booking cannot take a line of this code, or empty: unknown, not live, locked for the
// code, or already among lines. Inside a transaction the booking row stays as read.
QString bulkLineFault(Database& db, const QString& code, qint64 booking, const std::vector<BulkLine>& lines);

class BulkPostingWindow : public TaskWindow {
    Q_OBJECT
public:
    BulkPostingWindow(Session& session, QWidget* parent, BulkKind kind);

    QLabel* lbl_DocCode = nullptr;
    QLabel* lbl_DocNo = nullptr;
    QLabel* lbl_Status = nullptr;
    QDateEdit* txt_DocDate = nullptr;
    CodeField* party = nullptr;
    CodeList* Cmb_DBBank = nullptr;
    CodeList* Cmb_PaymentMode = nullptr;
    QLineEdit* txt_InstrNO = nullptr;
    QLineEdit* txt_InstrDt = nullptr;
    QTableWidget* Grid2 = nullptr;  // the party's unsettled bookings
    QLineEdit* txt_CBPTNo = nullptr;
    QLabel* lbl_CBPTBal = nullptr;
    QLineEdit* txt_Amount = nullptr;
    QPushButton* Cmd_Add = nullptr;
    QTableWidget* Grid1 = nullptr;  // the lines
    QLabel* lbl_Total = nullptr;
    QLabel* lbl_InWords = nullptr;
    QLabel* lbl_CBPTList = nullptr;
    QLabel* lbl_CreatedBy = nullptr;

    const BulkConfig& config() const { return config_; }
    qint64 number() const { return number_; }
    const std::vector<BulkLine>& lines() const { return lines_; }
    Money total() const;

    void Load_Init();
    void Add_Line();
    void Delete_Line();
    void Save_Record();
    // Shows a saved posting, read-only; false when there is none.
    bool Show_Record(qint64 number);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showLines();
    void showBalances();
    void showBookingBalance();
    void setEditable(bool editable);
    QString bookingList() const;

    BulkKind kind_;
    const BulkConfig& config_;
    std::vector<BulkLine> lines_;
    qint64 number_ = 0;
    bool editable_ = true;
};

}  // namespace tarvic
