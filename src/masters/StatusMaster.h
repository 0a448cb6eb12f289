#pragma once
// The status-master family: a window over one table of user-defined statuses, each with a
// name, a place in lists, a row (back) colour and a text (fore) colour, and optionally lock
// flags. Lead, hotel, booking and operations booking statuses are configurations of it:
//
//     auto* w = new StatusMaster(session, parent, frm_LeadStatus_Config());
//
// Save_Record checks the name, asks its question, takes a new code from the member's counter
// only after Yes, and writes the row (with the exclusive lock clearing every other status)
// in one transaction.
#include "shell/kit/TaskWindow.h"

#include <QList>
#include <QPointer>
#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tarvic {

class Colour_Picker;

// A Y/N flag of a status, offered as a list "N", "Y" (default "N").
struct StatusLockFlag {
    QString column;    // e.g. "LEAD_LOCK", "LCK_MONEYRCPT"
    QString caption;   // label; "&" marks the access key
    QString comboName; // object name of its list, e.g. "Cmb_Lock"
};

struct StatusMasterConfig {
    QString windowName;  // "frm_LeadStatus"
    QString caption;     // "LEAD STATUS MAINTENANCE"
    QString table;       // "M_TBL_LEADSTATUS"
    QString keyColumn;   // "LEADSTATUS_CODE"
    QString nameColumn;  // "LEAD_STATUS"
    QString orderColumn; // "LEAD_SLNO"
    // Back colour then fore colour components.
    QString red, green, blue;
    QString foreRed, foreGreen, foreBlue;
    QString counter;     // "LEADSTAT"

    // The flags of a status. exclusiveLock: the first flag is held by at most one status;
    // saving a status with "Y" takes it from every other.
    QList<StatusLockFlag> locks;
    bool exclusiveLock = false;
    bool lockInGrid = false;  // the first flag is a grid column "LOCK"

    QString nameCaption;   // "LEAD &STATUS"
    QString orderCaption;  // "LEAD S&LNO"
    QString emptyNameMessage;  // "PLEASE ENTER LEAD STATUS TYPE ...."
    QString questionHead;      // " YOU ARE ABOUT TO UPDATUS LEAD STATUS "
    QString successMessage;    // "LEAD STATUS SUCCESSFULLY UPDATED ....."
    QString takenNameMessage;  // "LEAD STATUS ALREADY EXISTS ....": another status has the name
};

// The members.
StatusMasterConfig frm_LeadStatus_Config();
StatusMasterConfig frm_HotelStatus_Config();
StatusMasterConfig frm_CBPTSTATUS_Config();
StatusMasterConfig frm_CBPTSTATUS_OPS_Config();

class StatusMaster : public TaskWindow {
    Q_OBJECT
public:
    StatusMaster(Session& session, QWidget* parent, StatusMasterConfig config);

    const StatusMasterConfig& config() const { return config_; }

    QLabel* lbl_Code = nullptr;
    QLineEdit* txt_Status = nullptr;
    QLineEdit* txt_SlNO = nullptr;
    QLineEdit* txt_R = nullptr;
    QLineEdit* txt_G = nullptr;
    QLineEdit* txt_B = nullptr;
    QLineEdit* txt_FR = nullptr;
    QLineEdit* txt_FG = nullptr;
    QLineEdit* txt_FB = nullptr;
    QPushButton* Cmb_PickColor = nullptr;
    QPushButton* Cmb_PickColor2 = nullptr;
    QList<QComboBox*> lockLists;  // in the order of config().locks
    QLabel* lbl_CreatedBy = nullptr;
    QLabel* lbl_CreatedOn = nullptr;
    QLabel* lbl_UpdateBy = nullptr;
    QLabel* lbl_UpdateOn = nullptr;
    QTableWidget* Grid1 = nullptr;

    void Load_Init();
    void Save_Record();
    void Load_Grid();
    // Loads one status into the fields; false when it is not found.
    bool Show_Record(qint64 code);
    qint64 code() const { return code_; }

    // Opens the colour chooser for the back (fore=false) or text colour; the chosen colour
    // comes back into the three fields. Returns the open chooser.
    Colour_Picker* pickColour(bool fore);

private:
    void Load_EmptyGrid1();
    void rowChosen(int row);
    QComboBox* lockList(int i) const { return lockLists.value(i); }

    StatusMasterConfig config_;
    qint64 code_ = 0;
    QPointer<Colour_Picker> picker_;
};

}  // namespace tarvic
