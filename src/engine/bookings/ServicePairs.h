#pragma once
// The single window service: a service sold on its own (a ticket, a transfer) posted as two
// rows written together. The customer is debited with the selling amount (ANDP08), the vendor
// credited with the buying amount (ANCP08); each row names the other's code and number. Both
// numbers are taken, and both rows written, in one transaction: a pair is whole or absent.
#include "data/Database.h"
#include "data/Money.h"

#include <QDate>
#include <optional>

namespace tarvic {

inline constexpr const char* kServiceCustomerCode = "ANDP08";
inline constexpr const char* kServiceVendorCode = "ANCP08";

struct ServicePair {
    qint64 customerNo = 0;  // the ANDP08 number; 0: a new pair
    qint64 vendorNo = 0;    // the ANCP08 number
    QDate docDate;
    QDate serviceDate;
    qint64 customer = 0;
    QString customerName;
    qint64 vendor = 0;
    QString vendorName;
    QString serviceType;      // ACC_CODE of the ANDP08 rows of M_TBL_DOCUMENTACCOUNT_COMB
    QString serviceTypeDesc;  // its ACCOUNT_DESC, as the descriptions name it
    QString serviceName;
    Money selling;
    Money buying;
    QString status;  // as loaded: APPRV or CNCL
};

// DOC_DESC of the customer's and of the vendor's row.
QString customerDescription(const ServicePair& p);
QString vendorDescription(const ServicePair& p);

class ServicePairs {
public:
    ServicePairs(Database& db, QString userFullName) : db_(db), user_(std::move(userFullName)) {}

    // Saves a pair and returns it with both numbers. A new pair takes the next number of each
    // code; a loaded one is updated in place by key, both rows live, or nothing is written
    // (DbError Cancelled or Changed). A zero or negative amount is refused (DbError Refused).
    ServicePair save(const ServicePair& pair);
    // The pair of a customer row, its names looked up where they still exist; none when the
    // number names no ANDP08 row of a pair.
    std::optional<ServicePair> load(qint64 customerNo);

private:
    Database& db_;
    QString user_;
};

}  // namespace tarvic
