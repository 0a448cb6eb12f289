#include "AddressBook.h"

#include "data/Moments.h"
#include "data/Numbering.h"
#include "data/RowWriter.h"
#include "masters/AddressBookFinder.h"
#include "data/Moments.h"
#include "masters/GeographyLists.h"
#include "masters/frm_SearchGroupMeet.h"
#include "shell/kit/Checks.h"
#include "shell/kit/CodeList.h"
#include "shell/kit/KeyFilters.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>

namespace tarvic {

namespace {
QLabel* shownField(QWidget* parent, const char* name) {
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setFrameShape(QFrame::StyledPanel);
    l->setMinimumHeight(22);
    return l;
}

QLineEdit* lineEdit(Session& session, QWidget* parent, const char* name, const char* column) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    bindColumn(session, e, "M_TBL_ADDRESSBOOK", column);
    return e;
}

// A list to choose from (nothing typed); its code is kept where the save reads it.
CodeList* codeList(Session& session, const CodeSource& source, QWidget* owner, const char* name,
                   std::optional<int>* code, CodeList* parent = nullptr) {
    auto* c = new CodeList(session, source, owner, parent);
    c->setObjectName(QLatin1String(name));
    c->setMinimumWidth(220);
    QObject::connect(c, &CodeList::codeChanged, owner, [code](const QString& text) {
        *code = text.isEmpty() ? std::nullopt : std::optional<int>(text.toInt());
    });
    return c;
}

std::optional<qint64> wholeNumber(const QString& text) {
    bool ok = false;
    const qint64 n = text.trimmed().toLongLong(&ok);
    return ok ? std::optional<qint64>(n) : std::nullopt;
}
}  // namespace

