#include <cmath>
#include <string>

#include "app/app.h"
#include "datetime/datetime.h"
#include "text/number_text.h"
#include "ui/toolkit.h"

#ifndef QUILLORA_HOST
#define QUILLORA_HOST "www.quillora.com"
#endif

namespace {

constexpr std::string_view 错误提示 = "请按正确的格式填写，如19890121, 1-9月/日请用01-09表示.";
constexpr std::string_view 提示标题 = "Quillora提示";
constexpr std::string_view 开始提示 = "已开始计算，结果每秒更新一次。";
constexpr std::string_view 网页提示 = "应作者能力有限所以只能网页打开";
constexpr std::string_view 时间后缀 = "0时0分1秒";
constexpr std::string_view 网页前缀 = "https://" QUILLORA_HOST "/quillora/future.php?date_time=";

struct 报告行 {
  std::int32_t 单位;
  std::string_view 后缀;
};

constexpr 报告行 报告行表[7] = {
    {UNIT_YEAR, " 年\r\n\r\n"},    {UNIT_MONTH, " 月\r\n\r\n"},    {UNIT_WEEK, " 周\r\n\r\n"},
    {UNIT_DAY, " 天\r\n\r\n"},     {UNIT_HOUR, " 小时\r\n\r\n"},   {UNIT_MINUTE, " 分钟\r\n\r\n"},
    {UNIT_SECOND, " 秒"},
};

// The box text alone must name a date, and the birth instant made from it must
// be 00:00:01 of that same date: "1986-1-2" would otherwise count from the 20th.
bool 是有效出生日期(std::string_view 文本) {
  const auto 日期 = parse_datetime(文本);
  if (!日期) return false;
  Text 连接 = text_join({文本, 时间后缀});
  const auto 出生 = parse_datetime(连接);
  text_release(连接);
  const auto 字段 = datetime_to_fields(*日期);
  if (!出生 || !字段) return false;
  const auto 应为 = datetime_from_fields(static_cast<std::uint16_t>(字段->year), static_cast<std::uint16_t>(字段->month),
                                       static_cast<std::uint16_t>(字段->day), 0, 0, 1);
  return 应为 && *应为 == *出生;
}

bool 被接受() {
  Text 内容 = get_property("日期编辑框", PROP_TEXT);
  const bool 为空 = text_compare(内容, "") == 0;
  text_release(内容);
  if (为空) return false;
  内容 = get_property("日期编辑框", PROP_TEXT);
  const bool 够长 = text_length(内容) >= 8;
  const bool 有效 = 够长 && 是有效出生日期(内容);
  text_release(内容);
  return 有效;
}

// Gregorian leap rule on the year as a real, through the exact remainder.
bool 是闰年(std::int32_t 年) {
  const double y = 年;
  auto 整除 = [y](double d) { return std::fabs(real_remainder(y, d)) <= 0.0000001; };
  return 整除(4.0) && (!整除(100.0) || 整除(400.0));
}

// Every byte but A-Z, a-z, 0-9, "-", ".", "_" and "~" as %XX of its code page 936 byte.
std::string 百分号编码(std::string_view 文本) {
  static constexpr char 十六进制[] = "0123456789ABCDEF";
  std::string 结果;
  for (char c : 文本) {
    const auto b = static_cast<unsigned char>(c);
    const bool 保留 = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') || b == '-' ||
                    b == '.' || b == '_' || b == '~';
    if (保留) {
      结果.push_back(c);
    } else {
      结果.push_back('%');
      结果.push_back(十六进制[b >> 4]);
      结果.push_back(十六进制[b & 15]);
    }
  }
  return 结果;
}

Text 报告数字(std::int32_t 单位, double 值) {
  return 单位 == UNIT_DAY ? integer_to_text(real_to_integer(值)) : real_to_text(值);
}

void 写年龄行(DateTime 出生时刻) {
  const std::int32_t 本年天数 = 是闰年(datetime_year(current_datetime())) ? 366 : 365;
  const std::int32_t 本年秒数 = real_to_integer(本年天数 * 86400.0);
  const std::int32_t 今年 = datetime_year(current_datetime());
  Text 年文本 = integer_to_text(今年);
  Text 框 = get_property("日期编辑框", PROP_TEXT);
  Text 月 = text_middle(框, 5, 2);
  text_release(框);
  框 = get_property("日期编辑框", PROP_TEXT);
  Text 日 = text_middle(框, 7, 2);
  text_release(框);
  // Born on 29 February: in a common year the birthday is 1 March.
  if (月.view() == "02" && 日.view() == "29" && !是闰年(今年)) {
    月 = Text::from_bytes("03");
    日 = Text::from_bytes("01");
  }
  Text 生日文本 = text_join({年文本, 月, 日, 时间后缀});
  text_release(年文本);
  text_release(月);
  text_release(日);
  const DateTime 今年生日 = text_to_datetime(生日文本);
  text_release(生日文本);
  const std::int32_t 生日后秒数 = real_to_integer(time_interval(current_datetime(), 今年生日, UNIT_SECOND));
  const double 年数 = time_interval(current_datetime(), 出生时刻, UNIT_YEAR);
  const double 年龄 = 年数 + static_cast<double>(生日后秒数) / static_cast<double>(本年秒数);
  Text 数 = real_to_text(年龄);
  Text 行 = text_join({数, "岁了"});
  text_release(数);
  set_property("标签4", PROP_TEXT, -1, 行);
  text_release(行);
}

// Shared by the click and the command line: clear the error line, show the
// result page, start the timer and report at once.
void 开始计算() {
  set_property("标签2", PROP_TEXT, -1, "");
  输入页偏移 = -800;
  结果页偏移 = 0;
  布置输入页();
  布置结果页();
  set_property("时钟1", PROP_TEXT, -1, 1000);
  时钟1_周期事件();
}

}  // namespace

