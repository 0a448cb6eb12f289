#include "frm_LstPartyRegd.h"

#include "masters/PartyWindows.h"
#include "masters/frm_Search_Party.h"
#include "shell/kit/KeyFilters.h"
#include "shell/kit/ListGrid.h"

#include <QComboBox>
#include <QLineEdit>

namespace tarvic {

namespace {

ListingConfig registrationList() {
    using C = ListColumn;
    ListingConfig c{
        .objectName = QStringLiteral("frm_LstPartyRegd"),
        .title = QStringLiteral("LIST OF PARTY REGISTRATION BETWEEN DATES"),
        .statement = party::joinSelect(ListQuery::kColumns, QStringLiteral("{filter}")),
        .dateColumn = QStringLiteral("a.CREATED_ON"),
        .detail = {.objectName = QStringLiteral("Grid1"),
                   .select = kPartyListColumns,
                   // The party code last: parties of one place keep one order from page to page.
                   .orderBy = QStringLiteral("b.PARTY_TYPE, c.COUNTRY_NAME, d.STATE_NAME, e.PLACE_NAME, a.PARTY_CODE"),
                   .columns = partyListGridColumns(true)},
        .summaries = {{.objectName = QStringLiteral("Grid2"),
                       .select = QStringLiteral("b.PARTY_TYPE, COALESCE(COUNT(b.PARTY_TYPE),0) AS TOTL_NOS"),
                       .groupBy = QStringLiteral("b.PARTY_TYPE"),
                       .orderBy = QStringLiteral("b.PARTY_TYPE"),
                       .columns = {C::serial(QStringLiteral("SLNO"), 800),
                                   C::text(QStringLiteral("PARTY TYPE"), QStringLiteral("PARTY_TYPE"), 3000),
                                   C::number(QStringLiteral("TOTAL NOS"), QStringLiteral("TOTL_NOS"), 1400)},
                       .maxWidthTwips = 7800}},
    };
    return c;
}

}  // namespace

frm_LstPartyRegd::frm_LstPartyRegd(Session& session, QWidget* parent)
    : ListingWindow(session, parent, registrationList()) {
    auto pattern = [this](const char* name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        bindLength(e, kPatternLength);
        attachFilter(e, KeyFilter::Upper);
        return e;
    };
    Cmb_PartyType = addField(QStringLiteral("PARTY T&YPE"), new QComboBox(this), 0, 2);
    Cmb_PartyType->setObjectName(QStringLiteral("Cmb_PartyType"));
    Cmb_PartyType->setMinimumWidth(180);
    txt_Country = addField(QStringLiteral("C&OUNTRY"), pattern("txt_Country"), 1, 0);
    txt_State = addField(QStringLiteral("ST&ATE"), pattern("txt_State"), 1, 1);
    txt_Place = addField(QStringLiteral("P&LACE"), pattern("txt_Place"), 1, 2);
    addCondition([this](ListFilter& f) {
        f.equal(QStringLiteral("b.PARTY_TYPE"), Cmb_PartyType->currentText());
        f.like(QStringLiteral("c.COUNTRY_NAME"), txt_Country->text());
        f.like(QStringLiteral("d.STATE_NAME"), txt_State->text());
        f.like(QStringLiteral("e.PLACE_NAME"), txt_Place->text());
    });
    Grid2 = summaryGrid(0);
    Load_PartyType();
}

void frm_LstPartyRegd::Load_PartyType() {
    Cmb_PartyType->clear();
    Cmb_PartyType->addItem(QString());
    guarded([&] {
        QSqlQuery q = db().exec(QStringLiteral("SELECT * FROM M_TBL_PARTYTYPE ORDER BY PARTY_TYPE"));
        while (q.next())
            Cmb_PartyType->addItem(q.value(QStringLiteral("PARTY_TYPE")).toString().trimmed());
    });
}

}  // namespace tarvic
