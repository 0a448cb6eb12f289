#include "AccountsWindows.h"
#include "BulkPostingWindow.h"
#include "VoucherWindow.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>

namespace tarvic {

namespace {

using Shape = VoucherConfig::Shape;
using Lines = QList<std::pair<QString, QString>>;

QString s(const char* text) {
    return QString::fromLatin1(text);
}

// The miscellaneous receipt and payment check, ask and report alike.
QList<Check> miscChecks(VoucherWindow& w) {
    return {{[&w] { return w.amount().roundedRupees() == 0; }, w.txt_Amount,
             s("CANNOT PROCEED, PLS ENTER AMOUNT PROPERLY ......")},
            {[&w] { return w.txt_Remarks->text().trimmed().isEmpty(); }, w.txt_Remarks,
             s("CANNOT PROCEED, PLS ENTER REMARKS PROPERLY ......")},
            {[&w] { return w.Cmb_AccCode->code().isEmpty(); }, w.Cmb_AccCode,
             s("CANNOT PROCEED, PLEASE SELECT A/C CODE PROPERLY ......")}};
}

Lines miscQuestion(const VoucherWindow& w) {
    return {{s(" DOCUMENT DATE : "), w.txt_DocDate->date().toString(s("dd/MM/yyyy"))},
            {s(" A/C CODE : "), w.Cmb_AccCode->code()},
            {s(" DEPOSITED TO : "), w.Cmb_DBBank->currentText()},
            {s(" PAYMENT MODE : "), w.payMode()},
            {s(" INSTRUMENT NO : "), w.txt_InstrNO->text()},
            {s(" INSTRUMENT DT : "), w.instrDateText()},
            {s(" BANK NAME : "), w.Cmb_InstrBank->currentText()},
            {s(" AMOUNT : "), w.amountText()},
            {s(" IN WORDS : "), w.lbl_InWords->text()}};
}

QString miscSaved(const VoucherWindow&, qint64 number) {
    return s("UPDATE SUCCESSFULLY COMPLETED  .... ") + s(" DOCUMENT NO : ") + QString::number(number);
}

// The instrument as the miscellaneous narrations end it.
QString instrument(const VoucherWindow& w) {
    return s(", INSTR NO : ") + w.txt_InstrNO->text().trimmed() + s(", INSTR DT : ") + w.instrDateText() +
           s(", BANK : ") + w.Cmb_InstrBank->currentText().trimmed();
}

QList<Check> bankChecks(VoucherWindow& w) {
    return {{[&w] { return w.txt_Remarks->text().trimmed().isEmpty(); }, w.txt_Remarks,
             s("CANNOT PROCEED, PLEASE ENTER DESCRIPTION ....")},
            {[&w] { return w.amount().isZero(); }, w.txt_Amount, s("CANNOT PROCEED, PLEASE AMOUNT ....")}};
}

Lines bankQuestion(const VoucherWindow& w) {
    return {{s(" A/C DESC : "), w.accountDesc()},
            {s(" BANK NAME : "), w.Cmb_DBBank->currentText()},
            {s(" AMOUNT INR /- : "), w.amountText()},
            {s(" ------------------------------ "), QString()}};
}

QString bankSaved(const VoucherWindow& w, qint64 number) {
    return s("POSTING OF AMOUNT SUCCESSFULLY DONE .... ") + QLatin1Char('\n') + s(" DOCUMNT NO : ") +
           QString::number(number) + QLatin1Char('\n') + s(" DOCUMNT DT : ") +
           w.txt_DocDate->date().toString(s("dd/MM/yyyy"));
}

QString bankNarration(const VoucherWindow& w, const char* how) {
    return QString::fromLatin1(how) + w.amountText() +
           s(w.config().code == QLatin1String("BDAP01") ? " DEBITED TO BANK : " : " CREDITED TO BANK : ") +
           w.Cmb_DBBank->currentText().trimmed() + s(", FOR A/C CODE : ") + w.Cmb_AccCode->code() + s(", REMARKS : ") +
           w.txt_Remarks->text().trimmed();
}

DocumentConfig document(const char* code, const char* window, const char* title, const char* question, const char* tail,
                        PartyUse party) {
    DocumentConfig d;
    d.code = s(code);
    d.objectName = s(window);
    d.title = s(title);
    d.question = s(question);
    d.questionTail = s(tail);
    d.partyUse = party;
    return d;
}

// A receipt's users wait on its save: the window says it is saving until it is done.
DocumentConfig savingSaid(DocumentConfig d) {
    d.saving = s("SAVING RECORD ") + d.code + s(" PLEASE WAIT .....");
    return d;
}

const VoucherConfig kMembers[] = {
    {savingSaid(document("FRDM01", "frm_FRDM01", "FUND RECV DEBIT MISCELLANEOUS ( FRDM01 )",
                         "YOU ARE ABOUT TO UPDATE RECORDS .... ", " DO WANT TO WANT PROCEED (Y/N) ?",
                         PartyUse::Optional)),
     Shape::Misc,
     true,
     false,
     s("FRDM01"),
     {},
     miscChecks,
     [](const VoucherWindow& w) -> QString {
         return s("FRDM01 - RS ") + w.amountText() + s(" FROM : ") + w.partyName() + s(" FOR A/C CODE : ") +
                w.accountDesc() + s(" RECEIVED AS : ") + w.txt_Remarks->text().trimmed() + s(" FOR A/C CODE : ") +
                w.accountDesc() + s(" VIDE MODE : ") + w.payMode() + instrument(w);
     },
     miscQuestion,
     miscSaved},
    {document("APCM01", "frm_APCM01", "AMOUNT PAYMENT CREDIT MISCELLANEOUS", "YOU ARE ABOUT TO UPDATE RECORDS .... ",
              " DO WANT TO WANT PROCEED (Y/N) ?", PartyUse::Optional),
     Shape::Misc,
     true,
     true,
     s("APCM01"),
     {},
     miscChecks,
     [](const VoucherWindow& w) -> QString {
         return s("APCM01 - RS ") + w.amountText() + s(" PAID TO : ") + w.partyName() + s(" REMRK :") +
                w.txt_Remarks->text().trimmed() + s(" VIDE ") + w.payMode() + instrument(w) + s(" FOR A/C CODE : ") +
                w.accountDesc();
     },
     miscQuestion,
     miscSaved},
    {document("BDAP01", "frm_BDAP01", "BANK DEBIT AMOUNT POSTING ( BDAP01 )", "YOU ARE ABOUT TO POST AMOUNT .... ",
              " WANT TO PROCEED (Y/N) ?", PartyUse::None),
     Shape::Bank,
     false,
     false,
     s("BDAP01"),
     {},
     bankChecks,
     [](const VoucherWindow& w) -> QString { return bankNarration(w, "BDAP01 - RS "); },
     bankQuestion,
     bankSaved},
    {document("BCAP01", "frm_BCAP01", "BANK CREDIT AMOUNT POSTING ( BCAP01 )", "YOU ARE ABOUT TO POST AMOUNT .... ",
              " WANT TO PROCEED (Y/N) ?", PartyUse::None),
     Shape::Bank,
     false,
     false,
     s("BCAP01"),
     {},
     bankChecks,
     [](const VoucherWindow& w) -> QString { return bankNarration(w, "BCAP01 - RS "); },
     bankQuestion,
     bankSaved},
    {document("BTCR01", "frm_FTCB01", "FUND TRANSFER CREDIT FROM BANK ( FTCB01 )",
              " YOU ARE ABOUT TO TRANSFER FUND ....", " DO YOU WANT TO PROCEED (Y/N) ?", PartyUse::None),
     Shape::Transfer, false, false, s("BTCR01"), s("BTDB01"),
     [](VoucherWindow& w) -> QList<Check> {
         return {{[&w] {
                      const QString from = w.Cmb_DBBank->code();
                      return !from.isEmpty() && from == w.Cmb_ToBank->code();
                  },
                  w.Cmb_ToBank, s("FUND TRANSFER CANNOT BE DONE WITH SAME BANK ....")},
                 {[&w] { return w.amount().isZero(); }, w.txt_Amount,
                  s("CANNOT PROCEED, PLS ENTER AMOUNT PROPERLY ......")},
                 {[&w] { return w.txt_InstrNO->text().trimmed().isEmpty(); }, w.txt_InstrNO,
                  s("CANNOT PROCEED, PLS ENTER INTRUMENT NO .......")}};
     },
     [](const VoucherWindow& w) -> QString {
         return s("FUND TRANSFER OF RS ") + w.amountText() + s(" FROM BANK : ") +
                w.Cmb_DBBank->currentText().trimmed() + s(" TO BANK : ") + w.Cmb_ToBank->currentText().trimmed();
     },
     [](const VoucherWindow& w) -> Lines {
         return {{s(" DOCUMNT DT : "), w.txt_DocDate->date().toString(s("dd/MM/yyyy"))},
                 {s(" ------------------------------ "), QString()},
                 {s(" FROM BANK :"), w.Cmb_DBBank->currentText()},
                 {s(" TO BANK :"), w.Cmb_ToBank->currentText()},
                 {s(" AMOUNT INR /- :"), w.amountText()}};
     },
     [](const VoucherWindow&, qint64 number) -> QString {
         return s("BANK TRANSFER SUCCESSFULLY DONE .... ") + QString::number(number);
     }},
};

}  // namespace

const VoucherConfig& voucherConfig(const QString& window) {
    for (const VoucherConfig& c : kMembers)
        if (c.document.objectName == window)
            return c;
    Q_ASSERT_X(false, "voucherConfig", "not a voucher window");
    return kMembers[0];
}

QStringList voucherWindows() {
    QStringList names;
    for (const VoucherConfig& c : kMembers)
        names << c.document.objectName;
    return names;
}

void registerVoucherWindows(WindowRegistry& registry) {
    for (const QString& name : voucherWindows())
        registry.add(name, [name](Session& s, QWidget* parent) -> QWidget* {
            return new VoucherWindow(s, parent, voucherConfig(name));
        });
    for (const BulkKind kind : {BulkKind::Receipts, BulkKind::Payments})
        registry.add(bulkConfig(kind).window, [kind](Session& s, QWidget* parent) -> QWidget* {
            return new BulkPostingWindow(s, parent, kind);
        });
}

}  // namespace tarvic
