#include "BulkPostingWindow.h"

#include "data/AmountInWords.h"
#include "data/Moments.h"
#include "data/TransactionRecords.h"
#include "engine/DocumentState.h"
#include "shell/kit/Checks.h"
#include "shell/kit/CodeList.h"
#include "shell/kit/DocumentWindow.h"
#include "shell/kit/GridHelpers.h"
#include "shell/kit/KeyFilters.h"

#include <QAction>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSqlQuery>
#include <QSqlRecord>

#include <QTableWidget>
#include <optional>

namespace tarvic {

namespace {

const QString kBlankDate = QStringLiteral("  /  /    ");
// Postings of more lines than this show their progress.
constexpr int kProgressFrom = 10;

const CodeSource kOwnBanks{QStringLiteral("(SELECT BANK_ID, BANK_NAME FROM MST_BANK WHERE BANK_ID <> 0) B"),
                           QStringLiteral("BANK_ID"), QStringLiteral("BANK_NAME")};
const CodeSource kPayModes{QStringLiteral("MST_PAYMODE"), QStringLiteral("MODE_ID"), QStringLiteral("PAY_MODE")};

const BulkConfig kConfigs[] = {
    {QStringLiteral("frm_FRDB_BulkPosting"), QStringLiteral("FRDB - Bulk Posting"), QStringLiteral("FRDB01"),
     QStringLiteral("FRDB BULK POST : RS "), QStringLiteral("FRDB BULK POSTING DONE FOR CBPT NOS : "),
     QStringLiteral("frm_Search_FRDB01")},
    {QStringLiteral("frm_FTCR_BulkPosting"), QStringLiteral("FTCR - Bulk Posting"), QStringLiteral("FTCR01"),
     QStringLiteral("FTCR BULK POST : RS "), QStringLiteral("FTCR BULK POSTING DONE FOR CBPT NOS : "),
     QStringLiteral("frm_Search_FTCR01")},
};

QLabel* shown(QWidget* parent, const QString& name, int minWidth = 120) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setFrameShape(QFrame::StyledPanel);
    l->setMinimumWidth(minWidth);
    return l;
}

// Whole numbers only: never "-", typed or pasted; an amount is bounded by its limit instead.
QLineEdit* digits(QWidget* parent, const QString& name, int width,
                  const QString& pattern = QStringLiteral("[0-9]{0,11}")) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setMaximumWidth(width);
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), e));
    return e;
}

}  // namespace

const BulkConfig& bulkConfig(BulkKind kind) {
    return kConfigs[kind == BulkKind::Receipts ? 0 : 1];
}

