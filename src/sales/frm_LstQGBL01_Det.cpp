#include "frm_LstQGBL01_Det.h"

#include "engine/DocumentState.h"

#include <QComboBox>
#include <QRadioButton>

namespace tarvic {

namespace {

ListingConfig listConfig() {
    using C = ListColumn;
    auto text = [](const char* heading, const char* field, int width) {
        return C::text(QLatin1String(heading), QLatin1String(field), width);
    };
    auto number = [](const char* heading, const char* field, int width) {
        return C::number(QLatin1String(heading), QLatin1String(field), width);
    };
    auto date = [](const char* heading, const char* field) {
        return C::date(QLatin1String(heading), QLatin1String(field), 1300);
    };
    return {
        .objectName = QStringLiteral("frm_LstQGBL01_Det"),
        .title = QStringLiteral("LIST DETAILED QUOTATION"),
        // Hotel days carry no vehicle brand and vehicle days no meal plan or room type: those
        // are outer-joined, or neither kind would be listed.
        .statement = QStringLiteral("SELECT {columns} FROM M_TBL_QUOTATION a "
                                    "INNER JOIN M_TBL_TRANSACTION b ON b.DOC_CODE='BLFC01' AND b.DOC_NO=a.LEAD_NO "
                                    "INNER JOIN M_TBL_PARTY c ON c.PARTY_CODE=b.PARTY_CODE "
                                    "LEFT JOIN M_TBL_MEALPLAN d ON d.MEALPLAN_CODE=a.MEALPLAN_CODE "
                                    "LEFT JOIN M_TBL_HOTELROOMTYPE e ON e.ROOMTYPE_CODE=a.ROOMTYPE_CODE "
                                    "LEFT JOIN MST_VEHICLEBRANDTYPE f ON f.VEH_BRANDID=a.VEH_BRANDID "
                                    "WHERE {filter} AND a.DOC_CODE='QGBL03' AND a.ACCOUNT_DESC IN ('HOTEL','VEHICLE')"),
        .dateColumn = QStringLiteral("a.CONS_TOURDT"),
        .period = ListingPeriod::Tours,
        .fromCaption = QStringLiteral("&FRM TOUR DATE"),
        .toCaption = QStringLiteral("&TO TOUR DATE"),
        .detail =
            {.objectName = QStringLiteral("Grid1"),
             // Booked only while the booking of the lead and quotation is live: a cancelled
             // booking leaves its quotation plain. A scalar subquery probes the page's rows one by
             // one; an EXISTS here was hashed by PostgreSQL over every live booking (100,000 read
             // for a page of 200).
             .select =
                 QStringLiteral(
                     "a.CONS_TOURDT, f.VEH_BRAND, a.NOOF_VEH, a.TOUR_DATE, a.CHKOT_DT, a.LEAD_NO, b.FILENO, "
                     "b.TOURIST_NAME, c.PARTY_NAME, a.HOTEL_NAME, a.HOTEL_PLACE, d.MEAL_PLAN, e.ROOM_TYPE AS "
                     "ROOM_TYPE2, "
                     "a.ROOM_TYPE, a.NOOF_ROOM, a.NOOF_ROOMSNGL, a.NOOF_EXTBED, a.NOOF_CWB, a.NOOF_CNB, a.DOC_NO, "
                     "a.ACC_CODE, a.ACCOUNT_DESC, COALESCE((SELECT 'Y' FROM M_TBL_TRANSACTION k "
                     "WHERE k.DOC_CODE='CBPT01' AND k.LEAD_NO=a.LEAD_NO AND k.QUOTATION_NO=a.DOC_NO "
                     "AND %1 LIMIT 1), 'N') AS BOOKED")
                     .arg(sql::live(QStringLiteral("k"))),
             // The line number last: two lines of one quotation starting the same day keep one
             // order from page to page.
             .orderBy = QStringLiteral("a.CONS_TOURDT, a.TOUR_DATE, a.DOC_NO DESC, a.ACC_CODE"),
             .columns = {C::serial(QStringLiteral("SLNO"), 700),
                         date("TOUR DT", "CONS_TOURDT"),
                         text("VEH BRAND", "VEH_BRAND", 1800),
                         number("NOS", "NOOF_VEH", 600),
                         date("CHK-IN DT", "TOUR_DATE"),
                         date("CHK-OT DT", "CHKOT_DT"),
                         number("LEAD NO", "LEAD_NO", 1000),
                         text("FILE NO", "FILENO", 1700),
                         text("TOURIST NAME", "TOURIST_NAME", 2400),
                         text("PARTY NAME", "PARTY_NAME", 2600),
                         text("HOTEL NAME", "HOTEL_NAME", 2800),
                         text("DESTINATION", "HOTEL_PLACE", 2200),
                         text("MEAL", "MEAL_PLAN", 800),
                         text("ROOM TYPE", "ROOM_TYPE2", 1800),
                         text("ROOM TYPE-2", "ROOM_TYPE", 2000),
                         number("ROOMS", "NOOF_ROOM", 800),
                         number("SINGLE", "NOOF_ROOMSNGL", 800),
                         number("EXT BED", "NOOF_EXTBED", 900),
                         number("CWB", "NOOF_CWB", 600),
                         number("CNB", "NOOF_CNB", 600),
                         number("QUOT NO", "DOC_NO", 1000)},
             .colours = [](const QSqlRecord& r) -> RowColours {
                 if (r.value(QStringLiteral("BOOKED")).toString() == QLatin1String("Y"))
                     return {frm_LstQGBL01_Det::bookedColour(), QColor(Qt::black)};
                 return {};
             }},
        .exportName = QStringLiteral("Command1")};
}

}  // namespace

QColor frm_LstQGBL01_Det::bookedColour() {
    return QColor(0xC6, 0xEF, 0xCE);
}

frm_LstQGBL01_Det::frm_LstQGBL01_Det(Session& session, QWidget* parent)
    : QuotationListing(session, parent, listConfig()) {
    Option1 = addAllOption(QStringLiteral("Option1"), QStringLiteral("FOR &ALL RECORDS"));
    Option2 = addLeadOption(QStringLiteral("Option2"), QStringLiteral("FOR &LEAD NO"), QStringLiteral("a.LEAD_NO"));
    Option3 =
        addPartyOption(QStringLiteral("Option3"), QStringLiteral("FOR &PARTY CODE"), QStringLiteral("b.PARTY_CODE"));
    Cmb_AccDesc = new QComboBox(this);
    Cmb_AccDesc->setObjectName(QStringLiteral("Cmb_AccDesc"));
    Cmb_AccDesc->addItems({QStringLiteral("HOTEL"), QStringLiteral("VEHICLE")});
    Cmb_AccDesc->setMaximumWidth(140);
    Option4 = addOption(QStringLiteral("Option4"), QStringLiteral("FOR A/C &DESC"), Cmb_AccDesc, [this](ListFilter& f) {
        f.add(QStringLiteral("a.ACCOUNT_DESC=?"), {Cmb_AccDesc->currentText()});
    });
}

}  // namespace tarvic
