#include "AdviceNoteWindow.h"

#include "engine/dues/SupplierDues.h"
#include "shell/kit/DateField.h"

#include "bookings/family/AdviceItems.h"
#include "data/Moments.h"
#include "engine/DocumentState.h"
#include "shell/kit/CodeList.h"
#include "shell/kit/DocumentEditor.h"
#include "shell/kit/DocumentWindow.h"
#include "shell/kit/KeyFilters.h"
#include "shell/kit/ListGrid.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace tarvic {

namespace {

// What differs between the kinds, besides their panels: captions and messages.
struct AdviceKindText {
    const char* title;
    const char* modifyTitle;
    const char* head;
    const char* modifyHead;
    const char* tail;
    const char* saved;
    const char* modifySaved;
    const char* noParty;
    const char* zeroTotal;
    const char* totalLabel;
};

// clang-format off
const AdviceKindText kTexts[] = {
    {"ADVICE NOTE CREDIT POSTING - HOTEL ( ANCP01 )", "MODIFY ADVICE NOTE CREDIT POSTING - HOTEL ( ANCP01 )",
     " YOU ARE ABOUT TO PERFORM ANCP01( HOTEL ) ", " YOU ARE ABOUT TO MODIFY ANCP01( HOTEL ) ",
     " DO YOU WANT TO PROCEED (Y/N) ?",
     "ANCP01 - HOTEL SUCCESSFULLY DONE ....", "ANCP01 - HOTEL MODIFICATION SUCCESSFULLY DONE ....",
     "PLEASE ENTER PARTY CODE PROPERLY ....", "CANNOT PROCEED AS TOTAL AMOUNT IS ZERO ....", " ANCP01 TOTAL: "},
    {"ADVICE NOTE CREDIT POSTING - VEHICLE ( ANCP02 )", "MODIFY ADVICE NOTE CREDIT POSTING - VEHICLE ( ANCP02 )",
     " YOU ARE ABOUT TO PERFORM ADV NOTE CREDIT POSTING - VEHICLE ( ANCP02 ) ",
     " YOU ARE ABOUT TO MODIFY ADV NOTE CREDIT POSTING - VEHICLE ( ANCP02 ) ",
     " ARE YOU SURE WANT TO PROCEED (Y/N) ?",
     "ANCP02 - VEHICLE SUCCESSFULLY DONE ....", "ANCP02 - VEHICLE SUCCESSFULLY DONE ....",
     "PLEASE ENTER PARTY CODE ....", "CANNOT PROCEED AS THE TOTAL AMOUNT IS ZERO .....", " TOTAL AMOUNT : "},
    {"ADVICE NOTE CREDIT POSTING - OTHERS ( ANCP03 )", "MODIFY ADVICE NOTE CREDIT POSTING - OTHRCHRG ( ANCP03 )",
     " YOU ARE ABOUT TO PERFORM ADV NOTE CREDIT POSTING - OTHERS ( ANCP03 ) ",
     " YOU ARE ABOUT TO PERFORM ADV NOTE CREDIT POSTING - OTHERS ( ANCP03 ) ",
     " ARE YOU SURE WANT TO PROCEED (Y/N) ?",
     "ANCP03 - OTHRCHRG SUCCESSFULLY DONE ....", "ANCP03 - OTHRCHRG SUCCESSFULLY DONE ....",
     "PLEASE ENTER PARTY CODE ....", "TOTAL AMOUNT CANNOT BE ZERO.....", " TOTAL AMOUNT : "},
};
// clang-format on

const QString kNotFetched = QStringLiteral("CANNOT PROCEED, PLEASE FETCH ANCP RECORD PROPERLY ....");

const AdviceKindText& textOf(AdviceKind kind) {
    return kTexts[int(kind)];
}

QString t(const char* text) {
    return QString::fromUtf8(text);
}

}  // namespace

