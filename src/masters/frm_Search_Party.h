#pragma once
// "SEARCH PARTY": the party picker shared by every window that names a party. Six search
// keys, each an option button with its own field; the typed text, trimmed, is the pattern
// exactly as typed (the user types "%" where a wildcard is wanted; lbl_Hint says so), always
// bound. A text without "%" that is no whole value lists the rows containing it; a search
// that finds nothing says so.
//
// Picking a row (double-click, or Enter in the grid, on a row with a code) calls the
// caller's callback with the PARTY_CODE and closes the picker. Opened from the menu (no
// callback) it only shows its list.
//
//     auto* search = new frm_Search_Party(session(), this,
//         [this](const QString& code) { txt_PartyCode->setText(code); Show_PartyName(); });
//     search->setAttribute(Qt::WA_DeleteOnClose);
//     search->setWindowModality(Qt::ApplicationModal);
//     search->show();
#include "shell/kit/ListGrid.h"
#include "shell/kit/QueryModel.h"
#include "shell/kit/Picker.h"
#include "shell/kit/TaskWindow.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tarvic {

class QueryModel;

// The columns a list of parties shows, with their type and location names: only these are
// read (never the password), so that long lists travel light.
inline const QString kPartyListColumns = QStringLiteral(
    "a.PARTY_CODE, a.PARTY_NAME, a.PERSON_NAME, a.MOBILE_NOS, a.EMAIL_ADD, a.CREATED_BY, a.CREATED_ON, a.UPDATE_BY, "
    "a.UPDATE_ON, b.PARTY_TYPE, c.COUNTRY_NAME, d.STATE_NAME, e.PLACE_NAME");

// The grid columns of a list of parties, as the search and the registration list show them;
// the list also shows each party's type after its code.
QList<ListColumn> partyListGridColumns(bool withType);

class frm_Search_Party : public TaskWindow {
    Q_OBJECT
public:
    // The search keys, in the order of their option buttons.
    enum class Key { PartyName = 1, ContPerson, MobileNos, EmailAdd, PartyCode, TypePlace };
    enum GridCol { ColCode, ColName, ColPerson, ColMobile, ColEmail, ColPlace, ColState, ColCountry, ColCreated, ColUpdated };

    frm_Search_Party(Session& session, QWidget* parent, PickCallback onPick = {});

    QRadioButton* Opt_PartyName = nullptr;
    QRadioButton* Opt_ContPerson = nullptr;
    QRadioButton* Opt_MobileNos = nullptr;
    QRadioButton* Opt_EmailAdd = nullptr;
    QRadioButton* Opt_PartyCode = nullptr;
    QRadioButton* Opt_TypePlace = nullptr;
    QLineEdit* txt_PartyName = nullptr;
    QLineEdit* txt_ContPerson = nullptr;
    QLineEdit* txt_MobileNos = nullptr;
    QLineEdit* txt_EmailAdd = nullptr;
    QLineEdit* txt_PartyCode = nullptr;
    QLineEdit* txt_TypePlace = nullptr;
    QPushButton* Cmd_Show = nullptr;
    QLabel* lbl_Hint = nullptr;  // how to type a pattern, or that the rows shown contain the text
    ListGrid* Grid1 = nullptr;

    // The chosen key and its field.
    Key key() const;
    void setKey(Key key);
    // Fills the grid for the chosen key and its text.
    void Load_Grid();
    // Hands the party of a grid row to the caller; false for a row without a code.
    bool pickRow(int row);

private:
    QRadioButton* option(Key key) const;
    QLineEdit* field(Key key) const;

    PickCallback onPick_;
    QueryModel* model_ = nullptr;
};

}  // namespace tarvic