BulkPostingWindow::BulkPostingWindow(Session& session, QWidget* parent, BulkKind kind)
    : TaskWindow(session, parent), kind_(kind), config_(bulkConfig(kind)) {
    setObjectName(config_.window);
    setWindowTitle(config_.title);
    setTool(1, kCloseTip, [this] { close(); });
    setTool(2, kNewTip, [this] { Load_Init(); });
    setTool(3, kSaveTip, [this] { Save_Record(); });
    setTool(4, kSearchTip, [this] {
        QPointer<BulkPostingWindow> self(this);
        openWindow(config_.search, WindowArgs{{}, [self](const QString& n) {
                                                  if (self)
                                                      self->Show_Record(n.toLongLong());
                                              }});
    });

    lbl_DocCode = shown(this, QStringLiteral("lbl_DocCode"), 80);
    lbl_DocCode->setText(config_.code);
    lbl_DocNo = shown(this, QStringLiteral("lbl_DocNo"), 80);
    lbl_Status = shown(this, QStringLiteral("lbl_Status"), 80);
    txt_DocDate = new QDateEdit(this);
    txt_DocDate->setObjectName(QStringLiteral("txt_DocDate"));
    txt_DocDate->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    txt_DocDate->setCalendarPopup(true);
    party =
        new CodeField(session, kPartySource, this, QStringLiteral("txt_PartyCode"), QStringLiteral("lbl_PartyName"));
    party->edit()->setMaximumWidth(90);
    attachFilter(party->edit(), KeyFilter::Number);
    party->addPicker(QStringLiteral("Cmd_SrcParty"), [this](PickCallback pick) {
        openWindow(QStringLiteral("frm_Search_Party"), WindowArgs{{}, std::move(pick)});
    });
    connect(party->edit(), &QLineEdit::editingFinished, party, [this] {
        if (party->key().isEmpty() && !party->edit()->text().trimmed().isEmpty())
            party->lookUp();
    });
    connect(party, &CodeField::keyChanged, this, [this] { showBalances(); });
    Cmb_DBBank = new CodeList(session, kOwnBanks, this);
    Cmb_DBBank->setObjectName(QStringLiteral("Cmb_DBBank"));
    Cmb_PaymentMode = new CodeList(session, kPayModes, this);
    Cmb_PaymentMode->setObjectName(QStringLiteral("Cmb_PaymentMode"));
    for (CodeList* l : {Cmb_DBBank, Cmb_PaymentMode}) {
        l->setEditable(true);
        l->setMinimumWidth(240);
        l->load();
    }
    bindColumn(Cmb_DBBank, "MST_BANK", "BANK_NAME");
    bindColumn(Cmb_PaymentMode, "MST_PAYMODE", "PAY_MODE");
    txt_InstrNO = new QLineEdit(this);
    txt_InstrNO->setObjectName(QStringLiteral("txt_InstrNO"));
    attachFilter(txt_InstrNO, KeyFilter::Upper);
    bindColumn(txt_InstrNO, "M_TBL_TRANSACTION", "INSTR_NO");
    txt_InstrDt = new QLineEdit(this);
    txt_InstrDt->setObjectName(QStringLiteral("txt_InstrDt"));
    txt_InstrDt->setInputMask(QStringLiteral("00/00/0000; "));
    bindColumn(txt_InstrDt, "M_TBL_TRANSACTION", "INSTR_DATE");
    txt_InstrDt->setMaximumWidth(100);

    auto* head = new QFormLayout;
    auto* numberRow = new QHBoxLayout;
    numberRow->addWidget(lbl_DocCode);
    numberRow->addWidget(lbl_DocNo);
    numberRow->addWidget(lbl_Status, 1);
    head->addRow(QStringLiteral("DOC CODE / NO"), numberRow);
    head->addRow(QStringLiteral("DOC &DATE"), txt_DocDate);
    auto* partyRow = new QHBoxLayout;
    partyRow->addWidget(party->edit());
    partyRow->addWidget(party->pickButton());
    partyRow->addWidget(party->nameLabel(), 1);
    head->addRow(QStringLiteral("PARTY CODE"), partyRow);
    head->addRow(kind_ == BulkKind::Receipts ? QStringLiteral("DB TO BANK") : QStringLiteral("CR FROM BANK"),
                 Cmb_DBBank);
    head->addRow(QStringLiteral("PAYMENT MODE"), Cmb_PaymentMode);
    auto* instrRow = new QHBoxLayout;
    instrRow->addWidget(txt_InstrNO, 1);
    instrRow->addWidget(new QLabel(QStringLiteral("INSTR DT"), this));
    instrRow->addWidget(txt_InstrDt);
    head->addRow(QStringLiteral("INSTRUMENT NO"), instrRow);

    Grid2 = new QTableWidget(this);
    Grid2->setObjectName(QStringLiteral("Grid2"));
    Load_EmptyGrid(Grid2, {{QStringLiteral("SLNO"), 600, Qt::AlignRight},
                           {QStringLiteral("CBPT NO"), 1000, Qt::AlignRight},
                           {QStringLiteral("BALANCE /-"), 1500, Qt::AlignRight},
                           {QStringLiteral("GUEST NAME"), 2600},
                           {QStringLiteral("START DT"), 1400},
                           {QStringLiteral("END DT"), 1400}});
    auto* top = new QHBoxLayout;
    top->addLayout(head, 0);
    auto* balances = new QVBoxLayout;
    balances->addWidget(new QLabel(QStringLiteral("CBPT BALANCES"), this));
    balances->addWidget(Grid2, 1);
    top->addLayout(balances, 1);
    body()->addLayout(top);

    txt_CBPTNo = digits(this, QStringLiteral("txt_CBPTNo"), 100);
    bindColumn(txt_CBPTNo, "M_TBL_TRANSACTION", "IN_DOCNO");
    connect(txt_CBPTNo, &QLineEdit::editingFinished, this, [this] { showBookingBalance(); });
    lbl_CBPTBal = shown(this, QStringLiteral("lbl_CBPTBal"), 110);
    lbl_CBPTBal->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    txt_Amount = digits(this, QStringLiteral("txt_Amount"), 130, QStringLiteral("[0-9]*"));
    bindColumn(txt_Amount, "M_TBL_TRANSACTION", "GRAND_TOTAL");
    limitField(txt_Amount, amountLimit());
    txt_Amount->setAlignment(Qt::AlignRight);
    Cmd_Add = new QPushButton(QStringLiteral("&Add"), this);
    Cmd_Add->setObjectName(QStringLiteral("Cmd_Add"));
    connect(Cmd_Add, &QPushButton::clicked, this, [this] { Add_Line(); });
    onEnter(txt_Amount, [this] { Add_Line(); });
    auto* entry = new QHBoxLayout;
    entry->addWidget(new QLabel(QStringLiteral("CBPT NO"), this));
    entry->addWidget(txt_CBPTNo);
    entry->addWidget(new QLabel(QStringLiteral("BALANCE"), this));
    entry->addWidget(lbl_CBPTBal);
    entry->addWidget(new QLabel(QStringLiteral("AMOUNT"), this));
    entry->addWidget(txt_Amount);
    entry->addWidget(Cmd_Add);
    entry->addStretch(1);
    body()->addLayout(entry);

    Grid1 = new QTableWidget(this);
    Grid1->setObjectName(QStringLiteral("Grid1"));
    Load_EmptyGrid(Grid1, {{QStringLiteral("SLNO"), 600, Qt::AlignRight},
                           {QStringLiteral("CBPT NO"), 1200, Qt::AlignRight},
                           {QStringLiteral("AMOUNT /-"), 1800, Qt::AlignRight}});
    lbl_Total = shown(this, QStringLiteral("lbl_Total"));
    lbl_Total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lbl_InWords = shown(this, QStringLiteral("lbl_InWords"), 300);
    lbl_InWords->setWordWrap(true);
    lbl_CBPTList = shown(this, QStringLiteral("lbl_CBPTList"), 300);
    lbl_CBPTList->setWordWrap(true);
    lbl_CreatedBy = shown(this, QStringLiteral("lbl_CreatedBy"), 300);
    auto* totals = new QFormLayout;
    totals->addRow(QStringLiteral("TOTAL AMOUNT"), lbl_Total);
    totals->addRow(QStringLiteral("AMNT IN WORDS"), lbl_InWords);
    totals->addRow(QStringLiteral("CBPT NOS"), lbl_CBPTList);
    totals->addRow(QStringLiteral("CREATED BY - ON"), lbl_CreatedBy);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Grid1, 1);
    bottom->addLayout(totals, 1);
    body()->addLayout(bottom, 1);
    resize(1000, 600);

    editor_ = new DocumentEditor(this, {.checks = [this] { return checks(); },
                                        .save = [this] { return post(); },
                                        .saved = [](qint64) { return QStringLiteral("FUND TRANSFER SUCCESSFULLY DONE ...."); },
                                        .show = [this](qint64 n) { return Show_Record(n); }});
    editor_->setNumberLabel(lbl_DocNo);
    editor_->setEditableHook([this](bool on) { setEditable(on); });
    Load_Init();
}

