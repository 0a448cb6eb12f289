#pragma once
// The company's own row (MST_LOCATIONDETAILS): its name, place, letterhead, bank details and
// jurisdiction, which every customer document prints. A new database carries placeholders
// ("YOUR GSTIN") until the administrator fills them in: the program takes the administrator to
// the company profile while any is left, and asks before printing a document that would show one.
#include "data/Database.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace tarvic {

struct CompanyProfile {
    QString name, address, city, state, phones, email, web, gstin, jurisdiction;
    QString acName, acNo, bankName, branch, ifsc;
    QString photoPath;  // the folder of the picture the generated pages put in their header

    // One field of the profile: its column, the caption windows and messages name it by, the
    // key tarvic-admin sets it with, whether a customer document needs it, and its member.
    struct Field {
        const char* column;
        const char* caption;
        const char* key;
        bool needed;
        QString CompanyProfile::*member;
    };
    static const QList<Field>& fields();

    // The captions of the needed fields still empty or still the placeholder a new database
    // was given, in the order of fields().
    QStringList unfilled() const;

    // The first row, as at logon; an empty profile when the table is empty.
    static CompanyProfile read(Database& db);
    // Writes every field into the first row, or adds the one row to an empty table. The company
    // name is needed and a GSTIN given must pass its own rules; the jurisdiction, when left
    // empty, is the company's city. Throws DbError.
    void save(Database& db) const;
};

// Whether a value is one of the placeholders a new database is seeded with.
bool isPlaceholder(const QString& value);

}  // namespace tarvic
