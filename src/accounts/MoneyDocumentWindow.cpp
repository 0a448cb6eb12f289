#include "MoneyDocumentWindow.h"

#include "data/AmountInWords.h"
#include "data/Moments.h"
#include "engine/accounts/FundAdjustments.h"
#include "shell/kit/KeyFilters.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace tarvic {

namespace {

using Shape = MoneyMember::Shape;

const QString kVoucher = QStringLiteral("rpt_Voucher");
const QString kPlaceholderBank = QStringLiteral("0");  // offered nowhere as a bank of ours
const QString kBlankDate = QStringLiteral("  /  /    ");
const QString kShut = QStringLiteral("CBPT IS CANCELLED OR LOCKED, UNABLE TO PROCEED ....");
const QString kNoBank = QStringLiteral("CANNOT PROCEED, PLEASE SELECT BANK PROPERLY ....");
const QString kNoMode = QStringLiteral("CANNOT PROCEED, PLEASE SELECT PAYMENT MODE PROPERLY ....");
const QString kNoInstrBank = QStringLiteral("CANNOT PROCEED, PLEASE SELECT INSTR BANK PROPERLY ....");
const QString kBadInstrDate = QStringLiteral("CANNOT PROCEED, PLEASE ENTER INSTR DATE PROPERLY ....");
const QString kDebit = QStringLiteral("DEBIT (+)");
const QString kCredit = QStringLiteral("CREDIT (-)");

const CodeSource kOwnBanks{QStringLiteral("(SELECT BANK_ID, BANK_NAME FROM MST_BANK WHERE BANK_ID <> 0) OB"),
                           QStringLiteral("BANK_ID"), QStringLiteral("BANK_NAME")};
const CodeSource kAllBanks{QStringLiteral("MST_BANK"), QStringLiteral("BANK_ID"), QStringLiteral("BANK_NAME")};
const CodeSource kPayModes{QStringLiteral("MST_PAYMODE"), QStringLiteral("MODE_ID"), QStringLiteral("PAY_MODE")};
// Payments and refunds list the modes in the order of their ids, as the mode master keeps them.
const CodeSource kPayModesById{
    QStringLiteral("MST_PAYMODE"), QStringLiteral("MODE_ID"), QStringLiteral("PAY_MODE"), {}, true,
    QStringLiteral("MODE_ID")};

DocumentConfig doc(const char* code, const char* name, const char* title, const char* question, const char* saved,
                   const char* noParty, const char* noBooking) {
    DocumentConfig c{QString::fromLatin1(code),      QString::fromLatin1(name),
                     QString::fromLatin1(title),     QString::fromLatin1(question),
                     QString::fromLatin1(saved),     QString::fromLatin1(noParty),
                     QString::fromLatin1(noBooking), kShut};
    c.partyFirst = true;
    return c;
}

QLabel* shown(QWidget* owner, const char* name, int minWidth) {
    auto* l = new QLabel(owner);
    l->setObjectName(QLatin1String(name));
    l->setFrameShape(QFrame::StyledPanel);
    l->setMinimumWidth(minWidth);
    return l;
}

QWidget* row(QWidget* owner, const QList<QWidget*>& fields) {
    auto* w = new QWidget(owner);
    auto* h = new QHBoxLayout(w);
    h->setContentsMargins(0, 0, 0, 0);
    for (QWidget* f : fields)
        h->addWidget(f);
    h->addStretch(1);
    return w;
}

QString two(const Money& m) {
    return m.toString();
}

}  // namespace

const MoneyMember& receiptMember() {
    static const MoneyMember m{
        doc("FRDB01", "frm_CBPT01_FRDB", "MONEY RECEIPT PACKAGE TOUR ( FRDB01 ) - OPERATION ",
            " YOU ARE ABOUT TO FUND RECEIVE FOR CBPT ", "FUND RECEIVE SUCCESSFULLY DONE ....",
            "CANNOT PROCEED AS BILL TO PARTY IS REQUIRED ....", "CANNOT PROCEED AS IN-DOCUMNT NO IS REQUIRED ...."),
        Shape::Receipt,
        QStringLiteral("MONEY RECEIPT PACKAGE TOUR ( FRDB01 ) - SALES "),
        QStringLiteral("CANNOT PROCEED AS AMOUNT IS ZERO ...."),
        QStringLiteral("RS "),
        QStringLiteral("DB TO BANK"),
        true,
        true};
    return m;
}

