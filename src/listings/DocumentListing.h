#pragma once
// The documents of one kind between two dates: a member of the listing family stated as
// data (DocumentListingSpec) over the kit's ListingWindow. Every member shares the filter
// form (status among those present, all / party / number / bank, and its own extras), the
// detail grid, the summaries by party and by bank and the total, and the export; what a
// member adds is its columns (the engine joins what they show), a balance per row over a
// code list, and its click.
#include "engine/accounts/InvoiceStore.h"
#include "shell/kit/ListingWindow.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace tarvic {

class CodeField;
class CodeList;

struct DocumentListingSpec {
    enum class Totals { Pattern, Invoice };
    enum class Click { None, Voucher, Invoice };
    enum Extra { NoExtra = 0, AccountFilter = 1, BookingFilter = 2, QuotationFilter = 4 };

    const char* window;
    const char* title;
    QStringList codes;                  // the codes listed (a bank transfer: both legs)
    QList<ListColumn> columns;          // the member's own, between the document's number and its remarks
    const char* bankHeading = nullptr;  // heads the bank column (DB_BANK); none: no bank filter or summary
    const char* balanceList = nullptr;  // a code list of M_TBL_CODES: each row's balance against its booking
    bool creditBalance = false;         // credit minus debit (what is owed to a supplier)
    Totals totals = Totals::Pattern;
    int extras = NoExtra;
    Click click = Click::None;
};

class DocumentListing : public ListingWindow {
    Q_OBJECT
public:
    DocumentListing(Session& session, QWidget* parent, const DocumentListingSpec& spec);

    QComboBox* Cmb_Status = nullptr;
    QRadioButton* Option1 = nullptr;  // all
    QRadioButton* Option2 = nullptr;  // party code
    QRadioButton* Option3 = nullptr;  // document number
    QRadioButton* Option4 = nullptr;  // bank (members with a bank)
    QRadioButton* Option5 = nullptr;  // the member's extra (account, booking, quotation)
    QLineEdit* txt_PartyCode = nullptr;
    QLabel* lbl_PartyName = nullptr;
    QLineEdit* txt_DocNo = nullptr;
    CodeList* Cmb_Bank = nullptr;
    QComboBox* Cmb_AccCode = nullptr;  // ACC_CODE as each item's data
    QLineEdit* txt_ExtraNo = nullptr;  // booking or quotation number

    const DocumentListingSpec& spec() const { return spec_; }
    // The detail column holding a field ("DOC_NO", "IN_DOCNO", "BALANCE"), or -1.
    int columnOf(const QString& field) const;
    // What a click on a detail row does: prints it (an invoice after storing its advance).
    void printRow(int row);

private:
    DocumentListingSpec spec_;
    CodeField* party_ = nullptr;
};

// The seventeen members, in menu order.
const QList<DocumentListingSpec>& documentListings();

}  // namespace tarvic
