#include "VoucherWindow.h"

#include "data/AmountInWords.h"
#include "data/Moments.h"
#include "shell/kit/KeyFilters.h"

#include <QAction>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace tarvic {

namespace {

const QString kBlankDate = QStringLiteral("  /  /    ");
const QString kPrint = QStringLiteral("rpt_Voucher");

// The own banks exclude the placeholder bank 0; an instrument's bank may be it. Both in the
// order of their ids, as the bank master keeps them.
const CodeSource kOwnBanks{QStringLiteral("(SELECT BANK_ID, BANK_NAME FROM MST_BANK WHERE BANK_ID <> 0) B"),
                           QStringLiteral("BANK_ID"),
                           QStringLiteral("BANK_NAME"),
                           {},
                           true,
                           QStringLiteral("BANK_ID")};
const CodeSource kAllBanks{QStringLiteral("MST_BANK"), QStringLiteral("BANK_ID"), QStringLiteral("BANK_NAME"), {}, true,
                           QStringLiteral("BANK_ID")};
const CodeSource kPayModes{QStringLiteral("MST_PAYMODE"), QStringLiteral("MODE_ID"), QStringLiteral("PAY_MODE")};

// The accounts combined with one document code; the code is ours, never typed.
CodeSource accountsOf(const QString& docCode) {
    return {QStringLiteral("(SELECT ACC_CODE AS A_CODE, ACC_CODE AS A_NAME FROM M_TBL_DOCUMENTACCOUNT_COMB "
                           "WHERE DOC_CODE = '%1') AC")
                .arg(docCode),
            QStringLiteral("A_CODE"),
            QStringLiteral("A_NAME"),
            {},
            false};
}

QLabel* shown(QWidget* parent, const QString& name) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setFrameShape(QFrame::StyledPanel);
    l->setMinimumWidth(200);
    return l;
}

QLineEdit* line(QWidget* parent, const QString& name, bool upper = true) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    if (upper)
        attachFilter(e, KeyFilter::Upper);
    return e;
}

QWidget* inRow(QWidget* parent, const QList<QWidget*>& parts) {
    auto* row = new QWidget(parent);
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    for (QWidget* w : parts)
        h->addWidget(w, w == parts.last() ? 1 : 0);
    return row;
}

}  // namespace

