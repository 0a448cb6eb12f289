#pragma once
// A big office's data, built once per engine and cached: 100,000 parties, leads and bookings
// (each booking with its quotation of four lines and their day rows, three advice notes, a
// receipt, a supplier payment, a tax invoice and a schedule of three instalments), most tours
// settled with a second receipt and a payment to the other supplier, over six years ending a
// few weeks ahead. Scaled by TARVIC_BENCH_SCALE.
#include "BenchSupport.h"

#include <map>
#include <string>

namespace tarvic::bench {

struct Office {
    Target target;
    int units = 0;                       // bookings, each with its lead, party and quotation
    std::map<std::string, qint64> rows;  // "table" or "table DOC_CODE" -> rows
    bool generated = false;
    double generateSeconds = 0;
};

// Built (and its books checked) on first use in the process; throws when the generator fails.
const Office& bigOffice();

}  // namespace tarvic::bench

namespace tarvic::bench {

// A copy of the office for work that may write (a file copy; a database made with the office
// as its template), dropped with it.
class OfficeCopy {
public:
    explicit OfficeCopy(const std::string& name);
    ~OfficeCopy();
    OfficeCopy(const OfficeCopy&) = delete;
    OfficeCopy& operator=(const OfficeCopy&) = delete;
    const Target& target() const { return target_; }

private:
    Target target_;
    std::string database_;
};

}  // namespace tarvic::bench