AdviceNoteWindow::AdviceNoteWindow(Session& session, QWidget* parent, const WindowArgs& args, AdviceKind kind,
                                   bool modify)
    : TaskWindow(session, parent), kind_(kind), modify_(modify), onSaved_(args.onPick) {
    const QString code = adviceCode(kind);
    setObjectName(QStringLiteral("frm_CBPT01_") + code + (modify ? QStringLiteral("_Mod") : QString()));
    setWindowTitle(t(modify ? textOf(kind).modifyTitle : textOf(kind).title));
    setTool(1, kCloseTip, [this] { close(); });
    setTool(2, kNewTip, [this] { Load_Init(); });
    setTool(3, kSaveTip, [this] { Save_Record(); });
    editor_ = new DocumentEditor(this, {.checks = [this] { return checks(); },
                                        .question = [this] { return question(); },
                                        .save = [this] { return post(); },
                                        .saved =
                                            [this](qint64) {
                                                const AdviceKindText& text = textOf(kind_);
                                                return t(modify_ ? text.modifySaved : text.saved);
                                            },
                                        .show = [this](qint64 n) { return Show_Record(n); }});
    editor_->setEditableHook([this](bool on) { setEditable(on); });
    if (onSaved_)
        connect(editor_, &DocumentEditor::saved, this, [this](qint64 n) { onSaved_(QString::number(n)); });

    // The note and its booking.
    auto* head = new QGridLayout;
    auto* lbl_DocCode = shownField(QStringLiteral("lbl_DocCode"), 70);
    lbl_DocCode->setText(code);
    QWidget* numberField = nullptr;
    if (modify) {
        txt_DocNo = new QLineEdit(this);
        txt_DocNo->setObjectName(QStringLiteral("txt_DocNo"));
        txt_DocNo->setMaximumWidth(100);
        txt_DocNo->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,9}")), txt_DocNo));
        bindColumn(txt_DocNo, "M_TBL_TRANSACTION", "DOC_NO");
        onEnter(txt_DocNo, [this] { fetch(); });
        numberField = txt_DocNo;
    } else {
        lbl_DocNo = shownField(QStringLiteral("lbl_DocNo"), 70);
        editor_->setNumberLabel(lbl_DocNo);
        numberField = lbl_DocNo;
    }
    lbl_CBPTNo = shownField(QStringLiteral("lbl_CBPTNo"), 70);
    lbl_QuotNo = shownField(QStringLiteral("lbl_QuotNo"), 70);
    lbl_Status = shownField(QStringLiteral("lbl_Status"), 110);
    lbl_CreatedBy = shownField(QStringLiteral("lbl_CreatedBy"), 240);
    lbl_UpdatedBy = shownField(QStringLiteral("lbl_UpdatedBy"), 240);
    const QList<std::pair<QString, QWidget*>> shown{
        {QStringLiteral("DOC CODE"), lbl_DocCode},
        {modify ? QStringLiteral("DOC &NO") : QStringLiteral("DOC NO"), numberField},
        {QStringLiteral("CBPT NO"), lbl_CBPTNo},
        {QStringLiteral("QUOTATION NO"), lbl_QuotNo},
        {QStringLiteral("STATUS"), lbl_Status},
        {QStringLiteral("CREATED BY - ON"), lbl_CreatedBy},
        {QStringLiteral("UPDATE BY - ON"), lbl_UpdatedBy}};
    for (int i = 0; i < shown.size(); ++i) {
        auto* caption = new QLabel(shown.at(i).first, this);
        caption->setBuddy(shown.at(i).second);
        head->addWidget(caption, 0, i);
        head->addWidget(shown.at(i).second, 1, i);
    }
    head->setColumnStretch(int(shown.size()), 1);
    body()->addLayout(head);

    // The form in two columns, so a hotel's five cost rows sit beside its stay.
    // Each side keeps its rows together at the top; only a grid takes the height left.
    auto* middle = new QHBoxLayout;
    for (int side = 0; side < 2; ++side) {
        forms_[side] = new QGridLayout;
        forms_[side]->setHorizontalSpacing(8);
        forms_[side]->setVerticalSpacing(6);  // not the wide gap between the two sides
        auto* column = new QVBoxLayout;
        column->addLayout(forms_[side]);
        column->addStretch(1);
        middle->addLayout(column, 0);
    }
    middle->setSpacing(24);
    body()->addLayout(middle, kind == AdviceKind::Hotel ? 0 : 1);

    party =
        new CodeField(session, kPartySource, this, QStringLiteral("txt_PartyCode"), QStringLiteral("lbl_PartyName"));
    party->edit()->setMinimumWidth(70);
    party->edit()->setMaximumWidth(80);
    party->nameLabel()->setFrameShape(QFrame::StyledPanel);
    party->nameLabel()->setMinimumWidth(270);
    party->addPicker(QStringLiteral("Cmd_SrcParty"), [this](PickCallback pick) {
        openWindow(QStringLiteral("frm_Search_Party"), WindowArgs{{}, std::move(pick)});
    });
    lbl_PartyType = shownField(QStringLiteral("lbl_PartyType"), 90);
    connect(party, &CodeField::keyChanged, this, [this] { showPartyType(); });
    addRow(QStringLiteral("&PARTY CODE"), {party->edit(), party->pickButton(), party->nameLabel()});
    txt_BillNo = new QLineEdit(this);
    txt_BillNo->setObjectName(QStringLiteral("txt_BillNo"));
    bindColumn(txt_BillNo, "M_TBL_TRANSACTION", "BILL_NO");
    txt_BillNo->setMinimumWidth(160);
    addRow(QStringLiteral("&BILL NO"), {txt_BillNo, new QLabel(QStringLiteral("PARTY TYPE"), this), lbl_PartyType});

    switch (kind) {
        case AdviceKind::Hotel:
            items_ = new HotelItems(*this);
            middle->addStretch(1);
            break;
        case AdviceKind::Vehicle:
            items_ = new VehicleItems(*this);
            middle->addWidget(static_cast<VehicleItems*>(items_)->Grid_Itinerary, 1);
            break;
        case AdviceKind::Other:
            items_ = new OtherItems(*this);
            middle->addStretch(1);
            break;
    }

    lbl_Total = shownField(QStringLiteral("lbl_Total"), 120);
    lbl_Total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    addRow(QStringLiteral("TOTAL AMOUNT"), {lbl_Total}, rows_[1] > 0 ? 1 : 0);
    txt_Remarks = new QLineEdit(this);
    txt_Remarks->setObjectName(QStringLiteral("txt_Remarks"));
    // The other-charge narration ends with them: half its column, the rest for its own words.
    bindLength(txt_Remarks, columnLength(session, "M_TBL_TRANSACTION", "DOC_DESC") / 2);
    txt_Remarks->setMinimumWidth(400);
    addRow(QStringLiteral("REMAR&KS"), {txt_Remarks});
    txt_DueDate = makeDateField(this, QStringLiteral("txt_DueDate"));
    txt_DueDate->setToolTip(QStringLiteral("Left empty: the service date plus the supplier's credit days"));
    lbl_Paid = shownField(QStringLiteral("lbl_Paid"), 100);
    lbl_DueBalance = shownField(QStringLiteral("lbl_DueBalance"), 100);
    for (QLabel* l : {lbl_Paid, lbl_DueBalance})
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    addRow(QStringLiteral("DUE DATE"), {txt_DueDate, new QLabel(QStringLiteral("PAID"), this), lbl_Paid,
                                        new QLabel(QStringLiteral("BALANCE"), this), lbl_DueBalance});
    resize(980, kind == AdviceKind::Hotel ? 600 : 480);

    if (!modify)
        readBooking(args.value(QStringLiteral("CBPT_NO")).toLongLong());
    Load_Init();
}

