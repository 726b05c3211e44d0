# Writes OUT: a C++ file that holds the pictures and the icon as byte arrays.
# Called with -DASSETS=dir -DOUT=file.
set(body "// Generated from assets/*.png at build time.\n#include \"ui/assets.h\"\n\nnamespace {\n")
foreach(name clock title band icon icons/quillora-16 icons/quillora-32 icons/quillora-48)
  file(READ "${ASSETS}/${name}.png" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," hex "${hex}")
  string(REPLACE "icons/quillora-" "theme_icon_" id "${name}")
  string(APPEND body "const unsigned char ${id}_bytes[] = {${hex}};\n")
endforeach()
string(APPEND body "}  // namespace\n\n"
  "std::span<const unsigned char> picture_png(Picture p) {\n"
  "  switch (p) {\n"
  "    case Picture::clock: return clock_bytes;\n"
  "    case Picture::title: return title_bytes;\n"
  "    case Picture::band: return band_bytes;\n"
  "    default: return {};\n"
  "  }\n}\n\n"
  "std::span<const unsigned char> icon_png() { return icon_bytes; }\n\n"
  "std::span<const unsigned char> theme_icon_png(int size) {\n"
  "  switch (size) {\n"
  "    case 16: return theme_icon_16_bytes;\n"
  "    case 32: return theme_icon_32_bytes;\n"
  "    case 48: return theme_icon_48_bytes;\n"
  "    default: return {};\n"
  "  }\n}\n")
file(WRITE "${OUT}.tmp" "${body}")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
