#include "frm_BusinessLead_Add.h"

#include "LeadQuery.h"
#include "LeadStatusList.h"
#include "engine/sales/LeadStore.h"
#include "data/Moments.h"
#include "shell/kit/Checks.h"
#include "shell/kit/DocumentWindow.h"
#include "shell/kit/KeyFilters.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace tarvic {

namespace {

const CodeSource kLeadType{QStringLiteral("M_TBL_LEADTYPE"), QStringLiteral("LEADTYPE_CODE"),
                           QStringLiteral("LEAD_TYPE")};
const CodeSource kLeadFor{QStringLiteral("M_TBL_LEADNATURE"), QStringLiteral("LEADREQ_CODE"),
                          QStringLiteral("LEADREQ_TYPE")};
const CodeSource kConsultant{QStringLiteral("M_TBL_CONSULTANT"), QStringLiteral("CONSULTANT_CODE"),
                             QStringLiteral("CONSULTANT_NAME")};
const QString kDateFormat = QStringLiteral("dd/MM/yyyy");

QLabel* shown(QWidget* owner, const char* name) {
    auto* l = new QLabel(owner);
    l->setObjectName(QLatin1String(name));
    l->setFrameShape(QFrame::StyledPanel);
    l->setMinimumWidth(90);
    return l;
}

// A field of the lead's row.
QLineEdit* edit(Session& session, QWidget* owner, const char* name, const char* column) {
    auto* e = new QLineEdit(owner);
    e->setObjectName(QLatin1String(name));
    bindColumn(session, e, "M_TBL_TRANSACTION", column);
    return e;
}

// A count: digits only, so "-" never reaches it.
QLineEdit* countEdit(Session& session, QWidget* owner, const char* name, const char* column) {
    QLineEdit* e = edit(session, owner, name, column);
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,4}")), e));
    e->setMaximumWidth(80);
    return e;
}

QVariant numberOrNull(const QString& text) {
    bool ok = false;
    const qint64 n = text.trimmed().toLongLong(&ok);
    return ok ? QVariant(n) : QVariant(QMetaType(QMetaType::LongLong));
}

// Dates are kept as moments at midnight, as every range over them is bound: a bare date would
// sort before its own midnight on the embedded database and fall out of the range.

}  // namespace

