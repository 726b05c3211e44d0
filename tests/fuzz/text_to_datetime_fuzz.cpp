// libFuzzer target: any bytes through the text conversion. Besides memory
// safety it checks what must hold for every input.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "datetime/datetime.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  text = text.substr(0, text.find('\0'));  // a Text ends at its first zero byte
  const Text folded = fold_fullwidth(text);
  if (folded.view().size() > text.size()) std::abort();  // folding never grows a text
  const auto parsed = parse_datetime(text);
  const DateTime value = text_to_datetime(text);
  if (parsed) {
    if (value != *parsed) std::abort();
    // Every accepted text names a day of years 100..9999; a time of day moves
    // the first and last day's values up to a day past DATETIME_MIN and DATETIME_MAX.
    if (!(*parsed > DATETIME_MIN - 1 && *parsed < DATETIME_MAX + 1)) std::abort();
  } else if (value != INVALID_DATETIME) {
    std::abort();
  }
  if (text_to_datetime(folded) != value) std::abort();  // folding twice changes nothing
  (void)datetime_year(value);
  (void)time_interval(value, 45352.416666666664, static_cast<std::int32_t>(size % 10));
  return 0;
}
