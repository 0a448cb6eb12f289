#include "AddressBookFinder.h"

#include "data/Moments.h"
#include "masters/AddressBook.h"
#include "masters/GeographyLists.h"
#include "masters/frm_SearchGroupMeet.h"
#include "shell/kit/BusyCursor.h"
#include "shell/kit/ExpXls.h"
#include "shell/kit/GridHelpers.h"
#include "shell/kit/KeyFilters.h"
#include "shell/kit/ListGrid.h"
#include "shell/kit/QueryModel.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace tarvic {

namespace {
const QString kAll = QStringLiteral("%");

CodeList* codeList(Session& session, const CodeSource& source, QWidget* parent, const char* name,
                   CodeList* parentList = nullptr) {
    auto* c = new CodeList(session, source, parent, parentList);
    c->setObjectName(QLatin1String(name));
    c->setMinimumWidth(200);
    return c;
}

// country + ' ' + state + ' ' + ... as one text, in the engine's own concatenation.
QString spaced(const Dialect& dialect, const QStringList& exprs) {
    QString joined = exprs.first();
    for (qsizetype i = 1; i < exprs.size(); ++i)
        joined = dialect.concat(joined, dialect.concat(QStringLiteral("' '"), exprs.at(i)));
    return joined;
}
}  // namespace

