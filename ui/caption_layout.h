#pragma once
// Word-wrapped captions laid out as the labels show them, the same on every
// desktop: a backend only measures and draws. Lines are one character height
// apart, whatever the face's own line height, so 13 lines fill 312 pixels.
#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

struct CaptionLine {
  std::size_t begin = 0;   // in code units of the caption
  std::size_t length = 0;  // without the line break and without a space the break replaced
};

namespace detail {
// Whether a code unit starts a character: not a UTF-8 continuation byte, not
// the second half of a UTF-16 surrogate pair.
inline bool starts_character(char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }
inline bool starts_character(wchar_t c) { return c < 0xDC00 || c > 0xDFFF; }

template <class Char>
std::size_t previous_character(std::basic_string_view<Char> s, std::size_t end) {
  do --end;
  while (end > 0 && !starts_character(s[end]));
  return end;
}
}  // namespace detail

// Breaks a caption at every line feed (a CR before it does not show) and, where
// a line is wider than the label, after the last space that lets it fit, or
// else after the last whole character that fits (always at least one).
// fits(piece) says whether a piece of the caption fits the label's width.
template <class Char, class Fits>
std::vector<CaptionLine> break_caption(std::basic_string_view<Char> text, Fits fits) {
  std::vector<CaptionLine> lines;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(Char('\n'), start);
    if (end == text.npos) end = text.size();
    std::size_t stop = end;
    if (stop > start && text[stop - 1] == Char('\r')) --stop;
    if (stop == start) lines.push_back({start, 0});  // an empty line keeps its place
    while (start < stop) {
      std::size_t fit = stop - start;
      while (fit > 0 && !fits(text.substr(start, fit))) {
        const std::size_t space = text.substr(start, fit).rfind(Char(' '), fit - 1);
        fit = space == text.npos || space == 0 ? detail::previous_character(text.substr(start), fit) : space;
      }
      if (fit == 0) {  // not even one character fits: it goes alone on its line
        fit = 1;
        while (start + fit < stop && !detail::starts_character(text[start + fit])) ++fit;
      }
      lines.push_back({start, fit});
      start += fit;
      if (start < stop && text[start] == Char(' ')) ++start;
    }
    start = end + 1;
  }
  return lines;
}

// Lines that differ between two layouts of a caption, as a range of line
// numbers [first, last); first == last when nothing differs.
template <class Char>
std::pair<std::size_t, std::size_t> changed_lines(std::basic_string_view<Char> old_text,
                                                  const std::vector<CaptionLine>& old_lines,
                                                  std::basic_string_view<Char> new_text,
                                                  const std::vector<CaptionLine>& new_lines) {
  auto same = [&](std::size_t i) {
    return i < old_lines.size() && i < new_lines.size() &&
           old_text.substr(old_lines[i].begin, old_lines[i].length) ==
               new_text.substr(new_lines[i].begin, new_lines[i].length);
  };
  const std::size_t n = std::max(old_lines.size(), new_lines.size());
  std::size_t first = 0;
  while (first < n && same(first)) ++first;
  std::size_t last = n;
  while (last > first && same(last - 1)) --last;
  return {first, last};
}

// The rows [top, bottom) of a label, lines pitch pixels apart, to repaint when
// lines [first, last) changed: half a line more above and below, where ink may
// reach past its line, within the label's height. Empty when no line changed.
inline std::pair<int, int> changed_rows(std::pair<std::size_t, std::size_t> lines, int pitch, int height) {
  if (lines.first >= lines.second) return {0, 0};
  const int top = std::max(0, static_cast<int>(lines.first) * pitch - pitch / 2);
  const int bottom = std::min(height, static_cast<int>(lines.second) * pitch + pitch / 2);
  return {top, std::max(top, bottom)};
}
