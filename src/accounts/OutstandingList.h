#pragma once
// Parties with a balance as of now: the party outstanding list (frm_LstPO, codes "LDOP",
// largest debit first) and the miscellaneous-account one (frm_LstPO_MA, codes "LDMA", largest
// credit first), one window with two configurations. "DB" lists those who owe, "CR" those
// owed; a settled party is in neither. Each party's balance is also shown by age (0-30, 31-60,
// 61-90, over 90 days, as of today), with the totals of the lines under them.
#include "shell/kit/ListingWindow.h"

namespace tarvic {

struct OutstandingConfig {
    QString objectName;
    QString title;
    QString codeList;
    bool creditFirst = false;
    static OutstandingConfig party();
    static OutstandingConfig miscAccount();
};

class OutstandingList : public ListingWindow {
    Q_OBJECT
public:
    enum GridCol { ColCode, ColName, ColType, ColBalance, ColAge0To30, ColAge31To60, ColAge61To90, ColAgeOver90 };

    OutstandingList(const OutstandingConfig& config, Session& session, QWidget* parent = nullptr);

    QComboBox* Cmb_DBCR = nullptr;
    ListGrid* Grid2 = nullptr;  // TOTAL BALANCE and the totals by age

private:
    OutstandingConfig config_;
    QStringList codes_;
};

}  // namespace tarvic
