#include "OutstandingList.h"

#include "engine/accounts/LedgerQueries.h"
#include "engine/Aging.h"
#include "shell/kit/ListGrid.h"

#include <QComboBox>

namespace tarvic {

OutstandingConfig OutstandingConfig::party() {
    return {QStringLiteral("frm_LstPO"), QStringLiteral("PARTY OUTSTANDING LIST"), QStringLiteral("LDOP"), false};
}

OutstandingConfig OutstandingConfig::miscAccount() {
    return {QStringLiteral("frm_LstPO_MA"), QStringLiteral("LIST PARTY OUTSTANDING FOR MISC ACCOUNT"),
            QStringLiteral("LDMA"), true};
}

OutstandingList::OutstandingList(const OutstandingConfig& config, Session& session, QWidget* parent)
    : AccountsListing(session, parent, config.objectName, config.title, true, QSize(1000, 600)), config_(config) {
    Cmb_DBCR = addField(QStringLiteral("DB / &CR"), sideField("Cmb_DBCR"), 0, 0);
    using C = ListColumn;
    QList<ListColumn> lines{C::number(QStringLiteral("PARTY CODE"), QStringLiteral("PARTY_CODE"), 1300),
                            C::text(QStringLiteral("PARTY NAME"), QStringLiteral("PARTY_NAME"), 3600),
                            C::text(QStringLiteral("TYPE"), QStringLiteral("PARTY_TYPE"), 1600),
                            C::money(QStringLiteral("BALANCE"), QStringLiteral("PARTY_BALANCE"), 1800)};
    QList<ListColumn> totals{C::money(QStringLiteral("TOTAL BALANCE"), QStringLiteral("PARTY_BALANCE"), 1800)};
    for (int b = 0; b < aging::kBuckets; ++b) {
        const ListColumn age = C::money(aging::bucketCaption(b), QLatin1String(aging::bucketColumn(b)), 1500);
        lines << age;
        totals << age;
    }
    Grid1 = addGrid(QStringLiteral("Grid1"), lines);
    Grid2 = addGrid(QStringLiteral("Grid2"), totals, true);
    codes_ = codeList(config.codeList);
}

void OutstandingList::Load_Grid() {
    loadAll([this] {
        const ledger::Outstanding o =
            ledger::outstanding(codes_, Cmb_DBCR->currentText(), config_.creditFirst, QDate::currentDate());
        load(Grid1, o.select, o.groupBy, o.orderBy, o.query);
        load(Grid2, o.totalsSelect, {}, {}, o.totals);
    });
}

}  // namespace tarvic
