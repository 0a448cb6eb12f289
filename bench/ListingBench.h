#pragma once
// The party registration list over 100,000 parties: time to its first screen, time to read
// every row through its model, memory held, beside the native fetch of the same rows with
// their join and beside the grid of one widget item per cell that it replaced.
namespace tarvic::bench {

void registerListingBenchmarks();
void printListingSummary();
// Drops the database while Qt is still up.
void releaseListingData();

}  // namespace tarvic::bench