Money BulkPostingWindow::total() const {
    QList<Money> amounts;
    for (const BulkLine& l : lines_)
        amounts << l.amount.wholeRupees();
    return Money::sum(amounts).value_or(Money::beyondLargest());
}

QString BulkPostingWindow::bookingList() const {
    QStringList nos;
    for (const BulkLine& l : lines_)
        nos << QString::number(l.booking);
    return nos.join(QLatin1Char(','));
}

void BulkPostingWindow::setEditable(bool editable) {
    for (QWidget* w : std::initializer_list<QWidget*>{txt_DocDate, Cmb_DBBank, Cmb_PaymentMode, Cmd_Add})
        w->setEnabled(editable);
    for (QLineEdit* e : {party->edit(), txt_InstrNO, txt_InstrDt, txt_CBPTNo, txt_Amount})
        e->setReadOnly(!editable);
    party->pickButton()->setEnabled(editable && canOpen(QStringLiteral("frm_Search_Party")));
    tool(3)->setEnabled(editable);
    tool(4)->setEnabled(canOpen(config_.search));
}

void BulkPostingWindow::Load_Init() {
    lbl_Status->clear();
    lbl_CreatedBy->clear();
    txt_DocDate->setDate(QDate::currentDate());
    party->clear();
    Cmb_DBBank->setCode(Cmb_DBBank->itemData(Cmb_DBBank->findText(QStringLiteral("CASH COUNTER"))).toString());
    Cmb_PaymentMode->setCode(Cmb_PaymentMode->itemData(Cmb_PaymentMode->findText(QStringLiteral("CASH"))).toString());
    txt_InstrNO->clear();
    txt_InstrDt->clear();
    txt_CBPTNo->clear();
    txt_Amount->clear();
    lbl_CBPTBal->clear();
    lines_.clear();
    showLines();
    showBalances();
    editor_->startNew();
    party->edit()->setFocus();
}

