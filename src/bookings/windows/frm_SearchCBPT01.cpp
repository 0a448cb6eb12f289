#include "frm_SearchCBPT01.h"

#include "data/Moments.h"
#include "shell/kit/KeyFilters.h"
#include "shell/kit/ListGrid.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QRadioButton>

namespace tarvic {

namespace {

using C = ListColumn;

ListingConfig searchConfig() {
    return {
        .objectName = QStringLiteral("frm_SearchCBPT01"),
        .title = QStringLiteral("SEARCH CUSTOMER BOOKED FOR PACKAGE TOUR ( CBPT01 )"),
        .statement = QStringLiteral("SELECT {columns} FROM M_TBL_TRANSACTION a LEFT JOIN M_TBL_PARTY b ON "
                                    "a.PARTY_CODE=b.PARTY_CODE WHERE {filter} AND a.DOC_CODE='CBPT01'"),
        .dateColumn = {},
        .detail = {.objectName = QStringLiteral("Grid1"),
                   .select = QStringLiteral("a.DOC_DATE, a.DOC_NO, a.FILENO, a.QUOTATION_NO, a.START_DT, "
                                            "b.PARTY_NAME, a.TOUR_DAYS, a.TOURIST_NAME, a.TOURIST_MOBNO, a.NOOF_PAX, "
                                            "a.NOOF_CHILD, a.GRAND_TOTAL, a.DOC_STATUS, a.CREATED_BY, a.CREATED_ON, "
                                            "a.UPDATE_BY, a.UPDATE_ON, a.CNCL_BY, a.CNCL_ON"),
                   .orderBy = QStringLiteral("a.DOC_DATE DESC, a.DOC_NO DESC"),
                   .columns = {C::date(QStringLiteral("DOCUMNT DT"), QStringLiteral("DOC_DATE"), 1450),
                               C::number(QStringLiteral("CBPT NO"), QStringLiteral("DOC_NO"), 1050),
                               C::text(QStringLiteral("FILE NO"), QStringLiteral("FILENO"), 1500),
                               C::number(QStringLiteral("QUOT NO"), QStringLiteral("QUOTATION_NO"), 1050),
                               C::date(QStringLiteral("TOUR DT"), QStringLiteral("START_DT"), 1300),
                               C::text(QStringLiteral("BILL PARTY"), QStringLiteral("PARTY_NAME"), 3000),
                               C::number(QStringLiteral("DAYS"), QStringLiteral("TOUR_DAYS"), 700),
                               C::text(QStringLiteral("TOURIST NAME"), QStringLiteral("TOURIST_NAME"), 2400),
                               C::text(QStringLiteral("MOBILE"), QStringLiteral("TOURIST_MOBNO"), 1500),
                               C::number(QStringLiteral("ADULTS"), QStringLiteral("NOOF_PAX"), 950),
                               C::number(QStringLiteral("CHILD"), QStringLiteral("NOOF_CHILD"), 800),
                               C::money(QStringLiteral("GRAND TOTAL"), QStringLiteral("GRAND_TOTAL"), 1550),
                               C::text(QStringLiteral("STATUS"), QStringLiteral("DOC_STATUS"), 950),
                               ListColumn::byOn(QStringLiteral("CREATED BY - ON"), "CREATED_BY", "CREATED_ON", 3400),
                               ListColumn::byOn(QStringLiteral("UPDATED BY - ON"), "UPDATE_BY", "UPDATE_ON", 3400),
                               ListColumn::byOn(QStringLiteral("CANCELLED BY - ON"), "CNCL_BY", "CNCL_ON", 3400)}},
        .exportCaption = {},
        .size = QSize(1000, 600)};
}

}  // namespace

frm_SearchCBPT01::frm_SearchCBPT01(Session& session, QWidget* parent, const WindowArgs& args)
    : ListingWindow(session, parent, searchConfig()) {
    pickInto(args.onPick, ColNumber);
    const QDate today = QDate::currentDate();
    txt_From = addField(QStringLiteral("&FROM DATE"), dateEdit("txt_FromDate", today.addMonths(-1)), 0, 0);
    txt_To = addField(QStringLiteral("&TO DATE"), dateEdit("txt_ToDate", today), 0, 1);
    Cmb_DateOn = addField(QStringLiteral("DATE &ON"), new QComboBox(this), 0, 2);
    Cmb_DateOn->setObjectName(QStringLiteral("Cmb_DateOn"));
    Cmb_DateOn->addItems({QStringLiteral("REGD DT"), QStringLiteral("TOUR DT")});
    addCondition([this](ListFilter& f) {
        const QString column =
            Cmb_DateOn->currentIndex() == 1 ? QStringLiteral("a.START_DT") : QStringLiteral("a.DOC_DATE");
        f.dateRange(column, txt_From->date(), txt_To->date());
    });

    txt_PartyCode = numberFilter("txt_PartyCode", "PARTY_CODE");
    txt_QuotNo = numberFilter("txt_QuotNo", "QUOTATION_NO");
    txt_CBPTNo = numberFilter("txt_CBPTNo", "DOC_NO");
    txt_FileNo = new QLineEdit(this);
    txt_FileNo->setObjectName(QStringLiteral("txt_FileNo"));
    bindLength(txt_FileNo, kPatternLength);
    txt_FileNo->setMaximumWidth(220);
    onEnter(txt_FileNo, [this] { Load_Grid(); });

    Option1 = addOption(QStringLiteral("Option1"), QStringLiteral("&ALL"), nullptr, [](ListFilter&) {});
    Option2 = addOption(QStringLiteral("Option2"), QStringLiteral("PART&Y CODE"), txt_PartyCode,
                        [this](ListFilter& f) { f.number(QStringLiteral("a.PARTY_CODE=?"), txt_PartyCode->text()); });
    Option3 = addOption(QStringLiteral("Option3"), QStringLiteral("&QUOTATION NO"), txt_QuotNo,
                        [this](ListFilter& f) { f.number(QStringLiteral("a.QUOTATION_NO=?"), txt_QuotNo->text()); });
    Option4 = addOption(QStringLiteral("Option4"), QStringLiteral("&CBPT NO"), txt_CBPTNo,
                        [this](ListFilter& f) { f.number(QStringLiteral("a.DOC_NO=?"), txt_CBPTNo->text()); });
    // The user types the wildcards of the file number.
    Option5 = addOption(QStringLiteral("Option5"), QStringLiteral("F&ILE NO"), txt_FileNo,
                        [this](ListFilter& f) { f.add(QStringLiteral("a.FILENO LIKE ?"), {txt_FileNo->text()}); });
}

}  // namespace tarvic
