#pragma once
// The TODAY board of an ADMIN consultant (every section, every consultant's rows) over a big
// office, beside the same statements run through the engine's own client library.
// Targets: within 1 s, and within 1.3x native.
namespace tarvic::bench {

void registerBoardBenchmarks();
void printBoardSummary();

}  // namespace tarvic::bench
