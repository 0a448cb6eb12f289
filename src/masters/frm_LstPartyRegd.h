#pragma once
// "LIST OF PARTY REGISTRATION BETWEEN DATES": parties created in a date range, with optional
// party type (exact) and country, state and place names (LIKE patterns as typed); Grid2
// counts them per type. The to-date takes in the whole of its day. A member of the listing
// family: only its columns, its fields and their conditions are its own.
#include "shell/kit/ListingWindow.h"

class QComboBox;
class QLineEdit;

namespace tarvic {

class frm_LstPartyRegd : public ListingWindow {
    Q_OBJECT
public:
    frm_LstPartyRegd(Session& session, QWidget* parent = nullptr);

    QComboBox* Cmb_PartyType = nullptr;  // first item blank: every type
    QLineEdit* txt_Country = nullptr;
    QLineEdit* txt_State = nullptr;
    QLineEdit* txt_Place = nullptr;
    ListGrid* Grid2 = nullptr;  // parties per type

private:
    void Load_PartyType();
};

}  // namespace tarvic