const MoneyMember& paymentMember() {
    static const MoneyMember m{
        doc("FTCR01", "frm_CBPT01_FTCR", "FUND TRANSFER CREDIT ( FTCR01 ) - PAYMENTS TO PARTY",
            " YOU ARE ABOUT TO PERFORM PAYMENT TO PARTY ...", "FUND TRANSFER SUCCESSFULLY DONE ....",
            "PLEASE ENTER PARTY CODE PROPERLY .....", "CANNOT PROCEED AS IN-DOCUMNT NO IS REQUIRED ...."),
        Shape::Payment,
        {},
        QStringLiteral("CANNOT PROCEED AS AMOUNT IS ZERO ....."),
        QStringLiteral("RS "),
        QStringLiteral("CR FROM BANK"),
        false,
        true};
    return m;
}

const MoneyMember& refundMember() {
    static const MoneyMember m{
        doc("FTREF01", "frm_CBPT01_FTRF", "REFUND / MONEY RECEIPT FROM PARTY",
            " YOU ARE ABOUT TO PERFORM REFUND FROM PARTY ...", "FUND TRANSFER REFUND SUCCESSFULLY DONE ....",
            "PLEASE ENTER PARTY CODE PROPERLY .....", "CANNOT PROCEED AS IN-DOCUMNT NO IS REQUIRED ...."),
        Shape::Payment,
        {},
        QStringLiteral("CANNOT PROCEED AS AMOUNT IS ZERO ....."),
        QStringLiteral("REFUND OF RS "),
        QStringLiteral("CR FROM BANK"),
        false,
        false};
    return m;
}

const MoneyMember& adjustmentMember() {
    static const MoneyMember m = [] {
        MoneyMember a{
            doc("FAAN01", "frm_FAAN01", "FUND ADJ ADV NOTE - PARTY ( FAAN01 )",
                " YOU ARE ABOUT TO FUND ADJUSTMENT ADVICE NOTE ", "FUND ADJ ADVICE NOTE SUCCESSFULLY DONE ...",
                "PLEASE ENTER PARTY CODE PROPERLY ...", "PLEASE ENTER CBPT NO PROPERLY ..."),
            Shape::Adjustment,
            {},
            QStringLiteral("CANNOT PROCEED AS AMOUNT IS ZERO ...."),
            QStringLiteral("RS "),
            {},
            true,
            false};
        a.doc.questionTail = QStringLiteral(" ARE YOU WANT TO PROCEED (Y/N ) ?");
        return a;
    }();
    return m;
}

