#pragma once
// The account vouchers: money that is neither a booking's receipt nor a supplier's payment.
// One window class serves the miscellaneous receipt and payment (FRDM01, APCM01), the bank
// debit and credit postings (BDAP01, BCAP01) and the transfer between banks (BTCR01/BTDB01,
// frm_FTCB01). A member is a VoucherConfig: its shape (which fields it has), its messages and
// its narration; the rows, their sides and their pairs come from the document kinds.
#include "shell/kit/DocumentWindow.h"

#include <functional>

class QLabel;
class QLineEdit;

namespace tarvic {

class VoucherWindow;

struct VoucherConfig {
    enum class Shape {
        Misc,      // party (optional), account, deposited-to bank, mode, instrument, remarks
        Bank,      // account, bank, remarks
        Transfer,  // from- and to-account, from- and to-bank, mode, instrument number
    };
    DocumentConfig document;
    Shape shape = Shape::Misc;
    bool wholeRupees = true;   // the amount is typed in whole rupees (else with decimals)
    bool collectedBy = false;  // the payment's "collected by"
    QString accounts;          // the document code whose account combinations are listed
    QString toAccounts;        // the transfer's to-account list
    // The member's checks in its order; the window adds after them what every voucher
    // needs (an account, banks and a mode that name a row, a readable instrument date).
    std::function<QList<Check>(VoucherWindow&)> checks;
    std::function<QString(const VoucherWindow&)> narration;
    std::function<QList<std::pair<QString, QString>>(const VoucherWindow&)> question;
    std::function<QString(const VoucherWindow&, qint64 number)> saved;
};

// The members, by window name.
const VoucherConfig& voucherConfig(const QString& window);
QStringList voucherWindows();

class VoucherWindow : public DocumentWindow {
    Q_OBJECT
public:
    VoucherWindow(Session& session, QWidget* parent, const VoucherConfig& config);

    CodeList* Cmb_AccCode = nullptr;
    QLabel* lbl_AccDesc = nullptr;
    CodeList* Cmb_ToAccCode = nullptr;  // transfer
    QLabel* lbl_ToAccDesc = nullptr;
    CodeList* Cmb_DBBank = nullptr;  // deposited to, debited, credited, or transferred from
    CodeList* Cmb_ToBank = nullptr;  // transfer
    CodeList* Cmb_PaymentMode = nullptr;
    QLineEdit* txt_InstrNO = nullptr;
    QLineEdit* txt_InstrDt = nullptr;  // "  /  /    " while blank
    CodeList* Cmb_InstrBank = nullptr;
    QLineEdit* txt_Amount = nullptr;
    QLabel* lbl_InWords = nullptr;
    QLineEdit* txt_Remarks = nullptr;
    QLineEdit* txt_CollBy = nullptr;  // payment
    QLabel* lbl_PartyType = nullptr;
    QLabel* lbl_Balance = nullptr;

    Money amount() const override;
    // Texts as the narration and the question show them.
    QString amountText() const { return amount().toString(); }
    QString accountDesc() const;
    QString toAccountDesc() const;
    QString partyName() const;
    QString payMode() const;
    QString instrDateText() const;  // as typed, the blank mask included
    QDate instrDate() const;        // invalid when blank

protected:
    QList<Check> ownChecks() override;
    QList<std::pair<QString, QString>> questionLines() override;
    Columns ownColumns() override;
    Columns ownPairColumns() override;
    void clearOwn() override;
    void showOwn(const QSqlRecord& row) override;
    void setOwnEditable(bool editable) override;
    QString savedMessage(qint64 number) override;

private:
    CodeList* list(const CodeSource& source, const QString& name);
    QString descOf(const QString& docCode, const QString& account) const;
    void modeChanged();
    void showBalance();
    void print();

    const VoucherConfig& vc_;
};

}  // namespace tarvic
