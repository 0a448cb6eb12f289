#pragma once
// Parties with a balance as of now: the party outstanding list (frm_LstPO, codes "LDOP",
// largest debit first) and the miscellaneous-account one (frm_LstPO_MA, codes "LDMA", largest
// credit first), one window with two configurations. "DB" lists those who owe, "CR" those
// owed; a settled party is in neither.
#include "AccountsListing.h"

namespace tarvic {

struct OutstandingConfig {
    QString objectName;
    QString title;
    QString codeList;
    bool creditFirst = false;
    static OutstandingConfig party();
    static OutstandingConfig miscAccount();
};

class OutstandingList : public AccountsListing {
    Q_OBJECT
public:
    enum GridCol { ColCode, ColName, ColType, ColBalance };

    OutstandingList(const OutstandingConfig& config, Session& session, QWidget* parent = nullptr);

    QComboBox* Cmb_DBCR = nullptr;

    void Load_Grid() override;

private:
    OutstandingConfig config_;
    QStringList codes_;
};

}  // namespace tarvic
