#pragma once
// What the register, the lead search and the lead listing share: a listing over the one lead
// query with its status list, the lead conditions (document code, status pattern, an
// operator's own leads) and the option fields they offer. Each states its title, grids and
// which options it has, in its own order.
#include "masters/ConsultantRole.h"
#include "shell/kit/ListingWindow.h"

class QLabel;
class QLineEdit;

namespace tarvic {

class LeadStatusList;

class LeadListWindow : public ListingWindow {
    Q_OBJECT
public:
    LeadListWindow(Session& session, QWidget* parent, ListingConfig config);

    LeadStatusList* Cmb_LeadStatus = nullptr;
    QLineEdit* txt_ConsCode = nullptr;  // with addConsultantOption
    QPushButton* Cmd_SrcCons = nullptr;
    QLabel* lbl_ConsName = nullptr;

    const TCRoleCheck& role() const { return role_; }
    // The lead number of a detail row, 0 outside the rows.
    qint64 leadAt(int row) const;

protected:
    // The option whose field is the status list (the status applies whichever option is chosen).
    QRadioButton* addStatusOption(const QString& objectName, const QString& caption);
    // The consultant code with its search and name; an operator's is his own, locked.
    QRadioButton* addConsultantOption(const QString& objectName, const QString& caption);
    // A whole number typed into a field of its own: column = number (no rows for other text).
    QRadioButton* addNumberOption(const QString& objectName, const QString& caption, const QString& field,
                                  const QString& column);
    // A text: column LIKE the text as typed, followed by suffix.
    QRadioButton* addLikeOption(const QString& objectName, const QString& caption, const QString& field,
                                const QString& column, const QString& suffix = {});

private:
    void showConsultantName();
    TCRoleCheck role_;
};

}  // namespace tarvic
