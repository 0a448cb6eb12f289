#include "frm_QGBL01.h"

#include "data/Moments.h"

#include <QRadioButton>

namespace tarvic {

namespace {

const QString kCount = QStringLiteral("COALESCE(COUNT(a.DOC_NO),0) AS TOTL_NOS");

ListingConfig listConfig() {
    using C = ListColumn;
    return {
        .objectName = QStringLiteral("frm_QGBL01"),
        .title = QStringLiteral("LIST OF QUOTATION GENERATED ( QGBL01 )"),
        .statement = QStringLiteral("SELECT {columns} FROM M_TBL_QUOTATION a, M_TBL_ITINERARY_HEADER b, "
                                    "M_TBL_TRANSACTION c, M_TBL_PARTY d WHERE {filter} AND a.DOC_CODE='QGBL01' "
                                    "AND c.DOC_CODE='BLFC01' AND a.ITINERARY_NO=b.ITN_DOCNO AND a.LEAD_NO=c.DOC_NO "
                                    "AND c.PARTY_CODE=d.PARTY_CODE"),
        // Quotation dates are whole days: the range takes in the to-date and stops there.
        .dateColumn = QStringLiteral("a.DOC_DATE"),
        .detail = {.objectName = QStringLiteral("Grid1"),
                   .select = QStringLiteral("a.DOC_NO, a.DOC_DATE, a.LEAD_NO, c.PARTY_CODE, d.PARTY_NAME, "
                                            "a.NOOF_ADULT, a.NOOF_CHILDREN, a.CHILDREN_AGES, a.TOTAL_AMOUNT, "
                                            "a.COMM_AMOUNT, a.TAX_AMOUNT, a.GRAND_TOTAL, a.CREATED_BY, a.CREATED_ON, "
                                            "a.UPDATE_BY, a.UPDATE_ON, b.ITN_NAME"),
                   .orderBy = QStringLiteral("a.DOC_DATE DESC, a.DOC_NO DESC"),
                   .columns = {C::serial(QStringLiteral("SLNO"), 700),
                               C::number(QStringLiteral("QUOT NO"), QStringLiteral("DOC_NO"), 1100),
                               C::date(QStringLiteral("QUOT DT"), QStringLiteral("DOC_DATE"), 1300),
                               C::number(QStringLiteral("LEAD NO"), QStringLiteral("LEAD_NO"), 1100),
                               C::number(QStringLiteral("PARTY CODE"), QStringLiteral("PARTY_CODE"), 1400),
                               C::text(QStringLiteral("PARTY NAME"), QStringLiteral("PARTY_NAME"), 3200),
                               C::number(QStringLiteral("PAX"), QStringLiteral("NOOF_ADULT"), 700),
                               C::number(QStringLiteral("CHILD"), QStringLiteral("NOOF_CHILDREN"), 800),
                               C::text(QStringLiteral("AGES"), QStringLiteral("CHILDREN_AGES"), 1000),
                               C::money(QStringLiteral("TOTAL AMOUNT"), QStringLiteral("TOTAL_AMOUNT"), 1700),
                               C::money(QStringLiteral("COMM AMOUNT"), QStringLiteral("COMM_AMOUNT"), 1700),
                               C::money(QStringLiteral("TAX AMOUNT"), QStringLiteral("TAX_AMOUNT"), 1600),
                               C::money(QStringLiteral("GRAND TOTAL"), QStringLiteral("GRAND_TOTAL"), 1700),
                               ListColumn::byOn(QStringLiteral("CREATED BY - ON"), "CREATED_BY", "CREATED_ON", 3400),
                               ListColumn::byOn(QStringLiteral("UPDATE BY - ON"), "UPDATE_BY", "UPDATE_ON", 3400)}},
        .summaries = {{.objectName = QStringLiteral("Grid2"),
                       .select = QStringLiteral("c.PARTY_CODE, d.PARTY_NAME, ") + kCount,
                       .groupBy = QStringLiteral("c.PARTY_CODE, d.PARTY_NAME"),
                       // Two parties of one name are counted apart and keep one order.
                       .orderBy = QStringLiteral("d.PARTY_NAME, c.PARTY_CODE"),
                       .columns = {C::serial(QStringLiteral("SLNO"), 700),
                                   C::number(QStringLiteral("PARTY CODE"), QStringLiteral("PARTY_CODE"), 1400),
                                   C::text(QStringLiteral("PARTY NAME"), QStringLiteral("PARTY_NAME"), 3600),
                                   C::number(QStringLiteral("NOOF QUOTATION"), QStringLiteral("TOTL_NOS"), 1900)}},
                      {.objectName = QStringLiteral("Grid3"),
                       .select = kCount,
                       .columns = {C::number(QStringLiteral("TOTAL QUOTATIONS"), QStringLiteral("TOTL_NOS"), 2300)}}},
        .exportName = QStringLiteral("Cd_ExpXls")};
}

}  // namespace

frm_QGBL01::frm_QGBL01(Session& session, QWidget* parent) : QuotationListing(session, parent, listConfig()) {
    Option1 = addAllOption(QStringLiteral("Option1"), QStringLiteral("FOR &ALL RECORDS"));
    Option2 = addLeadOption(QStringLiteral("Option2"), QStringLiteral("FOR &LEAD NO"), QStringLiteral("a.LEAD_NO"));
    // The party of a quotation is its lead's.
    Option3 =
        addPartyOption(QStringLiteral("Option3"), QStringLiteral("FOR &PARTY CODE"), QStringLiteral("c.PARTY_CODE"));
    Grid2 = summaryGrid(0);
    Grid3 = summaryGrid(1);
}

}  // namespace tarvic
