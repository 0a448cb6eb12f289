#include "bookings/BookingsWindows.h"
#include "bookings/family/CancellationWindow.h"
#include "bookings/family/SupplierMailing.h"

#include "data/Moments.h"
#include "data/Money.h"
#include "engine/bookings/Cancellations.h"
#include "shell/kit/GridHelpers.h"

#include <QGridLayout>
#include <QLabel>
#include <QTableWidget>

namespace tarvic {

namespace {

QString textOf(const QSqlRecord& r, const char* column) {
    return r.value(QLatin1String(column)).toString().trimmed();
}

ShownField plain(const char* caption, const char* name, const char* column) {
    return {QString::fromLatin1(caption), QString::fromLatin1(name),
            [column](const QSqlRecord& r) { return textOf(r, column); }};
}
ShownField date(const char* caption, const char* name, const char* column) {
    return {QString::fromLatin1(caption), QString::fromLatin1(name),
            [column](const QSqlRecord& r) { return dateText(r.value(QLatin1String(column))); }};
}
ShownField money(const char* caption, const char* name, const char* column) {
    return {QString::fromLatin1(caption), QString::fromLatin1(name),
            [column](const QSqlRecord& r) { return Money::fromVariant(r.value(QLatin1String(column))).toString(); }};
}
ShownField byOn(const char* caption, const char* name, const char* by, const char* on) {
    return {QString::fromLatin1(caption), QString::fromLatin1(name),
            [by, on](const QSqlRecord& r) { return byOnText(r.value(QLatin1String(by)), r.value(QLatin1String(on))); }};
}

// The groups of fields the members show, in the order they show them.
enum Shows : unsigned {
    Party = 1,
    PartyType = 2,
    Account = 4,
    Bank = 8,
    PayMode = 16,
    Instrument = 32,
    Cleared = 64,
    Booking = 128,
};

QList<ShownField> fields(unsigned shows, const char* dateCaption = "DOCUMENT DATE") {
    QList<ShownField> f{date(dateCaption, "lbl_DocDate", "DOC_DATE")};
    if (shows & Booking)
        f << plain("CBPT NO", "lbl_CBPTNo", "IN_DOCNO");
    if (shows & Party)
        f << plain("PARTY CODE", "lbl_PartyCode", "PARTY_CODE") << plain("PARTY NAME", "lbl_PartyName", "SHOWN_PARTY");
    if (shows & PartyType)
        f << plain("PARTY TYPE", "lbl_PartyType", "SHOWN_PARTYTYPE");
    if (shows & Account)
        f << plain("A/C CODE", "lbl_AccCode", "TO_ACC") << plain("A/C DESC", "lbl_AccDesc", "SHOWN_ACCDESC");
    if (shows & Bank)
        f << plain("BANK", "lbl_DBBank", "DB_BANK");
    if (shows & PayMode)
        f << plain("PAYMENT MODE", "lbl_PayMode", "SHOWN_PAYMODE");
    if (shows & Instrument)
        f << plain("INSTRUMENT NO", "lbl_InstrNo", "INSTR_NO") << date("INSTRUMENT DATE", "lbl_InstrDate", "INSTR_DATE")
          << plain("INSTR BANK", "lbl_InstrBank", "INSTR_BANK");
    if (shows & Cleared)
        f << plain("INSTR CLEARED", "lbl_InstrCleared", "INSTR_CLEARD")
          << date("CLEARED ON", "lbl_InstrClrDt", "INSTR_CLRDT");
    return f;
}

QList<ShownField> closing(QList<ShownField> f, const char* amountCaption = "AMOUNT INR /-") {
    return f << money(amountCaption, "lbl_Amount", "GRAND_TOTAL")
             << plain("AMNT IN WORDS", "lbl_InWords", "AMT_INWORDS")
             << plain("DOCMNT STATUS", "lbl_Status", "DOC_STATUS")
             << byOn("CREATED BY - ON", "lbl_CreatedBy", "CREATED_BY", "CREATED_ON")
             << byOn("CNCL BY - ON", "lbl_CancelledBy", "CNCL_BY", "CNCL_ON");
}

CancelWording partyWording(const char* head) {
    return {QStringLiteral("PLEASE ENTER DOCUMENT NO PROPERLY ..."),
            QStringLiteral("MENTION REASON FOR CANCELLATION..."),
            QString::fromLatin1(head),
            QStringLiteral(" DOCUMNT NO : "),
            QStringLiteral(" DOCUMNT DT : "),
            QStringLiteral(" PARTY NAME : "),
            QStringLiteral(" AMOUNT INR : "),
            QStringLiteral(" ARE YOU SURE WANT TO PROCEED WITH CANCELLATION (Y/N) ?")};
}

CancelWording invoiceWording(const char* head) {
    CancelWording w = partyWording(head);
    w.noDocument = QStringLiteral("PLEASE ENTER INVOICE NO PROPERLY ...");
    w.numberLabel = QStringLiteral(" INVOICE NO : ");
    w.dateLabel = QStringLiteral(" INVOICE DT : ");
    return w;
}

CancelWording accountWording(const char* nameLabel = " A/C DESC : ") {
    return {QStringLiteral("PLEASE ENTER DOCUMENT NO PROPERLY ....."),
            QStringLiteral("PLEASE ENTER REASON FOR CANCELLATION ...."),
            QStringLiteral(" YOU ARE ABOUT TO CANCEL DOCUMENT ..."),
            QStringLiteral(" DOCUMENT NO : "),
            QStringLiteral(" DOCUMENT DT : "),
            QString::fromLatin1(nameLabel),
            QStringLiteral(" AMOUNT : "),
            QStringLiteral(" CANCELLATION IS IR-REVERSIBLE WANT TO PROCEED (Y/N) ?")};
}

CancelHooks namedBy(const char* column, CancelHooks hooks = {}) {
    hooks.questionName = [column](const QSqlRecord& r) { return textOf(r, column); };
    return hooks;
}

// ---- The booking: its dependants are listed, and while there are any it cannot be cancelled.

QList<GridColumn> dependantColumns() {
    return {{QStringLiteral("SLNO"), 800, Qt::AlignRight},
            {QStringLiteral("DOCUMNT CODE"), 1800},
            {QStringLiteral("DOCUMNT NO"), 1500, Qt::AlignRight},
            {QStringLiteral("GRAND TOTAL"), 1800, Qt::AlignRight}};
}

CancelHooks bookingHooks() {
    CancelHooks h;
    h.select = QStringLiteral(
        ", l.DOC_DATE AS LEAD_DT, k.CONSULTANT_NAME AS SHOWN_CONSULTANT, l.FILENO AS LEAD_FILENO, "
        "q.DOC_DATE AS QUOT_DT, i.ITN_NAME AS SHOWN_ITINERARY");
    h.joins = QStringLiteral(
        "LEFT JOIN M_TBL_TRANSACTION l ON l.DOC_CODE='BLFC01' AND l.DOC_NO=a.LEAD_NO "
        "LEFT JOIN M_TBL_CONSULTANT k ON k.CONSULTANT_CODE=l.CONSULTANT_CODE "
        "LEFT JOIN M_TBL_QUOTATION q ON q.DOC_CODE='QGBL01' AND q.DOC_NO=a.QUOTATION_NO "
        "LEFT JOIN M_TBL_ITINERARY_HEADER i ON i.ITN_DOCNO=q.ITINERARY_NO ");
    h.moreLines = [](const QSqlRecord& r) {
        return QList<std::pair<QString, QString>>{{QStringLiteral(" LEAD NO :"), textOf(r, "LEAD_NO")},
                                                  {QStringLiteral(" QUOTATION NO :"), textOf(r, "QUOTATION_NO")},
                                                  {QStringLiteral(" ITINERARY :"), textOf(r, "SHOWN_ITINERARY")}};
    };
    h.build = [](CancellationWindow& w) {
        auto* caption = new QLabel(QStringLiteral("LIVE DOCUMENTS AGAINST THIS CBPT"), &w);
        w.Grid1 = new QTableWidget(&w);
        w.Grid1->setObjectName(QStringLiteral("Grid1"));
        w.Grid1->setMinimumHeight(150);
        Load_EmptyGrid(w.Grid1, dependantColumns());
        const int row = w.grid()->rowCount();
        w.grid()->addWidget(caption, row, 0, 1, -1);
        w.grid()->addWidget(w.Grid1, row + 1, 0, 1, -1);
    };
    // Its suppliers still holding a line are offered the cancellation mail.
    h.cancelled = [](CancellationWindow& w, qint64 number, const QSqlRecord&) {
        offerSupplierCancellations(w, number);
    };
    // A live booking can be cancelled only while nothing live is posted against it.
    h.shown = [](CancellationWindow& w, const QSqlRecord& r, bool live) {
        Load_EmptyGrid(w.Grid1, dependantColumns());
        if (!live)
            return true;
        int rows = 0;
        const bool read = w.guarded([&] {
            for (const PostedDocument& d : Cancellations(w.db(), w.session().userFullName)
                                               .livePostedAgainst(r.value(QStringLiteral("DOC_NO")).toLongLong()))
                addGridRow(w.Grid1, {QString::number(++rows), d.code, QString::number(d.number), d.total.toString()});
        });
        return read && rows == 0;
    };
    return h;
}

QList<ShownField> bookingFields() {
    QList<ShownField> f = fields(Party, "CBPT DATE");
    f << plain("LEAD NO", "lbl_LeadNo", "LEAD_NO") << date("LEAD DATE", "lbl_LeadDate", "LEAD_DT")
      << plain("CONSULTANT", "lbl_Consultant", "SHOWN_CONSULTANT") << plain("FILE NO", "lbl_FileNo", "LEAD_FILENO")
      << plain("QUOTATION NO", "lbl_QuotNo", "QUOTATION_NO") << date("QUOTATION DATE", "lbl_QuotDate", "QUOT_DT")
      << plain("ITINERARY", "lbl_Itinerary", "SHOWN_ITINERARY") << plain("NO OF PAX", "lbl_Pax", "NOOF_PAX")
      << plain("NO OF CHILD", "lbl_Child", "NOOF_CHILD") << plain("TOUR DAYS", "lbl_TourDays", "TOUR_DAYS")
      << date("TOUR START", "lbl_StartDate", "START_DT") << date("TOUR END", "lbl_EndDate", "END_DT")
      << money("TOTAL AMOUNT", "lbl_TotalAmount", "TOTAL_AMOUNT") << plain("MARK UP ON", "lbl_MarkupOn", "MARKUP_ON")
      << plain("COMMISSION (%)", "lbl_CommPer", "COMM_PER") << money("COMMISSION", "lbl_CommAmount", "COMM_AMOUNT")
      << plain("TAX (%)", "lbl_TaxPer", "TAX_PER") << money("TAX", "lbl_TaxAmount", "TAX_AMT");
    return closing(f, "GRAND TOTAL");
}

// A vehicle or other note's supplier still holding it is offered the cancellation mail.
CancelHooks noteSupplierHooks(const QString& code) {
    return CancelHooks{.cancelled = [code](CancellationWindow& w, qint64 number, const QSqlRecord& r) {
        if (const qint64 booking = r.value(QStringLiteral("IN_DOCNO")).toLongLong(); booking > 0)
            offerNoteCancellation(w, booking, code, number);
    }};
}

QList<CancellationMember> buildMembers() {
    const QString lines = QStringLiteral("&Cancel ");
    auto m = [&](const char* code, const char* caption, const char* button, QList<ShownField> shown,
                 CancelWording wording, CancelHooks hooks = {}) {
        return CancellationMember{QStringLiteral("frm_CNCL_") + QLatin1String(code),
                                  QString::fromLatin1(code),
                                  QString::fromLatin1(caption),
                                  lines + QLatin1String(button),
                                  std::move(shown),
                                  std::move(wording),
                                  std::move(hooks)};
    };
    CancellationMember transfer =
        m("BTCR01", "CANCEL FUND TRANSFER CREDIT FROM BANK ( FTCB01 )", "Transfer", closing(fields(Account | Bank)),
          accountWording(" BANK NAME  : "), namedBy("DB_BANK"));
    transfer.window = QStringLiteral("frm_CNCL_FTCB01");
    CancellationMember proforma = m("INV006", "CANCEL PROFORMA INVOICE ( INV006 )", "Proforma Invoice",
                                    closing(fields(Booking | Party, "INVOICE DATE")),
                                    invoiceWording(" YOU ARE ABOUT TO CANCEL PROFORMA INVOICE ..."));
    return {
        m("FRDB01", "CANCEL FUND RECEIVE DEBIT AGAINST CBPT ( FRDB01 )", "Receipt",
          closing(fields(Booking | Party | Bank | PayMode | Instrument)),
          partyWording(" YOU ARE ABOUT TO CANCEL FUND RECEIVE DEBIT ...")),
        m("FTCR01", "CANCEL PAYMENT TO PARTY ( FTCR01 )", "Payment",
          closing(fields(Booking | Party | Bank | PayMode | Instrument)),
          partyWording(" YOU ARE ABOUT TO CANCEL PAYMENT TO PARTY ...")),
        m("FTREF01", "CANCEL FUND TRANSFER REFUND FROM PARTY ( FTREF01)", "Refund",
          closing(fields(Booking | Party | Bank | PayMode | Instrument)),
          partyWording(" YOU ARE ABOUT TO CANCEL PAYMENT TO PARTY ...")),
        m("ANCP01", "CANCEL ADV NOTE CREDIT POSTING - ANCP01", "Hotel Note", closing(fields(Booking | Party)),
          partyWording(" YOU ARE ABOUT TO CANCEL ANCP01 - HOTEL ..."),
          // The hotel's lines of the note's booking are offered the cancellation mail.
          CancelHooks{.cancelled =
                          [](CancellationWindow& w, qint64, const QSqlRecord& r) {
                              if (const qint64 booking = r.value(QStringLiteral("IN_DOCNO")).toLongLong(); booking > 0)
                                  offerSupplierCancellations(w, booking,
                                                             r.value(QStringLiteral("PARTY_CODE")).toLongLong());
                          }}),
        m("ANCP02", "CANCEL ADV NOTE CREDIT POSTING - VEHICLE ( ANCP02 )", "Vehicle Note",
          closing(fields(Booking | Party)), partyWording(" YOU ARE ABOUT TO CANCEL ANCP02 - VEHICLE ..."),
          noteSupplierHooks(kVehicleNoteCode)),
        m("ANCP03", "CANCEL ADV NOTE CREDIT POSTING - OTHER ( ANCP03 )", "Other Charge Note",
          closing(fields(Booking | Party)), partyWording(" YOU ARE ABOUT TO CANCEL ANCP03 - OTHR CHARGE ..."),
          noteSupplierHooks(kOtherNoteCode)),
        m("ANCP08", "ADVICE NOTE CREDIT POSTING - MISC ( ANCP08 )", "ANCP08", closing(fields(Party | PartyType)),
          partyWording(" YOU ARE ABOUT TO CANCEL ANCP08 ...")),
        m("ANDP08", "ADVICE NOTE DEBIT POSTING - MISC ( ANDP08 )", "ANDP08", closing(fields(Party | PartyType)),
          partyWording(" YOU ARE ABOUT TO CANCEL ANDP08 ...")),
        m("FAAN01", "CANCEL - FUND ADJ ADVICE NOTE ( FAAN01 )", "Adjustment",
          closing(fields(Booking | Party) << plain("ADJ TYPE", "lbl_AdjType", "ADJ_TYPE")),
          partyWording(" YOU ARE ABOUT TO CANCEL FUND ADJ ADV ( FAAN01 ) ...")),
        m("INV001", "CANCEL INVOICE ( INV001 )", "Invoice",
          closing(fields(Booking | Party, "INVOICE DATE") << plain("INVOICE NO", "lbl_GstInvNo", "GST_INVNO")),
          invoiceWording(" YOU ARE ABOUT TO CANCEL INVOICE ...")),
        proforma,
        [&] {
            CancellationMember b =
                m("CBPT01", "CANCEL CUSTOMER BOOKED FOR PACKAGE TOUR ( CBPT01 )", "Booking", bookingFields(),
                  partyWording(" YOU ARE ABOUT TO CANCEL CUSTOMER BOOKED FOR PACKAGE TOUR ( CBPT01 ) ..."),
                  bookingHooks());
            b.wording.noDocument = QStringLiteral("PLEASE ENTER CBPT NO PROPERLY ......");
            b.wording.numberLabel = QStringLiteral(" CBPT NO : ");
            b.wording.dateLabel = QStringLiteral(" CBPT DT : ");
            return b;
        }(),
        m("APCM01", "CANCEL AMOUNT PAYMENT CREDIT FOR MISC EXPENSE ( APCM01 )", "Expense",
          closing(fields(Account | Bank | PayMode | Instrument | Cleared | Party)), accountWording(),
          namedBy("SHOWN_ACCDESC")),
        m("FRDM01", "CANCEL FRDM01 DOCUMENTS", "Income",
          closing(fields(Account | Bank | PayMode | Instrument | Cleared | Party)), accountWording(),
          namedBy("SHOWN_ACCDESC")),
        m("BCAP01", "CANCEL BANK CREDIT AMOUNT POSTINGS ( BCAP01 )", "Bank Credit", closing(fields(Account | Bank)),
          accountWording(), namedBy("SHOWN_ACCDESC")),
        m("BDAP01", "CANCEL BANK DEBIT AMOUNT POSTING ( BDAP01 )", "Bank Debit", closing(fields(Account | Bank)),
          accountWording(), namedBy("SHOWN_ACCDESC")),
        transfer,
    };
}

}  // namespace

const QList<CancellationMember>& cancellationMembers() {
    static const QList<CancellationMember> members = buildMembers();
    return members;
}

void registerCancellationWindows(WindowRegistry& registry) {
    for (const CancellationMember& member : cancellationMembers())
        registry.add(member.window, [&member](Session& session, QWidget* parent) -> QWidget* {
            return new CancellationWindow(session, parent, member);
        });
}

}  // namespace tarvic
