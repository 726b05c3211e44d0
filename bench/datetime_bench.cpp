// The date work of the once-a-second report: one conversion, seven intervals.
#include <benchmark/benchmark.h>

#include "datetime/datetime.h"

namespace {

const DateTime NOW = 45352.416666666664;  // 2024-03-01 10:00:00

void BM_text_to_datetime_birth(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(text_to_datetime("199006150时0分1秒"));
}
BENCHMARK(BM_text_to_datetime_birth);

void BM_text_to_datetime_birthday(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(text_to_datetime("202406150时0分1秒"));
}
BENCHMARK(BM_text_to_datetime_birthday);

void BM_time_interval(benchmark::State& state) {
  const DateTime birth = text_to_datetime("199006150时0分1秒");
  const auto unit = static_cast<std::int32_t>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(time_interval(NOW, birth, unit));
}
BENCHMARK(BM_time_interval)->DenseRange(1, 8);

void BM_report_date_work(benchmark::State& state) {
  constexpr std::int32_t UNITS[7] = {UNIT_YEAR, UNIT_MONTH, UNIT_WEEK, UNIT_DAY, UNIT_HOUR, UNIT_MINUTE, UNIT_SECOND};
  for (auto _ : state) {
    const DateTime birth = text_to_datetime("199006150时0分1秒");
    for (std::int32_t unit : UNITS) benchmark::DoNotOptimize(time_interval(NOW, birth, unit));
  }
}
BENCHMARK(BM_report_date_work);

}  // namespace
