#include "frm_Invoice.h"

#include "accounts/frm_InvoiceAdd.h"
#include "data/Moments.h"
#include "shell/kit/Checks.h"
#include "shell/kit/GridHelpers.h"
#include "shell/kit/KeyFilters.h"
#include "shell/kit/KeyNavigation.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTableWidget>

namespace tarvic {

const InvoiceWindowConfig& taxInvoiceWindow() {
    static const InvoiceWindowConfig c{&taxInvoiceKind(),
                                       QStringLiteral("frm_Invoice"),
                                       QStringLiteral("PREPARE INVOICE"),
                                       QStringLiteral("frm_InvoiceAdd"),
                                       QStringLiteral("frm_Search_Invoice"),
                                       QStringLiteral(" YOU ARE ABOUT TO GENERATE INVOICE AGAINST CBPT : "),
                                       QStringLiteral("INVOICE SUCCESSFULLY GENERATED .....")};
    return c;
}

const InvoiceWindowConfig& proformaWindow() {
    static const InvoiceWindowConfig c{&proformaKind(),
                                       QStringLiteral("frm_Invoice_P"),
                                       QStringLiteral("GENERATE PROFORMA INVOICE"),
                                       QStringLiteral("frm_InvoiceAdd_P"),
                                       QStringLiteral("frm_Search_Invoice_P"),
                                       QStringLiteral(" YOU ARE ABOUT TO GENERATE PROFORMA INVOICE AGAINST CBPT : "),
                                       QStringLiteral("PROFORMA INVOICE SUCCESSFULLY GENERATED .....")};
    return c;
}

namespace {

const QString kNoBooking = QStringLiteral("PLEASE ENTER CORRECT CBPT NO ....");
const QString kNoHomeState =
    QStringLiteral("DEFAULT STATE IS NOT SET, PLEASE MARK THE COMPANY'S STATE AS DEFAULT IN STATE MAINTENANCE ....");
const QString kNoPartyState = QStringLiteral(
    "TAX STATE CODE OF THE PARTY'S STATE OR OF THE DEFAULT STATE IS BLANK OR NOT A NUMBER, "
    "PLEASE CORRECT IT IN STATE MAINTENANCE ....");
const QString kPrint = QStringLiteral("rpt_Voucher");

}  // namespace

frm_Invoice::~frm_Invoice() {
    // Closing the window takes the focus out of a field, whose handlers would recompute the
    // totals over members already gone.
    for (QObject* child : findChildren<QObject*>())
        disconnect(child, nullptr, this, nullptr);
}

frm_Invoice::frm_Invoice(Session& session, QWidget* parent, const InvoiceWindowConfig& config)
    : TaskWindow(session, parent), config_(config) {
    setObjectName(config_.objectName);
    setWindowTitle(config_.title);
    const bool tax = config_.kind->tax;
    setTool(1, kCloseTip, [this] { close(); });
    setTool(2, kNewTip, [this] { Load_Init(); });
    setTool(3, kSaveTip, [this] { Save_Record(); });
    setTool(4, kSearchTip, [this] { openSearch(); });
    setTool(5, QStringLiteral("Add Details { F5 }"), [this] { openLineWindow(); });
    setTool(6, QStringLiteral("Print { F6 }"), [this] { print(); });

    auto* top = new QGridLayout;
    int cell = 0;
    const auto place = [&](const QString& caption, QWidget* field) {
        auto* l = new QLabel(caption, this);
        l->setBuddy(field);
        top->addWidget(l, cell / 3, (cell % 3) * 2);
        top->addWidget(field, cell / 3, (cell % 3) * 2 + 1);
        ++cell;
    };
    txt_CBPTNo = new QLineEdit(this);
    txt_CBPTNo->setObjectName(QStringLiteral("txt_CBPTNo"));
    attachFilter(txt_CBPTNo, KeyFilter::Number);
    bindColumn(txt_CBPTNo, "M_TBL_TRANSACTION", "IN_DOCNO");
    onEnter(txt_CBPTNo, [this] {
        bool ok = false;
        const qint64 n = txt_CBPTNo->text().trimmed().toLongLong(&ok);
        if (!ok || !Show_CBPTDetails(n))
            prompter().information(this, kNoBooking);
        else
            moveOn(txt_CBPTNo);
    });
    Cmd_SearchCBPT = new QPushButton(QStringLiteral("..."), this);
    Cmd_SearchCBPT->setObjectName(QStringLiteral("Cmd_SearchCBPT"));
    Cmd_SearchCBPT->setMaximumWidth(30);
    connect(Cmd_SearchCBPT, &QPushButton::clicked, this, [this] {
        QPointer<frm_Invoice> self(this);
        openWindow(QStringLiteral("frm_SearchCBPT01"), {{}, [self](const QString& code) {
                                                            if (!self)
                                                                return;
                                                            self->txt_CBPTNo->setText(code);
                                                            if (!self->Show_CBPTDetails(code.toLongLong()))
                                                                self->prompter().information(self, kNoBooking);
                                                        }});
    });
    auto* cbpt = new QWidget(this);
    auto* cbptRow = new QHBoxLayout(cbpt);
    cbptRow->setContentsMargins(0, 0, 0, 0);
    cbptRow->addWidget(txt_CBPTNo);
    cbptRow->addWidget(Cmd_SearchCBPT);
    place(QStringLiteral("CBPT &NO"), cbpt);
    place(QStringLiteral("DOCUMENT NO"), label("lbl_InvNO"));
    lbl_InvNO = label("lbl_InvNO");
    txt_InvoiceNO = new QLineEdit(this);
    txt_InvoiceNO->setObjectName(QStringLiteral("txt_InvoiceNO"));
    bindColumn(txt_InvoiceNO, "M_TBL_TRANSACTION", "GST_INVNO");
    attachFilter(txt_InvoiceNO, KeyFilter::Upper);
    place(QStringLiteral("IN &VOICE NO"), txt_InvoiceNO);
    txt_DocDate = new QDateEdit(this);
    txt_DocDate->setObjectName(QStringLiteral("txt_DocDate"));
    txt_DocDate->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    txt_DocDate->setCalendarPopup(true);
    place(QStringLiteral("&DATE"), txt_DocDate);
    place(QStringLiteral("CBPT DATE"), label("lbl_CBPTDate"));
    place(QStringLiteral("QUOT NO"), label("lbl_QuotNo"));
    place(QStringLiteral("PARTY CODE"), label("lbl_PartyCode"));
    place(QStringLiteral("PARTY NAME"), label("lbl_PartyName"));
    place(QStringLiteral("LEAD NO"), label("lbl_LeadNo"));
    place(QStringLiteral("ADDRESS"), label("lbl_PartyAddress"));
    place(QStringLiteral("STATE"), label("lbl_StateName"));
    place(QStringLiteral("STATE CODE"), label("lbl_StateCode"));
    place(QStringLiteral("GSTIN"), label("lbl_GSTIN"));
    place(QStringLiteral("BOOKED BY"), label("lbl_BookedBy"));
    if (tax) {
        txt_PartyAliasName = new QLineEdit(this);
        txt_PartyAliasName->setObjectName(QStringLiteral("txt_PartyAliasName"));
        bindColumn(txt_PartyAliasName, "M_TBL_TRANSACTION", "PARTY_ALIASNAME");
        place(QStringLiteral("PARTY AL&IAS"), txt_PartyAliasName);
    } else {
        place(QString(), new QWidget(this));
    }
    place(QStringLiteral("DEF STATE"), label("lbl_DefState"));
    if (tax) {
        Cmb_GSTFor = new QComboBox(this);
        Cmb_GSTFor->setObjectName(QStringLiteral("Cmb_GSTFor"));
        connect(Cmb_GSTFor, &QComboBox::currentIndexChanged, this, [this] { chooseGstFor(); });
        place(QStringLiteral("GST &FOR"), Cmb_GSTFor);
    } else {
        place(QString(), new QWidget(this));
    }
    txt_SACCode = new QLineEdit(this);
    txt_SACCode->setObjectName(QStringLiteral("txt_SACCode"));
    bindColumn(txt_SACCode, "M_TBL_TRANSACTION", "SAC_CODE");
    place(QStringLiteral("S&AC CODE"), txt_SACCode);
    if (tax) {
        // What the quotation leaves to invoice.
        place(QStringLiteral("QUOTATION TOTAL"), label("lbl_QuotTotal"));
        place(QStringLiteral("INVOICES GENERATED"), label("lbl_InvGenerated"));
        place(QStringLiteral("BALANCE TO INVOICE"), label("lbl_InvBalance"));
    }
    for (int c : {1, 3, 5})
        top->setColumnStretch(c, 1);
    top->setVerticalSpacing(3);
    body()->addLayout(top);

    auto* middle = new QHBoxLayout;
    Grid1 = new QTableWidget(0, 5, this);
    Grid1->setObjectName(QStringLiteral("Grid1"));
    Grid1->setHorizontalHeaderLabels({QStringLiteral("SLNO"), QStringLiteral("DESCRIPTION"), QStringLiteral("RATE"),
                                      QStringLiteral("QTY"), QStringLiteral("AMOUNT")});
    Grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid1->setSelectionMode(QAbstractItemView::SingleSelection);
    Grid1->verticalHeader()->hide();
    for (auto [c, w] : {std::pair{0, 50}, {1, 300}, {2, 90}, {3, 60}, {4, 100}})
        Grid1->setColumnWidth(c, w);
    Grid1->horizontalHeader()->setStretchLastSection(true);
    Grid1->installEventFilter(this);
    middle->addWidget(Grid1, 1);

    auto* totals = new QFormLayout;
    txt_DiscAmt = new QLineEdit(this);
    txt_DiscAmt->setObjectName(QStringLiteral("txt_DiscAmt"));
    attachFilter(txt_DiscAmt, KeyFilter::Number, amountLimit(QStringLiteral("DISCOUNT AMOUNT")));
    txt_DiscAmt->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*(\\.\\d{0,2})?")), txt_DiscAmt));
    txt_DiscAmt->setAlignment(Qt::AlignRight);
    bindColumn(txt_DiscAmt, "M_TBL_TRANSACTION", "DISC_AMT");
    connect(txt_DiscAmt, &QLineEdit::textChanged, this, [this] { Calc_Total(); });
    showTwoDecimalsOnLeaving(txt_DiscAmt);
    const auto pair = [this](const char* rate, const char* amount) {
        auto* w = new QWidget(this);
        auto* h = new QHBoxLayout(w);
        h->setContentsMargins(0, 0, 0, 0);
        h->addWidget(label(rate));
        h->addWidget(label(amount), 2);
        return w;
    };
    totals->addRow(QStringLiteral("TOTAL AMOUNT"), label("lbl_TotalAmt"));
    totals->addRow(QStringLiteral("DISC&OUNT AMOUNT"), txt_DiscAmt);
    totals->addRow(QStringLiteral("TAXABLE AMOUNT"), label("lbl_TaxableAmt"));
    totals->addRow(QStringLiteral("ADD CGST (%) / ADD CGST"), pair("lbl_CGSTPer", "lbl_CGSTAmt"));
    totals->addRow(QStringLiteral("ADD SGST (%) / ADD SGST"), pair("lbl_SGSTPer", "lbl_SGSTAmt"));
    totals->addRow(QStringLiteral("ADD IGST (%) / ADD IGST"), pair("lbl_IGSTPer", "lbl_IGSTAmt"));
    totals->addRow(QStringLiteral("GRAND TOTAL"), label("lbl_GrandTotal"));
    totals->addRow(QStringLiteral("ADVANCE AMOUNT"), label("lbl_AdvAmt"));
    totals->addRow(QStringLiteral("BALANCE AMOUNT"), label("lbl_BalanceAmt"));
    for (const char* n : {"lbl_TotalAmt", "lbl_TaxableAmt", "lbl_CGSTPer", "lbl_CGSTAmt", "lbl_SGSTPer", "lbl_SGSTAmt",
                          "lbl_IGSTPer", "lbl_IGSTAmt", "lbl_GrandTotal", "lbl_AdvAmt", "lbl_BalanceAmt",
                          "lbl_QuotTotal", "lbl_InvGenerated", "lbl_InvBalance"})
        if (QLabel* l = shown(QString::fromLatin1(n)))
            l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    totals->setVerticalSpacing(3);
    auto* totalsBox = new QWidget(this);
    totalsBox->setLayout(totals);
    totalsBox->setFixedWidth(380);
    middle->addWidget(totalsBox);
    body()->addLayout(middle, 1);

    auto* bottom = new QFormLayout;
    bottom->addRow(QStringLiteral("IN WORDS"), label("lbl_InWords"));
    auto* audit = new QHBoxLayout;
    audit->addWidget(new QLabel(QStringLiteral("DOC STATUS"), this));
    audit->addWidget(label("lbl_DocStatus"), 1);
    audit->addWidget(new QLabel(QStringLiteral("CREATED BY - ON"), this));
    audit->addWidget(label("lbl_CreatedByOn"), 3);
    audit->addWidget(new QLabel(QStringLiteral("CNCL BY - ON"), this));
    audit->addWidget(label("lbl_CnclByOn"), 3);
    bottom->addRow(audit);
    body()->addLayout(bottom);
    resize(1000, 640);

    editor_ = new DocumentEditor(this, {.checks = [this] { return checks(); },
                                        .question = [this] {
                                            return Confirmation{config_.question + QString::number(booking_->number), {}};
                                        },
                                        .save = [this] { return saveDraft(); },
                                        .saved = [this](qint64) { return config_.saved; },
                                        .show = [this](qint64 n) { return Show_InvoiceDetails(n); }});
    editor_->setNumberLabel(lbl_InvNO);
    editor_->setEditableHook([this](bool on) { setLocked(!on); });
    Load_Init();
}

QLabel* frm_Invoice::label(const char* name) {
    const QString n = QString::fromLatin1(name);
    if (auto* l = findChild<QLabel*>(n))
        return l;
    auto* l = new QLabel(this);
    l->setObjectName(n);
    l->setFrameShape(QFrame::StyledPanel);
    l->setMinimumWidth(60);
    return l;
}

QLabel* frm_Invoice::shown(const QString& name) const {
    return findChild<QLabel*>(name);
}

void frm_Invoice::setShown(const char* name, const QString& text) {
    if (QLabel* l = shown(QString::fromLatin1(name)))
        l->setText(text);
}

void frm_Invoice::clearBooking() {
    booking_.reset();
    taxKind_.reset();
    for (const char* n : {"lbl_CBPTDate", "lbl_QuotNo", "lbl_PartyCode", "lbl_PartyName", "lbl_LeadNo",
                          "lbl_PartyAddress", "lbl_StateName", "lbl_StateCode", "lbl_GSTIN", "lbl_BookedBy"})
        setShown(n, QString());
    for (const char* n : {"lbl_AdvAmt", "lbl_QuotTotal", "lbl_InvGenerated", "lbl_InvBalance"})
        setShown(n, QStringLiteral("0.00"));
    if (txt_PartyAliasName)
        txt_PartyAliasName->clear();
}

void frm_Invoice::Load_Init() {
    txt_CBPTNo->clear();
    txt_InvoiceNO->clear();
    txt_DocDate->setDate(QDate::currentDate());
    txt_DiscAmt->setText(QStringLiteral("0.00"));
    for (const char* n : {"lbl_DocStatus", "lbl_CreatedByOn", "lbl_CnclByOn"})
        setShown(n, QString());
    clearBooking();
    lines_.clear();
    gst_ = {};
    guarded([&] {
        InvoiceStore store(db(), session().userFullName);
        home_ = store.homeState();
        const QList<GstRow> rows = store.gstRows();
        if (Cmb_GSTFor) {
            const QSignalBlocker block(Cmb_GSTFor);
            Cmb_GSTFor->clear();
            for (const GstRow& r : rows)
                Cmb_GSTFor->addItem(r.gstFor);
        } else if (!rows.isEmpty()) {
            // The proforma prints the first SAC code and charges no tax.
            gst_.sacCode = rows.first().sacCode;
        }
    });
    setShown("lbl_DefState", home_ ? home_->name + QStringLiteral(" - ") + home_->code2 : QString());
    editor_->startNew();
    if (Cmb_GSTFor)
        chooseGstFor();
    else
        txt_SACCode->setText(gst_.sacCode);
    showLines();
    txt_CBPTNo->setFocus();
}

void frm_Invoice::chooseGstFor() {
    if (!Cmb_GSTFor || locked_)
        return;
    gst_ = {};
    guarded([&] {
        if (auto row = InvoiceStore(db(), session().userFullName).gstRow(Cmb_GSTFor->currentText()))
            gst_ = *row;
    });
    txt_SACCode->setText(gst_.sacCode);
    applyTaxKind();
}

void frm_Invoice::applyTaxKind() {
    taxKind_.reset();
    if (booking_ && home_)
        taxKind_ = taxKindOf(home_->code2, booking_->stateCode2);
    applied_ = taxKind_ ? appliedRates(gst_.rates, *taxKind_) : GstRates{};
    const bool same = taxKind_ == TaxKind::SameState;
    const bool other = taxKind_ == TaxKind::OtherState;
    setShown("lbl_CGSTPer", shownRate(applied_.cgst, same));
    setShown("lbl_SGSTPer", shownRate(applied_.sgst, same));
    setShown("lbl_IGSTPer", shownRate(applied_.igst, other));
    Calc_Total();
}

bool frm_Invoice::Show_CBPTDetails(qint64 bookingNo) {
    if (locked_)
        Load_Init();
    clearBooking();
    std::optional<InvoiceBooking> b;
    if (!guarded([&] { b = InvoiceStore(db(), session().userFullName).booking(bookingNo); }) || !b) {
        applyTaxKind();
        return false;
    }
    booking_ = b;
    txt_CBPTNo->setText(QString::number(bookingNo));
    setShown("lbl_CBPTDate", b->date.toString(QStringLiteral("dd/MM/yyyy")));
    setShown("lbl_QuotNo", QString::number(b->quotation));
    setShown("lbl_PartyCode", QString::number(b->party));
    setShown("lbl_PartyName", b->partyName);
    setShown("lbl_LeadNo", QString::number(b->lead));
    setShown("lbl_PartyAddress", b->address);
    setShown("lbl_StateName", b->stateName);
    setShown("lbl_StateCode", b->stateCode2);
    setShown("lbl_GSTIN", b->gstin);
    setShown("lbl_BookedBy", b->bookedBy);
    setShown("lbl_AdvAmt", b->advance.toString());
    setShown("lbl_QuotTotal", b->quotationTotal.toString());
    setShown("lbl_InvGenerated", b->invoiced.toString());
    setShown("lbl_InvBalance", b->invoiceable().toString());
    if (txt_PartyAliasName)
        txt_PartyAliasName->setText(b->alias);
    applyTaxKind();
    // Said at once: a tax split on a missing code would be wrong on every line.
    if (quiet_ || !config_.kind->tax)
        return true;
    if (!home_)
        prompter().information(this, kNoHomeState);
    else if (!taxKind_)
        prompter().information(this, kNoPartyState);
    return true;
}

void frm_Invoice::showLines() {
    Grid1->setRowCount(int(lines_.size()));
    for (int r = 0; r < int(lines_.size()); ++r) {
        const InvoiceLine& l = lines_[size_t(r)];
        const QStringList cells{QString::number(r + 1), l.description, l.rate.toString(),
                                QString::number(l.quantity.roundedRupees()), l.amount.toString()};
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c != 1)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            Grid1->setItem(r, c, item);
        }
    }
    Calc_Total();
}