void BulkPostingWindow::showLines() {
    Grid1->setRowCount(0);
    int sl = 0;
    for (const BulkLine& l : lines_)
        addGridRow(Grid1, {QString::number(++sl), QString::number(l.booking), l.amount.toString()});
    if (lines_.empty())  // the blank row of an empty grid
        Grid1->setRowCount(1);
    const Money sum = total();
    lbl_Total->setText(shownAmount(sum));
    lbl_InWords->setText(sum.roundedRupees() == 0 ? QString() : QLatin1Char(' ') + amountInWordsPhrase(sum));
    lbl_CBPTList->setText(bookingList());
}

// The party's bookings that are not settled, newest first, from one statement.
void BulkPostingWindow::showBalances() {
    Grid2->setRowCount(0);
    if (!party->key().isEmpty())
        runGuarded(prompter(), this, [&] {
            const QStringList codes = TransactionRecords(db(), session().userFullName).codeList(QStringLiteral("LDOP"));
            int sl = 0;
            for (const UnsettledBooking& b : unsettledBookings(db(), codes, party->key().toLongLong()))
                addGridRow(Grid2, {QString::number(++sl), QString::number(b.booking), shownAmount(b.balance), b.guest,
                                   dateText(b.start), dateText(b.end)});
        });
    if (Grid2->rowCount() == 0)
        Grid2->setRowCount(1);
}

void BulkPostingWindow::showBookingBalance() {
    lbl_CBPTBal->clear();
    const qint64 booking = txt_CBPTNo->text().toLongLong();
    if (booking <= 0 || party->key().isEmpty())
        return;
    runGuarded(prompter(), this, [&] {
        TransactionRecords records(db(), session().userFullName);
        lbl_CBPTBal->setText(
            records.balance(QStringLiteral("LDOP"), {party->key().toLongLong(), booking, {}}).toString());
    });
}

void BulkPostingWindow::Add_Line() {
    if (!editor_->editable())
        return;
    const qint64 booking = txt_CBPTNo->text().toLongLong();
    const Money amount = Money::fromInput(txt_Amount->text()).wholeRupees();
    if (!runChecks(
            prompter(), this,
            {{[&] { return booking <= 0; }, txt_CBPTNo,
              QStringLiteral("CANNOT PROCEED, PLEASE ENTER CBPT NO PROPERLY ....")},
             {[&] { return amount.isZero(); }, txt_Amount,
              QStringLiteral("CANNOT PROCEED AS AMOUNT IS EQUAL TO ZERO....")},
             // The posting's total is one amount: the lines together stay within the limit.
             {[&] { return !total().plus(amount); }, txt_Amount, exceedsLimitMessage(QStringLiteral("TOTAL AMOUNT"))}}))
        return;
    // A booking that cannot take the line is refused now; the save checks it again.
    QString fault;
    if (!runGuarded(prompter(), this, [&] { fault = bulkLineFault(db(), config_.code, booking, lines_); }))
        return;
    if (!fault.isEmpty()) {
        prompter().information(this, fault);
        txt_CBPTNo->setFocus();
        return;
    }
    lines_.push_back({booking, amount});
    txt_CBPTNo->clear();
    txt_Amount->clear();
    lbl_CBPTBal->clear();
    showLines();
    txt_CBPTNo->setFocus();
}

void BulkPostingWindow::Delete_Line() {
    const int row = Grid1->currentRow();
    if (!editor_->editable() || lines_.empty() || row < 0 || row >= int(lines_.size())) {
        prompter().information(this, QStringLiteral("No item to Delete...."));
        return;
    }
    lines_.erase(lines_.begin() + row);
    showLines();
}

bool BulkPostingWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Grid1 && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        Delete_Line();
        return true;
    }
    return TaskWindow::eventFilter(watched, event);
}

void BulkPostingWindow::Save_Record() { editor_->save(); }

