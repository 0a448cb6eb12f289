#include "frm_CBPT_StatusUpdate.h"

#include "engine/bookings/BookingOperations.h"
#include "shell/kit/Checks.h"
#include "shell/kit/CodeList.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace tarvic {

namespace {

using K = BookingShown::Kind;

const CodeSource kBookingStatus{
    QStringLiteral("M_TBL_CBPT_STATUS"),     QStringLiteral("CBPTSTATUS_CODE"), QStringLiteral("CBPT_STATUS"), {}, true,
    QStringLiteral("CBPT_SLNO, CBPT_STATUS")};

const char* const kLockCaptions[] = {"LOCK LEAD",
                                     "LOCK QUOTATION",
                                     "LOCK MONEY RECEIPT",
                                     "LOCK ANCP01 (HOTEL)",
                                     "LOCK ANCP02 (VEHICLE)",
                                     "LOCK ANCP03 (OTHERS)",
                                     "LOCK PAYMENT",
                                     "LOCK CBPT"};

}  // namespace

frm_CBPT_StatusUpdate::frm_CBPT_StatusUpdate(Session& session, QWidget* parent, const WindowArgs& args)
    : BookingOpsWindow(
          session, parent, QStringLiteral("frm_CBPT_StatusUpdate"), QStringLiteral("UPDATE CBPT STATUS"),
          {{QStringLiteral("BILL PARTY"), QStringLiteral("lbl_BillParty"), QStringLiteral("BILL_PARTY")},
           {QStringLiteral("ITINERARY"), QStringLiteral("lbl_ItnName"), QStringLiteral("ITN_NAME")},
           {QStringLiteral("LEAD NO"), QStringLiteral("lbl_LeadNo"), QStringLiteral("LEAD_NO")},
           {QStringLiteral("LEAD DATE"), QStringLiteral("lbl_LeadDate"), QStringLiteral("LEAD_DATE"), K::Date},
           {QStringLiteral("SALES CONSULTANT"), QStringLiteral("lbl_Consultant"), QStringLiteral("CONSULTANT_NAME")},
           {QStringLiteral("TOURIST NAME"), QStringLiteral("lbl_Tourist"), QStringLiteral("TOURIST_NAME")},
           {QStringLiteral("QUOTATION NO"), QStringLiteral("lbl_QuotNo"), QStringLiteral("QUOTATION_NO")},
           {QStringLiteral("QUOTATION DATE"), QStringLiteral("lbl_QuotDate"), QStringLiteral("QUOT_DATE"), K::Date},
           {QStringLiteral("TOUR START"), QStringLiteral("lbl_StartDt"), QStringLiteral("START_DT"), K::Date},
           {QStringLiteral("TOUR END"), QStringLiteral("lbl_EndDt"), QStringLiteral("END_DT"), K::Date},
           {QStringLiteral("AMOUNT"), QStringLiteral("lbl_Amount"), QStringLiteral("GRAND_TOTAL"), K::Money},
           {QStringLiteral("CURRENT STATUS"), QStringLiteral("lbl_CurStatus"), QStringLiteral("CBPT_STATUS")},
           {QStringLiteral("STATUS UPDATE BY - ON"), QStringLiteral("lbl_StatusByOn"),
            QStringLiteral("CBPT_STATUS_UPDBY"), K::ByOn, QStringLiteral("CBPT_STATUS_UPDON")}}) {
    setTool(1, kCloseTip, [this] { close(); });
    setTool(2, kNewTip, [this] { Load_Init(); });
    setTool(3, kSaveTip, [this] { Save_Record(); });

    int row = nextRow();
    Cmb_Status = new CodeList(session, kBookingStatus, this);
    Cmb_Status->setObjectName(QStringLiteral("Cmb_Status"));
    auto* caption = new QLabel(QStringLiteral("CBPT &STATUS"), this);
    caption->setBuddy(Cmb_Status);
    form()->addWidget(caption, row, 0);
    form()->addWidget(Cmb_Status, row++, 1);
    for (int i = 0; i < 8; ++i) {
        auto* l = new QLabel(this);
        l->setObjectName(QStringLiteral("lbl_") + BookingOperations::lockColumns().at(i));
        l->setFrameShape(QFrame::StyledPanel);
        lockLabels << l;
        form()->addWidget(new QLabel(QString::fromLatin1(kLockCaptions[i]), this), row + i / 2, (i % 2) * 2);
        form()->addWidget(l, row + i / 2, (i % 2) * 2 + 1);
    }
    connect(Cmb_Status, &CodeList::codeChanged, this, [this] { showLocks(); });
    resize(900, 520);
    Cmb_Status->load();
    Load_Init();
    if (const qint64 n = args.value(QStringLiteral("CBPT_NO")).toLongLong(); n > 0) {
        txt_CBPTNo->setText(QString::number(n));
        Show_CBPT();
    }
}

