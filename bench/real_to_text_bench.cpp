// real_to_text beside glibc's snprintf("%.13g") on the same inputs.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <vector>

#include "text/number_text.h"

namespace {

// Values the report writes: ages with fractions and whole counts.
std::vector<double> report_values() {
  std::mt19937_64 rng(1);
  std::uniform_real_distribution<double> age(0.0, 120.0);
  std::uniform_int_distribution<long long> count(0, 4000000000LL);
  std::vector<double> v;
  for (int i = 0; i < 1024; ++i) v.push_back(i % 2 ? age(rng) : static_cast<double>(count(rng)));
  return v;
}

const std::vector<double> VALUES = report_values();

void BM_real_to_text(benchmark::State& state) {
  std::size_t i = 0;
  for (auto _ : state) {
    Text t = real_to_text(VALUES[i++ & 1023]);
    benchmark::DoNotOptimize(t);
  }
}
BENCHMARK(BM_real_to_text);

void BM_snprintf_13g(benchmark::State& state) {
  std::size_t i = 0;
  char buf[32];
  for (auto _ : state) {
    std::snprintf(buf, sizeof buf, "%.13g", VALUES[i++ & 1023]);
    benchmark::DoNotOptimize(buf);
  }
}
BENCHMARK(BM_snprintf_13g);

}  // namespace