AdviceNoteWindow::~AdviceNoteWindow() {
    // The panel's fields are going: nothing may price them any more.
    pricing_ = true;
}

QLabel* AdviceNoteWindow::shownField(const QString& name, int minWidth) {
    auto* l = new QLabel(this);
    l->setObjectName(name);
    l->setFrameShape(QFrame::StyledPanel);
    l->setMinimumWidth(minWidth);
    return l;
}

void AdviceNoteWindow::addRow(const QString& caption, const QList<QWidget*>& fields, int side) {
    auto* line = new QHBoxLayout;
    line->setSpacing(6);
    for (QWidget* f : fields)
        if (f)
            line->addWidget(f);
    line->addStretch(1);
    auto* label = new QLabel(caption, this);
    label->setBuddy(fields.value(0));
    forms_[side]->addWidget(label, rows_[side], 0);
    forms_[side]->addLayout(line, rows_[side]++, 1);
}

void AdviceNoteWindow::addBelow(QWidget* part) {
    body()->addWidget(part, 1);
}

void AdviceNoteWindow::readBooking(qint64 bookingNo) {
    booking_ = AdviceBooking{};
    if (bookingNo > 0)
        guarded([&] { booking_ = readAdviceBooking(db(), kind_, bookingNo); });
    lbl_CBPTNo->setText(booking_.number ? QString::number(booking_.number) : QString());
    lbl_QuotNo->setText(booking_.quotation ? QString::number(booking_.quotation) : QString());
    items_->bookingRead(booking_);
}