void frm_CBPT_StatusUpdate::clearOwn() {
    Cmb_Status->clearChoice();
    showLocks();
}

void frm_CBPT_StatusUpdate::showOwn() {
    const QVariant status = record().value(QStringLiteral("CBPTSTATUS_CODE"));
    if (!status.isNull())
        Cmb_Status->setCode(status.toString(), record().value(QStringLiteral("CBPT_STATUS")).toString().trimmed());
    showLocks();
}

// The flags shown are the chosen status's, read by its code.
void frm_CBPT_StatusUpdate::showLocks() {
    for (QLabel* l : std::as_const(lockLabels))
        l->clear();
    const QString code = Cmb_Status->code();
    if (code.isEmpty())
        return;
    const QStringList& columns = BookingOperations::lockColumns();
    std::optional<QSqlRecord> r;
    guarded([&] {
        r = db().firstRow(QStringLiteral("SELECT %1 FROM M_TBL_CBPT_STATUS WHERE CBPTSTATUS_CODE=?")
                              .arg(columns.join(QLatin1String(", "))),
                          {code.toLongLong()});
    });
    for (int i = 0; r && i < columns.size(); ++i)
        lockLabels.at(i)->setText(r->value(i).toString().trimmed() == QLatin1String("Y") ? QStringLiteral("Y")
                                                                                         : QStringLiteral("N"));
}

void frm_CBPT_StatusUpdate::Save_Record() {
    if (!runChecks(prompter(), this,
                   {{[&] { return booking() <= 0 || shownText(QStringLiteral("lbl_BillParty")).isEmpty(); }, txt_CBPTNo,
                     QStringLiteral("PLEASE ENTER CBPT NO PROPERLY ....")},
                    {[&] { return Cmb_Status->code().isEmpty(); }, Cmb_Status,
                     QStringLiteral("CANNOT PROCEED PLEASE SELECT PROPER STATUS CODE ....")}}))
        return;
    const qint64 number = booking();
    const QString party = shownText(QStringLiteral("lbl_BillParty"));
    const QString itinerary = shownText(QStringLiteral("lbl_ItnName"));
    const QString status = Cmb_Status->currentText();
    const Confirmation question{QStringLiteral(" YOU ARE ABOUT TO UPDATE CBPT STATUS TO ... "),
                                {{QStringLiteral(" CBPT NO : "), QString::number(number)},
                                 {QStringLiteral(" BILL PARTY : "), party},
                                 {QStringLiteral(" ITN NAME : "), itinerary},
                                 {QStringLiteral(" CBPT STATUS :"), status}},
                                QStringLiteral(" DO YOU WANT TO PROCEED (Y/N) ?")};
    if (!question.ask(prompter(), this))
        return;
    if (!guarded([&] {
            BookingOperations(db(), session().userFullName).setStatus(number, Cmb_Status->code().toLongLong());
        }))
        return;
    prompter().information(
        this, QStringList{QStringLiteral(" CBPT NO : %1").arg(number),
                          QStringLiteral(" UPDATION OF CBPT STATUS SUCCESSFULLY DONE ... "),
                          QStringLiteral(" BILL PARTY : ") + party, QStringLiteral(" ITN NAME : ") + itinerary,
                          QStringLiteral(" CBPT STATUS :") + status}
                  .join(QLatin1Char('\n')));
    Show_CBPT();
}

}  // namespace tarvic