AddressBookFinder::AddressBookFinder(const AddressBookFinderConfig& config, Session& session, QWidget* parent,
                                     PickCallback onPick)
    : TaskWindow(session, parent), config_(config), onPick_(std::move(onPick)) {
    setObjectName(config.objectName);
    setWindowTitle(config.title);

    Option1 = new QRadioButton(QStringLiteral("SEARCH BY &DESCRIPTION"), this);
    Option1->setObjectName(QStringLiteral("Option1"));
    Option2 = new QRadioButton(QStringLiteral("SEARCH BY CONTACT &NO"), this);
    Option2->setObjectName(QStringLiteral("Option2"));
    Option3 = new QRadioButton(QStringLiteral("SEARCH BY BUSINESS TYPE"), this);
    Option3->setObjectName(QStringLiteral("Option3"));
    auto* options = new QButtonGroup(this);
    options->addButton(Option1);
    options->addButton(Option2);
    options->addButton(Option3);
    Option1->setChecked(true);

    txt_Desc = new QLineEdit(this);
    txt_Desc->setObjectName(QStringLiteral("txt_Desc"));
    attachFilter(txt_Desc, KeyFilter::Upper);
    bindLength(txt_Desc, kPatternLength);
    txt_ContNO = new QLineEdit(this);
    txt_ContNO->setObjectName(QStringLiteral("txt_ContNO"));
    bindLength(txt_ContNO, kPatternLength);
    Cmb_Type = codeList(session, sources::kPartyType, this, "Cmb_Type");
    Cmb_Country = codeList(session, sources::kCountry, this, "Cmb_Country");
    Cmb_State = codeList(session, sources::kState, this, "Cmb_State", Cmb_Country);
    Cmb_Place = codeList(session, sources::kPlace, this, "Cmb_Place", Cmb_State);
    // Connected after each list's own reload on its parent's change, so it sees the new rows.
    connect(Cmb_Country, &CodeList::codeChanged, this, [this] { settle(Cmb_State); });
    connect(Cmb_State, &CodeList::codeChanged, this, [this] { settle(Cmb_Place); });

    auto* form = new QGridLayout;
    int r = 0;
    form->addWidget(Option1, r, 0);
    form->addWidget(txt_Desc, r++, 1, 1, 3);
    form->addWidget(Option2, r, 0);
    form->addWidget(txt_ContNO, r++, 1, 1, 3);
    form->addWidget(Option3, r, 0);
    form->addWidget(Cmb_Type, r, 1);
    auto* country = new QLabel(QStringLiteral("COUNTR&Y"), this);
    country->setBuddy(Cmb_Country);
    form->addWidget(country, r, 2);
    form->addWidget(Cmb_Country, r++, 3);
    auto* state = new QLabel(QStringLiteral("STAT&E"), this);
    state->setBuddy(Cmb_State);
    form->addWidget(state, r, 0, Qt::AlignRight);
    form->addWidget(Cmb_State, r, 1);
    auto* place = new QLabel(QStringLiteral("&PLACE"), this);
    place->setBuddy(Cmb_Place);
    form->addWidget(place, r, 2);
    form->addWidget(Cmb_Place, r++, 3);

    if (config_.listing) {
        Option4 = new QRadioButton(QStringLiteral("GRO&UP / MEET CODE"), this);
        Option4->setObjectName(QStringLiteral("Option4"));
        options->addButton(Option4);
        txt_GroupCode = new QLineEdit(this);
        txt_GroupCode->setObjectName(QStringLiteral("txt_GroupCode"));
        bindColumn(txt_GroupCode, "M_TBL_PARTYGROUP", "GROUP_CODE");
        attachFilter(txt_GroupCode, KeyFilter::Number);
        Cmd_SrcGroupName = new QPushButton(QStringLiteral("..."), this);
        Cmd_SrcGroupName->setObjectName(QStringLiteral("Cmd_SrcGroupName"));
        Cmd_SrcGroupName->setFixedWidth(32);
        lbl_GroupName = new QLabel(this);
        lbl_GroupName->setObjectName(QStringLiteral("lbl_GroupName"));
        lbl_GroupName->setFrameShape(QFrame::StyledPanel);
        auto* group = new QHBoxLayout;
        group->addWidget(txt_GroupCode);
        group->addWidget(Cmd_SrcGroupName);
        form->addWidget(Option4, r, 0);
        form->addLayout(group, r, 1);
        form->addWidget(lbl_GroupName, r++, 2, 1, 2);
        connect(txt_GroupCode, &QLineEdit::editingFinished, this, [this] { Show_GroupMeetName(); });
        connect(txt_GroupCode, &QLineEdit::textEdited, lbl_GroupName, &QLabel::clear);
        connect(Cmd_SrcGroupName, &QPushButton::clicked, this, [this] { Src_GroupName(); });
    }
    form->setColumnStretch(1, 1);
    form->setColumnStretch(3, 1);
    body()->addLayout(form);

    Cmd_Show = new QPushButton(QStringLiteral("&SHOW"), this);
    Cmd_Show->setObjectName(QStringLiteral("Cmd_Show"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Cmd_Show);
    if (config_.listing) {
        Cmd_ExpXls = new QPushButton(QStringLiteral("E&XPORT TO EXCEL"), this);
        Cmd_ExpXls->setObjectName(QStringLiteral("Cmd_ExpXls"));
        buttons->addWidget(Cmd_ExpXls);
        connect(Cmd_ExpXls, &QPushButton::clicked, this, [this] { Exp_Xls(); });
    }
    body()->addLayout(buttons);

    auto byOn = [](const char* by, const char* on) {
        return [by, on](const QSqlRecord& r) { return byOnText(r.value(QLatin1String(by)), r.value(QLatin1String(on))); };
    };
    using C = ListColumn;
    QList<ListColumn> columns{C::serial(QStringLiteral("SLNO"), 700),
                              C::text(QStringLiteral("CODE"), QStringLiteral("BUSINESS_CODE"), 800, Qt::AlignRight)};
    if (config_.listing)
        columns << C::text(QStringLiteral("GROUP / MEET"), QStringLiteral("GROUP_NAME"), 2200);
    columns << C::text(QStringLiteral("BUSINESS TYPE"), QStringLiteral("PARTY_TYPE"), 1800)
            << C::text(QStringLiteral("BUSINESS NAME"), QStringLiteral("BUSINESS_NAME"), 3000)
            << C::text(QStringLiteral("PERSON NAME"), QStringLiteral("CONT_NAME"), 2200)
            << C::text(QStringLiteral("CONTACT NO"), QStringLiteral("MOBILE_NOS"), 2000);
    if (config_.listing)
        columns << C::text(QStringLiteral("EMAIL ADDRESS"), QStringLiteral("EMAIL_ADDRESS"), 2600)
                << C::text(QStringLiteral("CONTACT ADDRESS"), QStringLiteral("ADDRESS"), 3200);
    columns << C::text(QStringLiteral("PLACE"), QStringLiteral("PLACE_NAME"), 1600)
            << C::text(QStringLiteral("STATE"), QStringLiteral("STATE_NAME"), 1600)
            << C::text(QStringLiteral("COUNTRY"), QStringLiteral("COUNTRY_NAME"), 1600)
            << C::computed(QStringLiteral("CREATED BY - ON"), 3200, byOn("CREATED_BY", "CREATED_ON"))
            << C::computed(QStringLiteral("UPDATE BY - ON"), 3200, byOn("UPDATE_BY", "UPDATE_ON"));
    model_ = new QueryModel(db(), columns, this);
    model_->setSelect(QStringLiteral("a.*, b.PARTY_TYPE, c.COUNTRY_NAME, d.STATE_NAME, e.PLACE_NAME") +
                      (config_.listing ? QStringLiteral(", f.GROUP_NAME") : QString()));
    model_->setOrder(QStringLiteral("b.PARTY_TYPE, c.COUNTRY_NAME, d.STATE_NAME, e.PLACE_NAME, a.BUSINESS_NAME, a.BUSINESS_CODE"));
    connect(model_, &QueryModel::pageFailed, this, [this](const QString& m) { prompter().information(this, m); });
    Grid1 = new ListGrid(QStringLiteral("Grid1"), this);
    Grid1->setQueryModel(model_);
    body()->addWidget(Grid1, 1);
    resize(config_.listing ? 1000 : 980, 600);

    connect(Cmd_Show, &QPushButton::clicked, this, [this] { Load_Grid1(); });
    connect(Grid1, &ListGrid::rowChosen, this, [this](int row) { rowChosen(row); });
    onEnter(Grid1, [this] { rowChosen(Grid1->currentRow()); });

    Cmb_Type->load();
    Cmb_Country->load();
    // A country chosen on load has already brought its states and places; "%" has not.
    for (CodeList* list : {Cmb_Type, Cmb_Country, Cmb_State, Cmb_Place})
        settle(list);
}

void AddressBookFinder::settle(CodeList* list) {
    // The type list, and every list of the listing, offers "%" (all, no code) on top.
    if ((list == Cmb_Type || config_.listing) && (list->count() == 0 || list->itemText(0) != kAll))
        list->insertItem(0, kAll);
    if (list->currentIndex() < 0 && list->count() > 0)
        list->setCurrentIndex(0);
}

void AddressBookFinder::Load_Grid1() {
    BusyCursor busy;
    model_->clear();
    const Dialect& dialect = db().dialect();
    const bool listing = config_.listing;

    QString condition;
    QVariantList values;
    if (Option1->isChecked()) {
        QStringList parts{QStringLiteral("c.COUNTRY_NAME"), QStringLiteral("d.STATE_NAME"), QStringLiteral("e.PLACE_NAME"),
                          QStringLiteral("a.BUSINESS_NAME"), QStringLiteral("b.PARTY_TYPE")};
        if (listing)
            parts << QStringLiteral("f.GROUP_NAME");
        condition = spaced(dialect, parts) + QStringLiteral(" LIKE ?");
        values << txt_Desc->text().trimmed();
    } else if (Option2->isChecked()) {
        condition = QStringLiteral("a.MOBILE_NOS LIKE ?");
        values << txt_ContNO->text().trimmed();
    } else if (Option3->isChecked()) {
        // By codes: "%" (all) names none and adds no condition; an empty list matches nothing
        // (the search wants a place).
        QStringList parts;
        const std::pair<CodeList*, const char*> lists[] = {{Cmb_Type, "a.BUSINESS_TYPECODE"},
                                                           {Cmb_Country, "a.COUNTRY_CODE"},
                                                           {Cmb_State, "a.STATE_CODE"},
                                                           {Cmb_Place, "a.PLACE_CODE"}};
        for (const auto& [list, column] : lists) {
            if (!list->code().isEmpty()) {
                parts << QLatin1String(column) + QStringLiteral("=?");
                values << list->code().toLongLong();
            } else if (list->currentText() != kAll) {
                parts << QStringLiteral("1=0");
            }
        }
        condition = parts.isEmpty() ? QStringLiteral("1=1") : parts.join(QStringLiteral(" AND "));
    } else if (Option4 && Option4->isChecked()) {
        bool ok = false;
        const qint64 group = txt_GroupCode->text().trimmed().toLongLong(&ok);
        if (!ok)
            return;  // no group code: nothing to list
        condition = QStringLiteral("a.GROUP_CODE=?");
        values << group;
    } else {
        return;
    }

    const QString sql =
        QStringLiteral("SELECT {columns}"
                       " FROM M_TBL_ADDRESSBOOK a, M_TBL_PARTYTYPE b, M_TBL_CSP_COUNTRY c, M_TBL_CSP_STATE d, M_TBL_CSP_PLACE e") +
        (listing ? QStringLiteral(", M_TBL_PARTYGROUP f") : QString()) +
        QStringLiteral(" WHERE a.BUSINESS_TYPECODE=b.PARTYTYPE_CODE AND a.COUNTRY_CODE=c.COUNTRY_CODE"
                       " AND a.COUNTRY_CODE=d.COUNTRY_CODE AND a.STATE_CODE=d.STATE_CODE"
                       " AND a.COUNTRY_CODE=e.COUNTRY_CODE AND a.STATE_CODE=e.STATE_CODE AND a.PLACE_CODE=e.PLACE_CODE") +
        (listing ? QStringLiteral(" AND a.GROUP_CODE=f.GROUP_CODE") : QString()) + QStringLiteral(" AND ") + condition;
    guarded([&] { model_->load({sql, values}); });
    if (!isBlankRow(Grid1, 0))
        Grid1->setCurrentCell(0, codeColumn());
}

void AddressBookFinder::Show_GroupMeetName() {
    if (!lbl_GroupName)
        return;
    lbl_GroupName->clear();
    bool ok = false;
    const qint64 code = txt_GroupCode->text().trimmed().toLongLong(&ok);
    if (!ok)
        return;
    guarded([&] {
        if (auto row = db().firstRow(QStringLiteral("SELECT * FROM M_TBL_PARTYGROUP WHERE GROUP_CODE=?"), {code}))
            lbl_GroupName->setText(row->value(QStringLiteral("GROUP_NAME")).toString().trimmed());
    });
}

void AddressBookFinder::Src_GroupName() {
    if (!txt_GroupCode)
        return;
    QPointer<AddressBookFinder> self(this);
    auto* search = new frm_SearchGroupMeet(session(), this, [self](const QString& code) {
        if (!self)
            return;
        self->txt_GroupCode->setText(code);
        self->Option4->setChecked(true);
        self->Show_GroupMeetName();
    });
    search->setAttribute(Qt::WA_DeleteOnClose);
    search->show();
}

frm_AddressBook* AddressBookFinder::entryWindow() const { return entry_.data(); }

void AddressBookFinder::Exp_Xls() { tarvic::Exp_Xls(this, model_, prompter()); }

void AddressBookFinder::rowChosen(int row) {
    if (isBlankRow(Grid1, row))
        return;
    const QString code = gridText(Grid1, row, codeColumn());
    if (onPick_) {
        const PickCallback pick = onPick_;
        // The search closes once it has handed the code over; the listing stays for more.
        if (!config_.listing)
            close();
        pick(code);
        return;
    }
    if (!config_.listing)
        return;  // a search opened from the menu only shows its list
    if (!entry_) {
        entry_ = new frm_AddressBook(session(), this);
        entry_->setAttribute(Qt::WA_DeleteOnClose);
    }
    entry_->Show_Record(code.toLongLong());
    entry_->show();
    entry_->raise();
    entry_->activateWindow();
}

frm_Search_AddressBook::frm_Search_AddressBook(Session& session, QWidget* parent, PickCallback onPick)
    : AddressBookFinder({QStringLiteral("frm_Search_AddressBook"), QStringLiteral("SEARCH ADDRESS BOOK"), false}, session,
                        parent, std::move(onPick)) {}

frm_LstAddressBook::frm_LstAddressBook(Session& session, QWidget* parent, PickCallback onPick)
    : AddressBookFinder({QStringLiteral("frm_LstAddressBook"), QStringLiteral("LIST ADDRESS BOOK DETAILS"), true}, session,
                        parent, std::move(onPick)) {}

}  // namespace tarvic