void AdviceNoteWindow::showPartyType() {
    lbl_PartyType->clear();
    if (party->key().isEmpty())
        return;
    guarded([&] { lbl_PartyType->setText(partyTypeOf(db(), party->key().toLongLong())); });
}

void AdviceNoteWindow::setEditable(bool editable) {
    editable_ = editable;
    party->edit()->setReadOnly(!editable);
    party->pickButton()->setEnabled(editable && canOpen(QStringLiteral("frm_Search_Party")));
    txt_BillNo->setReadOnly(!editable);
    txt_Remarks->setReadOnly(!editable);
    txt_DueDate->setReadOnly(!editable);
    items_->setEditable(editable);
    tool(3)->setEnabled(editable);
}

void AdviceNoteWindow::Load_Init() {
    number_ = 0;
    pricing_ = true;
    if (modify_) {
        txt_DocNo->clear();
        readBooking(0);
    }
    party->clear();
    lbl_PartyType->clear();
    txt_BillNo->clear();
    txt_Remarks->clear();
    lbl_CreatedBy->clear();
    lbl_UpdatedBy->clear();
    showDue();
    // A booking no longer open is said at once; the save checks it again inside its transaction.
    lbl_Status->setText(modify_ || booking_.open || !booking_.number ? QString()
                        : booking_.status == status::kLive           ? QStringLiteral("CBPT LOCKED")
                                                                     : QStringLiteral("CBPT ") + booking_.status);
    items_->startNew(booking_);
    pricing_ = false;
    Calc_Total();
    if (modify_)
        editor_->shown(0, DocState::Locked, false);  // nothing fetched: nothing to save
    else
        editor_->startNew();
    (modify_ ? static_cast<QWidget*>(txt_DocNo) : party->edit())->setFocus(Qt::OtherFocusReason);
}

void AdviceNoteWindow::Calc_Total() {
    if (pricing_)
        return;
    pricing_ = true;
    total_ = items_->price();
    lbl_Total->setText(shownAmount(total_));
    pricing_ = false;
}

void AdviceNoteWindow::fetch() {
    const qint64 number = txt_DocNo->text().trimmed().toLongLong();
    const QString typed = txt_DocNo->text();
    if (Show_Record(number)) {
        party->edit()->setFocus();  // Enter moves on, to the note's first field
        return;
    }
    Load_Init();
    txt_DocNo->setText(typed);
    prompter().information(this, kNotFetched);
}

bool AdviceNoteWindow::Show_Record(qint64 number) {
    std::optional<QSqlRecord> row;
    if (number <= 0 || !guarded([&] { row = readAdviceNote(db(), kind_, number, modify_); }) || !row)
        return false;
    pricing_ = true;
    number_ = number;
    if (modify_)
        txt_DocNo->setText(QString::number(number));
    const auto value = [&](const char* column) { return row->value(QLatin1String(column)); };
    readBooking(value("IN_DOCNO").toLongLong());
    party->setLoaded(value("PARTY_CODE").toString().trimmed(), value("SHOWN_PARTY").toString().trimmed());
    lbl_PartyType->setText(value("SHOWN_PARTYTYPE").toString().trimmed());
    txt_BillNo->setText(value("BILL_NO").toString());
    txt_Remarks->setText(value("REMARKS").toString());
    lbl_CreatedBy->setText(byOnText(value("CREATED_BY"), value("CREATED_ON")));
    lbl_UpdatedBy->setText(byOnText(value("UPDATE_BY"), value("UPDATE_ON")));
    const QString status = value("DOC_STATUS").toString().trimmed();
    lbl_Status->setText(status);
    items_->show(*row);
    pricing_ = false;
    Calc_Total();
    showDue();
    // Entry shows a saved note read-only; modify lets a live note of an open booking change.
    const DocState state = status == status::kCancelled               ? DocState::Cancelled
                           : status == status::kLive && booking_.open ? DocState::Live
                                                                      : DocState::Locked;
    editor_->shown(number, state, modify_);
    return true;
}

