#include "ui/codepage.h"

#include <iconv.h>

#include <cerrno>

namespace {

// Converts what converts; a byte sequence that does not is replaced by "?"
// and skipped: one byte of it in UTF-8 input, a whole character in GBK input.
std::string convert(std::string_view in, const char* to, const char* from, bool from_is_cp936) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
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
  iconv_close(cd);
  return out;
}

}  // namespace

std::string utf8_from_cp936(std::string_view cp936) { return convert(cp936, "UTF-8", "CP936", true); }
std::string cp936_from_utf8(std::string_view utf8) { return convert(utf8, "CP936", "UTF-8", false); }
