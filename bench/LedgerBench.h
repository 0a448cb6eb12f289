#pragma once
// The party ledger of a party with 10,000 rows and the outstanding list over 2,000 parties,
// each one statement over the million-row table, read whole through the program's layer and
// through the engine's own client library.
namespace tarvic::bench {

void registerLedgerBenchmarks();
void printLedgerSummary();

}  // namespace tarvic::bench
