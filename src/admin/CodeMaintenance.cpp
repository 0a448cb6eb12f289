#include "CodeMaintenance.h"

namespace tarvic {

LookupGridConfig frm_Counter_Config() {
    using K = LookupColumn::Kind;
    LookupGridConfig c;
    c.windowName = QStringLiteral("frm_Counter");
    c.caption = QStringLiteral("Counter Details");
    c.sourceName = QStringLiteral("Ado_Counter");
    c.table = QStringLiteral("MST_COUNTER");
    c.orderBy = QStringLiteral("CODE");
    c.columns = {
        {QStringLiteral("CODE"), QStringLiteral("CODE"), 3000, K::Text, true},
        {QStringLiteral("COUNTER"), QStringLiteral("COUNTER"), 2000, K::Integer},
    };
    c.keyColumn = QStringLiteral("CODE");
    c.upperCase = true;
    c.size = QSize(420, 480);
    return c;
}

LookupGridConfig frm_DocCode_Masters_Config() {
    using K = LookupColumn::Kind;
    LookupGridConfig c;
    c.windowName = QStringLiteral("frm_DocCode_Masters");
    c.caption = QStringLiteral("DOCUMENT CODES MAINTENANCE MASTER");
    c.sourceName = QStringLiteral("Ado_DocCodes");
    c.table = QStringLiteral("MST_DOCUMENTCODES");
    c.orderBy = QStringLiteral("SLNO");
    c.columns = {
        {QStringLiteral("SLNO"), QStringLiteral("SL NO"), 900, K::Integer},
        {QStringLiteral("DOC_CODE"), QStringLiteral("DOC CODE"), 1300, K::Text},
        {QStringLiteral("DOC_DESCRIPTION"), QStringLiteral("DESCRIPTION"), 6000, K::Text},
        {QStringLiteral("DOC_HEADER"), QStringLiteral("HEADER CAPTION"), 4000, K::Text},
    };
    c.keyColumn = QStringLiteral("DOC_CODE");
    c.upperCase = true;
    c.allowAdd = true;
    c.size = QSize(880, 560);
    return c;
}

}  // namespace tarvic