frm_AddressBook::frm_AddressBook(Session& session, QWidget* parent) : TaskWindow(session, parent) {
    setObjectName(QStringLiteral("frm_AddressBook"));
    setWindowTitle(QStringLiteral("MAINTAIN ADDRESS BOOK"));
    setTool(1, kCloseTip, [this] { close(); });
    setTool(2, kNewTip, [this] { Load_Init(); });
    setTool(3, kSaveTip, [this] { Save_Record(); });
    setTool(4, kSearchTip, [this] { Search_Record(); });

    lbl_Code = shownField(this, "lbl_Code");
    txt_BusinessName = lineEdit(session, this, "txt_BusinessName", "BUSINESS_NAME");
    attachFilter(txt_BusinessName, KeyFilter::Upper);
    Cmb_Type = codeList(session, sources::kPartyType, this, "Cmb_Type", &typeCode_);
    Cmb_Country = codeList(session, sources::kCountry, this, "Cmb_Country", &countryCode_);
    Cmb_State = codeList(session, sources::kState, this, "Cmb_State", &stateCode_, Cmb_Country);
    Cmb_Place = codeList(session, sources::kPlace, this, "Cmb_Place", &placeCode_, Cmb_State);
    txt_PersonName = lineEdit(session, this, "txt_PersonName", "CONT_NAME");
    attachFilter(txt_PersonName, KeyFilter::Upper);
    txt_ContNOs = lineEdit(session, this, "txt_ContNOs", "MOBILE_NOS");
    txt_Email = lineEdit(session, this, "txt_Email", "EMAIL_ADDRESS");
    txt_WebAdd = lineEdit(session, this, "txt_WebAdd", "WEBSITE_ADD");
    txt_FBAdd = lineEdit(session, this, "txt_FBAdd", "FB_URL");
    txt_Address = new QPlainTextEdit(this);
    txt_Address->setObjectName(QStringLiteral("txt_Address"));
    txt_Address->setTabChangesFocus(true);
    txt_Address->setFixedHeight(60);
    bindColumn(txt_Address, "M_TBL_ADDRESSBOOK", "ADDRESS");
    txt_Remarks = new QPlainTextEdit(this);
    txt_Remarks->setObjectName(QStringLiteral("txt_Remarks"));
    txt_Remarks->setTabChangesFocus(true);
    txt_Remarks->setFixedHeight(60);
    bindColumn(txt_Remarks, "M_TBL_ADDRESSBOOK", "REMARKS");
    // Enter or leaving the code shows the group's name; a changed code shows none until then.
    group_ = new CodeField(session, sources::kGroupMeet, this, QStringLiteral("txt_GroupCode"),
                           QStringLiteral("lbl_GroupName"));
    txt_GroupCode = group_->edit();
    attachFilter(txt_GroupCode, KeyFilter::Number);
    Cmd_SrcGroupName = group_->addPicker(QStringLiteral("Cmd_SrcGroupName"), [this](PickCallback pick) {
        auto* search = new frm_SearchGroupMeet(this->session(), this, std::move(pick));
        search->setAttribute(Qt::WA_DeleteOnClose);
        search->show();
    });
    lbl_GroupName = group_->nameLabel();
    lbl_GroupName->setFrameShape(QFrame::StyledPanel);
    lbl_GroupName->setMinimumHeight(22);
    lbl_CreatedBy = shownField(this, "lbl_CreatedBy");
    lbl_CreatedOn = shownField(this, "lbl_CreatedOn");
    lbl_UpdateBy = shownField(this, "lbl_UpdateBy");
    lbl_UpdateOn = shownField(this, "lbl_UpdateOn");

    auto label = [this](const QString& text, QWidget* buddy = nullptr) {
        auto* l = new QLabel(text, this);
        if (buddy)
            l->setBuddy(buddy);
        return l;
    };
    auto* form = new QGridLayout;
    int r = 0;
    form->addWidget(label(QStringLiteral("BUSINESS CODE")), r, 0);
    form->addWidget(lbl_Code, r, 1);
    form->addWidget(label(QStringLiteral("BUSINESS T&YPE"), Cmb_Type), r, 2);
    form->addWidget(Cmb_Type, r++, 3);
    form->addWidget(label(QStringLiteral("BUSINESS &NAME"), txt_BusinessName), r, 0);
    form->addWidget(txt_BusinessName, r++, 1, 1, 3);
    form->addWidget(label(QStringLiteral("SELECT CO&UNTRY"), Cmb_Country), r, 0);
    form->addWidget(Cmb_Country, r, 1);
    form->addWidget(label(QStringLiteral("SELECT &STATE"), Cmb_State), r, 2);
    form->addWidget(Cmb_State, r++, 3);
    form->addWidget(label(QStringLiteral("SELECT &PLACE"), Cmb_Place), r, 0);
    form->addWidget(Cmb_Place, r++, 1);
    form->addWidget(label(QStringLiteral("CONTACT PERSON"), txt_PersonName), r, 0);
    form->addWidget(txt_PersonName, r, 1);
    form->addWidget(label(QStringLiteral("&CONTACT NUMBES"), txt_ContNOs), r, 2);
    form->addWidget(txt_ContNOs, r++, 3);
    form->addWidget(label(QStringLiteral("&EMAIL ADDRESS"), txt_Email), r, 0);
    form->addWidget(txt_Email, r, 1);
    form->addWidget(label(QStringLiteral("&WEBSITE ADDRESS"), txt_WebAdd), r, 2);
    form->addWidget(txt_WebAdd, r++, 3);
    form->addWidget(label(QStringLiteral("&FACEBOOK URL"), txt_FBAdd), r, 0);
    form->addWidget(txt_FBAdd, r++, 1, 1, 3);
    form->addWidget(label(QStringLiteral("CONTACT &ADDRESS"), txt_Address), r, 0);
    form->addWidget(txt_Address, r++, 1, 1, 3);
    form->addWidget(label(QStringLiteral("REMAR&KS"), txt_Remarks), r, 0);
    form->addWidget(txt_Remarks, r++, 1, 1, 3);
    auto* group = new QHBoxLayout;
    group->addWidget(txt_GroupCode);
    group->addWidget(Cmd_SrcGroupName);
    form->addWidget(label(QStringLiteral("GROUP - &MEET CODE"), txt_GroupCode), r, 0);
    form->addLayout(group, r, 1);
    form->addWidget(label(QStringLiteral("GROUP - MEET NAME")), r, 2);
    form->addWidget(lbl_GroupName, r++, 3);
    form->addWidget(label(QStringLiteral("CREATED BY")), r, 0);
    form->addWidget(lbl_CreatedBy, r, 1);
    form->addWidget(label(QStringLiteral("CREATED ON")), r, 2);
    form->addWidget(lbl_CreatedOn, r++, 3);
    form->addWidget(label(QStringLiteral("UPDATED BY")), r, 0);
    form->addWidget(lbl_UpdateBy, r, 1);
    form->addWidget(label(QStringLiteral("UPDATED ON")), r, 2);
    form->addWidget(lbl_UpdateOn, r++, 3);
    form->setColumnStretch(1, 1);
    form->setColumnStretch(3, 1);
    body()->addLayout(form);
    body()->addStretch(1);
    resize(860, 560);

    Load_Init();
}

