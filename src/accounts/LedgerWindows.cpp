#include "AccountsWindows.h"

#include "OutstandingList.h"
#include "PartyLedger.h"
#include "frm_CRDBList.h"
#include "frm_LstCBPTBal_ConsultWise.h"
#include "frm_LstPLTourwise.h"
#include "frm_PartyLedger_CBPT.h"

namespace tarvic {

void registerLedgerWindows(WindowRegistry& registry) {
    for (const PartyLedgerConfig& config : {PartyLedgerConfig::party(), PartyLedgerConfig::miscAccount()})
        registry.add(config.objectName,
                     [config](Session& s, QWidget* parent) -> QWidget* { return new PartyLedger(config, s, parent); });
    for (const OutstandingConfig& config : {OutstandingConfig::party(), OutstandingConfig::miscAccount()})
        registry.add(config.objectName, [config](Session& s, QWidget* parent) -> QWidget* {
            return new OutstandingList(config, s, parent);
        });
    registry.add<frm_PartyLedger_CBPT>(QStringLiteral("frm_PartyLedger_CBPT"));
    registry.add<frm_CRDBList>(QStringLiteral("frm_CRDBList"));
    registry.add<frm_LstCBPTBal_ConsultWise>(QStringLiteral("frm_LstCBPTBal_ConsultWise"));
    registry.add<frm_LstPLTourwise>(QStringLiteral("frm_LstPLTourwise"));
}

}  // namespace tarvic
