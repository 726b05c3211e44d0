#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "ui/caption_layout.h"

namespace {

// Every code unit one pixel wide, so a width is a count of code units.
template <class Char>
std::vector<std::basic_string<Char>> lines_of(std::basic_string_view<Char> text, std::size_t width) {
  std::vector<std::basic_string<Char>> out;
  for (const CaptionLine& l : break_caption(text, [&](std::basic_string_view<Char> piece) { return piece.size() <= width; })) {
    out.emplace_back(text.substr(l.begin, l.length));
  }
  return out;
}

TEST(CaptionLayout, BreaksAsTheLabelsShowThem) {
  using V = std::vector<std::string>;
  const struct {
    std::string_view text;
    std::size_t width;
    V want;
    const char* why;
  } cases[] = {
      {"37 年\r\n\r\n453 月", 40, {"37 年", "", "453 月"}, "CR LF breaks; an empty line keeps its place"},
      {"a\nb", 40, {"a", "b"}, "a lone LF breaks too"},
      {"", 40, {""}, "an empty caption is one empty line"},
      {"one two three", 8, {"one two", "three"}, "a word that does not fit goes to the next line"},
      {"abcdefghij", 4, {"abcd", "efgh", "ij"}, "no space: broken at the last character that fits"},
      {"年月日", 4, {"年", "月", "日"}, "UTF-8 characters are never cut"},
      {"年", 1, {"年"}, "a character wider than the label still shows, alone"},
      {"ab\r\n", 40, {"ab", ""}, "a final line break starts an empty line"},
  };
  for (const auto& c : cases) EXPECT_EQ(lines_of(c.text, c.width), c.want) << c.why;
}

TEST(CaptionLayout, Utf16KeepsSurrogatePairsWhole) {
  const std::wstring text = L"a\xD83D\xDE00" L"b";  // a, one character outside the BMP, b
  const std::vector<std::wstring> want = {L"a", L"\xD83D\xDE00", L"b"};
  EXPECT_EQ(lines_of<wchar_t>(text, 1), want);
}

TEST(CaptionLayout, ChangedLinesOfAReport) {
  const std::string_view before = "34 年\r\n\r\n405 月\r\n\r\n1063879202 秒";
  const std::string_view after = "34 年\r\n\r\n405 月\r\n\r\n1063879203 秒";
  auto layout = [](std::string_view t) { return break_caption(t, [](std::string_view) { return true; }); };
  EXPECT_EQ(changed_lines(before, layout(before), after, layout(after)), (std::pair<std::size_t, std::size_t>{4, 5}));
  EXPECT_EQ(changed_lines(before, layout(before), before, layout(before)).first,
            changed_lines(before, layout(before), before, layout(before)).second);
  const std::string_view shorter = "34 年";
  EXPECT_EQ(changed_lines(before, layout(before), shorter, layout(shorter)), (std::pair<std::size_t, std::size_t>{1, 5}));
}

TEST(CaptionLayout, ChangedRowsReachHalfALineBeyond) {
  using Rows = std::pair<int, int>;
  const struct {
    std::pair<std::size_t, std::size_t> lines;
    Rows want;
    const char* why;
  } cases[] = {
      {{12, 13}, {276, 312}, "the seconds line of the report: cut at the label's bottom"},
      {{0, 1}, {0, 36}, "the first line: cut at the label's top"},
      {{10, 13}, {228, 312}, "seconds and minutes: one band over both and the line between"},
      {{4, 4}, {0, 0}, "nothing changed: nothing to repaint"},
      {{20, 21}, {468, 468}, "a line below the label: nothing inside it"},
  };
  for (const auto& c : cases) EXPECT_EQ(changed_rows(c.lines, 24, 312), c.want) << c.why;
}

}  // namespace