QList<Check> BulkPostingWindow::checks() {
    const Money sum = total();
    return {{[this] { return party->key().isEmpty(); }, party->edit(),
             QStringLiteral("CANNOT PROCEED PLEASE ENTER PARTY CODE PROPERLY ....")},
            {[=] { return sum.roundedRupees() == 0; }, txt_CBPTNo, QStringLiteral("CANNOT PROCEED AS AMOUNT IS ZERO.....")},
            {[=] { return !sum.withinLimit(); }, txt_CBPTNo, exceedsLimitMessage(QStringLiteral("TOTAL AMOUNT"))},
            {[this] { return Cmb_DBBank->code().isEmpty(); }, Cmb_DBBank,
             QStringLiteral("CANNOT PROCEED, PLEASE SELECT BANK PROPERLY ......")},
            {[this] { return Cmb_PaymentMode->code().isEmpty(); }, Cmb_PaymentMode,
             QStringLiteral("CANNOT PROCEED, PLEASE SELECT PAYMENT MODE PROPERLY ......")},
            {[this] { return txt_InstrDt->displayText() != kBlankDate && !instrDate().isValid(); }, txt_InstrDt,
             QStringLiteral("CANNOT PROCEED, PLEASE ENTER INSTRUMENT DATE PROPERLY ......")}};
}

QDate BulkPostingWindow::instrDate() const {
    return QDate::fromString(txt_InstrDt->text(), QStringLiteral("dd/MM/yyyy"));
}

qint64 BulkPostingWindow::post() {
    const Money sum = total();
    const QString list = bookingList();
    const QString mode = Cmb_PaymentMode->currentText().trimmed();
    const QString narration =
        (config_.narration + sum.toString() + QStringLiteral(" VIA ") + mode + QStringLiteral(", INSTR NO :") +
         txt_InstrNO->text().trimmed() + QStringLiteral(", INSTR DT:") + txt_InstrDt->displayText() +
         QStringLiteral(" REMARKS :") + QStringLiteral("BULK POSTING DONE FOR CBPT NOS : ") + list)
            .left(2000);
    const BulkPosting posting{config_.code,
                              txt_DocDate->date(),
                              party->key().toLongLong(),
                              Cmb_DBBank->code().toLongLong(),
                              Cmb_PaymentMode->code().toLongLong(),
                              txt_InstrNO->text().trimmed(),
                              instrDate(),
                              narration,
                              (config_.remarks + list).left(500),
                              lines_};
    std::unique_ptr<QProgressDialog> progress;
    if (int(lines_.size()) > kProgressFrom) {
        progress =
            std::make_unique<QProgressDialog>(QStringLiteral("POSTING ..."), QString(), 0, int(lines_.size()), this);
        progress->setWindowModality(Qt::WindowModal);
        progress->setMinimumDuration(0);
    }
    return postBulk(db(), session().userFullName, posting, [&](int done, qint64 booking) {
        if (progress) {
            progress->setLabelText(QStringLiteral("POSTING CBPT NO %1 ...").arg(booking));
            progress->setValue(done);
        }
    });
}

bool BulkPostingWindow::Show_Record(qint64 number) {
    std::optional<SavedBulkPosting> saved;
    const bool ok = runGuarded(prompter(), this, [&] { saved = savedBulkPosting(db(), config_.code, number); });
    if (!ok || !saved)
        return false;
    const QSqlRecord* head = &saved->head;
    const auto v = [&](const char* c) { return head->value(QLatin1String(c)); };
    const auto id = [&](const char* c) { return v(c).isNull() ? QString() : QString::number(v(c).toLongLong()); };
    txt_DocDate->setDate(dateFromDb(v("DOC_DATE")));
    {
        const QSignalBlocker quiet(party);  // the balances shown are those of the party, read below
        party->setLoaded(v("PARTY_CODE").toString(), v("PARTY_NAME").toString());
    }
    Cmb_DBBank->setCode(id("TO_BANKID"));
    Cmb_PaymentMode->setCode(id("PAY_MODEID"));
    txt_InstrNO->setText(v("INSTR_NO").toString().trimmed());
    txt_InstrDt->setText(dateText(v("INSTR_DATE")));
    const QString status = v("DOC_STATUS").toString().trimmed();
    lbl_Status->setText(status == status::kCancelled ? QStringLiteral("CANCELLED") : status);
    lbl_CreatedBy->setText(byOnText(v("CREATED_BY"), v("CREATED_ON")));
    // The posting's total is the sum of its lines, one per booking.
    lines_ = std::move(saved->lines);
    showLines();
    showBalances();
    // A saved posting is never changed here: it is cancelled as a whole.
    editor_->shown(number, status == status::kCancelled ? DocState::Cancelled : DocState::Live, false);
    return true;
}

}  // namespace tarvic
