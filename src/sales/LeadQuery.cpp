#include "LeadQuery.h"

#include "data/Moments.h"

namespace tarvic::lead {

const QString kStatement = QStringLiteral(
    "SELECT {columns} FROM M_TBL_TRANSACTION a "
    "LEFT JOIN M_TBL_PARTY b ON b.PARTY_CODE=a.PARTY_CODE "
    "LEFT JOIN M_TBL_PARTYTYPE c ON c.PARTYTYPE_CODE=b.PARTYTYPE_CODE "
    "LEFT JOIN M_TBL_LEADNATURE d ON d.LEADREQ_CODE=a.LEADREQ_CODE "
    "LEFT JOIN M_TBL_LEADTYPE e ON e.LEADTYPE_CODE=a.LEADTYPE_CODE "
    "LEFT JOIN M_TBL_LEADSTATUS f ON f.LEADSTATUS_CODE=a.LEADSTATUS_CODE "
    "LEFT JOIN M_TBL_CONSULTANT g ON g.CONSULTANT_CODE=a.CONSULTANT_CODE "
    "WHERE {filter}");

const QString kSelect = QStringLiteral(
    "a.DOC_CODE, a.DOC_NO, a.DOC_DATE, a.PARTY_CODE, a.LEADTYPE_CODE, a.LEADREQ_CODE, a.DOC_DESC, a.NOOF_PAX, "
    "a.NOOF_CHILD, a.CHILD_AGES, a.START_DT, a.TOUR_DAYS, a.END_DT, a.TOURIST_NAME, a.TOURIST_MOBNO, a.TOURIST_EMAIL, "
    "a.CONSULTANT_CODE, a.BOOKED_BY, a.LEADSTATUS_CODE, a.FILENO, a.CONSUTLTANT_RESPONSETXT, a.CREATED_BY, "
    "a.CREATED_ON, a.UPDATE_BY, a.UPDATE_ON, a.LCK_LEAD, a.LCK_UPDATEBY, a.LCK_UPDATEON, a.FOLLOWUP_DT, b.PARTY_NAME, "
    "b.BUSINESS_RELTYPE, b.MOBILE_NOS, b.EMAIL_ADD, c.PARTY_TYPE, d.LEADREQ_TYPE, e.LEAD_TYPE, "
    "f.LEAD_STATUS, f.LEAD_LOCK, f.L_RED, f.L_BLUE, f.L_GREEN, f.L_F_RED, f.L_F_BLUE, f.L_F_GREEN, g.CONSULTANT_NAME");

const QString kOrder = QStringLiteral("a.DOC_DATE DESC, a.DOC_NO DESC");

QList<ListColumn> gridColumns(bool withLastUpdate) {
    using C = ListColumn;
    auto byOn = [](const char* by, const char* on) {
        return
            [by, on](const QSqlRecord& r) { return byOnText(r.value(QLatin1String(by)), r.value(QLatin1String(on))); };
    };
    auto t = [](const char* heading, const char* field, int width) {
        return C::text(QLatin1String(heading), QLatin1String(field), width);
    };
    auto n = [](const char* heading, const char* field, int width) {
        return C::number(QLatin1String(heading), QLatin1String(field), width);
    };
    QList<C> c{C::serial(QStringLiteral("SLNO"), 700),
               C::date(QStringLiteral("LEAD DT"), QStringLiteral("DOC_DATE"), 1200), n("LEAD CODE", "DOC_NO", 1200)};
    if (withLastUpdate)
        c << C::moment(QStringLiteral("LST UPDATE"), QStringLiteral("UPDATE_ON"), 2200);
    c << t("FILE NO", "FILENO", 1900) << t("CONSULTANT", "CONSULTANT_NAME", 2200)
      << t("ACTION TAKEN", "CONSUTLTANT_RESPONSETXT", 3000) << t("PARTY NAME", "PARTY_NAME", 3000)
      << t("DESCRIPTION", "DOC_DESC", 3000) << t("TYPE", "BUSINESS_RELTYPE", 800) << n("PARTY CODE", "PARTY_CODE", 1300)
      << t("LEAD TYPE", "LEAD_TYPE", 1800) << t("REQUEST FOR", "LEADREQ_TYPE", 1800) << n("PAX", "NOOF_PAX", 600)
      << n("CHILD", "NOOF_CHILD", 700) << t("AGES", "CHILD_AGES", 1000)
      << C::date(QStringLiteral("TOUR DT"), QStringLiteral("START_DT"), 1200) << n("DAYS", "TOUR_DAYS", 600)
      << C::date(QStringLiteral("END DATE"), QStringLiteral("END_DT"), 1200) << t("TOURIST NAME", "TOURIST_NAME", 2200)
      << t("MOBILE NO", "TOURIST_MOBNO", 1500) << t("E-MAIL ADD", "TOURIST_EMAIL", 2500)
      << t("STATUS", "LEAD_STATUS", 1600)
      << C::computed(QStringLiteral("CREATED BY - ON"), 3200, byOn("CREATED_BY", "CREATED_ON"))
      << C::computed(QStringLiteral("UPDATE BY - ON"), 3200, byOn("UPDATE_BY", "UPDATE_ON"))
      << C::computed(QStringLiteral("LOCK"), 600, [](const QSqlRecord& r) {
             // A lock flag that is NULL reads as N.
             return r.value(QStringLiteral("LCK_LEAD")).toString().trimmed() == QLatin1String("Y")
                        ? QStringLiteral("Y")
                        : QStringLiteral("N");
         }).hiddenColumn();
    return c;
}

RowColours statusColours(const QSqlRecord& row) {
    auto colour = [&](const char* r, const char* g, const char* b) {
        const QVariant red = row.value(QLatin1String(r));
        if (red.isNull())
            return QColor();
        return QColor(red.toInt(), row.value(QLatin1String(g)).toInt(), row.value(QLatin1String(b)).toInt());
    };
    return {colour("L_RED", "L_GREEN", "L_BLUE"), colour("L_F_RED", "L_F_GREEN", "L_F_BLUE")};
}

namespace {
void ownLeads(ListFilter& f, const TCRoleCheck& role) {
    if (role.role == TCRole::Operator)
        f.add(QStringLiteral("a.CONSULTANT_CODE=?"), {role.consultantCode});
}
}  // namespace

void addConditions(ListFilter& f, const QString& statusPattern, const TCRoleCheck& role) {
    f.add(QStringLiteral("a.DOC_CODE=?"), {kCode});
    // A lead whose status has no row (or none at all) still matches "%".
    f.add(QStringLiteral("COALESCE(f.LEAD_STATUS,'') LIKE ?"),
          {statusPattern.trimmed().isEmpty() ? QStringLiteral("%") : statusPattern.trimmed()});
    ownLeads(f, role);
}

ListQuery registerQuery(const QDate& from, const QDate& to, const QString& statusPattern, const TCRoleCheck& role,
                        const std::function<void(ListFilter&)>& option) {
    QVariantList range;
    ListFilter f;
    const QString dates = dayRangeCondition(QStringLiteral("a.DOC_DATE"), from, to, range);
    f.add(dates, range);
    addConditions(f, statusPattern, role);
    if (option)
        option(f);
    QString sql = kStatement;
    return {sql.replace(QStringLiteral("{filter}"), f.sql()), f.values()};
}

std::optional<QSqlRecord> readLead(Database& db, qint64 leadNo, const TCRoleCheck& role) {
    ListFilter f;
    f.add(QStringLiteral("a.DOC_CODE=? AND a.DOC_NO=?"), {kCode, leadNo});
    ownLeads(f, role);
    QString sql = kStatement;
    sql.replace(QStringLiteral("{filter}"), f.sql());
    return db.firstRow(ListQuery{sql, {}}.with(kSelect), f.values());
}

}  // namespace tarvic::lead
