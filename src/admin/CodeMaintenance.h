#pragma once
// The two bound-grid windows over the numbering tables: frm_Counter over MST_COUNTER and
// frm_DocCode_Masters over MST_DOCUMENTCODES. Both are members of the lookup-grid family.
#include "shell/kit/LookupGridConfig.h"

namespace tarvic {

// "Counter Details": CODE and COUNTER. A counter is reset by editing its number, never below
// the highest number in use; its code is read-only, since renaming a counter would restart a
// document's numbering at 1.
LookupGridConfig frm_Counter_Config();
// "DOCUMENT CODES MAINTENANCE MASTER": SL NO, DOC CODE, DESCRIPTION, HEADER CAPTION; new codes
// are added on the last line. No row is deleted: documents keep their codes.
LookupGridConfig frm_DocCode_Masters_Config();

}  // namespace tarvic
