#include "frm_Search_QuotAgentComb.h"

#include "data/Moments.h"
#include "shell/kit/ListGrid.h"

#include <QRadioButton>

namespace tarvic {

namespace {

ListingConfig searchConfig() {
    using C = ListColumn;
    return {.objectName = QStringLiteral("frm_Search_QuotAgentComb"),
            .title = QStringLiteral("SEARCH QUOTATION-AGENT COMBINATION"),
            // Every filter is on the combinations, a few beside the quotations: read first (SQLite
            // keeps a CROSS JOIN's order; it otherwise went through all 100,000 quotations of a big
            // office looking for each one's combinations, 0.3 s for none).
            .statement = QStringLiteral(
                "SELECT {columns} FROM M_TBL_QUOT_AGENT_COMB a CROSS JOIN M_TBL_QUOTATION c CROSS JOIN "
                "M_TBL_ITINERARY_HEADER d CROSS JOIN M_TBL_PARTY b WHERE {filter} AND a.PARTY_CODE=b.PARTY_CODE AND "
                "a.QUOTATION_NO=c.DOC_NO AND c.DOC_CODE='QGBL01' AND c.ITINERARY_NO=d.ITN_DOCNO"),
            // A moment: the range runs to the end of the to-date.
            .dateColumn = QStringLiteral("a.CREATED_ON"),
            .detail = {.objectName = QStringLiteral("Grid1"),
                       .select = QStringLiteral("a.DOC_NO, a.PARTY_CODE, a.QUOTATION_NO, a.CREATED_BY, a.CREATED_ON, "
                                                "b.PARTY_NAME, c.LEAD_NO, d.ITN_NAME, c.JOURNEY_STRTDT, "
                                                "c.JOURNEY_ENDDT, c.NOOF_ADULT, c.NOOF_CHILDREN"),
                       .orderBy = QStringLiteral("a.DOC_NO DESC"),
                       .columns = {C::serial(QStringLiteral("SLNO"), 700),
                                   C::number(QStringLiteral("DOCUMNT NO"), QStringLiteral("DOC_NO"), 1400),
                                   C::text(QStringLiteral("AGENT NAME"), QStringLiteral("PARTY_NAME"), 3000),
                                   C::number(QStringLiteral("QUOTATION NO"), QStringLiteral("QUOTATION_NO"), 1700),
                                   C::number(QStringLiteral("LEAD NO"), QStringLiteral("LEAD_NO"), 1100),
                                   C::text(QStringLiteral("ITINERARY NAME"), QStringLiteral("ITN_NAME"), 3000),
                                   C::date(QStringLiteral("STRT DT"), QStringLiteral("JOURNEY_STRTDT"), 1300),
                                   C::date(QStringLiteral("END DT"), QStringLiteral("JOURNEY_ENDDT"), 1300),
                                   C::number(QStringLiteral("ADULT"), QStringLiteral("NOOF_ADULT"), 800),
                                   C::number(QStringLiteral("CHILD"), QStringLiteral("NOOF_CHILDREN"), 800),
                                   C::computed(QStringLiteral("CREATED BY - ON"), 3400,
                                               [](const QSqlRecord& r) {
                                                   return byOnText(r.value(QStringLiteral("CREATED_BY")),
                                                                   r.value(QStringLiteral("CREATED_ON")));
                                               })}},
            .exportCaption = {},
            .size = QSize(1000, 560)};
}

}  // namespace

frm_Search_QuotAgentComb::frm_Search_QuotAgentComb(Session& session, QWidget* parent, const WindowArgs& args)
    : QuotationListing(session, parent, searchConfig()) {
    pickInto(args.onPick, ColDocNo);
    Option1 = addAllOption(QStringLiteral("Option1"), QStringLiteral("&ALL RECORDS"));
    Option2 = addPartyOption(QStringLiteral("Option2"), QStringLiteral("PARTY &CODE"), QStringLiteral("a.PARTY_CODE"));
}

}  // namespace tarvic
