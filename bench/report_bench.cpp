// One run of the once-a-second handler on the headless toolkit: both halves,
// captions written.
#include <benchmark/benchmark.h>

#include <sstream>

#include "app/app.h"
#include "ui/headless/headless_backend.h"
#include "ui/toolkit.h"

namespace {

void BM_tick_handler(benchmark::State& state) {
  std::istringstream in;
  std::ostringstream out;
  HeadlessBackend backend(in, out);
  backend.fix_present({2024, 3, 1, 10, 0, 0});
  install_backend(&backend);
  prepare_toolkit(窗口1_design());
  load_window("窗口1");
  set_property("日期编辑框", PROP_TEXT, -1, "19900615");
  for (auto _ : state) 时钟1_周期事件();
  reset_toolkit();
}
BENCHMARK(BM_tick_handler);

}  // namespace