bool frm_Invoice::addLine(const InvoiceLine& line) {
    if (locked_)
        return false;
    InvoiceDraft d = draft();
    d.lines.push_back(line);
    if (const QString beyond = beyondLimit(d, d.figures()); !beyond.isEmpty()) {
        prompter().information(this, beyond);
        return false;
    }
    lines_.push_back(line);
    showLines();
    return true;
}

void frm_Invoice::deleteCurrentLine() {
    if (locked_)
        return;
    const int row = Grid1->currentRow();
    if (row < 0 || row >= int(lines_.size()))
        return;
    if (lines_.size() == 1) {
        prompter().critical(this, QStringLiteral("No item to Delete...."));
        return;
    }
    lines_.erase(lines_.begin() + row);
    showLines();
}

bool frm_Invoice::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Grid1 && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        deleteCurrentLine();
        return true;
    }
    return TaskWindow::eventFilter(watched, event);
}

InvoiceDraft frm_Invoice::draft() const {
    InvoiceDraft d;
    d.kind = config_.kind;
    d.date = txt_DocDate->date();
    d.gstInvNo = upperText(txt_InvoiceNO->text().trimmed());
    d.alias = txt_PartyAliasName ? txt_PartyAliasName->text().trimmed() : QString();
    d.gstFor = Cmb_GSTFor ? Cmb_GSTFor->currentText() : QString();
    d.sacCode = txt_SACCode->text().trimmed();
    if (booking_)
        d.booking = *booking_;
    d.discount = Money::fromInput(txt_DiscAmt->text());
    d.rates = applied_;
    d.taxKind = taxKind_.value_or(TaxKind::SameState);
    d.lines = lines_;
    return d;
}