MoneyDocumentWindow::MoneyDocumentWindow(Session& session, QWidget* parent, const WindowArgs& args,
                                         const MoneyMember& member)
    : DocumentWindow(session, parent, member.doc), member_(member), onSaved_(args.onPick) {
    const bool sales = args.value(QStringLiteral("CALLER")).toString() == QLatin1String("SALES");
    if (sales && !member.salesTitle.isEmpty())
        setWindowTitle(member.salesTitle);
    bookingNo_ = args.value(QStringLiteral("CBPT_NO")).toLongLong();

    // A picker button joins its code field's row, beside the code.
    const auto picker = [this](CodeField* f, const char* name, const char* window) {
        QPushButton* b = f->addPicker(QLatin1String(name), [this, window](PickCallback pick) {
            openWindow(QLatin1String(window), WindowArgs{{}, std::move(pick)});
        });
        if (auto* h = qobject_cast<QHBoxLayout*>(f->edit()->parentWidget()->layout()))
            h->insertWidget(1, b);
    };
    if (member_.shape != Shape::Receipt)
        picker(party, "Cmd_SrcParty", "frm_Search_Party");
    if (member_.shape == Shape::Payment) {
        // Paid to or refunded by any party: its type says which kind of party it is.
        lbl_PartyType = shown(this, "lbl_PartyType", 120);
        if (auto* h = qobject_cast<QHBoxLayout*>(party->edit()->parentWidget()->layout()))
            h->addWidget(lbl_PartyType);
        connect(party, &CodeField::keyChanged, this, [this](const QString& key) {
            lbl_PartyType->clear();
            if (!key.isEmpty())
                guarded([&] { lbl_PartyType->setText(partyTypeOf(db(), key.toLongLong())); });
        });
    }
    if (member_.shape == Shape::Adjustment)
        picker(booking, "Cmd_SrcCBPT", "frm_SearchCBPT01");

    lbl_DocCode = shown(this, "lbl_DocCode", 90);
    lbl_DocCode->setText(member_.doc.code);
    addField(QStringLiteral("DOCUMENT CODE"), lbl_DocCode);

    if (member_.shape == Shape::Adjustment) {
        lbl_CBPTDate = shown(this, "lbl_CBPTDate", 100);
        lbl_PartyBalance = shown(this, "lbl_PartyBalance", 120);
        lbl_PartyBalance->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        addField(QStringLiteral("CBPT DATE"),
                 row(this, {lbl_CBPTDate, new QLabel(QStringLiteral("PARTY BALANCE"), this), lbl_PartyBalance}));
        Cmb_AdjType = new QComboBox(this);
        Cmb_AdjType->setObjectName(QStringLiteral("Cmb_AdjType"));
        Cmb_AdjType->addItems({kDebit, kCredit});
        addField(QStringLiteral("ADJ &TYPE"), row(this, {Cmb_AdjType}));
        for (CodeField* f : {party, booking})
            connect(f, &CodeField::keyChanged, this, [this] { showAdjustmentBooking(); });
    } else {
        const auto list = [this](const CodeSource& source, const char* name) {
            auto* l = new CodeList(this->session(), source, this);
            l->setObjectName(QLatin1String(name));
            l->setEditable(true);
            l->setMinimumWidth(300);
            l->load();
            return l;
        };
        Cmb_DBBank = list(kOwnBanks, "Cmb_DBBank");
        bindColumn(Cmb_DBBank, "MST_BANK", "BANK_NAME");
        addField(member_.bankCaption, row(this, {Cmb_DBBank}));
        Cmb_PaymentMode = list(member_.shape == Shape::Payment ? kPayModesById : kPayModes, "Cmb_PaymentMode");
        bindColumn(Cmb_PaymentMode, "MST_PAYMODE", "PAY_MODE");
        addField(QStringLiteral("PAYMENT &MODE"), row(this, {Cmb_PaymentMode}));
        txt_InstrNO = new QLineEdit(this);
        txt_InstrNO->setObjectName(QStringLiteral("txt_InstrNO"));
        bindColumn(txt_InstrNO, "M_TBL_TRANSACTION", "INSTR_NO");
        txt_InstrNO->setMinimumWidth(200);
        if (member_.shape == Shape::Payment)
            attachFilter(txt_InstrNO, KeyFilter::Upper);
        txt_InstrDt = new QLineEdit(this);
        txt_InstrDt->setObjectName(QStringLiteral("txt_InstrDt"));
        txt_InstrDt->setInputMask(QStringLiteral("99/99/9999; "));
        bindColumn(txt_InstrDt, "M_TBL_TRANSACTION", "INSTR_DATE");
        txt_InstrDt->setMaximumWidth(100);
        addField(QStringLiteral("INSTR&UMENT NO"),
                 row(this, {txt_InstrNO, new QLabel(QStringLiteral("INSTRUMENT DATE"), this), txt_InstrDt}));
        if (member_.shape == Shape::Receipt) {
            Cmb_InstrBank = list(kAllBanks, "Cmb_InstrBank");
            bindColumn(Cmb_InstrBank, "MST_BANK", "BANK_NAME");
            addField(QStringLiteral("INSTR &BANK"), row(this, {Cmb_InstrBank}));
        }
    }

    txt_Amount = new QLineEdit(this);
    txt_Amount->setObjectName(QStringLiteral("txt_Amount"));
    txt_Amount->setAlignment(Qt::AlignRight);
    txt_Amount->setMaximumWidth(160);
    if (member_.wholeRupees)
        // Whole rupees, as the whole-number filter has them, but never a minus sign; the ".00"
        // that leaving the field adds may stay.
        txt_Amount->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*(\\.0{0,2})?")), txt_Amount));
    else
        attachFilter(txt_Amount, KeyFilter::Amount);
    limitField(txt_Amount, amountLimit());
    connect(txt_Amount, &QLineEdit::textChanged, this, [this] { showWords(); });
    connect(txt_Amount, &QLineEdit::editingFinished, this, [this] {
        if (!txt_Amount->isReadOnly())
            txt_Amount->setText(two(amount()));
    });
    bindColumn(txt_Amount, "M_TBL_TRANSACTION", "GRAND_TOTAL");
    addField(QStringLiteral("&AMOUNT INR /-"), row(this, {txt_Amount}));
    lbl_InWords = shown(this, "lbl_InWords", 560);
    lbl_InWords->setWordWrap(true);
    addField(QStringLiteral("AMNT IN WORDS"), lbl_InWords);
    txt_Remarks = new QLineEdit(this);
    txt_Remarks->setObjectName(QStringLiteral("txt_Remarks"));
    // The narration ends with them: half its column, the rest for its own words.
    bindLength(txt_Remarks, columnLength(session, "M_TBL_TRANSACTION", "DOC_DESC") / 2);
    txt_Remarks->setMinimumWidth(560);
    attachFilter(txt_Remarks, KeyFilter::Upper);
    addField(QStringLiteral("&REMARKS"), txt_Remarks);
    lbl_CreatedBy = shown(this, "lbl_CreatedBy", 300);
    addField(QStringLiteral("CREATED BY - ON"), lbl_CreatedBy);

    if (member_.printable) {
        setTool(4, QStringLiteral("Print Record { F4 }"), [this] { print(); });
        tool(4)->setEnabled(false);
    }
    connect(this, &DocumentWindow::saved, this, [this](qint64 number) {
        if (onSaved_)
            onSaved_(QString::number(number));
    });
    party->nameLabel()->setMinimumWidth(300);
    resize(760, member_.shape == Shape::Adjustment ? 440 : 540);
    readBooking();
    Load_Init();
}

