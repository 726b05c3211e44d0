#include <algorithm>
#include <string>

#include "datetime/datetime.h"

namespace {

// The unit character that may follow each field, as code page 936 byte pairs:
// 年 月 日 时 分 秒.
constexpr unsigned char UNIT[6][2] = {{0xC4, 0xEA}, {0xD4, 0xC2}, {0xC8, 0xD5},
                                      {0xCA, 0xB1}, {0xB7, 0xD6}, {0xC3, 0xEB}};

bool is_unit_at(std::string_view s, std::size_t pos, int field) noexcept {
  return pos + 1 < s.size() && static_cast<unsigned char>(s[pos]) == UNIT[field][0] &&
         static_cast<unsigned char>(s[pos + 1]) == UNIT[field][1];
}

bool is_separator(char c, int field) noexcept {
  return c == '/' || c == '-' || c == ':' || c == '.' || (field == 2 && c == ' ');
}

// One field of at most max_digits ASCII digits; no digits leave it 0.
std::int32_t read_digits(std::string_view s, std::size_t& pos, int max_digits) noexcept {
  std::int32_t value = 0;
  for (int n = 0; n < max_digits && pos < s.size() && s[pos] >= '0' && s[pos] <= '9'; ++n, ++pos) {
    value = value * 10 + (s[pos] - '0');
  }
  return value;
}

// The full-width replacement of a double-byte character, or 0 to keep it.
char folded_ascii(unsigned char lead, unsigned char trail) noexcept {
  if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) return static_cast<char>(trail & 0x7F);
  if (lead == 0xA1 && trail == 0xA1) return ' ';
  if (lead == 0xA1 && trail == 0xAB) return '~';
  if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) return '*';
  return 0;
}

}  // namespace

Text fold_fullwidth(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      out.push_back(text[i]);
      continue;
    }
    if (i + 1 >= text.size()) break;  // a lone lead byte at the end is dropped
    const auto trail = static_cast<unsigned char>(text[i + 1]);
    const char ascii = folded_ascii(c, trail);
    if (ascii != 0) {
      out.push_back(ascii);
    } else {
      out.push_back(text[i]);
      out.push_back(text[i + 1]);
    }
    ++i;
  }
  return Text::from_bytes(out);
}

void normalise_fields(std::int32_t f[6]) noexcept {
  f[0] = std::clamp(f[0], 100, 9999);
  f[1] = std::clamp(f[1], 1, 12);
  f[2] = std::clamp(f[2], 1, 31);
  f[3] = std::clamp(f[3], 0, 23);
  f[4] = std::clamp(f[4], 0, 59);
  f[5] = std::clamp(f[5], 0, 59);
  f[2] = std::min(f[2], days_in_month(f[0], f[1]));
}

std::optional<DateTime> parse_datetime(std::string_view text) {
  const Text folded = fold_fullwidth(text);
  const std::string_view s = folded.view();
  if (s.empty()) return std::nullopt;
  std::int32_t fields[6] = {0, 0, 0, 0, 0, 0};
  std::size_t pos = 0;
  for (int field = 0; field < 6; ++field) {
    fields[field] = read_digits(s, pos, field == 0 ? 4 : 2);
    if (field == 5) break;
    if (pos >= s.size()) continue;
    if (is_separator(s[pos], field)) {
      ++pos;
    } else if (is_unit_at(s, pos, field)) {
      pos += 2;
    }
  }
  // After the seconds only the end or 秒 may follow; what comes after 秒 is not read.
  if (pos < s.size() && !is_unit_at(s, pos, 5)) return std::nullopt;
  std::int32_t clamped[6];
  std::copy(fields, fields + 6, clamped);
  normalise_fields(clamped);
  if (!std::equal(fields, fields + 6, clamped)) return std::nullopt;
  return datetime_from_fields(static_cast<std::uint16_t>(fields[0]), static_cast<std::uint16_t>(fields[1]),
                              static_cast<std::uint16_t>(fields[2]), static_cast<std::uint16_t>(fields[3]),
                              static_cast<std::uint16_t>(fields[4]), static_cast<std::uint16_t>(fields[5]));
}

DateTime text_to_datetime(std::string_view text) { return parse_datetime(text).value_or(INVALID_DATETIME); }