void frm_Invoice::Calc_Total() {
    if (locked_)
        return;
    const InvoiceFigures f = draft().figures();
    // Figures beyond the largest amount are never shown wrong; the save names the first.
    const auto figure = [&f](Money m) { return f.exceeded.isEmpty() ? m.toString() : exceedsText(); };
    setShown("lbl_TotalAmt", figure(f.total));
    setShown("lbl_TaxableAmt", figure(f.taxable));
    setShown("lbl_CGSTAmt", figure(f.cgst));
    setShown("lbl_SGSTAmt", figure(f.sgst));
    setShown("lbl_IGSTAmt", figure(f.igst));
    setShown("lbl_GrandTotal", figure(f.grand));
    setShown("lbl_BalanceAmt", figure(f.balance));
    setShown("lbl_InWords", f.words);
}

void frm_Invoice::Save_Record() {
    if (locked_)
        return;
    // Read before the checks run: a read that fails stops the save instead of passing the check.
    const InvoiceDraft d = draft();
    numberTaken_ = false;
    if (config_.kind->tax && !d.gstInvNo.isEmpty() &&
        !guarded([&] { numberTaken_ = InvoiceStore(db(), session().userFullName).gstInvNoTaken(d.gstInvNo); }))
        return;
    editor_->save();
}

