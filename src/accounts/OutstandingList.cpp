#include "OutstandingList.h"

#include "LedgerQueries.h"

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
    : AccountsListing(session, parent, config.objectName, config.title, true, QSize(820, 600)), config_(config) {
    Cmb_DBCR = addField(QStringLiteral("DB / &CR"), sideField("Cmb_DBCR"), 0, 0);
    using C = ListColumn;
    Grid1 =
        addGrid(QStringLiteral("Grid1"), {C::number(QStringLiteral("PARTY CODE"), QStringLiteral("PARTY_CODE"), 1300),
                                          C::text(QStringLiteral("PARTY NAME"), QStringLiteral("PARTY_NAME"), 4800),
                                          C::text(QStringLiteral("TYPE"), QStringLiteral("PARTY_TYPE"), 2000),
                                          C::money(QStringLiteral("BALANCE"), QStringLiteral("PARTY_BALANCE"), 1800)});
    codes_ = codeList(config.codeList);
}

void OutstandingList::Load_Grid() {
    loadAll([this] {
        const ledger::Outstanding o = ledger::outstanding(codes_, Cmb_DBCR->currentText(), config_.creditFirst);
        load(Grid1, o.select, o.groupBy, o.orderBy, o.query);
    });
}

}  // namespace tarvic