VoucherWindow::VoucherWindow(Session& session, QWidget* parent, const VoucherConfig& config)
    : DocumentWindow(session, parent, config.document), vc_(config) {
    using Shape = VoucherConfig::Shape;
    const bool misc = vc_.shape == Shape::Misc;
    const bool transfer = vc_.shape == Shape::Transfer;

    if (misc) {
        party->addPicker(QStringLiteral("Cmd_SrcParty"), [this](PickCallback pick) {
            openWindow(QStringLiteral("frm_Search_Party"), WindowArgs{{}, std::move(pick)});
        });
        // The kit laid the party's row out before the picker existed: it goes beside the code.
        if (auto* row = qobject_cast<QHBoxLayout*>(party->edit()->parentWidget()->layout()))
            row->insertWidget(1, party->pickButton());
        lbl_PartyType = shown(this, QStringLiteral("lbl_PartyType"));
        lbl_Balance = shown(this, QStringLiteral("lbl_Balance"));
        lbl_Balance->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        addField(QStringLiteral("PARTY TYPE"), lbl_PartyType);
        addField(QStringLiteral("BALANCE AMT"), lbl_Balance);
        connect(party, &CodeField::keyChanged, this, [this] { showBalance(); });
    }
    Cmb_AccCode = list(accountsOf(vc_.accounts), QStringLiteral("Cmb_AccCode"));
    Cmb_AccCode->setEditable(false);
    lbl_AccDesc = shown(this, QStringLiteral("lbl_AccDesc"));
    addField(transfer ? QStringLiteral("FROM A/C CODE") : QStringLiteral("A/C CODE"),
             inRow(this, {Cmb_AccCode, lbl_AccDesc}));
    connect(Cmb_AccCode, &CodeList::codeChanged, this,
            [this](const QString& c) { lbl_AccDesc->setText(descOf(vc_.accounts, c)); });
    if (transfer) {
        Cmb_ToAccCode = list(accountsOf(vc_.toAccounts), QStringLiteral("Cmb_ToAccCode"));
        Cmb_ToAccCode->setEditable(false);
        lbl_ToAccDesc = shown(this, QStringLiteral("lbl_ToAccDesc"));
        addField(QStringLiteral("TO A/C CODE"), inRow(this, {Cmb_ToAccCode, lbl_ToAccDesc}));
        connect(Cmb_ToAccCode, &CodeList::codeChanged, this,
                [this](const QString& c) { lbl_ToAccDesc->setText(descOf(vc_.toAccounts, c)); });
    }
    Cmb_DBBank = list(kOwnBanks, QStringLiteral("Cmb_DBBank"));
    bindColumn(Cmb_DBBank, "MST_BANK", "BANK_NAME");
    addField(misc       ? QStringLiteral("DEPOSITED TO")
             : transfer ? QStringLiteral("FROM BANK")
                        : QStringLiteral("BANK"),
             Cmb_DBBank);
    if (transfer) {
        Cmb_ToBank = list(kOwnBanks, QStringLiteral("Cmb_ToBank"));
        bindColumn(Cmb_ToBank, "MST_BANK", "BANK_NAME");
        addField(QStringLiteral("TO BANK"), Cmb_ToBank);
    }
    if (misc || transfer) {
        Cmb_PaymentMode = list(kPayModes, QStringLiteral("Cmb_PaymentMode"));
        bindColumn(Cmb_PaymentMode, "MST_PAYMODE", "PAY_MODE");
        addField(QStringLiteral("PAYMENT MODE"), Cmb_PaymentMode);
        txt_InstrNO = line(this, QStringLiteral("txt_InstrNO"));
        bindColumn(txt_InstrNO, "M_TBL_TRANSACTION", "INSTR_NO");
        addField(QStringLiteral("INSTRUMENT NO"), txt_InstrNO);
    }
    if (misc) {
        txt_InstrDt = line(this, QStringLiteral("txt_InstrDt"), false);
        txt_InstrDt->setInputMask(QStringLiteral("00/00/0000; "));
        bindColumn(txt_InstrDt, "M_TBL_TRANSACTION", "INSTR_DATE");
        txt_InstrDt->setMaximumWidth(110);
        addField(QStringLiteral("INSTRUMENT DATE"), txt_InstrDt);
        Cmb_InstrBank = list(kAllBanks, QStringLiteral("Cmb_InstrBank"));
        bindColumn(Cmb_InstrBank, "MST_BANK", "BANK_NAME");
        addField(QStringLiteral("INSTR BANK"), Cmb_InstrBank);
        connect(Cmb_PaymentMode, &CodeList::codeChanged, this, [this] { modeChanged(); });
    }
    txt_Amount = line(this, QStringLiteral("txt_Amount"), false);
    txt_Amount->setAlignment(Qt::AlignRight);
    txt_Amount->setMaximumWidth(140);
    if (vc_.wholeRupees) {  // whole rupees, never "-", typed or pasted
        txt_Amount->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*(\\.[0-9]{0,2})?")), txt_Amount));
        limitField(txt_Amount, amountLimit());
    } else {
        attachFilter(txt_Amount, KeyFilter::Amount);
    }
    connect(txt_Amount, &QLineEdit::textChanged, this, [this] {
        const Money m =
            Money::fromInput(txt_Amount->text());  // not virtual: it also runs while the window is torn down
        lbl_InWords->setText(m.roundedRupees() == 0 ? QString() : QLatin1Char(' ') + amountInWordsPhrase(m));
    });
    showTwoDecimalsOnLeaving(txt_Amount);
    bindColumn(txt_Amount, "M_TBL_TRANSACTION", "GRAND_TOTAL");
    addField(QStringLiteral("AMOUNT INR /-"), txt_Amount);
    lbl_InWords = shown(this, QStringLiteral("lbl_InWords"));
    lbl_InWords->setWordWrap(true);
    addField(QStringLiteral("AMNT IN WORDS"), lbl_InWords);
    txt_Remarks = line(this, QStringLiteral("txt_Remarks"));
    bindColumn(txt_Remarks, "M_TBL_TRANSACTION", "REMARKS");
    addField(QStringLiteral("REMARKS"), txt_Remarks);
    if (vc_.collectedBy) {
        txt_CollBy = line(this, QStringLiteral("txt_CollBy"));
        bindColumn(txt_CollBy, "M_TBL_TRANSACTION", "COLL_BY");
        addField(QStringLiteral("COLLECTED BY"), txt_CollBy);
    }
    setTool(4, QStringLiteral("Print { F4 }"), [this] { print(); });

    for (CodeList* l : findChildren<CodeList*>())
        l->load();
    Load_Init();
}