void frm_AddressBook::Load_Init() {
    code_ = 0;
    lbl_Code->setText(QStringLiteral("0"));
    for (QLineEdit* e : {txt_BusinessName, txt_PersonName, txt_ContNOs, txt_Email, txt_WebAdd, txt_FBAdd, txt_GroupCode})
        e->clear();
    txt_Address->clear();
    txt_Remarks->clear();
    for (QLabel* l : {lbl_GroupName, lbl_CreatedBy, lbl_CreatedOn, lbl_UpdateBy, lbl_UpdateOn})
        l->clear();
    Load_Type();
    Load_Country();
    txt_BusinessName->setFocus(Qt::OtherFocusReason);
}

// Lists start with nothing chosen: a code is stored only when the user picks a name. A
// country lists its states and a state its places.
void frm_AddressBook::Load_Type() {
    Cmb_Type->clearChoice();
    Cmb_Type->load();
}

void frm_AddressBook::Load_Country() {
    Cmb_Country->clearChoice();
    Cmb_Country->load();
}

void frm_AddressBook::Show_GroupMeetName() { group_->lookUp(); }

void frm_AddressBook::Src_GroupName() { Cmd_SrcGroupName->click(); }

void frm_AddressBook::Search_Record() {
    QPointer<frm_AddressBook> self(this);
    auto* search = new frm_Search_AddressBook(session(), this, [self](const QString& code) {
        if (self)
            self->Show_Record(code.toLongLong());
    });
    search->setAttribute(Qt::WA_DeleteOnClose);
    search->show();
}

void frm_AddressBook::Show_Record(qint64 code) {
    guarded([&] {
        // Outer joins: a contact stays reachable even if one of its lookups has been removed.
        const auto row = db().firstRow(
            QStringLiteral("SELECT a.*, b.COUNTRY_NAME, c.STATE_NAME, d.PLACE_NAME, e.PARTY_TYPE, f.GROUP_NAME"
                           " FROM M_TBL_ADDRESSBOOK a"
                           " LEFT JOIN M_TBL_CSP_COUNTRY b ON a.COUNTRY_CODE=b.COUNTRY_CODE"
                           " LEFT JOIN M_TBL_CSP_STATE c ON a.COUNTRY_CODE=c.COUNTRY_CODE AND a.STATE_CODE=c.STATE_CODE"
                           " LEFT JOIN M_TBL_CSP_PLACE d ON a.COUNTRY_CODE=d.COUNTRY_CODE AND a.STATE_CODE=d.STATE_CODE"
                           " AND a.PLACE_CODE=d.PLACE_CODE"
                           " LEFT JOIN M_TBL_PARTYTYPE e ON a.BUSINESS_TYPECODE=e.PARTYTYPE_CODE"
                           " LEFT JOIN M_TBL_PARTYGROUP f ON a.GROUP_CODE=f.GROUP_CODE"
                           " WHERE a.BUSINESS_CODE=?"),
            {code});
        if (!row)
            return;
        Load_Init();
        auto text = [&](const char* column) { return row->value(QLatin1String(column)).toString().trimmed(); };
        code_ = row->value(QStringLiteral("BUSINESS_CODE")).toLongLong();
        lbl_Code->setText(QString::number(code_));
        // The lists show the stored names; the stored codes are kept as they are.
        auto code = [&](const char* column) {
            const QVariant v = row->value(QLatin1String(column));
            return v.isNull() ? QString() : QString::number(v.toInt());
        };
        Cmb_Type->setCode(code("BUSINESS_TYPECODE"));
        Cmb_Country->setCode(code("COUNTRY_CODE"));
        Cmb_State->setCode(code("STATE_CODE"));
        Cmb_Place->setCode(code("PLACE_CODE"));
        txt_BusinessName->setText(text("BUSINESS_NAME"));
        txt_PersonName->setText(text("CONT_NAME"));
        txt_ContNOs->setText(text("MOBILE_NOS"));
        txt_Email->setText(text("EMAIL_ADDRESS"));
        txt_WebAdd->setText(text("WEBSITE_ADD"));
        txt_FBAdd->setText(text("FB_URL"));
        txt_Address->setPlainText(text("ADDRESS"));
        txt_Remarks->setPlainText(text("REMARKS"));
        group_->setLoaded(text("GROUP_CODE"), text("GROUP_NAME"));
        lbl_CreatedBy->setText(text("CREATED_BY"));
        lbl_CreatedOn->setText(momentText(row->value(QStringLiteral("CREATED_ON"))));
        lbl_UpdateBy->setText(text("UPDATE_BY"));
        lbl_UpdateOn->setText(momentText(row->value(QStringLiteral("UPDATE_ON"))));
    });
}

