#pragma once
// The ledger of a party (frm_LDOP, codes "LDOP") and of a miscellaneous account (frm_LDMA,
// codes "LDMA"): one window, two configurations. Grid1 lists the period's entries newest
// first with their opening and closing balances; Grid2 totals everything up to the to-date
// (its balance closes the top row), Grid3 the period alone, each under a caption naming its
// dates.
#include "shell/kit/ListingWindow.h"

class QLabel;
class QLineEdit;

namespace tarvic {

class CodeField;

struct PartyLedgerConfig {
    QString objectName;
    QString title;
    QString codeList;
    static PartyLedgerConfig party();
    static PartyLedgerConfig miscAccount();
};

class PartyLedger : public ListingWindow {
    Q_OBJECT
public:
    enum GridCol {
        ColMark,
        ColSlNo,
        ColCode,
        ColDate,
        ColNo,
        ColDesc,
        ColOpening,
        ColDebit,
        ColCredit,
        ColClosing,
        ColOnBy
    };

    PartyLedger(const PartyLedgerConfig& config, Session& session, QWidget* parent = nullptr);

    QLineEdit* txt_PartyCode = nullptr;
    QLabel* lbl_PartyName = nullptr;
    ListGrid* Grid2 = nullptr;           // up to the to-date
    ListGrid* Grid3 = nullptr;           // the period
    QLabel* lbl_TotalsToDate = nullptr;  // over Grid2
    QLabel* lbl_TotalsPeriod = nullptr;  // over Grid3

    void Load_Grid() override;

private:
    CodeField* party_ = nullptr;
    QStringList codes_;
};

}  // namespace tarvic
