#include "text/text.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "text/fatal_error.h"

namespace {

const Text ABSENT;

TEST(TextLength, CountsBytesNotCharacters) {
  EXPECT_EQ(text_length(ABSENT), 0);
  EXPECT_EQ(text_length(Text::empty_buffer()), 0);
  EXPECT_EQ(text_length("出生日期"), 8);
  EXPECT_EQ(text_length("19860121"), 8);
}

TEST(TextMiddle, CutsAndRanges) {
  struct {
    const char* text;
    int start, count;
    const char* want;  // nullptr: the absent text
    const char* why;
  } cases[] = {
      {"19860121", 5, 2, "01", "the month digits"},
      {"19860121", 7, 2, "21", "the day digits"},
      {"19860121", 8, 2, "1", "cut at the end, never padded"},
      {"19860121", 9, 2, nullptr, "start past the end"},
      {"19860121", 0, 2, nullptr, "start before the first byte"},
      {"19860121", -2147483647 - 1, 2, nullptr, "extreme start does not overflow"},
      {"19860121", 1, 0, nullptr, "count zero"},
      {"19860121", 1, -3, nullptr, "negative count"},
      {"19860121", 2, 2147483647, "9860121", "huge count does not overflow"},
      {"198601", 7, 2, nullptr, "short text has no day digits"},
      {"出生日期", 2, 2, "\xF6\xC9", "half characters are kept as they are"},
  };
  for (const auto& c : cases) {
    const Text got = text_middle(c.text, c.start, c.count);
    if (c.want == nullptr) {
      EXPECT_TRUE(got.absent()) << c.why;
    } else {
      EXPECT_EQ(got.view(), c.want) << c.why;
    }
  }
  EXPECT_TRUE(text_middle(ABSENT, 1, 1).absent());
}

TEST(TextMiddle, CutInsideDoubleByteCharacter) {
  const Text name = Text::from_bytes("出生日期");
  const Text cut = text_middle(name, 2, 2);
  ASSERT_EQ(text_length(cut), 2);
  EXPECT_EQ(static_cast<unsigned char>(cut.view()[0]), static_cast<unsigned char>(name.view()[1]));
  EXPECT_EQ(static_cast<unsigned char>(cut.view()[1]), static_cast<unsigned char>(name.view()[2]));
}

TEST(TextJoin, AbsentPartsAndNeverAbsentResult) {
  EXPECT_EQ(text_join({ABSENT, "0时0分1秒"}).view(), "0时0分1秒");
  const Text both_empty = text_join({ABSENT, ABSENT});
  EXPECT_FALSE(both_empty.absent());
  EXPECT_EQ(text_length(both_empty), 0);
  EXPECT_EQ(text_join({"19860121", "0时0分1秒"}).view(), "198601210时0分1秒");
  EXPECT_EQ(text_join({"a", "", "b", ABSENT, "c"}).view(), "abc");
}

TEST(TextCompare, AbsentEmptyAndUnsignedBytes) {
  const Text empty = Text::empty_buffer();
  struct {
    std::string_view a, b;
    int want;
    const char* why;
  } cases[] = {
      {ABSENT, empty, 0, "absent equals empty"},
      {ABSENT, "1", -1, "absent is below any byte"},
      {"1", ABSENT, 1, "any byte is above absent"},
      {empty, ABSENT, 0, "empty equals absent"},
      {"1986", "19860121", -1, "a proper prefix is smaller"},
      {"19860121", "1986", 1, "the longer text is larger"},
      {"啊", "a", 1, "0xB0 is above 0x61: bytes compare unsigned"},
      {"19860121", "19860121", 0, "equal texts"},
  };
  for (const auto& c : cases) EXPECT_EQ(text_compare(c.a, c.b), c.want) << c.why;
}

TEST(TextValue, ZeroByteEndsTheText) {
  const Text t = Text::from_bytes(std::string_view("ab\0cd", 5));
  EXPECT_EQ(t.view(), "ab");
}

TEST(TextRelease, AbsentIsHarmlessAndReleaseEmpties) {
  Text absent;
  text_release(absent);
  text_release(absent);
  EXPECT_TRUE(absent.absent());
  Text t = Text::from_bytes("abc");
  text_release(t);
  EXPECT_TRUE(t.absent());
  EXPECT_EQ(text_length(t), 0);
}

TEST(FatalError, BoxTextWithAndWithoutMessage) {
  EXPECT_EQ(fatal_error_box_text("不能求余数于零"),
            "运行时出错!\r\n\r\n错误信息：不能求余数于零\r\n\r\n0, 0\r\n");
  EXPECT_EQ(fatal_error_box_text(""), "运行时出错!\r\n\r\n0, 0\r\n");
}

TEST(FatalError, FixedMessagesAreCodePage936) {
  EXPECT_EQ(DESIGN_LOAD_FAILED, "载入窗口模板数据段出错!");
  EXPECT_EQ(WINDOW_LOAD_FAILED, "载入启动窗口失败");
  EXPECT_EQ(REMAINDER_BY_ZERO, "不能求余数于零");
  EXPECT_EQ(FATAL_CAPTION, "错误");
  EXPECT_EQ(allocation_failure_message(9), "分配 9 字节内存失败!");
}

void* failing_allocator(std::size_t) { return nullptr; }

void print_box_and_caption(std::string_view box, std::string_view caption) {
  std::fprintf(stderr, "[%.*s] %.*s", static_cast<int>(caption.size()), caption.data(),
               static_cast<int>(box.size()), box.data());
}

TEST(FatalErrorDeathTest, ExitsWithMinusOneAfterTheBox) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        set_fatal_error_hook(print_box_and_caption);
        fatal_error("不能求余数于零");
      },
      testing::ExitedWithCode(255), "\\[\xB4\xED\xCE\xF3\\] .*\xB2\xBB\xC4\xDC");
}

TEST(FatalErrorDeathTest, AllocationFailureReportsLengthPlusOne) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        set_fatal_error_hook(print_box_and_caption);
        set_text_allocator(failing_allocator);
        (void)text_join({"19860121", "0时0分1秒"});  // 17 bytes + 1
      },
      testing::ExitedWithCode(255), "\xB7\xD6\xC5\xE4 18 \xD7\xD6\xBD\xDA");
}

}  // namespace