void AdviceNoteWindow::Save_Record() {
    editor_->save();
}

QList<Check> AdviceNoteWindow::checks() {
    Calc_Total();
    const AdviceKindText& text = textOf(kind_);
    QList<Check> checks = modify_ ? items_->firstChecks() : QList<Check>{};
    if (modify_)
        checks.append({[this] { return number_ == 0; }, txt_DocNo, kNotFetched});
    else
        checks.append({[this] { return booking_.number == 0; }, nullptr, kAdviceBookingShut});
    // The supplier is looked up as the save starts, so a code typed but not yet left counts.
    checks.append({[this] {
                       if (party->key().isEmpty() && !party->edit()->text().trimmed().isEmpty())
                           party->lookUp();
                       return party->nameLabel()->text().trimmed().isEmpty() || party->key().isEmpty();
                   },
                   party->edit(), t(text.noParty)});
    checks += items_->dateChecks();
    checks.append(
        {[this] { return !total_; }, items_->amountField(), exceedsLimitMessage(QStringLiteral("TOTAL AMOUNT"))});
    checks.append({[this] { return total() <= Money(); }, items_->amountField(), t(text.zeroTotal)});
    checks.append({[this] { return !dateFieldEmpty(txt_DueDate) && !fieldDate(txt_DueDate).isValid(); }, txt_DueDate,
                   QStringLiteral("PLEASE ENTER DUE DATE PROPERLY ....")});
    return checks;
}

Confirmation AdviceNoteWindow::question() {
    const AdviceKindText& text = textOf(kind_);
    QList<std::pair<QString, QString>> lines;
    if (modify_ && kind_ == AdviceKind::Hotel)
        lines.append({QStringLiteral(" DOCUMENT NO : "), QString::number(number_)});
    lines.append({QStringLiteral(" PARTY CODE : "), party->key()});
    lines.append({QStringLiteral(" PARTY NAME : "), party->nameLabel()->text()});
    lines += items_->questionLines();
    lines.append({t(text.totalLabel), total().toString()});
    return Confirmation{t(modify_ ? text.modifyHead : text.head), lines, t(text.tail)};
}

qint64 AdviceNoteWindow::post() {
    AdviceNoteToSave note;
    note.kind = kind_;
    note.number = number_;
    note.booking = booking_.number;
    note.total = total();
    note.remarks = txt_Remarks->text();
    note.columns = {{QStringLiteral("PARTY_CODE"), party->key().toLongLong()},
                    {QStringLiteral("BILL_NO"), txt_BillNo->text()}};
    for (auto& c : items_->columns(number_ == 0))
        note.columns.push_back(std::move(c));
    const QDate due = fieldDate(txt_DueDate);
    // The note and its due date together: a date left as read stays its supplier's default.
    return db().transact([&] {
        const qint64 n = storeAdviceNote(db(), session().userFullName, note);
        if (due != shownDue_)
            setAdviceDueDate(db(), session().userFullName, adviceCode(kind_), n, due);
        return n;
    });
}

// The note's due date, paid and balance as its supplier's payments stand; a new note has none yet.
void AdviceNoteWindow::showDue() {
    shownDue_ = QDate();
    txt_DueDate->clear();
    lbl_Paid->clear();
    lbl_DueBalance->clear();
    if (number_ <= 0 || booking_.number <= 0)
        return;
    std::vector<NoteDue> dues;
    guarded([&] { dues = supplierDues(db(), booking_.number, QDate::currentDate()); });
    for (const NoteDue& d : dues) {
        if (d.code != adviceCode(kind_) || d.number != number_)
            continue;
        shownDue_ = d.due;
        setFieldDate(txt_DueDate, d.due);
        lbl_Paid->setText(d.paid.toString());
        lbl_DueBalance->setText(d.balance.toString());
    }
}

}  // namespace tarvic