void MoneyDocumentWindow::readBooking() {
    if (member_.shape == Shape::Adjustment || bookingNo_ <= 0)
        return;
    guarded([&] {
        const auto r = db().firstRow(QStringLiteral("SELECT B.PARTY_CODE AS R_PARTY, P.PARTY_NAME AS R_NAME "
                                                    "FROM M_TBL_TRANSACTION B LEFT JOIN M_TBL_PARTY P ON "
                                                    "P.PARTY_CODE = B.PARTY_CODE WHERE B.DOC_CODE=? AND B.DOC_NO=?"),
                                     {QString::fromLatin1(kBookingCode), bookingNo_});
        bookingFound_ = r.has_value();
        if (r) {
            bookingParty_ = r->value(0).isNull() ? QString() : QString::number(r->value(0).toLongLong());
            bookingPartyName_ = r->value(1).toString().trimmed();
        }
    });
}

void MoneyDocumentWindow::clearOwn() {
    if (member_.shape != Shape::Adjustment && bookingFound_) {
        booking->setLoaded(QString::number(bookingNo_), bookingPartyName_);
        if (member_.shape == Shape::Receipt && !bookingParty_.isEmpty())
            party->setLoaded(bookingParty_, bookingPartyName_);
    }
    if (Cmb_DBBank) {
        Cmb_DBBank->setCurrentIndex(Cmb_DBBank->count() > 0 ? 0 : -1);
        Cmb_PaymentMode->setCurrentIndex(Cmb_PaymentMode->count() > 0 ? 0 : -1);
        txt_InstrNO->clear();
        txt_InstrDt->clear();
    }
    if (Cmb_InstrBank)
        Cmb_InstrBank->setCode(kPlaceholderBank);
    if (Cmb_AdjType)
        Cmb_AdjType->setCurrentIndex(0);
    txt_Amount->setText(QStringLiteral("0.00"));
    lbl_InWords->clear();
    txt_Remarks->clear();
    lbl_CreatedBy->clear();
    showAdjustmentBooking();
}

void MoneyDocumentWindow::setOwnEditable(bool editable) {
    // The booking (and a receipt's bill party) come from the booking window, never typed.
    const bool fixed = member_.shape != Shape::Adjustment;
    setReadOnlyField(booking->edit(), fixed || !editable);
    if (member_.shape == Shape::Receipt)
        setReadOnlyField(party->edit(), true);
    for (CodeField* f : {party, booking})
        if (f->pickButton())
            f->pickButton()->setEnabled(editable);
    for (QWidget* w : {static_cast<QWidget*>(Cmb_DBBank), static_cast<QWidget*>(Cmb_PaymentMode),
                       static_cast<QWidget*>(Cmb_InstrBank), static_cast<QWidget*>(Cmb_AdjType)})
        if (w)
            w->setEnabled(editable);
    for (QLineEdit* e : {txt_InstrNO, txt_InstrDt, txt_Amount, txt_Remarks})
        setReadOnlyField(e, !editable);
    if (QAction* p = tool(4))
        p->setEnabled(!editable && number() > 0 && canOpen(kVoucher));
}

