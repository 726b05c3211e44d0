#include "ui/codepage.h"

#include <iconv.h>

#include <cerrno>

namespace {

// Converts what converts; a byte sequence that does not is replaced by "?"
// and skipped: one byte of it in UTF-8 input, a whole character in GBK input.
std::string convert(std::string_view in, bool from_is_cp936) {
  // Opening a converter costs more than converting a caption: one per
  // direction, opened once (the user-interface thread is the only caller).
  static const iconv_t to_utf8 = iconv_open("UTF-8", "CP936");
  static const iconv_t to_cp936 = iconv_open("CP936", "UTF-8");
  iconv_t cd = from_is_cp936 ? to_utf8 : to_cp936;
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
  std::string out;
  out.reserve(in.size() * 2);
  char* src = const_cast<char*>(in.data());
  std::size_t src_left = in.size();
  char buf[256];
  while (src_left > 0) {
    char* dst = buf;
    std::size_t dst_left = sizeof buf;
    const std::size_t r = iconv(cd, &src, &src_left, &dst, &dst_left);
    out.append(buf, static_cast<std::size_t>(dst - buf));
    if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
      out.push_back('?');
      std::size_t skip = 1;
      if (from_is_cp936 && static_cast<unsigned char>(*src) >= 0x80 && src_left >= 2) skip = 2;
      if (!from_is_cp936) {
        // Skip the rest of a malformed or unmappable UTF-8 sequence.
        while (skip < src_left && (static_cast<unsigned char>(src[skip]) & 0xC0) == 0x80) ++skip;
      }
      src += skip;
      src_left -= skip;
    }
  }
  return out;
}

}  // namespace

std::string utf8_from_cp936(std::string_view cp936) { return convert(cp936, true); }
std::string cp936_from_utf8(std::string_view utf8) { return convert(utf8, false); }
