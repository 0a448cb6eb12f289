#pragma once
// Money documents against a booking: the receipt (operations and sales modes), the payment
// to a party, the refund from a party and the fund adjustment. One window class on the
// document window of the kit; a member is a MoneyMember (its kind, captions, messages, the
// fields it shows and its narration), never a copied window.
//
// The receipt, payment and refund are opened by the booking with CBPT_NO (and the receipt
// with CALLER "OPS" or "SALES"): the booking is fixed, read again from the database, and the
// opener's onPick hears each saved number. The adjustment is a menu window whose party and
// booking are typed or picked; the booking must be the party's own.
#include "shell/kit/DocumentWindow.h"

class QComboBox;
class QLineEdit;

namespace tarvic {

// What a member is: everything that differs between the receipt, payment, refund and
// adjustment. The shape decides the fields, the question's lines and the narration's pieces.
struct MoneyMember {
    enum class Shape { Receipt, Payment, Adjustment };
    DocumentConfig doc;
    Shape shape;
    QString salesTitle;     // the receipt opened by the sales booking
    QString zero;           // the amount rounds to no rupee
    QString narrationHead;  // "RS " / "REFUND OF RS "
    QString bankCaption;
    bool wholeRupees;  // typed through the whole-number filter
    bool printable;
};

class MoneyDocumentWindow : public DocumentWindow {
    Q_OBJECT
public:
    MoneyDocumentWindow(Session& session, QWidget* parent, const WindowArgs& args, const MoneyMember& member);

    QLabel* lbl_DocCode = nullptr;
    CodeList* Cmb_DBBank = nullptr;  // receipt, payment, refund
    CodeList* Cmb_PaymentMode = nullptr;
    QLineEdit* txt_InstrNO = nullptr;
    QLineEdit* txt_InstrDt = nullptr;    // masked "  /  /    "
    CodeList* Cmb_InstrBank = nullptr;   // receipt only; the others store the placeholder bank
    QComboBox* Cmb_AdjType = nullptr;    // adjustment only
    QLabel* lbl_CBPTDate = nullptr;      // adjustment: the booking's date
    QLabel* lbl_PartyBalance = nullptr;  // adjustment: the party's balance within the booking
    QLabel* lbl_PartyType = nullptr;     // payment, refund: the type of the party
    QLineEdit* txt_Amount = nullptr;
    QLabel* lbl_InWords = nullptr;
    QLineEdit* txt_Remarks = nullptr;
    QLabel* lbl_CreatedBy = nullptr;

    const MoneyMember& member() const { return member_; }
    // The narration stored in DOC_DESC for what is on screen.
    QString narration() const;

protected:
    QList<Check> ownChecks() override;
    QList<std::pair<QString, QString>> questionLines() override;
    Columns ownColumns() override;
    Money amount() const override;
    std::optional<AmountSide> side() const override;
    void clearOwn() override;
    void showOwn(const QSqlRecord& row) override;
    void setOwnEditable(bool editable) override;
    qint64 saveDocument(const Document& document) override;

private:
    void readBooking();
    void showWords();
    void showAdjustmentBooking();
    void print();
    QString instrDateText() const;
    QDate instrDate() const;

    const MoneyMember& member_;
    PickCallback onSaved_;
    qint64 bookingNo_ = 0;  // from CBPT_NO
    QString bookingParty_, bookingPartyName_;
    bool bookingFound_ = false;
};

// The members, by window name.
const MoneyMember& receiptMember();
const MoneyMember& paymentMember();
const MoneyMember& refundMember();
const MoneyMember& adjustmentMember();

}  // namespace tarvic
