#include "frm_Search_Party.h"

#include "masters/PartyWindows.h"
#include "shell/kit/BusyCursor.h"
#include "shell/kit/GridHelpers.h"
#include "shell/kit/KeyFilters.h"
#include "shell/kit/ListGrid.h"
#include "shell/kit/QueryModel.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace tarvic {

namespace {
const QString kHint =
    QStringLiteral("TYPE % FOR ANY TEXT: TEA% FINDS WHAT STARTS WITH TEA, %TEA% WHAT CONTAINS IT ....");
const QString kNothingFound = QStringLiteral("SORRY NO RECORDS FOUND ....");
}  // namespace

QList<ListColumn> partyListGridColumns(bool withType) {
    const auto byOn = [](const char* by, const char* on) {
        return [by, on](const QSqlRecord& r) { return byOnText(r.value(QLatin1String(by)), r.value(QLatin1String(on))); };
    };
    using C = ListColumn;
    QList<ListColumn> columns{C::text(QStringLiteral("CODE"), QStringLiteral("PARTY_CODE"), 900, Qt::AlignRight)};
    if (withType)
        columns << C::text(QStringLiteral("PARTY TYPE"), QStringLiteral("PARTY_TYPE"), 1800);
    columns << C::text(QStringLiteral("PARTY NAME"), QStringLiteral("PARTY_NAME"), 4000)
            << C::text(QStringLiteral("CONT PERSON"), QStringLiteral("PERSON_NAME"), 2500)
            << C::text(QStringLiteral("MOBILE NOS"), QStringLiteral("MOBILE_NOS"), 2000)
            << C::text(QStringLiteral("EMAIL ADD"), QStringLiteral("EMAIL_ADD"), 2800)
            << C::text(QStringLiteral("PLACE"), QStringLiteral("PLACE_NAME"), 1800)
            << C::text(QStringLiteral("STATE"), QStringLiteral("STATE_NAME"), 1800)
            << C::text(QStringLiteral("COUNTRY"), QStringLiteral("COUNTRY_NAME"), 1500)
            << C::computed(QStringLiteral("CREATED BY-ON"), 3200, byOn("CREATED_BY", "CREATED_ON"))
            << C::computed(QStringLiteral("UPDATE BY-ON"), 3200, byOn("UPDATE_BY", "UPDATE_ON"));
    return columns;
}

frm_Search_Party::frm_Search_Party(Session& session, QWidget* parent, PickCallback onPick)
    : TaskWindow(session, parent), onPick_(std::move(onPick)) {
    setObjectName(QStringLiteral("frm_Search_Party"));
    setWindowTitle(QStringLiteral("SEARCH PARTY"));

    auto* group = new QButtonGroup(this);
    auto* form = new QGridLayout;
    form->setHorizontalSpacing(8);
    auto addKey = [&](Key key, const QString& optName, const QString& caption, const QString& fieldName,
                      QRadioButton** opt, QLineEdit** edit) {
        *opt = new QRadioButton(caption, this);
        (*opt)->setObjectName(optName);
        *edit = new QLineEdit(this);
        (*edit)->setObjectName(fieldName);
        bindLength(*edit, kPatternLength);
        group->addButton(*opt, int(key));
        const int i = int(key) - 1;
        form->addWidget(*opt, i % 3, (i / 3) * 2);
        form->addWidget(*edit, i % 3, (i / 3) * 2 + 1);
        // Typing in a field searches by its key.
        connect(*edit, &QLineEdit::textEdited, this, [this, key] { setKey(key); });
        onEnter(*edit, [this, key] {
            setKey(key);
            Load_Grid();
        });
    };
    addKey(Key::PartyName, QStringLiteral("Opt_PartyName"), QStringLiteral("PARTY &NAME"),
           QStringLiteral("txt_PartyName"), &Opt_PartyName, &txt_PartyName);
    addKey(Key::ContPerson, QStringLiteral("Opt_ContPerson"), QStringLiteral("CONTACT &PERSON"),
           QStringLiteral("txt_ContPerson"), &Opt_ContPerson, &txt_ContPerson);
    addKey(Key::MobileNos, QStringLiteral("Opt_MobileNos"), QStringLiteral("&MOBILE NOS"),
           QStringLiteral("txt_MobileNos"), &Opt_MobileNos, &txt_MobileNos);
    addKey(Key::EmailAdd, QStringLiteral("Opt_EmailAdd"), QStringLiteral("&E-MAIL"),
           QStringLiteral("txt_EmailAdd"), &Opt_EmailAdd, &txt_EmailAdd);
    addKey(Key::PartyCode, QStringLiteral("Opt_PartyCode"), QStringLiteral("PARTY &CODE"),
           QStringLiteral("txt_PartyCode"), &Opt_PartyCode, &txt_PartyCode);
    addKey(Key::TypePlace, QStringLiteral("Opt_TypePlace"), QStringLiteral("&TYPE AND PLACE"),
           QStringLiteral("txt_TypePlace"), &Opt_TypePlace, &txt_TypePlace);
    // Names are kept in upper case, so their keys are typed in upper case; mobile numbers and
    // e-mail addresses are kept as typed.
    attachFilter(txt_PartyName, KeyFilter::Upper);
    attachFilter(txt_ContPerson, KeyFilter::Upper);
    attachFilter(txt_TypePlace, KeyFilter::Upper);
    attachFilter(txt_PartyCode, KeyFilter::Number);
    bindColumn(txt_PartyCode, "M_TBL_PARTY", "PARTY_CODE");
    Opt_PartyName->setChecked(true);

    Cmd_Show = new QPushButton(QStringLiteral("&SHOW"), this);
    Cmd_Show->setObjectName(QStringLiteral("Cmd_Show"));
    connect(Cmd_Show, &QPushButton::clicked, this, [this] { Load_Grid(); });
    form->addWidget(Cmd_Show, 0, 4);
    form->setColumnStretch(1, 1);
    form->setColumnStretch(3, 1);
    body()->addLayout(form);
    lbl_Hint = new QLabel(kHint, this);
    lbl_Hint->setObjectName(QStringLiteral("lbl_Hint"));
    lbl_Hint->setWordWrap(true);
    body()->addWidget(lbl_Hint);

    model_ = new QueryModel(db(), partyListGridColumns(false),
                            this);
    model_->setSelect(kPartyListColumns);
    model_->setOrder(QStringLiteral("a.PARTY_NAME, a.PARTY_CODE"));
    connect(model_, &QueryModel::pageFailed, this, [this](const QString& m) { prompter().information(this, m); });
    Grid1 = new ListGrid(QStringLiteral("Grid1"), this);
    Grid1->setQueryModel(model_);
    body()->addWidget(Grid1, 1);
    connect(Grid1, &ListGrid::rowChosen, this, [this](int row) { pickRow(row); });
    onEnter(Grid1, [this] { pickRow(Grid1->currentRow()); });

    resize(1000, 520);
}

