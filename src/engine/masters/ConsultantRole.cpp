#include "ConsultantRole.h"

namespace tarvic {

TCRoleCheck Chk_TCRole(Database& db, int consultantCode) {
    TCRoleCheck check;
    check.consultantCode = consultantCode;
    const auto row = db.firstRow(QStringLiteral("SELECT * FROM M_TBL_CONSULTANT WHERE CONSULTANT_CODE=?"),
                                 {consultantCode});
    if (!row)
        return check;
    check.consultantName = row->value(QStringLiteral("CONSULTANT_NAME")).toString().trimmed();
    const QString role = row->value(QStringLiteral("TC_ROLE")).toString().trimmed();
    if (role == QLatin1String("OPERATOR"))
        check.role = TCRole::Operator;
    else if (role == QLatin1String("ADMIN"))
        check.role = TCRole::Admin;
    else
        check.role = TCRole::NoPermission;
    return check;
}

}  // namespace tarvic
