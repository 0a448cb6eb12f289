#pragma once
// The lead register over 10,000 leads: its grid filled (first screen, then every row through
// its model) beside the native fetch of the same rows; and the statements a register load and
// a lead's Show_Record run at 100 and at 10,000 leads, which must not grow with the leads.
namespace tarvic::bench {

void registerLeadBenchmarks();
void printLeadSummary();
// Drops the databases while Qt is still up.
void releaseLeadData();

}  // namespace tarvic::bench
