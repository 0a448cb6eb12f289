#include "ServicePairs.h"

#include "data/AmountInWords.h"
#include "data/Moments.h"
#include "data/TransactionRecords.h"

namespace tarvic {

namespace {

const QString kCustomer = QString::fromLatin1(kServiceCustomerCode);
const QString kVendor = QString::fromLatin1(kServiceVendorCode);

// One row of the pair: the columns both rows share, then its own.
Document row(const ServicePair& p, bool customerSide) {
    Document d;
    d.code = customerSide ? kCustomer : kVendor;
    d.number = customerSide ? p.customerNo : p.vendorNo;
    d.amount = customerSide ? p.selling : p.buying;
    d.columns = {
        {QStringLiteral("DOC_DATE"), dateToDb(p.docDate)},
        {QStringLiteral("IN_DOCCODE"), customerSide ? kVendor : kCustomer},
        {QStringLiteral("IN_DOCNO"), customerSide ? p.vendorNo : p.customerNo},
        {QStringLiteral("TO_ACC"), p.serviceType},
        {QStringLiteral("START_DT"), dateToDb(p.serviceDate)},
        {QStringLiteral("END_DT"), dateToDb(p.serviceDate)},
        {QStringLiteral("PARTY_CODE"), customerSide ? p.customer : p.vendor},
        {QStringLiteral("REMARKS"), p.serviceName},
        {QStringLiteral("GRAND_TOTAL"), d.amount.toVariant()},
        {QStringLiteral("AMT_INWORDS"), amountInWordsPhrase(d.amount)},
        // The column's width: a longer text would be refused by the server.
        {QStringLiteral("DOC_DESC"), (customerSide ? customerDescription(p) : vendorDescription(p)).left(2000)}};
    return d;
}

}  // namespace

QString customerDescription(const ServicePair& p) {
    return QStringLiteral("ANDP08 - RS %1 TO RECEIVED FOR %2 - %3, V.O : %4, CODE : %5, ANCP08 NO : %6")
        .arg(p.selling.toString(), p.serviceTypeDesc, p.serviceName, p.vendorName)
        .arg(p.vendor)
        .arg(p.vendorNo);
}

QString vendorDescription(const ServicePair& p) {
    return QStringLiteral("ANCP08 - RS %1 TO PAID FOR %2 - %3, PARTY NAME : %4, ANDP08 NO : %5")
        .arg(p.buying.toString(), p.serviceTypeDesc, p.serviceName, p.customerName)
        .arg(p.customerNo);
}

ServicePair ServicePairs::save(const ServicePair& pair) {
    if (pair.selling <= Money() || pair.buying <= Money())
        throw DbError(DbError::Kind::Refused, QStringLiteral("A single window service needs both amounts above zero"));
    const bool isNew = pair.customerNo <= 0;
    if (!isNew && pair.vendorNo <= 0)
        throw DbError(DbError::Kind::Other, QStringLiteral("ANDP08 %1 has no ANCP08 partner").arg(pair.customerNo));
    return db_.transact([&] {
        ServicePair p = pair;
        TransactionRecords records(db_, user_);
        if (isNew) {
            // Each row names the other's number: the customer row takes its number first and
            // learns its partner's once the vendor row has one, all inside this transaction.
            p.vendorNo = 0;
            p.customerNo = records.save(row(p, true));
            p.vendorNo = records.save(row(p, false));
            records.save(row(p, true));
        } else {
            records.save(row(p, true));
            records.save(row(p, false));
        }
        return p;
    });
}

std::optional<ServicePair> ServicePairs::load(qint64 customerNo) {
    // Outer joins: a party or a service type deleted since keeps the pair on screen.
    const auto r = db_.firstRow(
        QStringLiteral(
            "SELECT a.DOC_DATE, a.START_DT, a.PARTY_CODE, a.TO_ACC, a.REMARKS, a.GRAND_TOTAL, "
            "a.DOC_STATUS, b.PARTY_NAME, c.DOC_NO AS VO_NO, c.PARTY_CODE AS VO_CODE, d.PARTY_NAME AS VO_NAME, "
            "c.CR_AMT, e.ACCOUNT_DESC FROM M_TBL_TRANSACTION a "
            "JOIN M_TBL_TRANSACTION c ON c.DOC_CODE=a.IN_DOCCODE AND c.DOC_NO=a.IN_DOCNO "
            "LEFT JOIN M_TBL_PARTY b ON b.PARTY_CODE=a.PARTY_CODE "
            "LEFT JOIN M_TBL_PARTY d ON d.PARTY_CODE=c.PARTY_CODE "
            "LEFT JOIN M_TBL_DOCUMENTACCOUNT_COMB e ON e.DOC_CODE=a.DOC_CODE AND e.ACC_CODE=a.TO_ACC "
            "WHERE a.DOC_CODE=? AND a.DOC_NO=? AND a.IN_DOCCODE=?"),
        {kCustomer, customerNo, kVendor});
    if (!r)
        return std::nullopt;
    ServicePair p;
    p.customerNo = customerNo;
    p.vendorNo = r->value(QStringLiteral("VO_NO")).toLongLong();
    p.docDate = dateFromDb(r->value(QStringLiteral("DOC_DATE")));
    p.serviceDate = dateFromDb(r->value(QStringLiteral("START_DT")));
    p.customer = r->value(QStringLiteral("PARTY_CODE")).toLongLong();
    p.customerName = r->value(QStringLiteral("PARTY_NAME")).toString();
    p.vendor = r->value(QStringLiteral("VO_CODE")).toLongLong();
    p.vendorName = r->value(QStringLiteral("VO_NAME")).toString();
    p.serviceType = r->value(QStringLiteral("TO_ACC")).toString();
    p.serviceTypeDesc = r->value(QStringLiteral("ACCOUNT_DESC")).toString();
    p.serviceName = r->value(QStringLiteral("REMARKS")).toString();
    p.selling = Money::fromVariant(r->value(QStringLiteral("GRAND_TOTAL")));
    p.buying = Money::fromVariant(r->value(QStringLiteral("CR_AMT")));
    p.status = r->value(QStringLiteral("DOC_STATUS")).toString().trimmed();
    return p;
}

}  // namespace tarvic
