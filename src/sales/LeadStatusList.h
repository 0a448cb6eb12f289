#pragma once
// The lead status list. In the register, the search and the listing (Filter) it holds "%" and
// every status in LEAD_SLNO order, and its text is the pattern. In the entry and follow-up
// windows (Entry) it holds only the statuses a user may give (LEAD_LOCK not 'Y'), and its code
// is the chosen item's; a stored status not offered (the booked one a booking gave, or one
// whose row is gone) is shown as the current item that cannot be chosen again, and its code
// is kept until another status is chosen.
#include "shell/Session.h"

#include <QComboBox>

namespace tarvic {

class LeadStatusList : public QComboBox {
    Q_OBJECT
public:
    enum class Kind { Filter, Entry };
    LeadStatusList(Session& session, Kind kind, QWidget* parent);

    // Reads the statuses again; nothing is chosen in an Entry list. Throws DbError.
    void load();
    // The code of the item shown (Entry), empty when none.
    QString code() const;
    // The pattern of the item shown (Filter).
    QString pattern() const { return currentText().isEmpty() ? QStringLiteral("%") : currentText(); }
    // Shows a stored status (Entry); an empty code chooses nothing.
    void setStored(const QString& code, const QString& name);

private:
    void dropStored();

    Session& session_;
    Kind kind_;
    bool hasStored_ = false;
};

}  // namespace tarvic
