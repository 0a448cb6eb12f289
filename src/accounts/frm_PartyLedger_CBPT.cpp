#include "frm_PartyLedger_CBPT.h"

#include "engine/listings/AccountListings.h"
#include "shell/kit/CodeList.h"

namespace tarvic {

namespace {

using C = ListColumn;

ListingConfig listingConfig() {
    return {
        .objectName = QStringLiteral("frm_PartyLedger_CBPT"),
        .title = QStringLiteral("PARTY LEDGER CBPT WISE"),
        .detail = {.objectName = QStringLiteral("Grid1"),
                   .columns = {C::number(QStringLiteral("CBPT NO"), QStringLiteral("IN_DOCNO"), 1100),
                               C::date(QStringLiteral("CBPT DATE"), QStringLiteral("CBPT_DATE"), 1200),
                               C::text(QStringLiteral("BILL TO PARTY"), QStringLiteral("BILL_NAME"), 3800),
                               C::number(QStringLiteral("PARTY CODE"), QStringLiteral("BILL_PARTY"), 1200),
                               C::money(QStringLiteral("TOTL DB AMT"), QStringLiteral("TOTL_DB"), 1500),
                               C::money(QStringLiteral("TOTL CR AMT"), QStringLiteral("TOTL_CR"), 1500),
                               C::money(QStringLiteral("BALANCE AMT"), QStringLiteral("PARTY_BALANCE"), 1500)}},
        .summaries = {{.objectName = QStringLiteral("Grid2"),
                       .columns = {C::money(QStringLiteral("TOTAL DB AMT"), QStringLiteral("TOTL_DB"), 1700),
                                   C::money(QStringLiteral("TOTAL CR AMT"), QStringLiteral("TOTL_CR"), 1700),
                                   C::money(QStringLiteral("TOTAL BALANCE"), QStringLiteral("PARTY_BALANCE"), 1700)},
                       .maxHeight = 96,
                       .captionName = QStringLiteral("Totals"),
                       .caption = QStringLiteral("TOTALS OF THE BOOKINGS LISTED")}},
        .size = QSize(960, 600)};
}

}  // namespace

frm_PartyLedger_CBPT::frm_PartyLedger_CBPT(Session& session, QWidget* parent)
    : ListingWindow(session, parent, listingConfig()) {
    party_ = addPartyField(0);
    txt_PartyCode = party_->edit();
    lbl_PartyName = party_->nameLabel();
    Grid2 = summaryGrid(0);
    lbl_Totals = summaryCaption(0);
    codes_ = codeList(QStringLiteral("LDOP"));
    setQueries([this]() -> QList<GridQuery> {
        if (!partyChosen(party_))
            return {};
        return listings::partyBookingBalances(codes_, party_->key().toLongLong());
    });
}

}  // namespace tarvic
