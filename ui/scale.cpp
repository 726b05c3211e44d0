#include "ui/scale.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

// A plain decimal number: digits with at most one point, no sign, no exponent.
std::optional<double> plain_decimal(std::string_view text) {
  const std::size_t digits = static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return c >= '0' && c <= '9';
  }));
  const std::size_t points = static_cast<std::size_t>(std::count(text.begin(), text.end(), '.'));
  if (digits == 0 || points > 1 || digits + points != text.size() || text.size() > 16) return std::nullopt;
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

std::optional<int> dpi_from_scale_text(std::string_view text) {
  const std::optional<double> factor = plain_decimal(text);
  if (!factor || *factor < 1.0 || *factor > 4.0) return std::nullopt;
  return static_cast<int>(std::lround(*factor * DESIGN_DPI));
}

std::optional<int> dpi_from_resource_text(std::string_view text) {
  const std::optional<double> dpi = plain_decimal(text);
  if (!dpi) return std::nullopt;
  return static_cast<int>(std::lround(std::clamp(*dpi, double{MIN_DPI}, double{MAX_DPI})));
}
