#include "frm_Search_SWS.h"

#include "shell/kit/CodeList.h"
#include "shell/kit/KeyFilters.h"
#include "shell/kit/ListGrid.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QRadioButton>

namespace tarvic {

namespace {

using C = ListColumn;

const CodeSource kServiceType{QStringLiteral("(SELECT ACC_CODE, ACCOUNT_DESC FROM M_TBL_DOCUMENTACCOUNT_COMB "
                                             "WHERE DOC_CODE='ANDP08') st"),
                              QStringLiteral("ACC_CODE"),
                              QStringLiteral("ACCOUNT_DESC"),
                              {},
                              false};

ListingConfig searchConfig() {
    return {
        .objectName = QStringLiteral("frm_Search_SWS"),
        .title = QStringLiteral("SEARCH SINGLE WINDOW SERVICE ( ANDP08-ANCP08 )"),
        // Parties and service types outer-joined: a pair whose lookup is gone is still found.
        .statement =
            QStringLiteral("SELECT {columns} FROM M_TBL_TRANSACTION a "
                           "LEFT JOIN M_TBL_TRANSACTION c ON c.DOC_CODE=a.IN_DOCCODE AND c.DOC_NO=a.IN_DOCNO "
                           "LEFT JOIN M_TBL_PARTY b ON b.PARTY_CODE=a.PARTY_CODE "
                           "LEFT JOIN M_TBL_PARTY d ON d.PARTY_CODE=c.PARTY_CODE "
                           "LEFT JOIN M_TBL_DOCUMENTACCOUNT_COMB e ON e.DOC_CODE=a.DOC_CODE AND e.ACC_CODE=a.TO_ACC "
                           "WHERE {filter} AND a.DOC_CODE='ANDP08' AND a.IN_DOCCODE='ANCP08'"),
        .dateColumn = {},
        .detail = {.objectName = QStringLiteral("Grid1"),
                   .select = QStringLiteral("a.DOC_DATE, a.DOC_NO, a.IN_DOCNO, a.START_DT, a.PARTY_CODE, b.PARTY_NAME, "
                                            "e.ACCOUNT_DESC, a.REMARKS, a.GRAND_TOTAL, c.PARTY_CODE AS VO_CODE, "
                                            "d.PARTY_NAME AS VO_NAME, a.DOC_STATUS, a.CREATED_BY, a.CREATED_ON"),
                   .orderBy = QStringLiteral("a.DOC_DATE DESC, a.DOC_NO DESC"),
                   .columns = {C::serial(QStringLiteral("SLNO"), 700),
                               C::date(QStringLiteral("DOCUMNT DT"), QStringLiteral("DOC_DATE"), 1450),
                               C::number(QStringLiteral("ANDP08 NO"), QStringLiteral("DOC_NO"), 1300),
                               C::number(QStringLiteral("ANCP08 NO"), QStringLiteral("IN_DOCNO"), 1300),
                               C::date(QStringLiteral("TOUR DT"), QStringLiteral("START_DT"), 1300),
                               C::number(QStringLiteral("PARTY CODE"), QStringLiteral("PARTY_CODE"), 1400),
                               C::text(QStringLiteral("PARTY NAME"), QStringLiteral("PARTY_NAME"), 3000),
                               C::text(QStringLiteral("SERV TYPE"), QStringLiteral("ACCOUNT_DESC"), 2000),
                               C::text(QStringLiteral("SERVICE FOR"), QStringLiteral("REMARKS"), 3000),
                               C::money(QStringLiteral("AMOUNT /-"), QStringLiteral("GRAND_TOTAL"), 1400),
                               C::number(QStringLiteral("VO CODE"), QStringLiteral("VO_CODE"), 1200),
                               C::text(QStringLiteral("VO NAME"), QStringLiteral("VO_NAME"), 3000),
                               C::text(QStringLiteral("STATUS"), QStringLiteral("DOC_STATUS"), 900),
                               C::byOn(QStringLiteral("CREATED BY-ON"), "CREATED_BY", "CREATED_ON", 3400)}},
        .exportCaption = {},
        .size = QSize(1000, 600)};
}

}  // namespace

frm_Search_SWS::frm_Search_SWS(Session& session, QWidget* parent, const WindowArgs& args)
    : ListingWindow(session, parent, searchConfig()) {
    pickInto(args.onPick, ColANDPNo);
    const QDate today = QDate::currentDate();
    txt_From = addField(QStringLiteral("&FROM DATE"), dateEdit("txt_FromDate", today.addMonths(-1)), 0, 0);
    txt_To = addField(QStringLiteral("&TO DATE"), dateEdit("txt_ToDate", today), 0, 1);
    Cmb_DateOn = addField(QStringLiteral("DATE &ON"), new QComboBox(this), 0, 2);
    Cmb_DateOn->setObjectName(QStringLiteral("Cmb_DateOn"));
    Cmb_DateOn->addItems({QStringLiteral("DOCUMNT DT"), QStringLiteral("TOUR DT")});
    Cmb_ServType = addField(QStringLiteral("SERV T&YPE"), new CodeList(session, kServiceType, this), 1, 0);
    Cmb_ServType->setObjectName(QStringLiteral("Cmb_ServType"));
    Cmb_ServType->setMinimumWidth(200);
    Cmb_Status = addField(QStringLiteral("STAT&US"), new QComboBox(this), 1, 1);
    Cmb_Status->setObjectName(QStringLiteral("Cmb_Status"));
    Cmb_Status->addItem(QString());
    guarded([this] { Cmb_ServType->load(); });
    addStatuses(Cmb_Status, QStringLiteral("M_TBL_TRANSACTION"), QStringLiteral("DOC_CODE='ANDP08'"));
    addCondition([this](ListFilter& f) {
        f.dateRange(Cmb_DateOn->currentIndex() == 1 ? QStringLiteral("a.START_DT") : QStringLiteral("a.DOC_DATE"),
                    txt_From->date(), txt_To->date());
        // A type typed but not listed names no pair.
        if (!Cmb_ServType->currentText().trimmed().isEmpty()) {
            if (Cmb_ServType->code().isEmpty())
                f.refuse();
            else
                f.add(QStringLiteral("a.TO_ACC=?"), {Cmb_ServType->code()});
        }
        f.equal(QStringLiteral("a.DOC_STATUS"), Cmb_Status->currentText());
    });

    const auto codeField = [this](const char* name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        e->setMaximumWidth(120);
        attachFilter(e, KeyFilter::Number);
        onEnter(e, [this] { Load_Grid(); });
        return e;
    };
    txt_PartyCode = codeField("txt_PartyCode");
    bindColumn(txt_PartyCode, "M_TBL_PARTY", "PARTY_CODE");
    txt_VOCode = codeField("txt_VOCode");
    bindColumn(txt_VOCode, "M_TBL_PARTY", "PARTY_CODE");
    Option1 = addOption(QStringLiteral("Option1"), QStringLiteral("&ALL"), nullptr, [](ListFilter&) {});
    Option2 = addOption(QStringLiteral("Option2"), QStringLiteral("&CUSTOMER"), txt_PartyCode,
                        [this](ListFilter& f) { f.number(QStringLiteral("a.PARTY_CODE=?"), txt_PartyCode->text()); });
    Option3 = addOption(QStringLiteral("Option3"), QStringLiteral("&VENDOR"), txt_VOCode,
                        [this](ListFilter& f) { f.number(QStringLiteral("c.PARTY_CODE=?"), txt_VOCode->text()); });
}

}  // namespace tarvic
