#include "TourDays.h"

#include "data/Moments.h"
#include "engine/sales/QuotationLines.h"

#include <vector>

namespace tarvic {

int regenerateTourDays(Database& db, const TourDayProgress& progress) {
    const auto phase = [&](const char* text) {
        if (progress.phase)
            progress.phase(QLatin1String(text));
    };
    return db.transact([&] {
        phase("CLEARING TOURING DATES FROM THE TABLE, PLEASE WAIT .....");
        db.exec(QStringLiteral("DELETE FROM M_TBL_QUOTATION WHERE DOC_CODE='QGBL03'"));
        phase("FETCHING RECORDS FOR RE-GENERATION, PLEASE WAIT .....");
        // Read whole before the first insert: one statement object per statement.
        std::vector<TourDayLine> lines;
        {
            QSqlQuery q = db.exec(
                QStringLiteral("SELECT DOC_NO, ACC_CODE, ACCOUNT_DESC, TOUR_DATE, CHKOT_DT FROM M_TBL_QUOTATION "
                               "WHERE DOC_CODE='QGBL02' AND ACCOUNT_DESC IN ('HOTEL','VEHICLE') "
                               "ORDER BY ACCOUNT_DESC, TOUR_DATE, DOC_NO, ACC_CODE"));
            while (q.next()) {
                TourDayLine l;
                l.quotation = q.value(0).toLongLong();
                l.line = q.value(1).toLongLong();
                l.kind = q.value(2).toString().trimmed();
                l.from = dateFromDb(q.value(3));
                l.to = dateFromDb(q.value(4));
                l.days = l.from.isValid() ? lineDayCount(l.kind, l.from, l.to) : 0;
                lines.push_back(l);
            }
            q.finish();
        }
        if (lines.empty())
            return 0;
        phase("RE-GENERATION ABOUT TO BEGIN, PLEASE WAIT .....");
        const int total = int(lines.size());
        for (int i = 0; i < total; ++i) {
            const TourDayLine& l = lines[size_t(i)];
            for (int d = 0; d < l.days; ++d) {
                insertLineDays(db, l.quotation, l.line, l.kind, l.from.addDays(d), 1);
                if (progress.row)
                    progress.row(i + 1, total, l, l.from.addDays(d));
            }
        }
        return total;
    });
}

}  // namespace tarvic