frm_BusinessLead_Add::frm_BusinessLead_Add(Session& session, QWidget* parent, const WindowArgs& args)
    : TaskWindow(session, parent), changed_(args.onPick) {
    setObjectName(QStringLiteral("frm_BusinessLead_Add"));
    setWindowTitle(QStringLiteral("ADD BUSINESS LEAD FOR CONSULTANT ( BLFC01 )"));
    setTool(1, kCloseTip, [this] { close(); });
    setTool(2, kNewTip, [this] { Load_Init(); });
    setTool(3, kSaveTip, [this] { Save_Record(); });
    setTool(4, kSearchTip, [this] {
        QPointer<frm_BusinessLead_Add> self(this);
        openWindow(QStringLiteral("frm_SearchLead"), {{}, [self](const QString& code) {
                                                          if (self)
                                                              self->Show_Record(code.toLongLong());
                                                      }});
    });

    lbl_DocCode = shown(this, "lbl_DocCode");
    lbl_DocNO = shown(this, "lbl_DocNO");
    txt_DocDate = new QDateEdit(this);
    txt_DocDate->setObjectName(QStringLiteral("txt_DocDate"));
    txt_DocDate->setDisplayFormat(kDateFormat);
    txt_DocDate->setCalendarPopup(true);
    party = new CodeField(session, kPartySource, this, QStringLiteral("txt_Code"), QStringLiteral("lbl_PartyName"));
    txt_Code = party->edit();
    attachFilter(txt_Code, KeyFilter::Number);
    lbl_PartyName = party->nameLabel();
    party->addPicker(QStringLiteral("Cmd_SrcParty"), [this](PickCallback pick) {
        openWindow(QStringLiteral("frm_Search_Party"), {{}, std::move(pick)});
    });
    lbl_PartyType = shown(this, "lbl_PartyType");
    Cmb_LeadType = new CodeList(session, kLeadType, this);
    Cmb_LeadType->setObjectName(QStringLiteral("Cmb_LeadType"));
    Cmb_LeadFor = new CodeList(session, kLeadFor, this);
    Cmb_LeadFor->setObjectName(QStringLiteral("Cmb_LeadFor"));
    txt_Desc = edit(session, this, "txt_Desc", "DOC_DESC");
    txt_NoOfPax = countEdit(session, this, "txt_NoOfPax", "NOOF_PAX");
    txt_NoOfChild = countEdit(session, this, "txt_NoOfChild", "NOOF_CHILD");
    txt_ChildAges = edit(session, this, "txt_ChildAges", "CHILD_AGES");
    txt_StrtDate = edit(session, this, "txt_StrtDate", "START_DT");
    txt_StrtDate->setPlaceholderText(QStringLiteral("dd/mm/yyyy"));
    txt_StrtDate->setMaximumWidth(110);
    txt_NoOfDays = countEdit(session, this, "txt_NoOfDays", "TOUR_DAYS");
    lbl_EndDate = shown(this, "lbl_EndDate");
    txt_TouristName = edit(session, this, "txt_TouristName", "TOURIST_NAME");
    txt_TouristMob = edit(session, this, "txt_TouristMob", "TOURIST_MOBNO");
    txt_EmailAdd = edit(session, this, "txt_EmailAdd", "TOURIST_EMAIL");
    Cmb_LeadStatus = new LeadStatusList(session, LeadStatusList::Kind::Entry, this);
    consultant =
        new CodeField(session, kConsultant, this, QStringLiteral("txt_ConsCode"), QStringLiteral("lbl_ConsName"));
    attachFilter(consultant->edit(), KeyFilter::Number);
    lbl_CreatedBy = shown(this, "lbl_CreatedBy");
    lbl_UpdateBy = shown(this, "lbl_UpdateBy");
    lbl_LeadLock = shown(this, "lbl_LeadLock");
    for (QLineEdit* e : {txt_Desc, txt_TouristName})
        attachFilter(e, KeyFilter::Upper);

    lbl_SaveNote = new QLabel(this);
    lbl_SaveNote->setObjectName(QStringLiteral("lbl_SaveNote"));
    lbl_SaveNote->setWordWrap(true);
    lbl_SaveNote->setStyleSheet(QStringLiteral("color: rgb(192, 0, 0); font-weight: bold;"));
    lbl_SaveNote->hide();
    body()->addWidget(lbl_SaveNote);

    auto* form = new QGridLayout;
    form->setHorizontalSpacing(8);
    int row = 0;
    auto put = [&](const QString& caption, QWidget* field, int column, int span = 1) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        form->addWidget(label, row, column * 2);
        form->addWidget(field, row, column * 2 + 1, 1, span);
    };
    auto pair = [&](QWidget* a, QWidget* b, QWidget* c = nullptr) {
        auto* box = new QHBoxLayout;
        box->setContentsMargins(0, 0, 0, 0);
        box->addWidget(a);
        box->addWidget(b);
        if (c)
            box->addWidget(c);
        box->addStretch(1);
        auto* w = new QWidget(this);
        w->setLayout(box);
        return w;
    };
    put(QStringLiteral("DOCUMNT CODE"), lbl_DocCode, 0);
    put(QStringLiteral("DOCUMNT NO"), lbl_DocNO, 1);
    put(QStringLiteral("DOCUMNT &DATE"), txt_DocDate, 2);
    ++row;
    txt_Code->setMaximumWidth(90);
    put(QStringLiteral("PARTY &CODE"), pair(txt_Code, party->pickButton()), 0);
    lbl_PartyName->setFrameShape(QFrame::StyledPanel);
    form->addWidget(lbl_PartyName, row, 2, 1, 3);
    put(QStringLiteral("TYPE"), lbl_PartyType, 2);
    ++row;
    put(QStringLiteral("LEAD T&YPE"), Cmb_LeadType, 0);
    put(QStringLiteral("LEAD &FOR"), Cmb_LeadFor, 1);
    put(QStringLiteral("LEAD STAT&US"), Cmb_LeadStatus, 2);
    ++row;
    put(QStringLiteral("DESCRIPT&ION"), txt_Desc, 0, 5);
    ++row;
    put(QStringLiteral("NO. OF PA&X"), txt_NoOfPax, 0);
    put(QStringLiteral("NO. OF C&HILD"), txt_NoOfChild, 1);
    put(QStringLiteral("CHILD AGES"), txt_ChildAges, 2);
    ++row;
    form->addWidget(new QLabel(QStringLiteral("COMMA SEPARATED"), this), row, 5);
    ++row;
    put(QStringLiteral("STA&RT DATE"), txt_StrtDate, 0);
    put(QStringLiteral("NO. OF DAY&S"), txt_NoOfDays, 1);
    put(QStringLiteral("END DATE"), lbl_EndDate, 2);
    ++row;
    put(QStringLiteral("TOURIST &NAME"), txt_TouristName, 0);
    put(QStringLiteral("MO&BILE NO"), txt_TouristMob, 1);
    put(QStringLiteral("&EMAIL ADDRESS"), txt_EmailAdd, 2);
    ++row;
    consultant->edit()->setMaximumWidth(90);
    consultant->nameLabel()->setFrameShape(QFrame::StyledPanel);
    put(QStringLiteral("CONSULTANT C&ODE"), consultant->edit(), 0);
    form->addWidget(consultant->nameLabel(), row, 2, 1, 3);
    ++row;
    // Who and when, whole: a user, " - " and a moment are wider than one field.
    put(QStringLiteral("CREATED BY - ON"), lbl_CreatedBy, 0, 3);
    put(QStringLiteral("LEAD LOCK"), lbl_LeadLock, 2);
    ++row;
    put(QStringLiteral("UPDATE BY - ON"), lbl_UpdateBy, 0, 3);
    form->setColumnStretch(1, 1);
    form->setColumnStretch(3, 1);
    form->setColumnStretch(5, 1);
    body()->addLayout(form);
    body()->addStretch(1);
    resize(900, 420);

    entryFields_ = {txt_DocDate,     txt_Code,       Cmb_LeadType,  Cmb_LeadFor,    txt_Desc,
                    txt_NoOfPax,     txt_NoOfChild,  txt_ChildAges, txt_StrtDate,   txt_NoOfDays,
                    txt_TouristName, txt_TouristMob, txt_EmailAdd,  Cmb_LeadStatus, consultant->edit()};
    connect(party, &CodeField::keyChanged, this, [this] { showPartyType(); });
    connect(txt_StrtDate, &QLineEdit::textChanged, this, [this] { Calc_EndDate(); });
    connect(txt_NoOfDays, &QLineEdit::textChanged, this, [this] { Calc_EndDate(); });

    setUpSave();
    guarded([&] { role_ = Chk_TCRole(session); });
    // The box's lines start with a blank; on the window they start at the margin.
    lbl_SaveNote->setText(lead::saveRefusal(role_).replace(QStringLiteral("\n "), QStringLiteral("\n")));
    lbl_SaveNote->setVisible(!role_.saveAllowed());
    Load_Init();
    const qint64 leadNo = args.value(QStringLiteral("LEAD_NO")).toLongLong();
    if (leadNo > 0)
        Show_Record(leadNo);
}

