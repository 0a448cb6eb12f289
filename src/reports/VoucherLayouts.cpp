// The eight printed vouchers as configuration: each one's query, title, labels, status line,
// lines and notes. Joins are inner where a voucher cannot print without the row (a receipt
// without its booking's quotation prints nothing); an optional party or instrument bank is
// outer-joined.
#include "VoucherReport.h"

#include "data/DocumentStatus.h"

namespace tarvic {

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

VoucherField f(const char* label, const char* column, Shown shown = Shown::Text, const char* column2 = "") {
    return {s(label), s(column), shown, s(column2)};
}

const QList<std::pair<QString, QString>> kVoucherStatus{
    {status::kLive, QString()}, {status::kCancelled, s("CANCELLED VOUCHER")}, {status::kPending, s("PENDING VOUCHER")}};
const QString kVoucherNote = s("Note : This is a System Generated Voucher, It donot require manual signature");

// Receipt and payment against a booking: the booking (c) gives tourist, lead and quotation,
// the quotation (f) its itinerary (g).
VoucherLayout moneyDocument(const char* code, const char* title, const char* note) {
    VoucherLayout l;
    l.name = s(code);
    l.codes = {s(code)};
    l.sql =
        s("SELECT a.DOC_NO, a.DOC_DATE, a.IN_DOCNO, a.PARTY_CODE, b.PARTY_NAME, c.TOURIST_NAME, c.LEAD_NO, "
          "c.QUOTATION_NO, d.PAY_MODE, e.BANK_NAME AS DB_BANK, a.INSTR_NO, a.INSTR_DATE, a.REMARKS, g.ITN_NAME, "
          "a.GRAND_TOTAL, a.AMT_INWORDS, a.DOC_STATUS "
          "FROM M_TBL_TRANSACTION a, M_TBL_PARTY b, M_TBL_TRANSACTION c, MST_PAYMODE d, MST_BANK e, "
          "M_TBL_QUOTATION f, M_TBL_ITINERARY_HEADER g "
          "WHERE a.DOC_CODE=? AND a.DOC_NO=? AND a.IN_DOCCODE=c.DOC_CODE AND a.IN_DOCNO=c.DOC_NO "
          "AND a.PARTY_CODE=b.PARTY_CODE AND a.PAY_MODEID=d.MODE_ID AND a.TO_BANKID=e.BANK_ID "
          "AND f.DOC_CODE='QGBL01' AND c.QUOTATION_NO=f.DOC_NO AND f.ITINERARY_NO=g.ITN_DOCNO");
    l.bookingClause = s(" AND a.IN_DOCNO=?");
    l.orderBy = s(" ORDER BY a.IN_DOCNO");
    l.title = s(title);
    l.status = kVoucherStatus;
    l.fields = {f("DOCUMENT DATE", "DOC_DATE", Shown::Date),
                f("DOCUMENT NO", "DOC_NO", Shown::Whole),
                f("CBPT NO", "IN_DOCNO", Shown::Whole),
                f("LEAD NO", "LEAD_NO", Shown::Whole),
                f("QUOT NO", "QUOTATION_NO", Shown::Whole),
                f("PARTY CODE", "PARTY_CODE", Shown::Whole),
                f("PARTY NAME", "PARTY_NAME"),
                f("TOURIST NAME", "TOURIST_NAME"),
                f("ITINERARY NAME", "ITN_NAME"),
                f("DEPOSIT TO", "DB_BANK"),
                f("PAYMENT MODE", "PAY_MODE"),
                f("INSTRUMENT NO", "INSTR_NO"),
                f("INSTRUMENT DT", "INSTR_DATE", Shown::Date),
                f("AMOUNT INR /-", "GRAND_TOTAL", Shown::Money)};
    l.wordsLabel = s("AMT IN WORDS");
    l.closing = {f("REMARKS", "REMARKS")};
    l.notes = {s(note)};
    return l;
}

// The miscellaneous receipt and payment: the title is the code's own header.
VoucherLayout miscVoucher(const char* code, bool payment) {
    VoucherLayout l;
    l.name = s(code);
    l.codes = {s(code)};
    l.sql =
        s("SELECT a.DOC_CODE, a.DOC_NO, a.DOC_DATE, a.INSTR_NO, a.INSTR_DATE, a.GRAND_TOTAL, a.AMT_INWORDS, "
          "a.DOC_STATUS, a.COLL_BY, a.REMARKS, e.ACCOUNT_DESC, f.DOC_HEADER, b.BANK_NAME AS DEP_BANK, c.PAY_MODE, "
          "d.BANK_NAME AS INSTR_BANKNAME, g.PARTY_NAME "
          "FROM M_TBL_TRANSACTION a "
          "JOIN M_TBL_DOCUMENTACCOUNT_COMB e ON e.DOC_CODE=a.DOC_CODE AND e.ACC_CODE=a.TO_ACC "
          "JOIN MST_DOCUMENTCODES f ON f.DOC_CODE=a.DOC_CODE "
          "JOIN MST_BANK b ON b.BANK_ID=a.TO_BANKID "
          "JOIN MST_PAYMODE c ON c.MODE_ID=a.PAY_MODEID "
          "LEFT JOIN MST_BANK d ON d.BANK_ID=a.BANK_ID "
          "LEFT JOIN M_TBL_PARTY g ON g.PARTY_CODE=a.PARTY_CODE "
          "WHERE a.DOC_CODE=? AND a.DOC_NO=?");
    l.titleColumn = s("DOC_HEADER");
    l.status = kVoucherStatus;
    l.fields = {f("DOCUMENT CODE", "DOC_CODE"),
                f("DOCUMENT DATE", "DOC_DATE", Shown::Date),
                f("DOCUMENT NO", "DOC_NO", Shown::Whole),
                f(payment ? "PAID TO" : "RECEIVED FROM", "PARTY_NAME"),
                f("FOR A/C DESC", "ACCOUNT_DESC"),
                f(payment ? "PAID FROM" : "DEPOSIT TO", "DEP_BANK"),
                f("PAYMENT MODE", "PAY_MODE"),
                f("INSTRUMENT NO", "INSTR_NO"),
                f("INSTRUMENT DATE", "INSTR_DATE", Shown::Date),
                f("INSTRUMENT BANK", "INSTR_BANKNAME"),
                f("AMOUNT INR /-", "GRAND_TOTAL", Shown::Money)};
    l.wordsLabel = s("IN WORDS");
    l.closing = {f("REMARKS", "REMARKS"), f("DOCUMENT STATUS", "DOC_STATUS")};
    if (payment)
        l.closing << f("RECEIVED BY", "COLL_BY");
    l.notes = {kVoucherNote};
    l.receivedBy = payment;
    return l;
}

// The bank transfer, and the bank postings (debit and credit) printed on the same form.
VoucherLayout bankVoucher() {
    VoucherLayout l;
    l.name = s("BANK TRANSFER");
    l.codes = {s("BTCR01"), s("BTDB01"), s("BDAP01"), s("BCAP01")};
    l.sql =
        s("SELECT d.DOC_HEADER, a.DOC_DATE, a.DOC_NO, a.DOC_DESC, b.BANK_NAME, a.GRAND_TOTAL, a.AMT_INWORDS, "
          "a.REMARKS, a.CREATED_BY, a.CREATED_ON, a.DOC_STATUS "
          "FROM M_TBL_TRANSACTION a, MST_BANK b, MST_DOCUMENTCODES d "
          "WHERE a.DOC_CODE=? AND a.DOC_NO=? AND a.TO_BANKID=b.BANK_ID AND a.DOC_CODE=d.DOC_CODE");
    l.titleColumn = s("DOC_HEADER");
    l.status = {{status::kLive, QString()}, {status::kCancelled, s("CANCELLED ADVICE NOTE")}};
    l.fields = {f("DOCUMENT DATE", "DOC_DATE", Shown::Date), f("DOCUMENT NO", "DOC_NO", Shown::Whole),
                f("BANK NAME", "BANK_NAME"), f("AMOUNT /-", "GRAND_TOTAL", Shown::Money)};
    l.wordsLabel = s("IN WORDS");
    l.closing = {f("DESCRIPTION", "DOC_DESC"), f("REMARKS", "REMARKS"),
                 f("CREATED BY ON", "CREATED_BY", Shown::ByOn, "CREATED_ON")};
    l.notes = {kVoucherNote};
    l.receivedBy = true;
    l.printTaken = true;
    return l;
}

// The tax invoice prints the name stored on it; the proforma the party master's alias.
VoucherLayout invoice(bool proforma) {
    VoucherLayout l;
    l.name = s(proforma ? "INV006" : "INV001");
    l.codes = {l.name};
    l.sql = s("SELECT a.DOC_CODE, a.DOC_DATE, a.DOC_NO, a.IN_DOCCODE, a.IN_DOCNO AS CBPT_NO, a.QUOTATION_NO, "
              "a.LEAD_NO, a.PARTY_CODE, %1 AS PARTY_NAME, b.PARTY_NAME AS MASTER_NAME, b.GSTIN_NO, "
              "b.PARTY_ADDRESS, c.STATE_NAME, c.STATE_CODE2, d.TOURIST_NAME, a.SAC_CODE, a.TOTAL_AMOUNT, "
              "a.DISC_AMT, a.TAXIBLE_AMT, a.CGST_PER, a.CGST_AMT, a.SGST_PER, a.SGST_AMT, a.IGST_PER, a.IGST_AMT, "
              "a.TAX_AMT, a.GRAND_TOTAL, a.ADV_AMOUNT, a.BALANCE_AMT, a.AMT_INWORDS, a.GST_INVNO, a.BOOKED_BY, "
              "e.FILENO, a.GST_DESC, a.DOC_STATUS "
              "FROM M_TBL_TRANSACTION a, M_TBL_PARTY b, M_TBL_CSP_STATE c, M_TBL_TRANSACTION d, "
              "M_TBL_TRANSACTION e "
              "WHERE a.DOC_CODE=? AND a.DOC_NO=? AND e.DOC_CODE='BLFC01' AND a.PARTY_CODE=b.PARTY_CODE "
              "AND b.COUNTRY_CODE=c.COUNTRY_CODE AND b.STATE_CODE=c.STATE_CODE AND a.IN_DOCCODE=d.DOC_CODE "
              "AND a.IN_DOCNO=d.DOC_NO AND a.LEAD_NO=e.DOC_NO")
                .arg(proforma ? s("b.PARTY_ALIASNAME") : s("a.PARTY_ALIASNAME"));
    l.title = s(proforma ? "PROFORMA INVOICE" : "TAX INVOICE");
    l.status = {{status::kCancelled, s("CANCELLED INVOICE")}};
    l.addressCaption = s("TO,");
    l.address = {f("", "PARTY_NAME", Shown::Text, "MASTER_NAME"), f("", "PARTY_ADDRESS"), f("STATE: ", "STATE_NAME"),
                 f("CODE: ", "STATE_CODE2"), f("GSTIN: ", "GSTIN_NO")};
    l.fields = {f("INVOICE NO", "GST_INVNO"),
                f("INVOICE DT", "DOC_DATE", Shown::Date),
                f("FILE NO", "FILENO"),
                f("GUEST NAME", "TOURIST_NAME"),
                f("SAC", "SAC_CODE"),
                f("DOCUMNT NO", "DOC_NO", Shown::Whole),
                f("CBPT NO", "CBPT_NO", Shown::Whole),
                f("BOOKED BY", "BOOKED_BY")};
    l.twoColumns = true;
    l.linesSql =
        s("SELECT a.INV_DETSLNO, a.DOC_DESC, a.INV_RATE, a.INV_QTY, a.INV_AMT FROM M_TBL_TRANSACTION a "
          "WHERE a.DOC_CODE=? AND a.IN_DOCCODE=? AND a.IN_DOCNO=? ORDER BY a.INV_DETSLNO");
    l.lineCode = s(proforma ? "INV007" : "INV002");
    l.lineColumns = {f("SLNO", "INV_DETSLNO", Shown::Whole), f("DESCRIPTION", "DOC_DESC"),
                     f("RATE", "INV_RATE", Shown::Money), f("QTY", "INV_QTY", Shown::Money),
                     f("AMOUNT", "INV_AMT", Shown::Money)};
    l.totals = {f("TOTAL AMOUNT", "TOTAL_AMOUNT", Shown::Money),
                f("DISCOUNT AMOUNT", "DISC_AMT", Shown::Money),
                f("TAXABLE AMOUNT", "TAXIBLE_AMT", Shown::Money),
                f("ADD CGST AMOUNT", "CGST_AMT", Shown::Money, "CGST_PER"),
                f("ADD SGST AMOUNT", "SGST_AMT", Shown::Money, "SGST_PER"),
                f("ADD IGST AMOUNT", "IGST_AMT", Shown::Money, "IGST_PER"),
                f("GRAND TOTAL", "GRAND_TOTAL", Shown::Money)};
    l.wordsLabel = s("IN WORDS");
    l.extraColumn = s("GST_DESC");
    l.bankDetails = true;
    l.jurisdiction = true;
    l.notes = {s("Note : This is a System Generated Invoice, It donot require manual signature")};
    if (proforma)
        l.notes << s("Note : Above amount mentioned is inclusive of all applicable taxes");
    return l;
}

}  // namespace

