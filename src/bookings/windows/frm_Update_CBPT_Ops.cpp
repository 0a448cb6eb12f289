#include "frm_Update_CBPT_Ops.h"

#include "shell/kit/KeyFilters.h"
#include "shell/kit/ListGrid.h"

#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>

namespace tarvic {

namespace {

using C = ListColumn;

// A row without an operations status keeps the grid's colours.
RowColours opsColours(const QSqlRecord& r) {
    if (r.value(QStringLiteral("CBPT_STATUS")).isNull())
        return {};
    const auto c = [&](const char* field) { return qBound(0, r.value(QLatin1String(field)).toInt(), 255); };
    return {QColor(c("H_RED"), c("H_GREEN"), c("H_BLUE")), QColor(c("H_F_RED"), c("H_F_GREEN"), c("H_F_BLUE"))};
}

ListingConfig logConfig() {
    return {
        .objectName = QStringLiteral("frm_Update_CBPT_Ops"),
        .title = QStringLiteral("CBPT LOG SHEET - OPERATION"),
        // Only the consultant is required (the booking was assigned); its status, party,
        // quotation and itinerary may be missing and the booking still shows.
        .statement = QStringLiteral(
            "SELECT {columns} FROM M_TBL_TRANSACTION a JOIN M_TBL_CONSULTANT_OP b ON a.CONSLT_OPS=b.CONSULTANT_CODE "
            "LEFT JOIN M_TBL_CBPT_STATUS_OPS c ON a.CBPTSTATUS_CODE_O=c.CBPTSTATUS_CODE_O "
            "LEFT JOIN M_TBL_PARTY d ON a.PARTY_CODE=d.PARTY_CODE "
            "LEFT JOIN M_TBL_QUOTATION f ON f.DOC_CODE='QGBL01' AND a.QUOTATION_NO=f.DOC_NO "
            "LEFT JOIN M_TBL_ITINERARY_HEADER e ON f.ITINERARY_NO=e.ITN_DOCNO "
            "WHERE {filter} AND a.DOC_CODE='CBPT01'"),
        .dateColumn = QStringLiteral("a.CBPT_STATUS_O_UPDON"),
        .detail = {.objectName = QStringLiteral("Grid1"),
                   .select = QStringLiteral(
                       "b.CONSULTANT_NAME, a.CBPT_STATUS_O_UPDON, a.DOC_NO AS CBPT_NO, a.QUOTATION_NO, a.LEAD_NO, "
                       "a.CONSUTLTANT_RESPONSETXT, a.REMARKS, c.CBPT_STATUS, a.CBPT_STATUS_O_UPDBY, c.H_RED, "
                       "c.H_BLUE, c.H_GREEN, c.H_F_RED, c.H_F_BLUE, c.H_F_GREEN, d.PARTY_NAME AS BILL_PARTY, "
                       "a.TOURIST_NAME, e.ITN_NAME, a.START_DT, a.END_DT, a.TOUR_DAYS"),
                   .orderBy = QStringLiteral("a.CBPT_STATUS_O_UPDON DESC, a.DOC_NO"),
                   .columns = {C::serial(QStringLiteral("SLNO"), 700),
                               C::text(QStringLiteral("ALLOTED TO"), QStringLiteral("CONSULTANT_NAME"), 2400),
                               C::moment(QStringLiteral("CBPT DT-TIME"), QStringLiteral("CBPT_STATUS_O_UPDON"), 2500),
                               C::number(QStringLiteral("CBPT NO"), QStringLiteral("CBPT_NO"), 1000),
                               C::number(QStringLiteral("QUOTATION NO"), QStringLiteral("QUOTATION_NO"), 1500),
                               C::number(QStringLiteral("LEAD NO"), QStringLiteral("LEAD_NO"), 1000),
                               C::text(QStringLiteral("ACTION TAKEN"), QStringLiteral("CONSUTLTANT_RESPONSETXT"), 4000),
                               C::text(QStringLiteral("FEEDBACK"), QStringLiteral("REMARKS"), 3000),
                               C::text(QStringLiteral("STATUS"), QStringLiteral("CBPT_STATUS"), 2000),
                               C::text(QStringLiteral("UPDATE BY"), QStringLiteral("CBPT_STATUS_O_UPDBY"), 2000),
                               C::text(QStringLiteral("BILL TO PARTY"), QStringLiteral("BILL_PARTY"), 3000),
                               C::text(QStringLiteral("TOURIST NAME"), QStringLiteral("TOURIST_NAME"), 2400),
                               C::text(QStringLiteral("ITINERARY"), QStringLiteral("ITN_NAME"), 3000),
                               C::date(QStringLiteral("STRT DT"), QStringLiteral("START_DT"), 1300),
                               C::date(QStringLiteral("END DT"), QStringLiteral("END_DT"), 1300),
                               C::number(QStringLiteral("DURATION"), QStringLiteral("TOUR_DAYS"), 1000)},
                   .colours = opsColours},
        .summaries = {{.objectName = QStringLiteral("Grid2"),
                       .select = QStringLiteral("b.CONSULTANT_NAME, c.CBPT_STATUS, COUNT(a.DOC_NO) AS TOTL"),
                       .groupBy = QStringLiteral("b.CONSULTANT_NAME, c.CBPT_STATUS"),
                       .orderBy = QStringLiteral("b.CONSULTANT_NAME, c.CBPT_STATUS"),
                       .columns = {C::serial(QStringLiteral("SLNO"), 700),
                                   C::text(QStringLiteral("CONSLTNT NAME"), QStringLiteral("CONSULTANT_NAME"), 3000),
                                   C::text(QStringLiteral("STATUS"), QStringLiteral("CBPT_STATUS"), 2500),
                                   C::number(QStringLiteral("TOTL NOS"), QStringLiteral("TOTL"), 1100)},
                       .maxWidthTwips = 7800},
                      {.objectName = QStringLiteral("Grid3"),
                       .select = QStringLiteral("c.CBPT_STATUS, COUNT(a.DOC_NO) AS TOTL"),
                       .groupBy = QStringLiteral("c.CBPT_STATUS"),
                       .orderBy = QStringLiteral("c.CBPT_STATUS"),
                       .columns = {C::serial(QStringLiteral("SLNO"), 700),
                                   C::text(QStringLiteral("STATUS"), QStringLiteral("CBPT_STATUS"), 2500),
                                   C::number(QStringLiteral("TOTL NOS"), QStringLiteral("TOTL"), 1100)},
                       .maxWidthTwips = 4800}},
        .onChosen = [](ListingWindow& w, int row) { static_cast<frm_Update_CBPT_Ops&>(w).openLog(row); },
        .size = QSize(1000, 640)};
}

}  // namespace

frm_Update_CBPT_Ops::frm_Update_CBPT_Ops(Session& session, QWidget* parent)
    : ListingWindow(session, parent, logConfig()) {
    txt_ConsultantCode = numberFilter("txt_ConsultantCode", "CONSLT_OPS");
    txt_CBPTNo = numberFilter("txt_CBPTNo", "DOC_NO");
    Option1 = addOption(QStringLiteral("Option1"), QStringLiteral("&ALL"), nullptr, [](ListFilter&) {});
    Option2 =
        addOption(QStringLiteral("Option2"), QStringLiteral("CONSLTNT &OPS CODE"), txt_ConsultantCode,
                  [this](ListFilter& f) { f.number(QStringLiteral("a.CONSLT_OPS=?"), txt_ConsultantCode->text()); });
    Option3 = addOption(QStringLiteral("Option3"), QStringLiteral("&CBPT NO"), txt_CBPTNo,
                        [this](ListFilter& f) { f.number(QStringLiteral("a.DOC_NO=?"), txt_CBPTNo->text()); });
}

QWidget* frm_Update_CBPT_Ops::openLog(int row) {
    const qint64 number = Grid1->text(row, ColCBPTNo).trimmed().toLongLong();
    if (number <= 0)
        return nullptr;
    QPointer<frm_Update_CBPT_Ops> self(this);
    return openWindow(QStringLiteral("frm_Update_CBPT_OpsLog"),
                      {{{QStringLiteral("CBPT_NO"), number}}, [self](const QString&) {
                           if (self)
                               self->Load_Grid();
                       }});
}

}  // namespace tarvic