void frm_BusinessLead_Add::Load_Init() {
    showing_ = true;
    number_ = 0;
    lbl_DocCode->setText(lead::kCode);
    txt_DocDate->setDate(QDate::currentDate());
    party->clear();
    lbl_PartyType->clear();
    for (QLineEdit* e : {txt_Desc, txt_NoOfPax, txt_NoOfChild, txt_ChildAges, txt_StrtDate, txt_NoOfDays,
                         txt_TouristName, txt_TouristMob, txt_EmailAdd})
        e->clear();
    lbl_EndDate->clear();
    guarded([&] {
        Cmb_LeadType->load();
        Cmb_LeadFor->load();
        Cmb_LeadStatus->load();
    });
    Cmb_LeadType->clearChoice();
    Cmb_LeadFor->clearChoice();
    consultant->clear();
    if (role_.role == TCRole::Operator)
        consultant->setLoaded(QString::number(role_.consultantCode), role_.consultantName);
    lbl_CreatedBy->clear();
    lbl_UpdateBy->clear();
    lbl_LeadLock->setText(QStringLiteral("N"));
    showing_ = false;
    editor_->startNew();
    txt_Code->setFocus();
}

void frm_BusinessLead_Add::setEditable(bool editable) {
    editable_ = editable;
    for (QWidget* w : entryFields_) {
        if (auto* e = qobject_cast<QLineEdit*>(w))
            e->setReadOnly(!editable);
        else
            w->setEnabled(editable);
        // A locked lead takes the locked background.
        w->setStyleSheet(editable ? QString() : QStringLiteral("background-color: rgb(224, 224, 224);"));
    }
    consultant->edit()->setReadOnly(!editable || role_.consultantLocked());
    party->pickButton()->setEnabled(editable);
    // Open to a user who may not save, so that the button and F3 say why.
    tool(3)->setEnabled(editable);
}