QList<Check> frm_Invoice::checks() const {
    const bool tax = config_.kind->tax;
    const InvoiceDraft d = draft();
    const InvoiceFigures f = d.figures();
    QList<Check> checks;
    if (!tax)
        checks << Check{[=] { return f.exceeded.isEmpty() && f.balance.roundedRupees() == 0; }, txt_DiscAmt,
                        QStringLiteral("CANNOT PROCEED AS THE AMOUNT IS ZERO .....")};
    checks << Check{[this] { return !booking_; }, txt_CBPTNo, kNoBooking};
    if (tax) {
        checks << Check{[this] { return !home_; }, txt_CBPTNo, kNoHomeState}
               << Check{[this] { return !taxKind_; }, txt_CBPTNo, kNoPartyState}
               << Check{[=] { return d.gstInvNo.isEmpty(); }, txt_InvoiceNO,
                        QStringLiteral("ENTER INVOICE NO, IS COMPULSORY....")}
               << Check{[this] { return numberTaken_; }, txt_InvoiceNO, invoiceNumberTakenMessage(d.gstInvNo)};
    }
    const QString beyond = beyondLimit(d, f);
    checks << Check{[this] { return lines_.empty(); }, Grid1, QStringLiteral("PLEASE ADD THE INVOICE DETAILS ....")}
           << Check{[=] { return !beyond.isEmpty(); }, txt_DiscAmt, beyond}
           << Check{[=] { return d.discount > f.total; }, txt_DiscAmt,
                    QStringLiteral("DISCOUNT AMOUNT CANNOT BE MORE THAN THE TOTAL AMOUNT ....")};
    if (tax)
        checks << Check{[=, this] { return f.grand > booking_->invoiceable(); }, txt_DiscAmt,
                        invoiceCapMessage(booking_ ? booking_->invoiceable() : Money())};
    return checks;
}

