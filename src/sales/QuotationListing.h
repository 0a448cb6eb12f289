#pragma once
// What the quotation listings and the combination search share: a listing whose options
// narrow it to one lead (typed or picked with the lead search) or to one party (typed or
// picked, its name shown beside the code). A typed code that is no number lists nothing.
#include "shell/kit/ListingWindow.h"

class QLabel;
class QLineEdit;

namespace tarvic {

class CodeField;

class QuotationListing : public ListingWindow {
    Q_OBJECT
public:
    QuotationListing(Session& session, QWidget* parent, ListingConfig config);

    QLineEdit* txt_LeadNO = nullptr;     // with addLeadOption
    QLineEdit* txt_PartyCode = nullptr;  // with addPartyOption
    QLabel* lbl_PartyName = nullptr;

protected:
    // An option without a field of its own: the date range alone.
    QRadioButton* addAllOption(const QString& objectName, const QString& caption);
    // column = the lead typed in txt_LeadNO.
    QRadioButton* addLeadOption(const QString& objectName, const QString& caption, const QString& column);
    // column = the party code typed in txt_PartyCode.
    QRadioButton* addPartyOption(const QString& objectName, const QString& caption, const QString& column);

private:
    QWidget* withButton(QWidget* field, QWidget* button, QWidget* after = nullptr);
    CodeField* party_ = nullptr;
};

}  // namespace tarvic
