#pragma once
// Lookup rows and contacts for the address-book tests, written with SQL.
#include "support/TestSession.h"

#include <QDateTime>
#include <utility>

namespace tarvic::test {

inline void addAddressBookLookups(Database& db) {
    using Named = std::pair<int, const char*>;
    for (const auto& [code, name] : {Named{1, "HOTEL"}, Named{2, "AGENT"}, Named{3, "TRANSPORTER"}})
        db.exec(QStringLiteral("INSERT INTO M_TBL_PARTYTYPE (PARTYTYPE_CODE, PARTY_TYPE) VALUES (?, ?)"), {code, QString::fromLatin1(name)});
    for (const auto& [code, name] : {Named{1, "INDIA"}, Named{2, "NEPAL"}})
        db.exec(QStringLiteral("INSERT INTO M_TBL_CSP_COUNTRY (COUNTRY_CODE, COUNTRY_NAME) VALUES (?, ?)"), {code, QString::fromLatin1(name)});
    struct State { int country, state; const char* name; };
    // "CENTRAL" exists in both countries under different codes.
    for (const State& s : {State{1, 1, "KERALA"}, State{1, 2, "GOA"}, State{1, 3, "CENTRAL"}, State{2, 1, "BAGMATI"},
                           State{2, 2, "CENTRAL"}})
        db.exec(QStringLiteral("INSERT INTO M_TBL_CSP_STATE (COUNTRY_CODE, STATE_CODE, STATE_NAME) VALUES (?, ?, ?)"),
                {s.country, s.state, QString::fromLatin1(s.name)});
    struct Place { int country, state, place; const char* name; };
    for (const Place& p : {Place{1, 1, 1, "KOCHI"}, Place{1, 1, 2, "MUNNAR"}, Place{1, 2, 1, "PANAJI"},
                           Place{2, 1, 1, "KATHMANDU"}, Place{1, 3, 1, "BHOPAL"}, Place{2, 2, 1, "MIDTOWN"}})
        db.exec(QStringLiteral("INSERT INTO M_TBL_CSP_PLACE (COUNTRY_CODE, STATE_CODE, PLACE_CODE, PLACE_NAME) VALUES (?, ?, ?, ?)"),
                {p.country, p.state, p.place, QString::fromLatin1(p.name)});
    for (const auto& [code, name] : {Named{1, "OTM MUMBAI 2024"}, Named{2, "SATTE DELHI"}})
        db.exec(QStringLiteral("INSERT INTO M_TBL_PARTYGROUP (GROUP_CODE, GROUP_NAME) VALUES (?, ?)"), {code, QString::fromLatin1(name)});
}

struct Contact {
    qint64 code;
    int type, country, state, place, group;
    QString name, person, mobile;
};

inline void addContact(Database& db, const Contact& c) {
    db.exec(QStringLiteral("INSERT INTO M_TBL_ADDRESSBOOK (BUSINESS_CODE, GROUP_CODE, BUSINESS_NAME, BUSINESS_TYPECODE,"
                           " COUNTRY_CODE, STATE_CODE, PLACE_CODE, CONT_NAME, MOBILE_NOS, EMAIL_ADDRESS, ADDRESS,"
                           " CREATED_BY, CREATED_ON) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            {c.code, c.group, c.name, c.type, c.country, c.state, c.place, c.person, c.mobile,
             c.person.toLower() + QStringLiteral("@example.com"), QStringLiteral("STREET %1").arg(c.code),
             QStringLiteral("CLERK"), QDateTime(QDate(2024, 3, 5), QTime(10, 30))});
}

}  // namespace tarvic::test
