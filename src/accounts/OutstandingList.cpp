#include "OutstandingList.h"

#include "engine/Aging.h"
#include "engine/listings/AccountListings.h"

#include <QComboBox>

namespace tarvic {

OutstandingConfig OutstandingConfig::party() {
    return {QStringLiteral("frm_LstPO"), QStringLiteral("PARTY OUTSTANDING LIST"), QStringLiteral("LDOP"), false};
}

OutstandingConfig OutstandingConfig::miscAccount() {
    return {QStringLiteral("frm_LstPO_MA"), QStringLiteral("LIST PARTY OUTSTANDING FOR MISC ACCOUNT"),
            QStringLiteral("LDMA"), true};
}

namespace {

ListingConfig listingOf(const OutstandingConfig& config) {
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
    return {.objectName = config.objectName,
            .title = config.title,
            .detail = {.objectName = QStringLiteral("Grid1"), .columns = lines},
            .summaries = {{.objectName = QStringLiteral("Grid2"), .columns = totals, .maxHeight = 96}},
            .size = QSize(1000, 600)};
}

}  // namespace

OutstandingList::OutstandingList(const OutstandingConfig& config, Session& session, QWidget* parent)
    : ListingWindow(session, parent, listingOf(config)), config_(config) {
    Cmb_DBCR = addField(QStringLiteral("DB / &CR"), sideField("Cmb_DBCR"), 0, 0);
    Grid2 = summaryGrid(0);
    codes_ = codeList(config.codeList);
    setQueries([this] {
        return listings::outstanding(db().dialect(), config_.codeList, codes_, Cmb_DBCR->currentText(),
                                     config_.creditFirst, QDate::currentDate());
    });
}

}  // namespace tarvic