qint64 frm_Invoice::saveDraft() {
    const InvoiceDraft d = draft();
    try {
        return InvoiceStore(db(), session().userFullName).save(d);
    } catch (const DbError& e) {
        // The one key a user types is the tax invoice number.
        if (e.kind() == DbError::Kind::Duplicate)
            throw DbError(DbError::Kind::Refused, invoiceNumberTakenMessage(d.gstInvNo));
        throw;
    }
}

bool frm_Invoice::Show_InvoiceDetails(qint64 no) {
    std::optional<InvoiceStore::Saved> saved;
    std::optional<InvoiceBooking> b;
    const bool ok = guarded([&] {
        InvoiceStore store(db(), session().userFullName);
        saved = store.saved(*config_.kind, no);
        if (saved)
            b = store.booking(saved->head.value(QStringLiteral("IN_DOCNO")).toLongLong(), no);
    });
    if (!ok || !saved)
        return false;
    const QSqlRecord* row = &saved->head;
    std::vector<InvoiceLine> lines = std::move(saved->lines);
    Load_Init();
    const auto v = [&](const char* c) { return row->value(QLatin1String(c)); };
    const auto money = [&](const char* c) { return Money::fromVariant(v(c)).toString(); };
    txt_CBPTNo->setText(QString::number(v("IN_DOCNO").toLongLong()));
    if (b) {
        quiet_ = true;
        Show_CBPTDetails(b->number);
        quiet_ = false;
    }
    txt_InvoiceNO->setText(v("GST_INVNO").toString());
    txt_DocDate->setDate(dateFromDb(v("DOC_DATE")));
    if (txt_PartyAliasName)
        txt_PartyAliasName->setText(v("PARTY_ALIASNAME").toString());
    if (Cmb_GSTFor) {
        const QSignalBlocker block(Cmb_GSTFor);
        if (Cmb_GSTFor->findText(v("GST_FOR").toString()) < 0)
            Cmb_GSTFor->addItem(v("GST_FOR").toString());
        Cmb_GSTFor->setCurrentText(v("GST_FOR").toString());
    }
    txt_SACCode->setText(v("SAC_CODE").toString());
    txt_DiscAmt->setText(money("DISC_AMT"));
    lines_ = std::move(lines);
    showLines();
    // A saved invoice is never changed here: it is cancelled as a whole.
    const bool cancelled = v("DOC_STATUS").toString().trimmed() == status::kCancelled;
    editor_->shown(no, cancelled ? DocState::Cancelled : DocState::Live, false);
    // As stored, whatever the rates or the booking's receipts are now.
    setShown("lbl_TotalAmt", money("TOTAL_AMOUNT"));
    setShown("lbl_TaxableAmt", money("TAXIBLE_AMT"));
    for (const char* k : {"CGST", "SGST", "IGST"}) {
        const QByteArray key(k);
        setShown(("lbl_" + key + "Per").constData(), money((key + "_PER").constData()));
        setShown(("lbl_" + key + "Amt").constData(), money((key + "_AMT").constData()));
    }
    setShown("lbl_GrandTotal", money("GRAND_TOTAL"));
    setShown("lbl_AdvAmt", money("ADV_AMOUNT"));
    setShown("lbl_BalanceAmt", money("BALANCE_AMT"));
    setShown("lbl_InWords", v("AMT_INWORDS").toString());
    setShown("lbl_DocStatus", v("DOC_STATUS").toString());
    setShown("lbl_CreatedByOn", byOnText(v("CREATED_BY"), v("CREATED_ON")));
    setShown("lbl_CnclByOn", byOnText(v("CNCL_BY"), v("CNCL_ON")));
    return true;
}