void frm_BusinessLead_Add::showPartyType() {
    if (showing_)
        return;
    lbl_PartyType->clear();
    if (party->key().isEmpty())
        return;
    guarded([&] {
        lbl_PartyType->setText(
            db().scalar(QStringLiteral("SELECT BUSINESS_RELTYPE FROM M_TBL_PARTY WHERE PARTY_CODE=?"),
                        {party->key().toLongLong()})
                .toString()
                .trimmed());
    });
}

void frm_BusinessLead_Add::Calc_EndDate() {
    const QDate start = QDate::fromString(txt_StrtDate->text().trimmed(), kDateFormat);
    const int days = txt_NoOfDays->text().trimmed().toInt();
    lbl_EndDate->setText(start.isValid() && days > 0 ? start.addDays(days - 1).toString(kDateFormat) : QString());
}

Columns frm_BusinessLead_Add::ownColumns() const {
    const QDate start = QDate::fromString(txt_StrtDate->text().trimmed(), kDateFormat);
    const QDate end = QDate::fromString(lbl_EndDate->text(), kDateFormat);
    const int children = txt_NoOfChild->text().trimmed().toInt();
    return {{QStringLiteral("DOC_DATE"), dateToDb(txt_DocDate->date())},
            {QStringLiteral("PARTY_CODE"), party->key().toLongLong()},
            {QStringLiteral("LEADTYPE_CODE"), Cmb_LeadType->code().toLongLong()},
            {QStringLiteral("LEADREQ_CODE"), Cmb_LeadFor->code().toLongLong()},
            {QStringLiteral("DOC_DESC"), txt_Desc->text().trimmed()},
            {QStringLiteral("NOOF_PAX"), txt_NoOfPax->text().trimmed().toInt()},
            {QStringLiteral("NOOF_CHILD"), children},
            {QStringLiteral("CHILD_AGES"), children > 0 ? txt_ChildAges->text().trimmed() : QString()},
            {QStringLiteral("START_DT"), dateToDb(start)},
            {QStringLiteral("TOUR_DAYS"), numberOrNull(txt_NoOfDays->text())},
            {QStringLiteral("END_DT"), dateToDb(end)},
            {QStringLiteral("TOURIST_NAME"), txt_TouristName->text().trimmed()},
            {QStringLiteral("TOURIST_MOBNO"), txt_TouristMob->text().trimmed()},
            {QStringLiteral("TOURIST_EMAIL"), txt_EmailAdd->text().trimmed()},
            {QStringLiteral("CONSULTANT_CODE"), numberOrNull(consultant->key())},
            {QStringLiteral("LEADSTATUS_CODE"), Cmb_LeadStatus->code().toLongLong()}};
}

