# Writes OUT: a C++ file that holds the pictures and the icon as byte arrays.
# Called with -DASSETS=dir -DOUT=file.
set(body "// Generated from assets/*.png at build time.\n#include \"ui/assets.h\"\n\nnamespace {\n")
foreach(name clock title band icon)
  file(READ "${ASSETS}/${name}.png" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," hex "${hex}")
  string(APPEND body "const unsigned char ${name}_bytes[] = {${hex}};\n")
endforeach()
string(APPEND body "}  // namespace\n\n"
  "std::span<const unsigned char> picture_png(Picture p) {\n"
  "  switch (p) {\n"
  "    case Picture::clock: return clock_bytes;\n"
  "    case Picture::title: return title_bytes;\n"
  "    case Picture::band: return band_bytes;\n"
  "    default: return {};\n"
  "  }\n}\n\n"
  "std::span<const unsigned char> icon_png() { return icon_bytes; }\n")
file(WRITE "${OUT}.tmp" "${body}")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
