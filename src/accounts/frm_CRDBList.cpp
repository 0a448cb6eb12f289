#include "frm_CRDBList.h"

#include "engine/listings/AccountListings.h"

#include <QDateEdit>
#include <QLabel>

namespace tarvic {

namespace {

using C = ListColumn;

// The code list of the postings listed; its balances per bank are kept.
const QString kList = QStringLiteral("CRDB");

C money(const char* heading, const char* field, int twips = 1400) {
    return C::money(QLatin1String(heading), QLatin1String(field), twips);
}

C text(const char* heading, const char* field, int twips) {
    return C::text(QLatin1String(heading), QLatin1String(field), twips);
}

ListingGridConfig totals(const char* name, QList<C> columns) {
    return {.objectName = QLatin1String(name), .columns = std::move(columns), .maxHeight = 96};
}

ListingConfig listingConfig() {
    return {.objectName = QStringLiteral("frm_CRDBList"),
            .title = QStringLiteral("CRDIT - DEBIT LISTING"),
            .dateColumn = QStringLiteral("a.DOC_DATE"),
            .detail = {.objectName = QStringLiteral("Grid1"),
                       .columns = {C::serial(QStringLiteral("SL NO"), 700), text("DOC CODE", "DOC_CODE", 1100),
                                   text("DESCRIPTION", "ACCOUNT_DESC", 4000), money("DB AMOUNT /-", "DB_AMOUNT"),
                                   money("CR AMOUNT", "CR_AMOUNT")}},
            .summaries = {totals("Grid2", {text("A/C NAME", "BANK_NAME", 1700), text("STATUS", "DOC_STATUS", 700),
                                           money("TOTL DB AMT /-", "DB_AMOUNT"), money("TOTL CR AMT /-", "CR_AMOUNT"),
                                           money("BALANCE AMT /-", "BAL_AMOUNT")}),
                          totals("Grid3",
                                 {text("A/C NAME", "BANK_NAME", 1700), money("TOTAL BALANCE /-", "BAL_AMOUNT", 1800)}),
                          totals("Grid4", {money(" TOTAL ACCOUNT BALANCE AMOUNT /-", "BAL_AMOUNT", 3500)})},
            .size = QSize(1000, 640)};
}

}  // namespace

frm_CRDBList::frm_CRDBList(Session& session, QWidget* parent) : ListingWindow(session, parent, listingConfig()) {
    lbl_Heading = new QLabel(this);
    lbl_Heading->setObjectName(QStringLiteral("lbl_Heading"));
    addAboveGrids(lbl_Heading);
    Grid2 = summaryGrid(0);
    Grid3 = summaryGrid(1);
    Grid4 = summaryGrid(2);
    codes_ = codeList(kList);
    setQueries([this] {
        const QDate from = txt_FromDate->date(), to = txt_ToDate->date();
        lbl_Heading->setText(QStringLiteral("ACCOUNT WISE TOTAL CREDIT-DEBIT BETWEEN ") + from.toString(u"dd/MM/yyyy") +
                             QStringLiteral(" AND ") + to.toString(u"dd/MM/yyyy"));
        return listings::creditDebit(kList, codes_, from, to);
    });
}

}  // namespace tarvic
