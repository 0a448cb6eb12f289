#include "frm_Party.h"

#include "data/Moments.h"
#include "data/Numbering.h"
#include "data/RowWriter.h"
#include "masters/GeographyLists.h"
#include "masters/PartyWindows.h"
#include "masters/frm_PartyWebAccess.h"
#include "masters/frm_Search_Party.h"
#include "shell/kit/BusyCursor.h"
#include "shell/kit/Checks.h"
#include "shell/kit/CodeList.h"
#include "shell/kit/KeyFilters.h"

#include <QAction>
#include <QComboBox>
#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>

namespace tarvic {

namespace {

QComboBox* makeList(QWidget* owner, const QString& name, bool editable, const QStringList& items = {}) {
    auto* c = new QComboBox(owner);
    c->setObjectName(name);
    c->setEditable(editable);
    if (editable) {
        // A typed name is looked up, never added to the list.
        c->setInsertPolicy(QComboBox::NoInsert);
        attachFilter(c->lineEdit(), KeyFilter::Upper);
    }
    c->addItems(items);
    return c;
}

QLabel* makeCodeLabel(QWidget* owner, const QString& name) {
    auto* l = new QLabel(owner);
    l->setObjectName(name);
    l->hide();
    return l;
}

// An editable code list typed in capitals; its code is mirrored in a hidden label.
CodeList* makeCodeList(Session& session, const CodeSource& source, QWidget* owner, const QString& name, QLabel* code,
                       CodeList* parent = nullptr) {
    auto* c = new CodeList(session, source, owner, parent);
    c->setObjectName(name);
    c->setEditable(true);
    attachFilter(c->lineEdit(), KeyFilter::Upper);
    bindColumn(session, c, source.table, source.nameColumn);
    QObject::connect(c, &CodeList::codeChanged, code, &QLabel::setText);
    return c;
}

void showText(QComboBox* c, const QString& text) {
    const int i = c->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (i >= 0)
        c->setCurrentIndex(i);
    else if (c->isEditable())
        c->setEditText(text);
}

// The periods of a party, in the order shown, with their columns.
constexpr int kLargestDays = 999;
const char* const kPeriodColumns[] = {"CREDIT_DAYS", "OPTION_DAYS", "FREECNCL_DAYS"};

// A period typed, or NULL when left empty (no period: the due date is the service date).
QVariant days(const QLineEdit* e) {
    const QString t = e->text().trimmed();
    return t.isEmpty() ? QVariant(QMetaType(QMetaType::Int)) : QVariant(t.toInt());
}

QString flag(const QVariant& v, const QString& otherwise = QStringLiteral("N")) {
    const QString s = v.toString().trimmed();
    return s.isEmpty() ? otherwise : s;
}

}  // namespace

frm_Party::frm_Party(Session& session, QWidget* parent) : TaskWindow(session, parent) {
    setObjectName(QStringLiteral("frm_Party"));
    setWindowTitle(QStringLiteral("PARTY MAINTENANCE"));
    setTool(1, kCloseTip, [this] { close(); });
    setTool(2, kNewTip, [this] { Load_Init(); });
    setTool(3, kSaveTip, [this] { Save_Record(); });
    setTool(4, kSearchTip, [this] { openSearch(); });
    setTool(5, QStringLiteral("Set Password { F5 }"), [this] { openWebPassword(); });

    auto edit = [this](const QString& name, const char* column, bool upper) {
        auto* e = new QLineEdit(this);
        e->setObjectName(name);
        bindColumn(e, "M_TBL_PARTY", column);
        if (upper)
            attachFilter(e, KeyFilter::Upper);
        return e;
    };
    lbl_PartyCode = new QLabel(this);
    lbl_PartyCode->setObjectName(QStringLiteral("lbl_PartyCode"));
    lbl_PartyCode->setFrameShape(QFrame::StyledPanel);
    lbl_PartyCode->setMinimumWidth(100);
    txt_PartyName = edit(QStringLiteral("txt_PartyName"), "PARTY_NAME", true);
    lbl_PartyTypeCode = makeCodeLabel(this, QStringLiteral("lbl_PartyTypeCode"));
    Cmb_PartyType = makeCodeList(session, sources::kPartyType, this, QStringLiteral("Cmb_PartyType"), lbl_PartyTypeCode);
    Cmb_RelType = makeList(this, QStringLiteral("Cmb_RelType"), false, {QStringLiteral("B2B"), QStringLiteral("B2C")});
    txt_ContPerson = edit(QStringLiteral("txt_ContPerson"), "PERSON_NAME", true);
    txt_MobileNOs = edit(QStringLiteral("txt_MobileNOs"), "MOBILE_NOS", false);
    txt_EmailAdd = edit(QStringLiteral("txt_EmailAdd"), "EMAIL_ADD", false);
    txt_GSTIN = edit(QStringLiteral("txt_GSTIN"), "GSTIN_NO", true);
    // A country lists its states and a state its places.
    lbl_CountryCode = makeCodeLabel(this, QStringLiteral("lbl_CountryCode"));
    Cmb_Country = makeCodeList(session, sources::kCountry, this, QStringLiteral("Cmb_Country"), lbl_CountryCode);
    lbl_StateCode = makeCodeLabel(this, QStringLiteral("lbl_StateCode"));
    Cmb_State = makeCodeList(session, sources::kState, this, QStringLiteral("Cmb_State"), lbl_StateCode, Cmb_Country);
    lbl_PlaceCode = makeCodeLabel(this, QStringLiteral("lbl_PlaceCode"));
    Cmb_Place = makeCodeList(session, sources::kPlace, this, QStringLiteral("Cmb_Place"), lbl_PlaceCode, Cmb_State);
    txt_PANNO = edit(QStringLiteral("txt_PANNO"), "PAN_NO", true);
    txt_UIDNO = edit(QStringLiteral("txt_UIDNO"), "AADHAAR_NO", true);
    txt_PassportNO = edit(QStringLiteral("txt_PassportNO"), "PASSPORT_NO", true);
    txt_Address = new QPlainTextEdit(this);
    txt_Address->setObjectName(QStringLiteral("txt_Address"));
    txt_Address->setTabChangesFocus(true);
    txt_Address->setFixedHeight(70);
    bindColumn(txt_Address, "M_TBL_PARTY", "PARTY_ADDRESS");
    Cmb_CFA = makeList(this, QStringLiteral("Cmb_CFA"), false, {QStringLiteral("N"), QStringLiteral("Y")});
    Cmb_WebAccess = makeList(this, QStringLiteral("Cmb_WebAccess"), false, {QStringLiteral("N"), QStringLiteral("Y")});
    Cmb_WebModule =
        makeList(this, QStringLiteral("Cmb_WebModule"), false, {QStringLiteral("CUSTOMER"), QStringLiteral("AGENT")});
    txt_PartyAliasName = edit(QStringLiteral("txt_PartyAliasName"), "PARTY_ALIASNAME", true);
    // Whole days from 0 to 999; nothing typed is no period.
    auto period = [this](const QString& name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(name);
        attachFilter(e, KeyFilter::Number);
        e->setValidator(new QIntValidator(0, kLargestDays, e));
        e->setMaxLength(3);
        e->setMaximumWidth(60);
        return e;
    };
    txt_CreditDays = period(QStringLiteral("txt_CreditDays"));
    txt_OptionDays = period(QStringLiteral("txt_OptionDays"));
    txt_FreeCancelDays = period(QStringLiteral("txt_FreeCancelDays"));
    lbl_CreatedByOn = new QLabel(this);
    lbl_CreatedByOn->setObjectName(QStringLiteral("lbl_CreatedByOn"));
    lbl_UpdateByOn = new QLabel(this);
    lbl_UpdateByOn->setObjectName(QStringLiteral("lbl_UpdateByOn"));

    auto* form = new QGridLayout;
    form->setHorizontalSpacing(8);
    // Twenty rows of fields: close together, so the window fits the main window's work area.
    form->setVerticalSpacing(3);
    int row = 0;
    auto add = [&](const QString& caption, QWidget* field, int span = 3) {
        auto* l = new QLabel(caption, this);
        l->setBuddy(field);
        form->addWidget(l, row, 0);
        form->addWidget(field, row, 1, 1, span);
        ++row;
    };
    add(QStringLiteral("PARTY CODE"), lbl_PartyCode, 1);
    add(QStringLiteral("PARTY &NAME"), txt_PartyName);
    add(QStringLiteral("PARTY &TYPE"), Cmb_PartyType);
    add(QStringLiteral("RE&LATION TYPE"), Cmb_RelType, 1);
    add(QStringLiteral("CONTACT &PERSON"), txt_ContPerson);
    add(QStringLiteral("&MOBILE NOS"), txt_MobileNOs);
    add(QStringLiteral("&E-MAIL ADDRESS"), txt_EmailAdd);
    add(QStringLiteral("&GSTIN"), txt_GSTIN);
    add(QStringLiteral("C&OUNTRY"), Cmb_Country);
    add(QStringLiteral("&STATE"), Cmb_State);
    add(QStringLiteral("PL&ACE"), Cmb_Place);
    add(QStringLiteral("PAN NO"), txt_PANNO);
    add(QStringLiteral("AADHAAR NO"), txt_UIDNO);
    add(QStringLiteral("PASSPORT NO"), txt_PassportNO);
    add(QStringLiteral("ADD&RESS"), txt_Address);
    add(QStringLiteral("CREDIT FACILITY AVAILABILITY  ( Y/N ) ?"), Cmb_CFA, 1);
    add(QStringLiteral("&WEB ACCESS ( Y/N )"), Cmb_WebAccess, 1);
    add(QStringLiteral("WEB MO&DULE"), Cmb_WebModule, 1);
    add(QStringLiteral("AL&IAS NAME"), txt_PartyAliasName);
    auto* periods = new QWidget(this);
    auto* h = new QHBoxLayout(periods);
    h->setContentsMargins(0, 0, 0, 0);
    h->addWidget(txt_CreditDays);
    for (const auto& [caption, field] : {std::pair{QStringLiteral("OPTION DAYS"), txt_OptionDays},
                                         std::pair{QStringLiteral("FREE CANCEL DAYS"), txt_FreeCancelDays}}) {
        auto* l = new QLabel(caption, periods);
        l->setBuddy(field);
        h->addWidget(l);
        h->addWidget(field);
    }
    h->addStretch(1);
    add(QStringLiteral("CREDIT DAYS"), periods);
    add(QStringLiteral("CREATED BY - ON"), lbl_CreatedByOn);
    add(QStringLiteral("UPDATE BY - ON"), lbl_UpdateByOn);
    form->setColumnStretch(3, 1);
    for (QLabel* hidden : {lbl_PartyTypeCode, lbl_CountryCode, lbl_StateCode, lbl_PlaceCode})
        form->addWidget(hidden, row, 0);
    body()->addLayout(form);
    body()->addStretch(1);
    resize(640, 640);

    connect(txt_PartyName, &QLineEdit::editingFinished, this, [this] { partyNameLeft(); });

    Load_Init();
}

qint64 frm_Party::partyCode() const { return lbl_PartyCode->text().trimmed().toLongLong(); }

// Read again with nothing chosen: types and places may have been added meanwhile.
void frm_Party::Load_PartyType() {
    Cmb_PartyType->clearChoice();
    Cmb_PartyType->load();
}

void frm_Party::Load_Country() {
    Cmb_Country->clearChoice();
    Cmb_Country->load();
}

void frm_Party::Load_Init() {
    for (QLineEdit* e : {txt_PartyName, txt_ContPerson, txt_MobileNOs, txt_EmailAdd, txt_GSTIN, txt_PANNO, txt_UIDNO,
                         txt_PassportNO, txt_PartyAliasName, txt_CreditDays, txt_OptionDays, txt_FreeCancelDays})
        e->clear();
    txt_Address->clear();
    lbl_PartyCode->setText(QStringLiteral("0"));
    lbl_CreatedByOn->clear();
    lbl_UpdateByOn->clear();
    // The lists are read again: types and places may have been added meanwhile.
    Load_PartyType();
    Load_Country();
    for (QComboBox* c : std::initializer_list<QComboBox*>{Cmb_PartyType, Cmb_RelType, Cmb_Country, Cmb_State, Cmb_Place,
                                                          Cmb_CFA, Cmb_WebAccess, Cmb_WebModule})
        c->setCurrentIndex(c->count() > 0 ? 0 : -1);
    setWebPasswordButton(false);
    txt_PartyName->setFocus(Qt::OtherFocusReason);
}

void frm_Party::partyNameLeft() {
    if (txt_PartyAliasName->text().trimmed().isEmpty())
        txt_PartyAliasName->setText(upperAscii(txt_PartyName->text().trimmed()));
}

void frm_Party::setWebPasswordButton(bool webAccess) { tool(5)->setEnabled(webAccess); }

void frm_Party::Show_Record(qint64 code) {
    std::optional<QSqlRecord> row;
    const bool read = guarded([&] {
        BusyCursor busy;
        row = db().firstRow(party::joinWhere(QStringLiteral("a.PARTY_CODE=?")), {code});
    });
    if (!read || !row)
        return;
    auto t = [&row](const char* column) { return row->value(QLatin1String(column)).toString().trimmed(); };
    lbl_PartyCode->setText(t("PARTY_CODE"));
    txt_PartyName->setText(t("PARTY_NAME"));
    txt_PartyAliasName->setText(t("PARTY_ALIASNAME"));
    txt_ContPerson->setText(t("PERSON_NAME"));
    txt_MobileNOs->setText(t("MOBILE_NOS"));
    txt_EmailAdd->setText(t("EMAIL_ADD"));
    txt_GSTIN->setText(t("GSTIN_NO"));
    txt_PANNO->setText(t("PAN_NO"));
    txt_UIDNO->setText(t("AADHAAR_NO"));
    txt_PassportNO->setText(t("PASSPORT_NO"));
    txt_Address->setPlainText(t("PARTY_ADDRESS"));
    QLineEdit* const periodFields[] = {txt_CreditDays, txt_OptionDays, txt_FreeCancelDays};
    for (int i = 0; i < 3; ++i)  // no period shows empty, never 0
        periodFields[i]->setText(row->value(QLatin1String(kPeriodColumns[i])).isNull() ? QString()
                                                                                       : t(kPeriodColumns[i]));
    showText(Cmb_RelType, t("BUSINESS_RELTYPE"));
    showText(Cmb_PartyType, t("PARTY_TYPE"));
    lbl_PartyTypeCode->setText(t("PARTYTYPE_CODE"));
    // Country first: choosing it reloads the states, and the state the places.
    showText(Cmb_Country, t("COUNTRY_NAME"));
    lbl_CountryCode->setText(t("COUNTRY_CODE"));
    showText(Cmb_State, t("STATE_NAME"));
    lbl_StateCode->setText(t("STATE_CODE"));
    showText(Cmb_Place, t("PLACE_NAME"));
    lbl_PlaceCode->setText(t("PLACE_CODE"));
    showText(Cmb_CFA, flag(row->value(QStringLiteral("CFA"))));
    const QString web = flag(row->value(QStringLiteral("WEB_ACCESS")));
    showText(Cmb_WebAccess, web);
    showText(Cmb_WebModule, t("WEB_MODULE"));
    lbl_CreatedByOn->setText(
        byOnText(row->value(QStringLiteral("CREATED_BY")), row->value(QStringLiteral("CREATED_ON"))));
    lbl_UpdateByOn->setText(byOnText(row->value(QStringLiteral("UPDATE_BY")), row->value(QStringLiteral("UPDATE_ON"))));
    setWebPasswordButton(web == QLatin1String("Y"));
}

void frm_Party::Save_Record() {
    const bool ok = runChecks(prompter(), this, {
        {[this] { return txt_PartyName->text().trimmed().isEmpty(); }, txt_PartyName,
         QStringLiteral("PLEASE ENTER PARTY NAME PROPERLY ...")},
        {[this] { return lbl_PartyTypeCode->text().trimmed().isEmpty(); }, Cmb_PartyType,
         QStringLiteral("PLEASE SELECT PARTY PROPERLY ....")},
        {[this] { return txt_ContPerson->text().trimmed().isEmpty(); }, txt_ContPerson,
         QStringLiteral("PLEASE ENTER CONTACT PERSON NAME ...")},
        {[this] { return txt_MobileNOs->text().trimmed().isEmpty(); }, txt_MobileNOs,
         QStringLiteral("PLEASE ENTER MOBILE NOS ....")},
        {[this] { return lbl_CountryCode->text().trimmed().isEmpty(); }, Cmb_Country,
         QStringLiteral("PLEASE SELECT COUNTRY PROPERLY FROM LIST ....")},
        {[this] { return lbl_StateCode->text().trimmed().isEmpty(); }, Cmb_State,
         QStringLiteral("PLEASE SELECT STATE PROPERLY FROM LIST ....")},
        {[this] { return lbl_PlaceCode->text().trimmed().isEmpty(); }, Cmb_Place,
         QStringLiteral("PLEASE SELECT PLACE PROPERLY FROM LIST ....")},
    });
    if (!ok)
        return;
    const QString name = upperAscii(txt_PartyName->text().trimmed());
    // Two parties may share a name (two branches of one agent), but a second one is more
    // often the first typed again: the user is warned and may go on.
    QStringList namesakes;
    if (!guarded([&] { namesakes = partiesNamed(name); }))
        return;
    if (!namesakes.isEmpty()) {
        const Confirmation warning{QStringLiteral(" PARTY NAME ALREADY EXISTS ...."),
                                   {{QStringLiteral(" PARTY NAME : "), name},
                                    {QStringLiteral(" PARTY CODE : "), namesakes.join(QStringLiteral(", "))}}};
        if (!warning.ask(prompter(), this)) {
            txt_PartyName->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    const Confirmation question{QStringLiteral(" YOU ARE ABOUT TO UPDATE PARTY DETAILS .... "),
                                {{QStringLiteral(" PARTY NAME : "), name},
                                 {QStringLiteral(" PARTY TYPE : "), Cmb_PartyType->currentText().trimmed()},
                                 {QStringLiteral(" BUSINESS RELATION : "), Cmb_RelType->currentText()}}};
    if (!question.ask(prompter(), this))
        return;

    const qint64 shown = partyCode();
    const Columns columns = {
        {QStringLiteral("PARTY_NAME"), name},
        {QStringLiteral("PARTY_ALIASNAME"), upperAscii(txt_PartyAliasName->text().trimmed())},
        {QStringLiteral("PERSON_NAME"), upperAscii(txt_ContPerson->text().trimmed())},
        {QStringLiteral("MOBILE_NOS"), txt_MobileNOs->text().trimmed()},
        {QStringLiteral("EMAIL_ADD"), txt_EmailAdd->text().trimmed()},
        {QStringLiteral("GSTIN_NO"), upperAscii(txt_GSTIN->text().trimmed())},
        {QStringLiteral("PAN_NO"), upperAscii(txt_PANNO->text().trimmed())},
        {QStringLiteral("AADHAAR_NO"), upperAscii(txt_UIDNO->text().trimmed())},
        {QStringLiteral("PASSPORT_NO"), upperAscii(txt_PassportNO->text().trimmed())},
        {QStringLiteral("PARTY_ADDRESS"), txt_Address->toPlainText().trimmed()},
        {QStringLiteral("BUSINESS_RELTYPE"), Cmb_RelType->currentText()},
        {QStringLiteral("PARTYTYPE_CODE"), lbl_PartyTypeCode->text().trimmed().toLongLong()},
        {QStringLiteral("COUNTRY_CODE"), lbl_CountryCode->text().trimmed().toLongLong()},
        {QStringLiteral("STATE_CODE"), lbl_StateCode->text().trimmed().toLongLong()},
        {QStringLiteral("PLACE_CODE"), lbl_PlaceCode->text().trimmed().toLongLong()},
        {QStringLiteral("CFA"), Cmb_CFA->currentText()},
        {QStringLiteral("WEB_ACCESS"), Cmb_WebAccess->currentText()},
        {QStringLiteral("WEB_MODULE"), Cmb_WebModule->currentText()},
        {QString::fromLatin1(kPeriodColumns[0]), days(txt_CreditDays)},
        {QString::fromLatin1(kPeriodColumns[1]), days(txt_OptionDays)},
        {QString::fromLatin1(kPeriodColumns[2]), days(txt_FreeCancelDays)},
    };
    qint64 saved = 0;
    if (!guarded([&] {
            // The number, the row and its columns are kept together or not at all: a refused
            // save takes no number. A new party always adds its row (a counter set back below
            // codes in use is refused by the key); a shown one that another workstation deleted
            // is reported, never created again.
            saved = db().transact([&] {
                const bool isNew = shown <= 0;
                const qint64 code = isNew ? Numbering(db()).next(QStringLiteral("PARTY")) : shown;
                RowWriter(db(), session().userFullName)
                    .write(QStringLiteral("M_TBL_PARTY"), {{QStringLiteral("PARTY_CODE"), code}}, columns, isNew);
                return code;
            });
        }))
        return;
    prompter().information(this, QStringLiteral("UPDATION OF PARTY SUCCESSFULLY DONE ..."));
    Show_Record(saved);
}

QStringList frm_Party::partiesNamed(const QString& name) const {
    QStringList codes;
    QSqlQuery q = db().exec(
        QStringLiteral("SELECT PARTY_CODE FROM M_TBL_PARTY WHERE UPPER(TRIM(PARTY_NAME))=UPPER(?) AND PARTY_CODE<>? "
                       "ORDER BY PARTY_CODE"),
        {name, partyCode()});
    while (q.next())
        codes << QString::number(q.value(0).toLongLong());
    return codes;
}

void frm_Party::openSearch() {
    QPointer<frm_Party> self(this);
    auto* search = new frm_Search_Party(session(), this, [self](const QString& code) {
        if (self)
            self->Show_Record(code.toLongLong());
    });
    search->setAttribute(Qt::WA_DeleteOnClose);
    search->setWindowModality(Qt::ApplicationModal);
    search->show();
}

void frm_Party::openWebPassword() {
    const qint64 code = partyCode();
    if (code <= 0)
        return;
    auto* w = new frm_PartyWebAccess(session(), this, code);
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->setWindowModality(Qt::ApplicationModal);
    w->show();
}

}  // namespace tarvic