CodeList* VoucherWindow::list(const CodeSource& source, const QString& name) {
    auto* l = new CodeList(session(), source, this);
    l->setObjectName(name);
    l->setEditable(true);
    l->setMinimumWidth(260);
    return l;
}

QString VoucherWindow::descOf(const QString& docCode, const QString& account) const {
    if (account.isEmpty())
        return {};
    QString desc;
    runGuarded(prompter(), const_cast<VoucherWindow*>(this), [&] {
        desc = db().scalar(QStringLiteral("SELECT ACCOUNT_DESC FROM M_TBL_DOCUMENTACCOUNT_COMB "
                                          "WHERE DOC_CODE=? AND ACC_CODE=?"),
                           {docCode, account})
                   .toString()
                   .trimmed();
    });
    return desc;
}

Money VoucherWindow::amount() const {
    return Money::fromInput(txt_Amount->text());
}
QString VoucherWindow::accountDesc() const {
    return lbl_AccDesc->text();
}
QString VoucherWindow::toAccountDesc() const {
    return lbl_ToAccDesc ? lbl_ToAccDesc->text() : QString();
}
QString VoucherWindow::partyName() const {
    return party->key().isEmpty() ? QString() : party->nameLabel()->text();
}
QString VoucherWindow::payMode() const {
    return Cmb_PaymentMode ? Cmb_PaymentMode->currentText().trimmed() : QString();
}
QString VoucherWindow::instrDateText() const {
    return txt_InstrDt ? txt_InstrDt->displayText() : QString();
}

QDate VoucherWindow::instrDate() const {
    return txt_InstrDt ? QDate::fromString(txt_InstrDt->text(), QStringLiteral("dd/MM/yyyy")) : QDate();
}

// "CASH" needs no instrument: its fields are emptied and locked; any other mode opens them.
void VoucherWindow::modeChanged() {
    const bool cash = Cmb_PaymentMode->currentText().trimmed() == QLatin1String("CASH");
    if (cash) {
        txt_InstrNO->clear();
        txt_InstrDt->clear();
        Cmb_InstrBank->setCode(QStringLiteral("0"));
    }
    const bool open = editable() && !cash;
    txt_InstrNO->setEnabled(open);
    txt_InstrDt->setEnabled(open);
    Cmb_InstrBank->setEnabled(open);
}

// What the party's miscellaneous accounts hold: credit minus debit.
void VoucherWindow::showBalance() {
    lbl_PartyType->clear();
    lbl_Balance->clear();
    if (party->key().isEmpty())
        return;
    runGuarded(prompter(), this, [&] {
        const qint64 p = party->key().toLongLong();
        lbl_PartyType->setText(partyTypeOf(db(), p));
        TransactionRecords records(db(), session().userFullName);
        lbl_Balance->setText((-records.balance(QStringLiteral("LDMA"), {p, {}, {}})).toString());
    });
}

