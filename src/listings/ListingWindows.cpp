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
    // clang-format off
    static const QList<Spec> members{
        {"frm_LstCBPT01", "LIST OF CUSTOMER BOOKED FOR PACKAGED TOUR ( CBPT ) ", codes("CBPT01"), L::Booking,
         nullptr, "PTBAL"},
        {"frm_LstANCP01", "LIST OF ADVICE NOTE CREDIT POSTING - HOTEL ( ANCP01 )", codes("ANCP01"), L::HotelNote,
         nullptr, "ANCPBAL1", true},
        {"frm_LstANCP02", "ADVICE NOTE CREDIT POSTING - VEHICLE ( ANCP02 )", codes("ANCP02"), L::VehicleNote,
         nullptr, "ANCPBAL2", true},
        {"frm_LstANCP03", "LIST ADVICE NOTE CR POSTING - OTHER ( ANCP03 )", codes("ANCP03"), L::OtherNote,
         nullptr, "ANCPBAL3", true},
        {"frm_LstHotelBookedBetwenDates", "List of Hotel Booked Between Dates", codes("ANCP01"), L::HotelsBooked,
         nullptr, "ANCPBAL1", true, Spec::Totals::Pattern, Spec::QuotationFilter},
        {"frm_LstANCP08", "LIST OF ADVICE NOTE CREDIT POSTING - MISC ( ANCP08 )", codes("ANCP08"), L::Misc},
        {"frm_LstANDP08", "LIST OF ADVICE NOTE DEBIT POSTING - (ANDP08)", codes("ANDP08"), L::Misc},
        // The receipt prints on a click too.
        {"frm_LstFRDB01", "LIST OF FUND RECEIVE AGAINST CBPT ( FRDB01 )", codes("FRDB01"), L::Money, "DB BANK",
         nullptr, false, Spec::Totals::Pattern, Spec::NoExtra, Spec::Click::Voucher},
        {"frm_LstFTCR01", "LIST OF PAYMENTS TO PARTY ( FTCR01 )", codes("FTCR01"), L::Money, "CR BANK"},
        {"frm_LstFTREF01", "LIST OF FUND TRANSFER REFUND BETWEEN DATES", codes("FTREF01"), L::Money, "DB BANK"},
        {"frm_LstFRDM01", "LIST OF FUND RECEIVE DEBIT FROM MISC A/C", codes("FRDM01"), L::Voucher, "DB BANK",
         nullptr, false, Spec::Totals::Pattern, Spec::AccountFilter, Spec::Click::Voucher},
        {"frm_LstAPCM01", "LIST AMOUNT PAYMENT CREDIT BY MISC EXPENSES", codes("APCM01"), L::Voucher, "CR BANK",
         nullptr, false, Spec::Totals::Pattern, Spec::AccountFilter, Spec::Click::Voucher},
        {"frm_LstBDAP01", "LIST OF BANK DEBITED AMOUNT POSTINGS ( BDAP01 )", codes("BDAP01"), L::Voucher, "BANK"},
        {"frm_LstBCAP01", "LIST OF BANK CREDIT AMOUNT POSTINGS", codes("BCAP01"), L::Voucher, "BANK"},
        {"frm_LstFTCB01", "LIST FUND TRANSFER CREDIT FROM BANK", codes("BTCR01", "BTDB01"), L::Transfer, "BANK",
         nullptr, false, Spec::Totals::Pattern, Spec::NoExtra, Spec::Click::Voucher},
        {"frm_LstInv001", "LIST OF INVOICES GENERATED BETWEEN DATES", codes("INV001"), L::Invoice, nullptr, nullptr,
         false, Spec::Totals::Invoice, Spec::BookingFilter, Spec::Click::Invoice},
        {"frm_LstInvoice_P", "LIST OF PROFORMA INVOICE GENERATE BETWEEN DATES", codes("INV006"), L::Invoice, nullptr,
         nullptr, false, Spec::Totals::Invoice, Spec::BookingFilter, Spec::Click::Voucher},
    };
    // clang-format on
    return members;
}

void registerListingWindows(WindowRegistry& registry) {
    for (const DocumentListingSpec& spec : documentListings())
        registry.add(QString::fromLatin1(spec.window),
                     [spec](Session& s, QWidget* parent) -> QWidget* { return new DocumentListing(s, parent, spec); });
}

}  // namespace tarvic
