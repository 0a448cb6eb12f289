#include "frm_LstPLTourwise.h"

#include "engine/listings/AccountListings.h"

#include <QDateEdit>

namespace tarvic {

namespace {

using C = ListColumn;

C money(const char* heading, const char* field, int twips = 1300) {
    return C::money(QLatin1String(heading), QLatin1String(field), twips);
}

C profitOrLoss() {
    return C::computed(
        QStringLiteral("P/L"), 500,
        [](const QSqlRecord& r) {
            return ledger::profitOrLoss(Money::fromVariant(r.value(QStringLiteral("BALANCE"))));
        },
        Qt::AlignHCenter);
}

ListingConfig listingConfig() {
    return {
        .objectName = QStringLiteral("frm_LstPLTourwise"),
        .title = QStringLiteral("LIST OF PROFIT LOSS TOUR WISE"),
        .dateColumn = QStringLiteral("c.JOURNEY_STRTDT"),
        .period = ListingPeriod::Tours,
        .detail = {.objectName = QStringLiteral("Grid1"),
                   .columns = {C::date(QStringLiteral("TOUR DATE"), QStringLiteral("TOUR_DT"), 1300),
                               C::number(QStringLiteral("CBPT NO"), QStringLiteral("CBPT_NO"), 900),
                               C::text(QStringLiteral("PARTY NAME"), QStringLiteral("PARTY_NAME"), 2600),
                               money("TOTAL FR", "TOTL_DB"), money("TOTAL CR", "TOTL_CR"), money("BALANCE", "BALANCE"),
                               profitOrLoss(), C::number(QStringLiteral("LEAD NO"), QStringLiteral("LEAD_NO"), 900),
                               C::number(QStringLiteral("QUOT NO"), QStringLiteral("QUOT_NO"), 900),
                               C::text(QStringLiteral("CONSULTANT"), QStringLiteral("CONSULTANT_NAME"), 1800),
                               C::text(QStringLiteral("TOURIST NAME"), QStringLiteral("TOURIST_NAME"), 2400),
                               C::text(QStringLiteral("ITINERARY NAME"), QStringLiteral("ITN_NAME"), 2600)}},
        .summaries = {{.objectName = QStringLiteral("Grid2"),
                       .columns = {money("TOTAL FUND RECV", "TOTL_DB", 1800), money("TOTAL PAYMENT", "TOTL_CR", 1800),
                                   money("BALANCE", "BALANCE"), profitOrLoss()},
                       .maxHeight = 96}},
        .size = QSize(1010, 640)};
}

}  // namespace

frm_LstPLTourwise::frm_LstPLTourwise(Session& session, QWidget* parent)
    : ListingWindow(session, parent, listingConfig()) {
    Grid2 = summaryGrid(0);
    setQueries(
        [this] { return listings::profitAndLossByTour(db().dialect(), txt_FromDate->date(), txt_ToDate->date()); });
}

}  // namespace tarvic
