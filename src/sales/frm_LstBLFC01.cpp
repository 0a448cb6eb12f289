#include "frm_LstBLFC01.h"

#include "LeadQuery.h"

#include <QLineEdit>

namespace tarvic {

namespace {

const QString kCount = QStringLiteral("COALESCE(COUNT(a.DOC_NO),0) AS TOTL_NOS");
const QString kColours = QStringLiteral("f.L_RED, f.L_GREEN, f.L_BLUE, f.L_F_RED, f.L_F_GREEN, f.L_F_BLUE");

ListingConfig listingConfig() {
    using C = ListColumn;
    auto text = [](const char* heading, const char* field, int width) {
        return C::text(QLatin1String(heading), QLatin1String(field), width);
    };
    auto count = [](const char* heading) {
        return C::number(QLatin1String(heading), QStringLiteral("TOTL_NOS"), 1150);
    };
    // The status and consultant codes group too: two statuses (or consultants) of one name, or
    // a code without a row, are counted apart.
    const QString byConsultant =
        QStringLiteral("a.CONSULTANT_CODE, g.CONSULTANT_NAME, a.LEADSTATUS_CODE, f.LEAD_STATUS, ") + kColours;
    const QString byStatus = QStringLiteral("a.LEADSTATUS_CODE, f.LEAD_STATUS, ") + kColours;
    return {.objectName = QStringLiteral("frm_LstBLFC01"),
            .title = QStringLiteral("LIST OF BUSINESS LEAD FOR CONSULTANT ( BLFC01 )"),
            .statement = lead::kStatement,
            .dateColumn = QStringLiteral("a.DOC_DATE"),
            .detail = {.objectName = QStringLiteral("Grid1"),
                       .select = lead::kSelect,
                       .orderBy = lead::kOrder,
                       .columns = lead::gridColumns(true)},
            .summaries = {{.objectName = QStringLiteral("Grid2"),
                           .select = byConsultant + QStringLiteral(", ") + kCount,
                           .groupBy = byConsultant,
                           .orderBy =
                               QStringLiteral("g.CONSULTANT_NAME, f.LEAD_STATUS, a.CONSULTANT_CODE, a.LEADSTATUS_CODE"),
                           .columns = {text("CONSULTANT", "CONSULTANT_NAME", 1800), text("STATUS", "LEAD_STATUS", 1300),
                                       count("TOTL NOS")},
                           .colours = lead::statusColours},
                          {.objectName = QStringLiteral("Grid3"),
                           .select = QStringLiteral("a.LEADTYPE_CODE, e.LEAD_TYPE, ") + kCount,
                           .groupBy = QStringLiteral("a.LEADTYPE_CODE, e.LEAD_TYPE"),
                           .orderBy = QStringLiteral("e.LEAD_TYPE, a.LEADTYPE_CODE"),
                           .columns = {text("LEAD TYPE", "LEAD_TYPE", 1500), count("TOTLS NOS")}},
                          {.objectName = QStringLiteral("Grid4"),
                           .select = QStringLiteral("b.BUSINESS_RELTYPE, a.LEADREQ_CODE, d.LEADREQ_TYPE, ") + kCount,
                           .groupBy = QStringLiteral("b.BUSINESS_RELTYPE, a.LEADREQ_CODE, d.LEADREQ_TYPE"),
                           .orderBy = QStringLiteral("b.BUSINESS_RELTYPE, d.LEADREQ_TYPE, a.LEADREQ_CODE"),
                           .columns = {text("TYPE", "BUSINESS_RELTYPE", 700), text("REQUEST FOR", "LEADREQ_TYPE", 1500),
                                       count("TOTL NOS")}},
                          {.objectName = QStringLiteral("Grid5"),
                           .select = byStatus + QStringLiteral(", ") + kCount,
                           .groupBy = byStatus,
                           .orderBy = QStringLiteral("f.LEAD_STATUS, a.LEADSTATUS_CODE"),
                           .columns = {text("LEAD STATUS", "LEAD_STATUS", 1500), count("TOTL NOS")},
                           .colours = lead::statusColours}},
            .size = QSize(1000, 640)};
}

}  // namespace

frm_LstBLFC01::frm_LstBLFC01(Session& session, QWidget* parent) : LeadListWindow(session, parent, listingConfig()) {
    addStatusOption(QStringLiteral("Option1"), QStringLiteral("FOR &LEAD STATUS"));
    addConsultantOption(QStringLiteral("Option2"), QStringLiteral("CONSULTANT &CODE"));
    addNumberOption(QStringLiteral("Option3"), QStringLiteral("PART&Y CODE"), QStringLiteral("txt_PartyCode"),
                    QStringLiteral("a.PARTY_CODE"));
    txt_PartyCode = findChild<QLineEdit*>(QStringLiteral("txt_PartyCode"));
    Grid2 = summaryGrid(0);
    Grid3 = summaryGrid(1);
    Grid4 = summaryGrid(2);
    Grid5 = summaryGrid(3);
}

}  // namespace tarvic
