#pragma once
// The ledger of a party (frm_LDOP, codes "LDOP") and of a miscellaneous account (frm_LDMA,
// codes "LDMA"): one window, two configurations. Grid1 lists the period's entries newest
// first with their opening and closing balances; Grid2 totals everything up to the to-date
// (its balance closes the top row), Grid3 the period alone, each under a caption that says
// which. SHOW without a party says the party is missing.
#include "AccountsListing.h"

class QLabel;
class QLineEdit;

namespace tarvic {

class CodeField;

// The message when a ledger is asked for without a party found by its code.
inline const QString kLedgerNoParty = QStringLiteral("PLEASE ENTER PARTY CODE PROPERLY ....");

// Puts a caption over a totals grid (named lbl_ + the given name), in the grid's place.
QLabel* captionTotals(ListGrid* grid, const QString& labelName, const QString& text);
// Looks the party up when only its code was typed; says it is missing (and focuses it) when
// no party is found. Returns whether the ledger may be shown.
bool ledgerPartyReady(CodeField* party, Prompter& prompter, QWidget* parent);

struct PartyLedgerConfig {
    QString objectName;
    QString title;
    QString codeList;
    static PartyLedgerConfig party();
    static PartyLedgerConfig miscAccount();
};

class PartyLedger : public AccountsListing {
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
    QDateEdit* txt_FromDate = nullptr;
    QDateEdit* txt_ToDate = nullptr;
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