// The save sequence: the checks, the question, the engine's save, the message, shown again.
void frm_BusinessLead_Add::setUpSave() {
    editor_ = new DocumentEditor(
        this, {.checks = [this] { return saveChecks(); },
               .question =
                   [this] {
                       return Confirmation{QStringLiteral(" YOU ARE ABOUT TO UPDATE BUSINESS LEAD ...."),
                                           {{QStringLiteral(" PARTY NAME : "), lbl_PartyName->text()},
                                            {QStringLiteral(" NO OF PAX : "), txt_NoOfPax->text().trimmed()},
                                            {QStringLiteral(" TOURS DAYS : "), txt_NoOfDays->text().trimmed()},
                                            {QStringLiteral(" LEAD STATUS : "), Cmb_LeadStatus->currentText()}}};
                   },
               .save =
                   [this] {
                       return lead::saveLead(db(), session().userFullName, session().consultantCode, number_,
                                             ownColumns());
                   },
               .saved = [](qint64) { return QStringLiteral("UPDATION OF BUSINESS LEAD SUCCESSFULLY DONE ..."); },
               .show = [this](qint64 n) { return Show_Record(n); }});
    // The number taken is on screen when the user is told the lead is stored.
    editor_->setNumberLabel(lbl_DocNO);
    editor_->setEditableHook([this](bool on) { setEditable(on); });
    connect(editor_, &DocumentEditor::saved, this, [this](qint64 n) {
        if (changed_)
            changed_(QString::number(n));
    });
}

QList<Check> frm_BusinessLead_Add::saveChecks() {
    const bool b2c = lbl_PartyType->text().trimmed() == QLatin1String("B2C");
    auto empty = [](QLineEdit* e) { return e->text().trimmed().isEmpty(); };
    return {{[=, this] { return party->key().isEmpty(); }, txt_Code,
             QStringLiteral("PLEASE ENTER PARTY CODE PROPERLY .....")},
            {[=, this] { return b2c && empty(txt_TouristName); }, txt_TouristName,
             QStringLiteral("TOURIST NAME IS NECESSARY FOR B2C ....")},
            {[=, this] { return b2c && empty(txt_TouristMob); }, txt_TouristMob,
             QStringLiteral("TOURIST MOBILE NO IS NECESSARY FOR B2C ....")},
            {[=, this] { return b2c && empty(txt_EmailAdd); }, txt_EmailAdd,
             QStringLiteral("E-MAIL ADDRESS IS NECESSARY FOR B2C ....")},
            {[=, this] { return Cmb_LeadType->code().isEmpty(); }, Cmb_LeadType,
             QStringLiteral("PLEASE SELECT LEAD TYPE PROPERLY FROM THE LIST ....")},
            {[=, this] { return Cmb_LeadFor->code().isEmpty(); }, Cmb_LeadFor,
             QStringLiteral("PLEASE SELECT LEAD FOR FROM THE LIST ....")},
            {[=, this] { return Cmb_LeadStatus->code().isEmpty(); }, Cmb_LeadStatus,
             QStringLiteral("PLEASE SELECT LEAD STATUS PROPERLY FROM THE LIST ....")},
            {[=, this] { return empty(txt_Desc); }, txt_Desc, QStringLiteral("DESCRIPTION CANNOT BE BLANK ....")},
            {[=, this] { return txt_NoOfPax->text().trimmed().toInt() == 0; }, txt_NoOfPax,
             QStringLiteral("PLEASE ENTER NO OF PAX ....")},
            {[=, this] { return txt_NoOfChild->text().trimmed().toInt() > 0 && empty(txt_ChildAges); }, txt_ChildAges,
             QStringLiteral("PLEASE ENTER AGES OF CHILDREN ....")},
            // A start date that is no date would be stored as none.
            {[=, this] {
                 return !empty(txt_StrtDate) &&
                        !QDate::fromString(txt_StrtDate->text().trimmed(), kDateFormat).isValid();
             },
             txt_StrtDate, QStringLiteral("PLEASE ENTER START DATE PROPERLY (DD/MM/YYYY) ....")},
            // The store refuses it too; here the focus goes to the field.
            {[=, this] { return consultant->key().isEmpty() || consultant->nameLabel()->text().trimmed().isEmpty(); },
             consultant->edit(), lead::kNoConsultant}};
}

