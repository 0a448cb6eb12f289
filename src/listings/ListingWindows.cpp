#include "ListingWindows.h"

#include "DocumentListing.h"

namespace tarvic {

namespace {

using Spec = DocumentListingSpec;
using C = ListColumn;

// Column makers: heading, field, width in twips.
C text(const char* heading, const char* field, int twips) {
    return C::text(QLatin1String(heading), QLatin1String(field), twips);
}
C number(const char* heading, const char* field, int twips) {
    return C::number(QLatin1String(heading), QLatin1String(field), twips);
}
C date(const char* heading, const char* field, int twips = 1250) {
    return C::date(QLatin1String(heading), QLatin1String(field), twips);
}
C money(const char* heading, const char* field, int twips = 1400) {
    return C::money(QLatin1String(heading), QLatin1String(field), twips);
}

// The columns several members share.
QList<C> party() {
    return {number("PARTY CODE", "PARTY_CODE", 1100), text("PARTY NAME", "PARTY_NAME", 3600)};
}
C booking() {
    return number("CBPT NO", "IN_DOCNO", 1000);
}
QList<C> account() {
    return {text("A/C CODE", "TO_ACC", 1300), text("A/C DESCRIPTION", "ACCOUNT_DESC", 2600)};
}
C billNo() {
    return text("BILL NO", "BILL_NO", 1500);
}
C amount() {
    return money("AMOUNT /-", "GRAND_TOTAL");
}
C balance() {
    return money("BALANCE /-", "BALANCE");
}
// The bank column takes the member's bank heading.
QList<C> instrument() {
    return {text("", "DB_BANK", 3600), text("PAY MODE", "PAY_MODE", 1400), text("INSTRUMNT NO", "INSTR_NO", 1500),
            date("INSTR DT", "INSTR_DATE"), text("INSTR BANK", "INSTR_BANK", 3200)};
}
QList<C> hotelStay() {
    return {text("CFA", "CFA", 500),
            text("HOTEL PLACE", "HOTEL_PLACE", 2000),
            text("ROOM TYPE", "ROOM_TYPE", 1400),
            text("ROOM DESC", "ROOM_TYPE2", 2000),
            text("MEAL PLAN", "MEAL_PLAN", 1100),
            date("CHECK IN", "START_DT"),
            date("CHECK OUT", "END_DT"),
            number("ROOMS", "NOOF_ROOM", 700),
            billNo(),
            amount(),
            balance()};
}
QList<C> invoice() {
    return party() + QList<C>{booking(),
                              number("QUOT NO", "QUOTATION_NO", 1000),
                              text("GST INV NO", "GST_INVNO", 1800),
                              money("TOTAL AMOUNT", "TOTAL_AMOUNT", 1500),
                              money("DISC AMT", "DISC_AMT", 1300),
                              money("TAXIBLE AMT", "TAXIBLE_AMT", 1500),
                              money("CGST AMT", "CGST_AMT", 1300),
                              money("SGST AMT", "SGST_AMT", 1300),
                              money("IGST AMT", "IGST_AMT", 1300),
                              money("TAX AMT", "TAX_AMT", 1300),
                              money("GRAND TOTAL", "GRAND_TOTAL", 1500),
                              money("ADVANCE", "ADV_AMOUNT"),
                              money("BALANCE", "BALANCE_AMT")};
}

QStringList codes(const char* a, const char* b = nullptr) {
    QStringList c{QString::fromLatin1(a)};
    if (b)
        c << QString::fromLatin1(b);
    return c;
}

}  // namespace

// The members of the listing family: what each lists and shows, its bank, balance, totals,
// extras and click.
const QList<DocumentListingSpec>& documentListings() {
    static const QList<Spec> members{
        {.window = "frm_LstCBPT01",
         .title = "LIST OF CUSTOMER BOOKED FOR PACKAGED TOUR ( CBPT ) ",
         .codes = codes("CBPT01"),
         .columns = QList<C>{text("FILE NO", "LEAD_FILENO", 1500), number("LEAD NO", "LEAD_NO", 1000),
                             number("QUOT NO", "QUOTATION_NO", 1000)} +
                    party() +
                    QList<C>{text("TOURIST NAME", "TOURIST_NAME", 2400), date("JOURNEY FROM", "JOURNEY_STRTDT", 1400),
                             date("JOURNEY TO", "JOURNEY_ENDDT", 1300), number("PAX", "NOOF_PAX", 600),
                             text("OPS CONSULTANT", "OPS_NAME", 2200), amount(), balance()},
         .balanceList = "PTBAL"},
        {.window = "frm_LstANCP01",
         .title = "LIST OF ADVICE NOTE CREDIT POSTING - HOTEL ( ANCP01 )",
         .codes = codes("ANCP01"),
         .columns = QList<C>{booking()} + party() + hotelStay(),
         .balanceList = "ANCPBAL1",
         .creditBalance = true},
        {.window = "frm_LstANCP02",
         .title = "ADVICE NOTE CREDIT POSTING - VEHICLE ( ANCP02 )",
         .codes = codes("ANCP02"),
         .columns = QList<C>{booking()} + party() +
                    QList<C>{text("VEHICLE", "VEH_BRAND", 1600), number("VEH NOS", "VEH_NOS", 900),
                             date("FROM DT", "START_DT"), date("TO DT", "END_DT"), billNo(), amount(), balance()},
         .balanceList = "ANCPBAL2",
         .creditBalance = true},
        {.window = "frm_LstANCP03",
         .title = "LIST ADVICE NOTE CR POSTING - OTHER ( ANCP03 )",
         .codes = codes("ANCP03"),
         .columns = QList<C>{booking()} + party() + account() + QList<C>{billNo(), amount(), balance()},
         .balanceList = "ANCPBAL3",
         .creditBalance = true},
        {.window = "frm_LstHotelBookedBetwenDates",
         .title = "List of Hotel Booked Between Dates",
         .codes = codes("ANCP01"),
         .columns = QList<C>{booking(), number("QUOT NO", "K_QUOTNO", 1000), text("FILE NO", "K_FILENO", 1500),
                             text("TOURIST NAME", "K_TOURIST", 2400)} +
                    party() + hotelStay(),
         .balanceList = "ANCPBAL1",
         .creditBalance = true,
         .extras = Spec::QuotationFilter},
        {.window = "frm_LstANCP08",
         .title = "LIST OF ADVICE NOTE CREDIT POSTING - MISC ( ANCP08 )",
         .codes = codes("ANCP08"),
         .columns = party() + account() +
                    QList<C>{text("SERVICE", "VBS_SERVICE", 2600), date("SERVICE DT", "IN_DOCDATE"), amount()}},
        {.window = "frm_LstANDP08",
         .title = "LIST OF ADVICE NOTE DEBIT POSTING - (ANDP08)",
         .codes = codes("ANDP08"),
         .columns = party() + account() +
                    QList<C>{text("SERVICE", "VBS_SERVICE", 2600), date("SERVICE DT", "IN_DOCDATE"), amount()}},
        // The receipt prints on a click too.
        {.window = "frm_LstFRDB01",
         .title = "LIST OF FUND RECEIVE AGAINST CBPT ( FRDB01 )",
         .codes = codes("FRDB01"),
         .columns = QList<C>{booking()} + party() + QList<C>{amount()} + instrument(),
         .bankHeading = "DB BANK",
         .click = Spec::Click::Voucher},
        {.window = "frm_LstFTCR01",
         .title = "LIST OF PAYMENTS TO PARTY ( FTCR01 )",
         .codes = codes("FTCR01"),
         .columns = QList<C>{booking()} + party() + QList<C>{amount()} + instrument(),
         .bankHeading = "CR BANK"},
        {.window = "frm_LstFTREF01",
         .title = "LIST OF FUND TRANSFER REFUND BETWEEN DATES",
         .codes = codes("FTREF01"),
         .columns = QList<C>{booking()} + party() + QList<C>{amount()} + instrument(),
         .bankHeading = "DB BANK"},
        {.window = "frm_LstFRDM01",
         .title = "LIST OF FUND RECEIVE DEBIT FROM MISC A/C",
         .codes = codes("FRDM01"),
         .columns = account() + party() + QList<C>{amount()} + instrument(),
         .bankHeading = "DB BANK",
         .extras = Spec::AccountFilter,
         .click = Spec::Click::Voucher},
        {.window = "frm_LstAPCM01",
         .title = "LIST AMOUNT PAYMENT CREDIT BY MISC EXPENSES",
         .codes = codes("APCM01"),
         .columns = account() + party() + QList<C>{amount()} + instrument(),
         .bankHeading = "CR BANK",
         .extras = Spec::AccountFilter,
         .click = Spec::Click::Voucher},
        {.window = "frm_LstBDAP01",
         .title = "LIST OF BANK DEBITED AMOUNT POSTINGS ( BDAP01 )",
         .codes = codes("BDAP01"),
         .columns = account() + party() + QList<C>{amount()} + instrument(),
         .bankHeading = "BANK"},
        {.window = "frm_LstBCAP01",
         .title = "LIST OF BANK CREDIT AMOUNT POSTINGS",
         .codes = codes("BCAP01"),
         .columns = account() + party() + QList<C>{amount()} + instrument(),
         .bankHeading = "BANK"},
        {.window = "frm_LstFTCB01",
         .title = "LIST FUND TRANSFER CREDIT FROM BANK",
         .codes = codes("BTCR01", "BTDB01"),
         .columns = QList<C>{text("DOC CODE", "DOC_CODE", 1000)} + account() + QList<C>{amount()} + instrument(),
         .bankHeading = "BANK",
         .click = Spec::Click::Voucher},
        {.window = "frm_LstInv001",
         .title = "LIST OF INVOICES GENERATED BETWEEN DATES",
         .codes = codes("INV001"),
         .columns = invoice(),
         .totals = Spec::Totals::Invoice,
         .extras = Spec::BookingFilter,
         .click = Spec::Click::Invoice},
        {.window = "frm_LstInvoice_P",
         .title = "LIST OF PROFORMA INVOICE GENERATE BETWEEN DATES",
         .codes = codes("INV006"),
         .columns = invoice(),
         .totals = Spec::Totals::Invoice,
         .extras = Spec::BookingFilter,
         .click = Spec::Click::Voucher},
    };
    return members;
}

void registerListingWindows(WindowRegistry& registry) {
    for (const DocumentListingSpec& spec : documentListings())
        registry.add(QString::fromLatin1(spec.window),
                     [spec](Session& s, QWidget* parent) -> QWidget* { return new DocumentListing(s, parent, spec); });
}

}  // namespace tarvic
