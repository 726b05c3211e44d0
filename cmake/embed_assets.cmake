# Writes OUT: a C++ file that holds the pictures and the icon as byte arrays.
# Called with -DASSETS=dir -DOUT=file.
set(body "// Generated from assets/*.png at build time.\n#include \"ui/assets.h\"\n\nnamespace {\n")
set(pictures clock title band)
set(suffixes "" "@1.5x" "@2x")
set(theme_sizes 16 24 32 48 64 72 96)
set(names icon)
foreach(picture ${pictures})
  foreach(suffix IN LISTS suffixes)
    list(APPEND names "${picture}${suffix}")
  endforeach()
endforeach()
foreach(size ${theme_sizes})
  list(APPEND names icons/quillora-${size})
endforeach()
foreach(name ${names})
  file(READ "${ASSETS}/${name}.png" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," hex "${hex}")
  string(REPLACE "icons/quillora-" "theme_icon_" id "${name}")
  string(REPLACE "@1.5x" "_144" id "${id}")
  string(REPLACE "@2x" "_192" id "${id}")
  string(APPEND body "const unsigned char ${id}_bytes[] = {${hex}};\n")
endforeach()
string(APPEND body "}  // namespace\n\n"
  "std::span<const unsigned char> picture_png(Picture p, int source_dpi) {\n"
  "  switch (p) {\n")
foreach(picture ${pictures})
  string(APPEND body "    case Picture::${picture}:\n"
    "      return source_dpi == 192 ? std::span<const unsigned char>(${picture}_192_bytes)\n"
    "           : source_dpi == 144 ? std::span<const unsigned char>(${picture}_144_bytes)\n"
    "                               : std::span<const unsigned char>(${picture}_bytes);\n")
endforeach()
string(APPEND body "    default: return {};\n  }\n}\n\n"
  "std::span<const unsigned char> icon_png() { return icon_bytes; }\n\n"
  "std::span<const unsigned char> theme_icon_png(int size) {\n"
  "  switch (size) {\n")
foreach(size ${theme_sizes})
  string(APPEND body "    case ${size}: return theme_icon_${size}_bytes;\n")
endforeach()
string(APPEND body "    default: return {};\n  }\n}\n")
file(WRITE "${OUT}.tmp" "${body}")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
