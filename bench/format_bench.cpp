// The two number formatters against snprintf with the same patterns.

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include "text/formatted_numbers.h"

namespace {

const std::vector<double>& values() {
  static const std::vector<double> all = [] {
    std::mt19937_64 random(2);
    std::uniform_real_distribution<double> exponent(-8, 5);
    std::vector<double> made(4096);
    for (double& value : made) value = std::pow(10.0, exponent(random));
    return made;
  }();
  return all;
}

template <typename Format>
void run(benchmark::State& state, Format format) {
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(format(values()[i++ % values().size()]));
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_FormatGeneral(benchmark::State& state) {
  run(state, [](double value) { return tellmar::format_general(value, 12, 4); });
}
void BM_SnprintfGeneral(benchmark::State& state) {
  run(state, [](double value) {
    std::array<char, 32> text;
    return std::snprintf(text.data(), text.size(), "%12.4g", value);
  });
}
void BM_FormatFixed(benchmark::State& state) {
  run(state, [](double value) { return tellmar::format_fixed(value, 8, 3); });
}
void BM_SnprintfFixed(benchmark::State& state) {
  run(state, [](double value) {
    std::array<char, 32> text;
    return std::snprintf(text.data(), text.size(), "%8.3f", value);
  });
}
BENCHMARK(BM_FormatGeneral);
BENCHMARK(BM_SnprintfGeneral);
BENCHMARK(BM_FormatFixed);
BENCHMARK(BM_SnprintfFixed);

}  // namespace
