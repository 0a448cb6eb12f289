#include "ListingWindows.h"

#include "DocumentListing.h"

namespace tarvic {

namespace {

using Spec = DocumentListingSpec;
using L = Spec::Layout;

QStringList codes(const char* a, const char* b = nullptr) {
    QStringList c{QString::fromLatin1(a)};
    if (b)
        c << QString::fromLatin1(b);
    return c;
}

}  // namespace

// The members of the listing family: what each lists, its bank, balance, totals, extras and click.
const QList<DocumentListingSpec>& documentListings() {
    static const QList<Spec> members{
        {.window = "frm_LstCBPT01",
         .title = "LIST OF CUSTOMER BOOKED FOR PACKAGED TOUR ( CBPT ) ",
         .codes = codes("CBPT01"),
         .layout = L::Booking,
         .balanceList = "PTBAL"},
        {.window = "frm_LstANCP01",
         .title = "LIST OF ADVICE NOTE CREDIT POSTING - HOTEL ( ANCP01 )",
         .codes = codes("ANCP01"),
         .layout = L::HotelNote,
         .balanceList = "ANCPBAL1",
         .creditBalance = true},
        {.window = "frm_LstANCP02",
         .title = "ADVICE NOTE CREDIT POSTING - VEHICLE ( ANCP02 )",
         .codes = codes("ANCP02"),
         .layout = L::VehicleNote,
         .balanceList = "ANCPBAL2",
         .creditBalance = true},
        {.window = "frm_LstANCP03",
         .title = "LIST ADVICE NOTE CR POSTING - OTHER ( ANCP03 )",
         .codes = codes("ANCP03"),
         .layout = L::OtherNote,
         .balanceList = "ANCPBAL3",
         .creditBalance = true},
        {.window = "frm_LstHotelBookedBetwenDates",
         .title = "List of Hotel Booked Between Dates",
         .codes = codes("ANCP01"),
         .layout = L::HotelsBooked,
         .balanceList = "ANCPBAL1",
         .creditBalance = true,
         .extras = Spec::QuotationFilter},
        {.window = "frm_LstANCP08",
         .title = "LIST OF ADVICE NOTE CREDIT POSTING - MISC ( ANCP08 )",
         .codes = codes("ANCP08"),
         .layout = L::Misc},
        {.window = "frm_LstANDP08",
         .title = "LIST OF ADVICE NOTE DEBIT POSTING - (ANDP08)",
         .codes = codes("ANDP08"),
         .layout = L::Misc},
        // The receipt prints on a click too.
        {.window = "frm_LstFRDB01",
         .title = "LIST OF FUND RECEIVE AGAINST CBPT ( FRDB01 )",
         .codes = codes("FRDB01"),
         .layout = L::Money,
         .bankHeading = "DB BANK",
         .click = Spec::Click::Voucher},
        {.window = "frm_LstFTCR01",
         .title = "LIST OF PAYMENTS TO PARTY ( FTCR01 )",
         .codes = codes("FTCR01"),
         .layout = L::Money,
         .bankHeading = "CR BANK"},
        {.window = "frm_LstFTREF01",
         .title = "LIST OF FUND TRANSFER REFUND BETWEEN DATES",
         .codes = codes("FTREF01"),
         .layout = L::Money,
         .bankHeading = "DB BANK"},
        {.window = "frm_LstFRDM01",
         .title = "LIST OF FUND RECEIVE DEBIT FROM MISC A/C",
         .codes = codes("FRDM01"),
         .layout = L::Voucher,
         .bankHeading = "DB BANK",
         .extras = Spec::AccountFilter,
         .click = Spec::Click::Voucher},
        {.window = "frm_LstAPCM01",
         .title = "LIST AMOUNT PAYMENT CREDIT BY MISC EXPENSES",
         .codes = codes("APCM01"),
         .layout = L::Voucher,
         .bankHeading = "CR BANK",
         .extras = Spec::AccountFilter,
         .click = Spec::Click::Voucher},
        {.window = "frm_LstBDAP01",
         .title = "LIST OF BANK DEBITED AMOUNT POSTINGS ( BDAP01 )",
         .codes = codes("BDAP01"),
         .layout = L::Voucher,
         .bankHeading = "BANK"},
        {.window = "frm_LstBCAP01",
         .title = "LIST OF BANK CREDIT AMOUNT POSTINGS",
         .codes = codes("BCAP01"),
         .layout = L::Voucher,
         .bankHeading = "BANK"},
        {.window = "frm_LstFTCB01",
         .title = "LIST FUND TRANSFER CREDIT FROM BANK",
         .codes = codes("BTCR01", "BTDB01"),
         .layout = L::Transfer,
         .bankHeading = "BANK",
         .click = Spec::Click::Voucher},
        {.window = "frm_LstInv001",
         .title = "LIST OF INVOICES GENERATED BETWEEN DATES",
         .codes = codes("INV001"),
         .layout = L::Invoice,
         .totals = Spec::Totals::Invoice,
         .extras = Spec::BookingFilter,
         .click = Spec::Click::Invoice},
        {.window = "frm_LstInvoice_P",
         .title = "LIST OF PROFORMA INVOICE GENERATE BETWEEN DATES",
         .codes = codes("INV006"),
         .layout = L::Invoice,
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
