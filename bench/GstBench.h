#pragma once
// The GST return of a month of 5,000 tax invoices (with their lines, cancelled invoices and
// proformas between them) built from the books, on the engine of the run. Target: under 2 s.
namespace tarvic::bench {

void registerGstBenchmarks();
void printGstSummary();
// Drops the month's database while Qt is still up.
void releaseGstData();

}  // namespace tarvic::bench
