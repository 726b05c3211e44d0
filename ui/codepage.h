#pragma once
// Conversions between code page 936 (what every Text holds) and UTF-8 (what
// terminals and FLTK use). Bytes that do not convert become "?", never an error.
#include <string>
#include <string_view>

std::string utf8_from_cp936(std::string_view cp936);
std::string cp936_from_utf8(std::string_view utf8);