QList<Check> VoucherWindow::ownChecks() {
    QList<Check> checks = vc_.checks(*this);
    const QString account = QStringLiteral("CANNOT PROCEED, PLEASE SELECT A/C CODE PROPERLY ......");
    const auto none = [](CodeList* l) { return [l] { return l && l->code().isEmpty(); }; };
    // An optional party typed but not found is not silently left out.
    checks << Check{[this] { return party->key().isEmpty() && !party->edit()->text().trimmed().isEmpty(); },
                    party->edit(), QStringLiteral("CANNOT PROCEED, PLEASE ENTER PARTY CODE PROPERLY ......")}
           << Check{none(Cmb_AccCode), Cmb_AccCode, account} << Check{none(Cmb_ToAccCode), Cmb_ToAccCode, account}
           << Check{none(Cmb_DBBank), Cmb_DBBank, QStringLiteral("CANNOT PROCEED, PLEASE SELECT BANK PROPERLY ......")}
           << Check{none(Cmb_ToBank), Cmb_ToBank, QStringLiteral("CANNOT PROCEED, PLEASE SELECT BANK PROPERLY ......")}
           << Check{none(Cmb_PaymentMode), Cmb_PaymentMode,
                    QStringLiteral("CANNOT PROCEED, PLEASE SELECT PAYMENT MODE PROPERLY ......")}
           << Check{[this] {
                        return txt_InstrDt && txt_InstrDt->isEnabled() && txt_InstrDt->displayText() != kBlankDate &&
                               !instrDate().isValid();
                    },
                    txt_InstrDt, QStringLiteral("CANNOT PROCEED, PLEASE ENTER INSTRUMENT DATE PROPERLY ......")}
           << Check{[this] { return Cmb_InstrBank && Cmb_InstrBank->code().isEmpty(); }, Cmb_InstrBank,
                    QStringLiteral("CANNOT PROCEED, PLEASE SELECT INSTRUMENT BANK PROPERLY ......")};
    return checks;
}

QList<std::pair<QString, QString>> VoucherWindow::questionLines() {
    return vc_.question(*this);
}

QString VoucherWindow::savedMessage(qint64 number) {
    return vc_.saved(*this, number);
}

Columns VoucherWindow::ownColumns() {
    const Money m = amount();
    Columns c{{QStringLiteral("DOC_DESC"), vc_.narration(*this).trimmed().left(2000)},
              {QStringLiteral("TO_ACC"), Cmb_AccCode->code()},
              {QStringLiteral("TO_BANKID"), Cmb_DBBank->code().toLongLong()},
              {QStringLiteral("TOTAL_AMOUNT"), m.toVariant()},
              {QStringLiteral("GRAND_TOTAL"), m.toVariant()},
              {QStringLiteral("AMT_INWORDS"), amountInWordsPhrase(m)},
              {QStringLiteral("REMARKS"), txt_Remarks->text().trimmed()}};
    if (Cmb_PaymentMode) {
        c.emplace_back(QStringLiteral("PAY_MODEID"), Cmb_PaymentMode->code().toLongLong());
        c.emplace_back(QStringLiteral("INSTR_NO"), txt_InstrNO->text().trimmed());
    }
    if (Cmb_InstrBank)
        c.emplace_back(QStringLiteral("BANK_ID"), Cmb_InstrBank->code().toLongLong());
    if (txt_InstrDt && instrDate().isValid())
        c.emplace_back(QStringLiteral("INSTR_DATE"), dateToDb(instrDate()));
    if (txt_CollBy)
        c.emplace_back(QStringLiteral("COLL_BY"), txt_CollBy->text().trimmed());
    if (Cmb_ToBank)  // each row of a transfer points at the other under the shared number and date
        c.emplace_back(QStringLiteral("IN_DOCDATE"), dateToDb(txt_DocDate->date()));
    return c;
}