void 计算按钮_被单击() {
  if (!被接受()) {
    set_property("标签2", PROP_TEXT, -1, 错误提示);
    return;
  }
  show_message_box(开始提示, 0, 提示标题);
  开始计算();
}

void 以命令行日期开始(std::string_view 日期) {
  set_property("日期编辑框", PROP_TEXT, -1, 日期);
  // The program wrote the date: the hint must not hide it.
  if (!日期.empty()) set_property("标签1", PROP_VISIBLE, -1, 0);
  if (!被接受()) {
    set_property("标签2", PROP_TEXT, -1, 错误提示);
    return;
  }
  开始计算();
}

void 时钟1_周期事件() {
  Text 框 = get_property("日期编辑框", PROP_TEXT);
  Text 连接 = text_join({框, 时间后缀});
  text_release(框);
  const DateTime 出生时刻 = text_to_datetime(连接);
  text_release(连接);
  Text 数字[7];
  for (int i = 0; i < 7; ++i) {
    const std::int32_t 单位 = 报告行表[i].单位;
    数字[i] = 报告数字(单位, time_interval(current_datetime(), 出生时刻, 单位));
  }
  Text 报告 = text_join({数字[0], 报告行表[0].后缀, 数字[1], 报告行表[1].后缀, 数字[2], 报告行表[2].后缀, 数字[3],
                         报告行表[3].后缀, 数字[4], 报告行表[4].后缀, 数字[5], 报告行表[5].后缀, 数字[6],
                         报告行表[6].后缀});
  for (Text& t : 数字) text_release(t);
  set_property("标签6", PROP_TEXT, -1, 报告);
  text_release(报告);
  写年龄行(出生时刻);
}

void 未来_被单击() {
  show_message_box(网页提示, 0, 提示标题);
  Text 框 = get_property("日期编辑框", PROP_TEXT);
  Text 地址 = text_join({网页前缀, 百分号编码(框)});
  text_release(框);
  open_url(地址);
  text_release(地址);
}
