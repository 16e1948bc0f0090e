// The frequency check at full capacity: every file on the same frequencies, so all of it runs.

#include <benchmark/benchmark.h>

#include <memory>

#include "spectra/spectrum_set.h"

namespace {

void BM_CheckFrequencySync(benchmark::State& state) {
  auto set = std::make_unique<tellmar::SpectrumSet>();
  set->file_count = static_cast<int>(state.range(0));
  set->max_point_count = tellmar::MAX_POINTS;
  for (std::size_t f = 0; f < static_cast<std::size_t>(set->file_count); ++f) {
    for (std::size_t p = 0; p < tellmar::MAX_POINTS; ++p) {
      set->frequency[f][p] = 10.0 + 0.5 * static_cast<double>(p);
    }
  }
  for (auto _ : state) tellmar::check_frequency_sync(*set);
  state.SetItemsProcessed(state.iterations() * state.range(0) * tellmar::MAX_POINTS);
}
BENCHMARK(BM_CheckFrequencySync)->Arg(100)->Arg(400);

}  // namespace
