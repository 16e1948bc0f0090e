// The number scanner against strtod on the same text: the styles of bench/make_bench_data.py.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "spectra/number_scan.h"
#include "spectra/text_reader.h"

namespace {

std::string psd_text(int pairs) {
  std::mt19937_64 random(1);
  std::uniform_real_distribution<double> amplitude(1e-6, 1e-1);
  const char* const styles[] = {"%.4f %.6e\n", "%g  %g\n", "%.6e\t%.6e\n", "%14.4f%18.8e\n"};
  std::string text;
  char line[64];
  for (int i = 0; i < pairs; ++i) {
    std::snprintf(line, sizeof line, styles[i / 2000 % 4], 10.0 + 0.5 * (i % 2000),
                  amplitude(random));
    text += line;
  }
  return text;
}

const std::string& text() {
  static const std::string all = psd_text(40'000);
  return all;
}

void BM_ScanNumber(benchmark::State& state) {
  std::size_t numbers = 0;
  double sum = 0;
  for (auto _ : state) {
    tellmar::TextReader in(text());
    for (;;) {
      in.skip_space();
      const tellmar::ScanResult result = tellmar::scan_number(in);
      if (!result.read) break;
      sum += result.value;
      ++numbers;
    }
  }
  benchmark::DoNotOptimize(sum);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text().size()));
  state.counters["ns_per_number"] = benchmark::Counter(
      static_cast<double>(numbers), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ScanNumber);

void BM_Strtod(benchmark::State& state) {
  std::size_t numbers = 0;
  double sum = 0;
  for (auto _ : state) {
    const char* p = text().c_str();
    for (;;) {
      char* end = nullptr;
      const double value = std::strtod(p, &end);
      if (end == p) break;
      sum += value;
      ++numbers;
      p = end;
    }
  }
  benchmark::DoNotOptimize(sum);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text().size()));
  state.counters["ns_per_number"] = benchmark::Counter(
      static_cast<double>(numbers), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Strtod);

}  // namespace
