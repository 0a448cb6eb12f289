#pragma once
// A master row kept under a number of its own (a place, a consultant, a login ...): a new row
// takes the next number of its counter inside the transaction that writes it, so a number is
// used only when its row is; a shown row deleted or re-keyed meanwhile is reported, never
// added again.
#include "data/RowWriter.h"

#include <functional>

namespace tarvic {

struct NumberedRow {
    QString table;
    QString counter;
    Columns parents;  // the key columns above the row's own code, outermost first
    QString codeColumn;
    qint64 code = 0;  // 0: a new row
    Columns columns;
    RowWriter::Audit audit = RowWriter::Audit::Stamped;
};

// Writes the row and returns its code; alsoWrite runs in the same transaction once the row is
// written, with the code.
qint64 saveNumberedRow(Database& db, const QString& user, const NumberedRow& row,
                       const std::function<void(Database&, qint64 code)>& alsoWrite = {});

// Geography: the one default state of the whole table, whatever its country. The state is
// named by its whole key (country, state), so a state code repeated under another country is
// cleared too. Nothing happens unless the state is the default now.
void keepOneDefaultState(Database& db, const QVariantList& key, bool isDefault);

// A consultant of one of the two consultant masters, and the login that learns its code (in
// loginColumn of MST_LOGINDETAILS) with the same commit. Returns the consultant's code.
struct ConsultantEntry {
    QString table;        // M_TBL_CONSULTANT / M_TBL_CONSULTANT_OP
    QString counter;      // its counter
    QString loginColumn;  // the login's column that holds the code
    int code = 0;         // 0: a new consultant
    qint64 login = 0;
    Columns columns;
};
int saveConsultant(Database& db, const QString& user, const ConsultantEntry& entry);

// The party's password for the web, stamped with who set it and when.
void setPartyPassword(Database& db, const QString& user, qint64 party, const QString& password);

}  // namespace tarvic