void frm_BusinessLead_Add::Save_Record() {
    if (!editable_)
        return;
    if (!role_.saveAllowed()) {
        prompter().information(this, lead::saveRefusal(role_));
        return;
    }
    editor_->save();
}

bool frm_BusinessLead_Add::Show_Record(qint64 leadNo) {
    std::optional<QSqlRecord> row;
    if (!guarded([&] { row = lead::readLead(db(), leadNo, role_); }))
        return false;
    if (!row) {
        prompter().information(this, QStringLiteral("UNABLE TO FETCH RECORD !!!! "));
        return false;
    }
    Load_Init();
    showing_ = true;
    auto v = [&](const char* column) { return row->value(QLatin1String(column)); };
    auto s = [&](const char* column) { return v(column).toString().trimmed(); };
    auto n = [&](const char* column) {
        return v(column).isNull() ? QString() : QString::number(v(column).toLongLong());
    };
    number_ = leadNo;
    txt_DocDate->setDate(dateFromDb(v("DOC_DATE")));
    party->setLoaded(n("PARTY_CODE"), s("PARTY_NAME"));
    lbl_PartyType->setText(s("BUSINESS_RELTYPE"));
    Cmb_LeadType->setCode(n("LEADTYPE_CODE"), s("LEAD_TYPE"));
    Cmb_LeadFor->setCode(n("LEADREQ_CODE"), s("LEADREQ_TYPE"));
    txt_Desc->setText(s("DOC_DESC"));
    txt_NoOfPax->setText(n("NOOF_PAX"));
    txt_NoOfChild->setText(n("NOOF_CHILD"));
    txt_ChildAges->setText(s("CHILD_AGES"));
    txt_StrtDate->setText(dateText(v("START_DT")));
    txt_NoOfDays->setText(n("TOUR_DAYS"));
    txt_TouristName->setText(s("TOURIST_NAME"));
    txt_TouristMob->setText(s("TOURIST_MOBNO"));
    txt_EmailAdd->setText(s("TOURIST_EMAIL"));
    Cmb_LeadStatus->setStored(n("LEADSTATUS_CODE"), s("LEAD_STATUS"));
    consultant->setLoaded(n("CONSULTANT_CODE"), s("CONSULTANT_NAME"));
    lbl_CreatedBy->setText(byOnText(v("CREATED_BY"), v("CREATED_ON")));
    lbl_UpdateBy->setText(byOnText(v("UPDATE_BY"), v("UPDATE_ON")));
    const bool locked = s("LCK_LEAD") == QLatin1String("Y");
    const QString lockedBy = byOnText(v("LCK_UPDATEBY"), v("LCK_UPDATEON"));
    lbl_LeadLock->setText(QStringLiteral("%1%2").arg(locked ? QStringLiteral("Y") : QStringLiteral("N"),
                                                     lockedBy.isEmpty() ? QString() : QStringLiteral("  ") + lockedBy));
    showing_ = false;
    editor_->shown(leadNo, locked ? DocState::Locked : DocState::Live, true);
    return true;
}

}  // namespace tarvic