QRadioButton* frm_Search_Party::option(Key key) const {
    switch (key) {
    case Key::PartyName: return Opt_PartyName;
    case Key::ContPerson: return Opt_ContPerson;
    case Key::MobileNos: return Opt_MobileNos;
    case Key::EmailAdd: return Opt_EmailAdd;
    case Key::PartyCode: return Opt_PartyCode;
    case Key::TypePlace: return Opt_TypePlace;
    }
    return Opt_PartyName;
}

QLineEdit* frm_Search_Party::field(Key key) const {
    switch (key) {
    case Key::PartyName: return txt_PartyName;
    case Key::ContPerson: return txt_ContPerson;
    case Key::MobileNos: return txt_MobileNos;
    case Key::EmailAdd: return txt_EmailAdd;
    case Key::PartyCode: return txt_PartyCode;
    case Key::TypePlace: return txt_TypePlace;
    }
    return txt_PartyName;
}

frm_Search_Party::Key frm_Search_Party::key() const {
    for (Key k : {Key::PartyName, Key::ContPerson, Key::MobileNos, Key::EmailAdd, Key::PartyCode, Key::TypePlace})
        if (option(k)->isChecked())
            return k;
    return Key::PartyName;
}

void frm_Search_Party::setKey(Key key) { option(key)->setChecked(true); }

void frm_Search_Party::Load_Grid() {
    BusyCursor busy;
    model_->clear();
    lbl_Hint->setText(kHint);
    const Key k = key();
    const QString text = field(k)->text().trimmed();
    QString filter;
    QVariant value = text;
    switch (k) {
    case Key::PartyName: filter = QStringLiteral("a.PARTY_NAME LIKE ?"); break;
    case Key::ContPerson: filter = QStringLiteral("a.PERSON_NAME LIKE ?"); break;
    case Key::MobileNos: filter = QStringLiteral("a.MOBILE_NOS LIKE ?"); break;
    case Key::EmailAdd: filter = QStringLiteral("a.EMAIL_ADD LIKE ?"); break;
    case Key::PartyCode: {
        bool ok = false;
        const qint64 code = text.toLongLong(&ok);
        if (!ok) {
            // No party has a code that is not a number.
            prompter().information(this, kNothingFound);
            return;
        }
        filter = QStringLiteral("a.PARTY_CODE=?");
        value = code;
        break;
    }
    case Key::TypePlace: {
        const Dialect& d = db().dialect();
        filter = d.concat(d.concat(QStringLiteral("b.PARTY_TYPE"), QStringLiteral("' '")), QStringLiteral("e.PLACE_NAME")) +
                 QStringLiteral(" LIKE ?");
        break;
    }
    }
    const auto run = [&](const QVariant& v) {
        return guarded([&] { model_->load({party::joinSelect(ListQuery::kColumns, filter), {v}}); });
    };
    if (!run(value))
        return;
    // A text typed without "%" is first the whole value, as it always was; when no value is
    // that text, the values that contain it are what the user was looking for.
    if (model_->rowCount() == 0 && k != Key::PartyCode && !text.contains(QLatin1Char('%'))) {
        if (!run(QLatin1Char('%') + text + QLatin1Char('%')))
            return;
        if (model_->rowCount() > 0)
            lbl_Hint->setText(QStringLiteral("NONE IS \"%1\" EXACTLY, SHOWING THOSE CONTAINING IT ....").arg(text));
    }
    if (model_->rowCount() == 0) {
        prompter().information(this, kNothingFound);
        field(k)->setFocus();
    }
}

bool frm_Search_Party::pickRow(int row) {
    if (isBlankRow(Grid1, row))
        return false;
    const QString code = gridText(Grid1, row, ColCode).trimmed();
    if (code.isEmpty())
        return false;
    if (!onPick_)
        return false;  // opened from the menu: nobody to hand the party to
    // Close first: the caller's routine may open a window of its own or show a message.
    const PickCallback pick = onPick_;
    close();
    pick(code);
    return true;
}

}  // namespace tarvic