void frm_AddressBook::Save_Record() {
    // The name is looked up again, so that the code stored is the one whose name was checked.
    Show_GroupMeetName();
    const bool ok = runChecks(prompter(), this, {
        {[this] { return !typeCode_; }, Cmb_Type, QStringLiteral("CANNOT PROCEED PLEASE SELECT BUSINESS PROPERLY ....")},
        {[this] { return !countryCode_; }, Cmb_Country, QStringLiteral("CANNOT PROCEED PLEASE SELECT COUNTRY PROPERLY ....")},
        {[this] { return !stateCode_; }, Cmb_State, QStringLiteral("CANNOT PROCEED PLEASE SELECT STATE  PROPERLY ....")},
        {[this] { return !placeCode_; }, Cmb_Place, QStringLiteral("CANNOT PROCEED PLEASE SELECT PLACE  PROPERLY ....")},
        {[this] { return txt_BusinessName->text().trimmed().isEmpty(); }, txt_BusinessName,
         QStringLiteral("PLEASE ENTER BUSINESS NAME .....")},
        {[this] { return txt_ContNOs->text().trimmed().isEmpty(); }, txt_ContNOs,
         QStringLiteral("CONTACT NUMBERS CANNOT BE BLANK .....")},
        {[this] { return lbl_GroupName->text().trimmed().isEmpty(); }, txt_GroupCode,
         QStringLiteral("PLEASE ENTER GROUP / MEET CODE PROPERLY ....")},
    });
    if (!ok)
        return;
    const Confirmation question{QStringLiteral(" YOU ARE GOING TO UPDATE ADDRESS BOOK ..."), {}};
    if (!question.ask(prompter(), this))
        return;

    const Columns columns = {{QStringLiteral("GROUP_CODE"), *wholeNumber(txt_GroupCode->text())},
                             {QStringLiteral("COUNTRY_CODE"), *countryCode_},
                             {QStringLiteral("STATE_CODE"), *stateCode_},
                             {QStringLiteral("PLACE_CODE"), *placeCode_},
                             {QStringLiteral("BUSINESS_NAME"), upperAscii(txt_BusinessName->text().trimmed())},
                             {QStringLiteral("BUSINESS_TYPECODE"), *typeCode_},
                             {QStringLiteral("ADDRESS"), txt_Address->toPlainText().trimmed()},
                             {QStringLiteral("CONT_NAME"), upperAscii(txt_PersonName->text().trimmed())},
                             {QStringLiteral("MOBILE_NOS"), txt_ContNOs->text().trimmed()},
                             {QStringLiteral("EMAIL_ADDRESS"), txt_Email->text().trimmed()},
                             {QStringLiteral("WEBSITE_ADD"), txt_WebAdd->text().trimmed()},
                             {QStringLiteral("FB_URL"), txt_FBAdd->text().trimmed()},
                             {QStringLiteral("REMARKS"), txt_Remarks->toPlainText().trimmed()}};
    qint64 saved = 0;
    if (!guarded([&] {
            saved = db().transact([&]() -> qint64 {
                Database& d = db();
                // A new contact's number is taken only after Yes, and kept only with its row.
                const bool isNew = !code_;
                const qint64 code = isNew ? Numbering(d).next(QStringLiteral("ADDBOOK")) : code_;
                RowWriter(d, session().userFullName)
                    .write(QStringLiteral("M_TBL_ADDRESSBOOK"), {{QStringLiteral("BUSINESS_CODE"), code}}, columns,
                           isNew);
                return code;
            });
        }))
        return;
    prompter().information(this, QStringLiteral("UPDATION OF ADDRESSBOOK SUCCESSFULLY DONE ...."));
    Show_Record(saved);
}

}  // namespace tarvic
