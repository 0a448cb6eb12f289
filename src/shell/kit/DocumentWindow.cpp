#include "DocumentWindow.h"

#include "data/Moments.h"
#include "engine/Documents.h"
#include "shell/kit/KeyFilters.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>

namespace tarvic {

const CodeSource kPartySource{QStringLiteral("M_TBL_PARTY"), QStringLiteral("PARTY_CODE"),
                              QStringLiteral("PARTY_NAME")};

CodeField* partyCodeField(TaskWindow* owner, QPushButton*& search) {
    auto* party = new CodeField(owner->session(), kPartySource, owner, QStringLiteral("txt_PartyCode"),
                                QStringLiteral("lbl_PartyName"));
    party->edit()->setMaximumWidth(110);
    attachFilter(party->edit(), KeyFilter::Number);
    party->nameLabel()->setFrameShape(QFrame::StyledPanel);
    search = party->addPicker(QStringLiteral("Cmd_SrcParty"), [owner](PickCallback chosen) {
        owner->openWindow(QStringLiteral("frm_Search_Party"), {{}, std::move(chosen)});
    });
    return party;
}

QString partyTypeOf(Database& db, qint64 party) {
    return db
        .scalar(QStringLiteral("SELECT b.PARTY_TYPE FROM M_TBL_PARTY a "
                               "LEFT JOIN M_TBL_PARTYTYPE b ON b.PARTYTYPE_CODE=a.PARTYTYPE_CODE WHERE a.PARTY_CODE=?"),
                {party})
        .toString()
        .trimmed();
}

// Only live bookings can be looked up for a new posting; a saved document shows its booking
// as it was stored, whatever became of it.
const CodeSource kBookingSource{
    QStringLiteral("(SELECT B.DOC_NO AS BOOKING_NO, P.PARTY_NAME AS BOOKING_PARTY FROM M_TBL_TRANSACTION B "
                   "LEFT JOIN M_TBL_PARTY P ON P.PARTY_CODE = B.PARTY_CODE "
                   "WHERE B.DOC_CODE = 'CBPT01' AND ") +
        sql::live(QStringLiteral("B")) + QStringLiteral(") BK"),
    QStringLiteral("BOOKING_NO"), QStringLiteral("BOOKING_PARTY")};

namespace {

QWidget* codeRow(QWidget* parent, CodeField* field) {
    auto* row = new QWidget(parent);
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    field->edit()->setMaximumWidth(110);
    h->addWidget(field->edit());
    if (field->pickButton())
        h->addWidget(field->pickButton());
    h->addWidget(field->nameLabel(), 1);
    return row;
}

}  // namespace

DocumentWindow::DocumentWindow(Session& session, QWidget* parent, DocumentConfig config)
    : TaskWindow(session, parent), config_(std::move(config)), kind_(documentKind(config_.code)) {
    Q_ASSERT_X(kind_, "DocumentWindow", "not a first code of the document kinds");
    setObjectName(config_.objectName);
    setWindowTitle(config_.title);
    setTool(1, kCloseTip, [this] { close(); });
    setTool(2, kNewTip, [this] { Load_Init(); });
    setTool(3, kSaveTip, [this] { Save_Record(); });
    editor_ = new DocumentEditor(this, {.checks = [this] { return checks(); },
                                        .question = [this] { return question(); },
                                        .save = [this] { return post(); },
                                        .saved = [this](qint64 n) { return savedMessage(n); },
                                        .show = [this](qint64 n) { return Show_Record(n); },
                                        .saving = config_.saving,
                                        .failures = config_.failures});
    connect(editor_, &DocumentEditor::saved, this, &DocumentWindow::saved);
    editor_->setEditableHook([this](bool on) { setEditable(on); });

    lbl_DocNo = new QLabel(this);
    lbl_DocNo->setObjectName(QStringLiteral("lbl_DocNo"));
    lbl_DocNo->setFrameShape(QFrame::StyledPanel);
    lbl_DocNo->setMinimumWidth(100);
    lbl_Status = new QLabel(this);
    lbl_Status->setObjectName(QStringLiteral("lbl_Status"));
    editor_->setNumberLabel(lbl_DocNo);
    editor_->setStatusLabel(lbl_Status);
    txt_DocDate = new QDateEdit(this);
    txt_DocDate->setObjectName(QStringLiteral("txt_DocDate"));
    txt_DocDate->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    txt_DocDate->setCalendarPopup(true);
    party =
        new CodeField(session, kPartySource, this, QStringLiteral("txt_PartyCode"), QStringLiteral("lbl_PartyName"));
    if (kind_ && kind_->link == DocLink::Booking) {
        booking =
            new CodeField(session, kBookingSource, this, QStringLiteral("txt_CBPTNo"), QStringLiteral("lbl_CBPTName"));
        bindColumn(booking->edit(), "M_TBL_TRANSACTION", "DOC_NO");
    }

    form_ = new QFormLayout;
    auto* numberRow = new QHBoxLayout;
    numberRow->addWidget(lbl_DocNo);
    numberRow->addWidget(lbl_Status, 1);
    form_->addRow(QStringLiteral("DOC NO"), numberRow);
    form_->addRow(QStringLiteral("DOC &DATE"), txt_DocDate);
    if (booking)
        form_->addRow(QStringLiteral("CBPT &NO"), codeRow(this, booking));
    if (config_.partyUse != PartyUse::None)
        form_->addRow(QStringLiteral("&PARTY"), codeRow(this, party));
    else
        for (QWidget* w : {static_cast<QWidget*>(party->edit()), static_cast<QWidget*>(party->nameLabel())})
            w->hide();
    body()->addLayout(form_);
    // Leaving a code field looks its code up, as a user expects from a code and its name.
    for (CodeField* f : {party, booking}) {
        if (f)
            connect(f->edit(), &QLineEdit::editingFinished, f, [f] {
                if (f->key().isEmpty() && !f->edit()->text().trimmed().isEmpty())
                    f->lookUp();
            });
    }
}

void DocumentWindow::addField(const QString& caption, QWidget* field) {
    form_->addRow(caption, field);
}

void DocumentWindow::setEditable(bool editable) {
    txt_DocDate->setEnabled(editable);
    for (CodeField* f : {party, booking}) {
        if (!f)
            continue;
        setReadOnlyField(f->edit(), !editable);
        if (f->pickButton())
            f->pickButton()->setEnabled(editable);
    }
    setOwnEditable(editable);
    tool(3)->setEnabled(editable);
}

void DocumentWindow::Load_Init() {
    txt_DocDate->setDate(QDate::currentDate());
    party->clear();
    if (booking)
        booking->clear();
    clearOwn();
    editor_->startNew();
    (booking ? static_cast<QWidget*>(booking->edit()) : txt_DocDate)->setFocus();
}

bool DocumentWindow::Show_Record(qint64 number) {
    std::optional<QSqlRecord> row;
    QString bookingName;
    if (!runGuarded(prompter(), this, [&] {
            row = db().firstRow(QStringLiteral("SELECT T.*, P.PARTY_NAME AS SHOWN_PARTY FROM M_TBL_TRANSACTION T "
                                               "LEFT JOIN M_TBL_PARTY P ON P.PARTY_CODE = T.PARTY_CODE "
                                               "WHERE T.DOC_CODE=? AND T.DOC_NO=?"),
                                {config_.code, number});
            if (row && booking && !row->value(QStringLiteral("IN_DOCNO")).isNull())
                bookingName = db().scalar(QStringLiteral("SELECT P.PARTY_NAME FROM M_TBL_TRANSACTION B "
                                                         "LEFT JOIN M_TBL_PARTY P ON P.PARTY_CODE = B.PARTY_CODE "
                                                         "WHERE B.DOC_CODE='CBPT01' AND B.DOC_NO=?"),
                                          {row->value(QStringLiteral("IN_DOCNO"))})
                                  .toString();
        }))
        return false;
    if (!row)
        return false;
    txt_DocDate->setDate(dateFromDb(row->value(QStringLiteral("DOC_DATE"))));
    showing_ = true;
    const auto shown = qScopeGuard([this] { showing_ = false; });
    party->setLoaded(row->value(QStringLiteral("PARTY_CODE")).toString(),
                     row->value(QStringLiteral("SHOWN_PARTY")).toString());
    const qint64 bookingNo = row->value(QStringLiteral("IN_DOCNO")).toLongLong();
    if (booking)
        booking->setLoaded(QString::number(bookingNo), bookingName);
    showOwn(*row);
    DocState state = DocState::Cancelled;
    if (!runGuarded(prompter(), this, [&] { state = documentState(db(), *kind_, *row); }))
        state = DocState::Locked;  // not known to be open: shown read-only
    editor_->shown(number, state, config_.modifiable);
    return true;
}

void DocumentWindow::Save_Record() {
    editor_->save();
}

QList<Check> DocumentWindow::checks() {
    QList<Check> checks;
    if (config_.partyUse == PartyUse::Required)
        checks << Check{[this] { return party->key().isEmpty(); }, party->edit(), config_.noParty};
    if (booking) {
        const Check noBooking{[this] { return booking->key().isEmpty(); }, booking->edit(), config_.noBooking};
        config_.partyFirst ? checks.append(noBooking) : checks.prepend(noBooking);
    }
    return checks + ownChecks();
}

Confirmation DocumentWindow::question() {
    Confirmation question{config_.question, questionLines()};
    if (!config_.questionTail.isEmpty())
        question.tail = config_.questionTail;
    return question;
}

qint64 DocumentWindow::post() {
    Document d;
    d.code = config_.code;
    d.number = editor_->number();
    d.booking = booking ? booking->key().toLongLong() : 0;
    d.columns = {{QStringLiteral("DOC_DATE"), dateToDb(txt_DocDate->date())}};
    // An optional party left empty stays NULL; a document without parties has no such column.
    if (config_.partyUse != PartyUse::None && !party->key().isEmpty())
        d.columns.emplace_back(QStringLiteral("PARTY_CODE"), party->key().toLongLong());
    for (auto& c : ownColumns())
        d.columns.push_back(std::move(c));
    d.amount = amount();
    d.pairColumns = ownPairColumns();
    d.side = side();
    return saveDocument(d);
}

qint64 DocumentWindow::saveDocument(const Document& d) {
    return postDocument(db(), session().userFullName, d, config_.bookingShut);
}

}  // namespace tarvic
