#pragma once
// Every registered window over a big office: opened as the menu opens it, its first SHOW
// pressed where it has one, timed with the number of statements it ran, beside the same
// reading statements run through the engine's own client library.
// Targets: each window within 200 ms, and within 2x native where its statements take 10 ms or more.
namespace tarvic::bench {

void registerWindowBenchmarks();
void printWindowSummary();
// Drops the office's copy the windows worked on.
void releaseWindowData();

}  // namespace tarvic::bench