void frm_Invoice::setLocked(bool locked) {
    locked_ = locked;
    for (QLineEdit* e : {txt_InvoiceNO, txt_PartyAliasName, txt_SACCode, txt_DiscAmt})
        setReadOnlyField(e, locked);
    txt_DocDate->setEnabled(!locked);
    if (Cmb_GSTFor)
        Cmb_GSTFor->setEnabled(!locked);
    tool(3)->setEnabled(!locked);
    tool(5)->setEnabled(!locked);
    tool(6)->setEnabled(locked && canOpen(kPrint));
}

void frm_Invoice::openLineWindow() {
    if (locked_)
        return;
    QWidget* w = openWindow(config_.lineWindow, {}, WindowRegistry::Opening::Modal);
    if (auto* add = qobject_cast<frm_InvoiceAdd*>(w))
        add->onLine = [self = QPointer<frm_Invoice>(this)](const InvoiceLine& l) { return self && self->addLine(l); };
}

void frm_Invoice::openSearch() {
    QPointer<frm_Invoice> self(this);
    openWindow(config_.searchWindow, {{}, [self](const QString& code) {
                                          if (self)
                                              self->Show_InvoiceDetails(code.toLongLong());
                                      }});
}

void frm_Invoice::print() {
    if (editor_->number() <= 0 || !canOpen(kPrint))
        return;
    openWindow(kPrint, {{{QStringLiteral("DOC_CODE"), config_.kind->code},
                         {QStringLiteral("DOC_NO"), editor_->number()},
                         {QStringLiteral("CBPT_NO"), txt_CBPTNo->text().toLongLong()}}});
}

}  // namespace tarvic
