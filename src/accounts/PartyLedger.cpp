#include "PartyLedger.h"

#include "data/Moments.h"
#include "engine/listings/AccountListings.h"
#include "shell/kit/CodeList.h"
#include "shell/kit/ListGrid.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>

namespace tarvic {

namespace {

QList<ListColumn> entryColumns() {
    using C = ListColumn;
    auto money = [](const char* heading, const char* field) {
        return C::money(QLatin1String(heading), QLatin1String(field), 1300);
    };
    return {C::text(QString(), QString(), 150),
            C::serial(QStringLiteral("SLNO"), 550),
            C::text(QStringLiteral("CODE"), QStringLiteral("DOC_CODE"), 850),
            C::date(QStringLiteral("DOCUMNT DT"), QStringLiteral("DOC_DATE"), 1300),
            C::number(QStringLiteral("DOCUMNT NO"), QStringLiteral("DOC_NO"), 1300),
            C::text(QStringLiteral("DESCRIPTION"), QStringLiteral("DOC_DESC"), 2700),
            C::money(QStringLiteral("OP BALANCE"), QStringLiteral("OP_BALANCE"), 1400),
            money("DB AMT /-", "DB_AMT"),
            money("CR AMT /-", "CR_AMT"),
            C::money(QStringLiteral("CL BALANCE /-"), QStringLiteral("CL_BALANCE"), 1500),
            C::onBy(QStringLiteral("UPDATE ON - BY"), "CREATED_ON", "CREATED_BY", 2800)};
}

QList<ListColumn> totalColumns() {
    return {ListColumn::money(QStringLiteral("TOTL DB AMT /-"), QStringLiteral("DB_AMT"), 1700),
            ListColumn::money(QStringLiteral("TOTL CR AMT /-"), QStringLiteral("CR_AMT"), 1700),
            ListColumn::money(QStringLiteral("BALANCE AMT /-"), QStringLiteral("GRAND_TOTAL"), 1700)};
}

}  // namespace

PartyLedgerConfig PartyLedgerConfig::party() {
    return {QStringLiteral("frm_LDOP"), QStringLiteral("LEDGER DETAILS OF PARTY ( LDOP )"), QStringLiteral("LDOP")};
}

PartyLedgerConfig PartyLedgerConfig::miscAccount() {
    return {QStringLiteral("frm_LDMA"), QStringLiteral("LEDGER DETAILS OF MISCELLANEOUS ACCOUNTS"),
            QStringLiteral("LDMA")};
}

PartyLedger::PartyLedger(const PartyLedgerConfig& config, Session& session, QWidget* parent)
    : ListingWindow(session, parent,
                    {.objectName = config.objectName,
                     .title = config.title,
                     .detail = {.objectName = QStringLiteral("Grid1"), .columns = entryColumns()},
                     .summaries = {{.objectName = QStringLiteral("Grid2"),
                                    .columns = totalColumns(),
                                    .maxHeight = 96,
                                    .captionName = QStringLiteral("TotalsToDate"),
                                    .caption = QStringLiteral("TOTALS UP TO THE TO DATE")},
                                   {.objectName = QStringLiteral("Grid3"),
                                    .columns = totalColumns(),
                                    .maxHeight = 96,
                                    .captionName = QStringLiteral("TotalsPeriod"),
                                    .caption = QStringLiteral("TOTALS OF THE PERIOD")}},
                     .size = QSize(1010, 640)}) {
    party_ = addPartyField(0);
    txt_PartyCode = party_->edit();
    lbl_PartyName = party_->nameLabel();
    // The party first, then its period: the dates sit under it.
    txt_FromDate = addField(QStringLiteral("&FROM DATE"), dateEdit("txt_FromDate"), 1, 0);
    txt_ToDate = addField(QStringLiteral("&TO DATE"), dateEdit("txt_ToDate"), 1, 1);
    Grid1->setWordWrap(true);
    Grid2 = summaryGrid(0);
    Grid3 = summaryGrid(1);
    lbl_TotalsToDate = summaryCaption(0);
    lbl_TotalsPeriod = summaryCaption(1);
    codes_ = codeList(config.codeList);
    setQueries([this]() -> QList<GridQuery> {
        if (!partyChosen(party_))
            return {};
        return listings::partyLedger({codes_, party_->key().toLongLong(), txt_FromDate->date(), txt_ToDate->date()});
    });
}

void PartyLedger::Load_Grid() {
    // The captions name the dates of the figures under them.
    const auto day = [](const QDate& d) { return d.toString(QStringLiteral("dd/MM/yyyy")); };
    lbl_TotalsToDate->setText(QStringLiteral("TOTALS UP TO ") + day(txt_ToDate->date()));
    lbl_TotalsPeriod->setText(
        QStringLiteral("TOTALS FROM %1 TO %2").arg(day(txt_FromDate->date()), day(txt_ToDate->date())));
    ListingWindow::Load_Grid();
    // Tall enough for the whole description; a long ledger keeps one line a row rather than
    // read every page to measure it.
    if (Grid1->rowCount() <= Grid1->queryModel()->pageSize())
        Grid1->resizeRowsToContents();
}

}  // namespace tarvic
