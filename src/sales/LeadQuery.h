#pragma once
// The one lead query: the register's statement over M_TBL_TRANSACTION (DOC_CODE 'BLFC01') with
// its party, party type, request type, lead type, status and consultant, each outer-joined so
// a lead whose status, type, request or consultant has no row is still listed. The register,
// the lead search and the lead listing fill their grids from it; the entry window, the
// follow-up and the quotation window read one lead through it.
//
// Every list of leads carries the same conditions, added here and not by each window: the
// document code, the status pattern ("%" for all, a lead without a status included) and, for
// an OPERATOR, his own consultant code whatever else was asked for.
#include "engine/sales/LeadStore.h"
#include "masters/ConsultantRole.h"
#include "shell/kit/ListingWindow.h"

#include <QSqlRecord>
#include <optional>

namespace tarvic::lead {

// "SELECT {columns} FROM ... WHERE {filter}": ListingWindow's shape.
extern const QString kStatement;
// The lead's own columns (those the lead windows, the quotation and the booking read; not the
// whole transaction row, which triples what a grid reads) and every looked-up name, the
// party's MOBILE_NOS and EMAIL_ADD too.
extern const QString kSelect;
// Newest first; the number makes it a total order for paging.
extern const QString kOrder;

// The grid columns of the register and the search; the listing adds LST UPDATE after LEAD
// CODE. The lead's lock flag rides along hidden, last.
enum Column { SlNo, LeadDate, LeadCode };
QList<ListColumn> gridColumns(bool withLastUpdate = false);
// Row and text colour of the lead's status; invalid (the grid's own) without a status.
RowColours statusColours(const QSqlRecord& row);

// The document code, the status pattern and the operator's restriction.
void addConditions(ListFilter& f, const QString& statusPattern, const TCRoleCheck& role);

// A whole register query for a date range (the from-date through the whole to-date), the
// status pattern and the option's own condition (may be empty).
ListQuery registerQuery(const QDate& from, const QDate& to, const QString& statusPattern, const TCRoleCheck& role,
                        const std::function<void(ListFilter&)>& option = {});

// One lead by number, as the register shows it; none when it does not exist or the user, an
// operator, does not own it. Throws DbError.
std::optional<QSqlRecord> readLead(Database& db, qint64 leadNo, const TCRoleCheck& role);

}  // namespace tarvic::lead