const QList<VoucherLayout>& voucherLayouts() {
    static const QList<VoucherLayout> layouts{
        moneyDocument("FRDB01", "MONEY RECEIVE ACKNOWLEDGEMENT ( FRDB01 )",
                      "Note : This is a System Generated Money Receipt, It donot require manual signature"),
        moneyDocument("FTCR01", "FUND TRANSFER ACKNOWLEDGEMENT ( FTCR01 )",
                      "Note : This is a System Generated Voucher, It donot require manual signature"),
        miscVoucher("FRDM01", false),
        miscVoucher("APCM01", true),
        bankVoucher(),
        invoice(false),
        invoice(true),
        hotelVoucherLayout(),
    };
    return layouts;
}

const VoucherLayout* voucherLayoutFor(const QString& code) {
    for (const VoucherLayout& l : voucherLayouts())
        if (l.codes.contains(code))
            return &l;
    return nullptr;
}

// One page per hotel line of the quotation (QGBL02); the hotel is a party, the lead (e) gives
// guest and file number, the quotation header (g) the party size.
const VoucherLayout& hotelVoucherLayout() {
    static const VoucherLayout l = [] {
        VoucherLayout h;
        h.name = s("HOTEL VOUCHER");
        h.sql =
            s("SELECT a.DOC_NO, a.DOC_DATE, a.TOUR_DATE AS CHKIN_DT, a.CHKOT_DT, a.DAYS_ROOM, a.ROOM_TYPE, "
              "a.HOTEL_CODE, b.PARTY_NAME, b.PARTY_ADDRESS, b.MOBILE_NOS, c.STATE_NAME, d.PLACE_NAME, "
              "c.STATE_NAME || ' - ' || d.PLACE_NAME AS DESTINATION, e.TOURIST_NAME, e.FILENO, a.NOOF_ROOM, "
              "a.NOOF_ROOMSNGL, a.NOOF_EXTBED, a.NOOF_CWB, a.NOOF_CNB, a.REMARKS, "
              "f.MEAL_PLAN || ' (' || COALESCE(f.PLAN_DESC, '') || ')' AS MEAL_PLAN, g.NOOF_ADULT AS NOOF_PAX, "
              "g.NOOF_CHILDREN, g.LEAD_NO, h.CONSULTANT_NAME, h.MOBILE_NO AS CONSULT_NO "
              "FROM M_TBL_QUOTATION a, M_TBL_PARTY b, M_TBL_CSP_STATE c, M_TBL_CSP_PLACE d, "
              "M_TBL_TRANSACTION e, M_TBL_MEALPLAN f, M_TBL_QUOTATION g, M_TBL_CONSULTANT h "
              "WHERE a.DOC_CODE='QGBL02' AND a.DOC_NO=? AND a.HOTEL_CODE=b.PARTY_CODE "
              "AND b.COUNTRY_CODE=c.COUNTRY_CODE AND b.STATE_CODE=c.STATE_CODE AND b.PLACE_CODE=d.PLACE_CODE "
              "AND c.STATE_CODE=d.STATE_CODE AND c.COUNTRY_CODE=d.COUNTRY_CODE AND e.DOC_CODE='BLFC01' "
              "AND a.LEAD_NO=e.DOC_NO AND a.MEALPLAN_CODE=f.MEALPLAN_CODE AND a.IN_DOCCODE=g.DOC_CODE "
              "AND a.DOC_NO=g.DOC_NO AND e.CONSULTANT_CODE=h.CONSULTANT_CODE");
        h.orderBy = s(" ORDER BY a.ACC_CODE");
        h.title = s("HOTEL VOUCHER");
        h.addressCaption = s("RECEPTION DESK");
        h.address = {f("", "PARTY_NAME"), f("", "PARTY_ADDRESS"), f("", "DESTINATION"),
                     f("CONTACT NO : ", "MOBILE_NOS")};
        h.fields = {f("GUEST NAME", "TOURIST_NAME"),
                    f("NO. OF PAX :", "NOOF_PAX", Shown::Whole),
                    f("CHILD :", "NOOF_CHILDREN", Shown::Whole),
                    f("QUOT NO :", "DOC_NO", Shown::Whole),
                    f("QUOT DT :", "DOC_DATE", Shown::LongDate),
                    f("LEAD NO :", "LEAD_NO", Shown::Whole),
                    f("FILE NO :", "FILENO"),
                    f("CHECK IN DT :", "CHKIN_DT", Shown::LongDate),
                    f("CHECK OT DT :", "CHKOT_DT", Shown::LongDate),
                    f("NO. OF NIGHTS :", "DAYS_ROOM", Shown::Whole),
                    f("MEAL PLAN :", "MEAL_PLAN"),
                    f("ROOM TYPE :", "ROOM_TYPE"),
                    f("NO. OF ROOMS", "NOOF_ROOM", Shown::Whole),
                    f("SINGLE ROOM", "NOOF_ROOMSNGL", Shown::Whole),
                    f("EXTRA BED / MATTRESS", "NOOF_EXTBED", Shown::Whole)};
        h.closing = {f("NOTES :", "REMARKS")};
        h.request = {s("PLEASE PROVIDE THE SERVICES AS PER ABOVE MENTIONED DETAILS")};
        h.trailer = {f("FOR FURTHER DETAILS", "CONSULTANT_NAME"), f("CONTACT NO :", "CONSULT_NO")};
        h.amountColumn.clear();
        return h;
    }();
    return l;
}

}  // namespace tarvic
