#pragma once
// Masters a lead needs and leads stored directly, for the lead tests and any window that
// reads leads: parties 1 (B2C) and 2 (B2B), two lead types and request types, statuses OPEN
// (1), FOLLOW UP (2) and the booked BOOKED (3, LEAD_LOCK 'Y'), consultants 1 ADMIN, 2 OPERATOR
// and 3 without a role. The session is consultant 1's.
#include "support/TestSession.h"

namespace tarvic::test {

struct LeadMasters {
    TestSession ts;
    LeadMasters() {
        Database& db = ts.db();
        db.exec("INSERT INTO M_TBL_PARTYTYPE (PARTYTYPE_CODE, PARTY_TYPE) VALUES (1, 'CUSTOMER'), (2, 'AGENT')");
        db.exec(
            "INSERT INTO M_TBL_PARTY (PARTY_CODE, PARTY_NAME, BUSINESS_RELTYPE, PARTYTYPE_CODE, MOBILE_NOS, EMAIL_ADD) "
            "VALUES (1, 'SEA BREEZE', 'B2C', 1, '98470', 'sea@x.in'), (2, 'HILL AGENTS', 'B2B', 2, NULL, NULL)");
        db.exec("INSERT INTO M_TBL_LEADTYPE (LEADTYPE_CODE, LEAD_TYPE) VALUES (1, 'FIT'), (2, 'GROUP')");
        db.exec("INSERT INTO M_TBL_LEADNATURE (LEADREQ_CODE, LEADREQ_TYPE) VALUES (1, 'HOTEL'), (2, 'PACKAGE')");
        db.exec(
            "INSERT INTO M_TBL_LEADSTATUS (LEADSTATUS_CODE, LEAD_STATUS, LEAD_SLNO, LEAD_LOCK, L_RED, L_GREEN, L_BLUE, "
            "L_F_RED, L_F_GREEN, L_F_BLUE) VALUES (1, 'OPEN', 2, 'N', 255, 255, 0, 0, 0, 255), "
            "(2, 'FOLLOW UP', 1, NULL, 200, 200, 200, 0, 0, 0), (3, 'BOOKED', 3, 'Y', 0, 128, 0, 255, 255, 255)");
        db.exec(
            "INSERT INTO M_TBL_CONSULTANT (CONSULTANT_CODE, CONSULTANT_NAME, TC_ROLE) VALUES (1, 'ANIL', 'ADMIN'), "
            "(2, 'MEENA', 'OPERATOR'), (3, 'RAVI', '')");
        ts.session.consultantCode = 1;
    }
    Database& db() { return ts.db(); }
    // A stored lead: number, consultant, status (NULL when 0), date, and its lock.
    void lead(qint64 no, int consultant, int status, QDate date = QDate::currentDate(), const QString& lock = "N") {
        db().exec(
            "INSERT INTO M_TBL_TRANSACTION (DOC_CODE, DOC_NO, DOC_DATE, PARTY_CODE, LEADTYPE_CODE, LEADREQ_CODE, "
            "DOC_DESC, NOOF_PAX, CONSULTANT_CODE, LEADSTATUS_CODE, LCK_LEAD, FILENO) "
            "VALUES ('BLFC01', ?, ?, 2, 1, 2, ?, 2, ?, ?, ?, ?)",
            {no, date.startOfDay(), QStringLiteral("LEAD %1").arg(no), consultant,
             status ? QVariant(status) : QVariant(QMetaType(QMetaType::Int)), lock, QStringLiteral("F%1").arg(no)});
    }
};

}  // namespace tarvic::test