void MoneyDocumentWindow::showOwn(const QSqlRecord& r) {
    const auto code = [&](const char* f) {
        const QVariant v = r.value(QLatin1String(f));
        return v.isNull() ? QString() : QString::number(v.toLongLong());
    };
    if (Cmb_DBBank) {
        Cmb_DBBank->setCode(code("TO_BANKID"));
        Cmb_PaymentMode->setCode(code("PAY_MODEID"));
        txt_InstrNO->setText(r.value(QStringLiteral("INSTR_NO")).toString());
        const QDate instr = dateFromDb(r.value(QStringLiteral("INSTR_DATE")));
        txt_InstrDt->setText(instr.isValid() ? instr.toString(QStringLiteral("dd/MM/yyyy")) : QString());
    }
    if (Cmb_InstrBank)
        Cmb_InstrBank->setCode(code("BANK_ID"));
    if (Cmb_AdjType)
        Cmb_AdjType->setCurrentText(r.value(QStringLiteral("ADJ_TYPE")).toString().trimmed());
    txt_Amount->setText(two(Money::fromVariant(r.value(QStringLiteral("GRAND_TOTAL")))));
    txt_Remarks->setText(r.value(QStringLiteral("REMARKS")).toString());
    lbl_CreatedBy->setText(byOnText(r.value(QStringLiteral("CREATED_BY")), r.value(QStringLiteral("CREATED_ON"))));
}

Money MoneyDocumentWindow::amount() const {
    return Money::fromInput(txt_Amount->text());
}

std::optional<AmountSide> MoneyDocumentWindow::side() const {
    if (!Cmb_AdjType)
        return std::nullopt;
    return Cmb_AdjType->currentText() == kCredit ? AmountSide::Credit : AmountSide::Debit;
}

QString MoneyDocumentWindow::instrDateText() const {
    return txt_InstrDt ? txt_InstrDt->displayText() : kBlankDate;
}

void MoneyDocumentWindow::showWords() {
    // Words of the amount rounded to whole rupees, as stored in AMT_INWORDS.
    lbl_InWords->setText(QLatin1Char(' ') + amountInWordsPhrase(amount()));
}

void MoneyDocumentWindow::showAdjustmentBooking() {
    if (!lbl_CBPTDate)
        return;
    lbl_CBPTDate->clear();
    lbl_PartyBalance->clear();
    if (booking->key().isEmpty() || party->key().isEmpty())
        return;
    const qint64 bookingNo = booking->key().toLongLong();
    const qint64 partyCode = party->key().toLongLong();
    std::optional<QDate> date;
    if (!guarded([&] { date = partyBookingDate(db(), bookingNo, partyCode); }))
        return;
    if (!date) {
        // A booking is adjusted for its own party only: another party's is refused as it is
        // chosen, not after the question. A saved document shows what it was saved with.
        if (!showingRecord() && editable()) {
            prompter().information(this, kNotPartysBooking.arg(bookingNo).arg(partyCode));
            booking->clear();
            booking->edit()->setFocus();
        }
        return;
    }
    lbl_CBPTDate->setText(date->toString(QStringLiteral("dd/MM/yyyy")));
    guarded([&] {
        TransactionRecords records(db(), session().userFullName);
        lbl_PartyBalance->setText(
            records.balance(QStringLiteral("LDOP"), {.party = partyCode, .booking = bookingNo}).toString());
    });
}

qint64 MoneyDocumentWindow::saveDocument(const Document& document) {
    if (member_.shape == Shape::Adjustment)
        return postAdjustment(db(), session().userFullName, document, member_.doc.bookingShut);
    return DocumentWindow::saveDocument(document);
}

QList<Check> MoneyDocumentWindow::ownChecks() {
    QList<Check> checks{
        {[this] { return amount().roundedRupees() <= 0; }, txt_Amount, member_.zero},
    };
    if (Cmb_DBBank) {
        // A name that matches no bank or mode names no id: such a row could never be shown.
        checks << Check{[this] { return Cmb_DBBank->code().isEmpty(); }, Cmb_DBBank, kNoBank}
               << Check{[this] { return Cmb_PaymentMode->code().isEmpty(); }, Cmb_PaymentMode, kNoMode};
        if (Cmb_InstrBank)
            checks << Check{[this] { return Cmb_InstrBank->code().isEmpty(); }, Cmb_InstrBank, kNoInstrBank};
        checks << Check{[this] { return instrDateText() != kBlankDate && !instrDate().isValid(); }, txt_InstrDt,
                        kBadInstrDate};
    }
    return checks;
}

QDate MoneyDocumentWindow::instrDate() const {
    return txt_InstrDt ? QDate::fromString(txt_InstrDt->displayText(), QStringLiteral("dd/MM/yyyy")) : QDate();
}

