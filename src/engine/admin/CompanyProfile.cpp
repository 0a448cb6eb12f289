#include "CompanyProfile.h"

#include "data/RowWriter.h"
#include "engine/gst/Gstin.h"

namespace tarvic {

namespace {
const QString kSelect = QStringLiteral("SELECT * FROM MST_LOCATIONDETAILS ORDER BY LOC_ID");
}

const QList<CompanyProfile::Field>& CompanyProfile::fields() {
    using P = CompanyProfile;
    static const QList<Field> all{
        {"LOC_NAME", "COMPANY NAME", "name", true, &P::name},
        {"COMP_ADDRESS", "ADDRESS", "address", true, &P::address},
        {"ADD1", "CITY", "city", true, &P::city},
        {"STATE", "STATE", "state", true, &P::state},
        {"COMP_PHONES", "PHONE NOS", "phones", true, &P::phones},
        {"COMP_EMAIL", "E-MAIL", "email", false, &P::email},
        {"COMP_WEB", "WEB", "web", false, &P::web},
        {"COMP_GSTIN", "GSTIN", "gstin", true, &P::gstin},
        {"JURISDICTION_CITY", "JURISDICTION CITY", "jurisdiction", true, &P::jurisdiction},
        {"BANK_ACNAME", "A/C NAME", "ac-name", true, &P::acName},
        {"BANK_ACNO", "A/C NO", "ac-no", true, &P::acNo},
        {"BANK_NAME", "BANK NAME", "bank", true, &P::bankName},
        {"BANK_BRANCH", "BRANCH", "branch", true, &P::branch},
        {"BANK_IFSC", "IFS CODE", "ifsc", true, &P::ifsc},
        {"PHOTO_PATH", "COMP IMG URL", "picture", false, &P::photoPath},
    };
    return all;
}

bool isPlaceholder(const QString& value) {
    // The seeded texts all begin so ("YOUR GSTIN", "YOUR A/C NO"); no real value does.
    return value.trimmed().startsWith(QLatin1String("YOUR "), Qt::CaseInsensitive);
}

QStringList CompanyProfile::unfilled() const {
    QStringList out;
    for (const Field& f : fields()) {
        const QString& v = this->*f.member;
        if (f.needed && (v.trimmed().isEmpty() || isPlaceholder(v)))
            out << QLatin1String(f.caption);
    }
    return out;
}

CompanyProfile CompanyProfile::read(Database& db) {
    CompanyProfile p;
    if (const auto r = db.firstRow(kSelect))
        for (const Field& f : fields())
            p.*f.member = r->value(QLatin1String(f.column)).toString().trimmed();
    return p;
}

void CompanyProfile::save(Database& db) const {
    if (name.trimmed().isEmpty())
        throw DbError(DbError::Kind::Refused, QStringLiteral("COMPANY NAME IS NECESSARY ...."));
    // Every tax invoice and the returns carry it: a mistyped one is refused here, not by the portal.
    const QString id = gstin.trimmed();
    if (const gst::GstinFault fault = gst::checkGstin(id);
        !id.isEmpty() && !isPlaceholder(id) && fault != gst::GstinFault::None)
        throw DbError(
            DbError::Kind::Refused,
            QStringLiteral("THE COMPANY'S GSTIN %1 IS NOT VALID (%2) ....").arg(id, gst::gstinFaultText(fault)));
    Columns columns;
    for (const Field& f : fields()) {
        QString v = (this->*f.member).trimmed();
        if (f.member == &CompanyProfile::jurisdiction && (v.isEmpty() || isPlaceholder(v)) && !city.trimmed().isEmpty())
            v = city.trimmed();
        columns.emplace_back(QLatin1String(f.column), v);
    }
    db.transact([&] {
        // One row only: the first is updated, a row is added only to an empty table.
        const auto r = db.firstRow(kSelect);
        const QVariant id = r ? r->value(QStringLiteral("LOC_ID")) : QVariant(1);
        RowWriter(db, QString())
            .write(QStringLiteral("MST_LOCATIONDETAILS"), {{QStringLiteral("LOC_ID"), id}}, columns, !r,
                   RowWriter::Audit::None);
    });
}

}  // namespace tarvic