Columns VoucherWindow::ownPairColumns() {
    if (!Cmb_ToBank)
        return {};
    return {{QStringLiteral("TO_ACC"), Cmb_ToAccCode->code()},
            {QStringLiteral("TO_BANKID"), Cmb_ToBank->code().toLongLong()}};
}

void VoucherWindow::clearOwn() {
    for (CodeList* l : findChildren<CodeList*>())
        l->clearChoice();
    if (Cmb_PaymentMode)
        Cmb_PaymentMode->setCode(
            Cmb_PaymentMode->itemData(Cmb_PaymentMode->findText(QStringLiteral("CASH"))).toString());
    if (Cmb_InstrBank)
        Cmb_InstrBank->setCode(QStringLiteral("0"));
    for (QLineEdit* e : {txt_InstrNO, txt_InstrDt, txt_Remarks, txt_CollBy})
        if (e)
            e->clear();
    txt_Amount->setText(Money().toString());
    for (QLabel* l : {lbl_AccDesc, lbl_ToAccDesc, lbl_PartyType, lbl_Balance})
        if (l)
            l->clear();
    if (Cmb_PaymentMode && Cmb_InstrBank)
        modeChanged();
}

void VoucherWindow::showOwn(const QSqlRecord& row) {
    const auto text = [&](const char* c) { return row.value(QLatin1String(c)).toString().trimmed(); };
    const auto id = [&](const char* c) {
        const QVariant v = row.value(QLatin1String(c));
        return v.isNull() ? QString() : QString::number(v.toLongLong());
    };
    Cmb_AccCode->setCode(text("TO_ACC"), text("TO_ACC"));
    Cmb_DBBank->setCode(id("TO_BANKID"));
    if (Cmb_PaymentMode) {
        Cmb_PaymentMode->setCode(id("PAY_MODEID"));
        txt_InstrNO->setText(text("INSTR_NO"));
    }
    if (Cmb_InstrBank) {
        Cmb_InstrBank->setCode(id("BANK_ID"));
        txt_InstrDt->setText(dateText(row.value(QStringLiteral("INSTR_DATE"))));
    }
    if (Cmb_ToBank) {
        // The to-side lives on the partner row.
        runGuarded(prompter(), this, [&] {
            const auto pair = db().firstRow(QStringLiteral("SELECT TO_ACC, TO_BANKID FROM M_TBL_TRANSACTION "
                                                           "WHERE DOC_CODE='BTDB01' AND DOC_NO=?"),
                                            {number()});
            if (pair) {
                Cmb_ToAccCode->setCode(pair->value(0).toString().trimmed(), pair->value(0).toString().trimmed());
                Cmb_ToBank->setCode(pair->value(1).isNull() ? QString() : QString::number(pair->value(1).toLongLong()));
            }
        });
    }
    txt_Amount->setText(Money::fromVariant(row.value(QStringLiteral("GRAND_TOTAL"))).toString());
    txt_Remarks->setText(text("REMARKS"));
    if (txt_CollBy)
        txt_CollBy->setText(text("COLL_BY"));
}

void VoucherWindow::setOwnEditable(bool editable) {
    for (CodeList* l : findChildren<CodeList*>())
        l->setEnabled(editable);
    for (QLineEdit* e : {txt_InstrNO, txt_InstrDt, txt_Amount, txt_Remarks, txt_CollBy})
        setReadOnlyField(e, !editable);
    if (party->pickButton())
        party->pickButton()->setEnabled(editable && canOpen(QStringLiteral("frm_Search_Party")));
    if (Cmb_PaymentMode && Cmb_InstrBank && editable)
        modeChanged();
    // A saved voucher prints once the printed-voucher service is there.
    tool(4)->setEnabled(!editable && number() > 0 && canOpen(kPrint));
}

void VoucherWindow::print() {
    if (number() <= 0)
        return;
    openWindow(kPrint, WindowArgs{{{QStringLiteral("DOC_CODE"), config().code}, {QStringLiteral("DOC_NO"), number()}}});
}

}  // namespace tarvic