QList<std::pair<QString, QString>> MoneyDocumentWindow::questionLines() {
    const QString amt = two(amount());
    switch (member_.shape) {
        case Shape::Receipt:
            return {{QStringLiteral(" IN-DOCUMNT CODE : "), QString::fromLatin1(kBookingCode)},
                    {QStringLiteral(" IN-DOCUMNT NO : "), booking->key()},
                    {QStringLiteral(" BILL TO PARTY : "), party->nameLabel()->text()},
                    {QStringLiteral(" DB BANK : "), Cmb_DBBank->currentText()},
                    {QStringLiteral(" AMOUNT : "), amt}};
        case Shape::Payment:
            return {{QStringLiteral(" PARTY NAME : "), party->nameLabel()->text()},
                    {QStringLiteral(" BANK NAME : "), Cmb_DBBank->currentText()},
                    {QStringLiteral(" PAYMENT MODE : "), Cmb_PaymentMode->currentText()},
                    {QStringLiteral(" AMOUNT INR : "), amt}};
        case Shape::Adjustment:
            return {{QStringLiteral(" PARTY CODE :"), party->key()},
                    {QStringLiteral(" PARTY NAME : "), party->nameLabel()->text()},
                    {QStringLiteral(" CBPT NO : "), booking->key()},
                    {QStringLiteral(" ADJ TYPE : "), Cmb_AdjType->currentText()},
                    {QStringLiteral(" AMOUNT : "), amt}};
    }
    return {};
}

QString MoneyDocumentWindow::narration() const {
    const QString amt = two(amount());
    const QString remarks = txt_Remarks->text();
    QString s;
    switch (member_.shape) {
        case Shape::Receipt:
            s = member_.narrationHead + amt + QStringLiteral(" PAID VIA ") + Cmb_PaymentMode->currentText() +
                QStringLiteral(" VIDE INSTR NO:") + txt_InstrNO->text() + QStringLiteral(", INSTR DT: ") +
                instrDateText() + QStringLiteral(" REMARKS:") + remarks;
            break;
        case Shape::Payment:
            s = member_.narrationHead + amt + QStringLiteral(" VIA ") + Cmb_PaymentMode->currentText() +
                QStringLiteral(", INSTR NO :") + txt_InstrNO->text() + QStringLiteral(", INSTR DT:") + instrDateText() +
                QStringLiteral(" REMARKS :") + remarks;
            break;
        case Shape::Adjustment:
            s = member_.narrationHead + amt + QStringLiteral(" ADJUSTED AS ") + Cmb_AdjType->currentText() +
                QStringLiteral(", AGAINST : ") + booking->key() + QStringLiteral(", REMARKS:") + remarks;
            break;
    }
    return s.trimmed().left(2000);
}

Columns MoneyDocumentWindow::ownColumns() {
    const Money amt = amount();
    Columns c{{QStringLiteral("DOC_DESC"), narration()},
              {QStringLiteral("GRAND_TOTAL"), amt.toVariant()},
              {QStringLiteral("AMT_INWORDS"), amountInWordsPhrase(amt)},
              {QStringLiteral("REMARKS"), txt_Remarks->text()}};
    if (Cmb_AdjType)
        c.emplace_back(QStringLiteral("ADJ_TYPE"), Cmb_AdjType->currentText());
    if (Cmb_DBBank) {
        // Banks and modes by id; the instrument bank of a payment or refund is the placeholder.
        c.emplace_back(QStringLiteral("PAY_MODEID"), Cmb_PaymentMode->code().toLongLong());
        c.emplace_back(QStringLiteral("TO_BANKID"), Cmb_DBBank->code().toLongLong());
        c.emplace_back(QStringLiteral("BANK_ID"),
                       (Cmb_InstrBank ? Cmb_InstrBank->code() : kPlaceholderBank).toLongLong());
        c.emplace_back(QStringLiteral("INSTR_NO"), txt_InstrNO->text());
        if (instrDate().isValid())
            c.emplace_back(QStringLiteral("INSTR_DATE"), dateToDb(instrDate()));
    }
    return c;
}

void MoneyDocumentWindow::print() {
    if (number() <= 0 || !canOpen(kVoucher))
        return;
    openWindow(kVoucher, {{{QStringLiteral("DOC_CODE"), member_.doc.code},
                           {QStringLiteral("DOC_NO"), number()},
                           {QStringLiteral("CBPT_NO"), booking->key().toLongLong()}},
                          {}});
}

}  // namespace tarvic
