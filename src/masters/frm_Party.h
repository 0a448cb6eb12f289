#pragma once
// "PARTY MAINTENANCE": one party of M_TBL_PARTY with its type and location. A new party
// shows code 0 and takes the next number of counter "PARTY" only when the user confirms the
// save, inside the save's transaction. There is no delete.
#include "shell/kit/CodeList.h"
#include "shell/kit/TaskWindow.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace tarvic {

class frm_Party : public TaskWindow {
    Q_OBJECT
public:
    frm_Party(Session& session, QWidget* parent = nullptr);

    QLabel* lbl_PartyCode = nullptr;
    QLineEdit* txt_PartyName = nullptr;
    CodeList* Cmb_PartyType = nullptr;
    QLabel* lbl_PartyTypeCode = nullptr;  // hidden
    QComboBox* Cmb_RelType = nullptr;
    QLineEdit* txt_ContPerson = nullptr;
    QLineEdit* txt_MobileNOs = nullptr;
    QLineEdit* txt_EmailAdd = nullptr;
    QLineEdit* txt_GSTIN = nullptr;
    CodeList* Cmb_Country = nullptr;
    QLabel* lbl_CountryCode = nullptr;  // hidden
    CodeList* Cmb_State = nullptr;
    QLabel* lbl_StateCode = nullptr;  // hidden
    CodeList* Cmb_Place = nullptr;
    QLabel* lbl_PlaceCode = nullptr;  // hidden
    QLineEdit* txt_PANNO = nullptr;
    QLineEdit* txt_UIDNO = nullptr;
    QLineEdit* txt_PassportNO = nullptr;
    QPlainTextEdit* txt_Address = nullptr;
    QComboBox* Cmb_CFA = nullptr;
    QComboBox* Cmb_WebAccess = nullptr;
    QComboBox* Cmb_WebModule = nullptr;
    QLineEdit* txt_PartyAliasName = nullptr;
    // A supplier's credit period, and a hotel's option and free-cancellation periods, in days.
    QLineEdit* txt_CreditDays = nullptr;
    QLineEdit* txt_OptionDays = nullptr;
    QLineEdit* txt_FreeCancelDays = nullptr;
    QLabel* lbl_CreatedByOn = nullptr;
    QLabel* lbl_UpdateByOn = nullptr;

    void Load_Init();
    void Save_Record();
    // Shows a stored party; a code with no party (in the lists' join) leaves the window as is.
    void Show_Record(qint64 code);
    // The code on screen, 0 for a new party.
    qint64 partyCode() const;

private:
    void Load_PartyType();
    void Load_Country();
    void partyNameLeft();
    // The codes of the other parties stored under this name, whatever its case.
    QStringList partiesNamed(const QString& name) const;
    void openSearch();
    void openWebPassword();
    // The web password button follows the web access stored for the party shown.
    void setWebPasswordButton(bool webAccess);
};

}  // namespace tarvic
