#pragma once
// One receipt or payment spread over several bookings of one party under one number: the
// receipt bulk posting (FRDB01/FRCR01) and the payment bulk posting (FTCR01/FTDB01) are one
// window class with a BulkConfig each; the engine saves the posting (BulkPostings.h).
#include "engine/accounts/BulkPostings.h"
#include "shell/kit/DocumentEditor.h"
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
    qint64 number() const { return editor_->number(); }
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

    QList<Check> checks();
    QDate instrDate() const;
    qint64 post();

    BulkKind kind_;
    const BulkConfig& config_;
    std::vector<BulkLine> lines_;
    DocumentEditor* editor_ = nullptr;
};

}  // namespace tarvic
