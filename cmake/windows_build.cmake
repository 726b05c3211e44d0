# Cross-builds the Windows program into BUILD/windows: libpng from Debian's
# source package first (scripts/build-libpng-mingw.sh), then this project with
# the MinGW-w64 toolchain. quillora.exe and the Wine tests' probe come out.
include(ExternalProject)
set(QUILLORA_WINDOWS_DIR ${CMAKE_BINARY_DIR}/windows)
set(windows_deps ${CMAKE_BINARY_DIR}/windows-deps)
set(mingw_root /usr/x86_64-w64-mingw32)
ExternalProject_Add(quillora_windows
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${QUILLORA_WINDOWS_DIR}
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/mingw-w64.cmake
    -DCMAKE_BUILD_TYPE=Release
    -DQUILLORA_HOST=${QUILLORA_HOST}
    -DCMAKE_PREFIX_PATH=${windows_deps}
    -DZLIB_LIBRARY=${mingw_root}/lib/libz.a
    -DZLIB_INCLUDE_DIR=${mingw_root}/include
    -DPNG_LIBRARY=${windows_deps}/lib/libpng16.a
    -DPNG_PNG_INCLUDE_DIR=${windows_deps}/include
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  USES_TERMINAL_BUILD ON)
ExternalProject_Add_Step(quillora_windows libpng
  COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/build-libpng-mingw.sh ${windows_deps}
  COMMENT "libpng for MinGW-w64 from Debian's source package"
  DEPENDERS configure)
set(QUILLORA_WINDOWS_EXE ${QUILLORA_WINDOWS_DIR}/app/quillora.exe)
set(QUILLORA_WINDOWS_PROBE ${QUILLORA_WINDOWS_DIR}/tests/wine/window_probe.exe)
