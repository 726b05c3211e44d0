quillora_test(app_test app_fixture.cpp pages_test.cpp counting_test.cpp toolkit_model_test.cpp)
target_link_libraries(app_test PRIVATE quillora_app quillora_headless)

quillora_test(command_line_test command_line_test.cpp)
target_link_libraries(command_line_test PRIVATE quillora_command_line)

add_test(NAME headless.command_line
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/headless/command_line_test.sh $<TARGET_FILE:quillora-headless> ${PROJECT_VERSION})

add_test(NAME headless.sessions
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/headless/run_sessions.sh $<TARGET_FILE:quillora-headless>
          ${CMAKE_CURRENT_SOURCE_DIR}/headless)

if(TARGET quillora_fltk)
  # FLTK measures text only with a display: the suite runs in its own Xvfb.
  add_executable(caption_font_test caption_font_test.cpp)
  target_include_directories(caption_font_test PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(caption_font_test PRIVATE quillora_app quillora_fltk GTest::gtest GTest::gtest_main)
  target_compile_options(caption_font_test PRIVATE ${QUILLORA_CP936_FLAGS})
  add_test(NAME x11.caption_font COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/x11/with_xvfb.sh $<TARGET_FILE:caption_font_test>)
  set_tests_properties(x11.caption_font PROPERTIES LABELS gui TIMEOUT 120)
endif()
if(TARGET quillora)
  add_test(NAME x11.desktop
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/x11/desktop_test.sh $<TARGET_FILE:quillora>
            $<TARGET_FILE:quillora-headless> ${CMAKE_BINARY_DIR}/screenshots)
  set_tests_properties(x11.desktop PROPERTIES LABELS gui RUN_SERIAL TRUE TIMEOUT 120)
  # The same program on screens scaled by 150 % and 200 % (Xft.dpi).
  foreach(dpi 144 192)
    add_test(NAME x11.scaled_${dpi}
      COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/x11/scaled_test.sh $<TARGET_FILE:quillora>
              $<TARGET_FILE:quillora-headless> ${CMAKE_BINARY_DIR}/screenshots ${dpi})
    set_tests_properties(x11.scaled_${dpi} PROPERTIES LABELS gui RUN_SERIAL TRUE TIMEOUT 180)
  endforeach()
endif()

# The Windows program under Wine: the .exe this build cross-compiled, or a
# skip that says why there is none.
if(NOT QUILLORA_WINDOWS)
  set(windows_why "the Windows cross-build is off (QUILLORA_WINDOWS=OFF)")
elseif(NOT QUILLORA_MINGW_CXX)
  set(windows_why "MinGW-w64 (x86_64-w64-mingw32-g++-posix) was not found when this build was configured")
else()
  set(windows_why "")
endif()
add_test(NAME wine.windows
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/wine/wine_test.sh "${QUILLORA_WINDOWS_EXE}" "${QUILLORA_WINDOWS_PROBE}"
          ${CMAKE_BINARY_DIR}/wine "${windows_why}")
set_tests_properties(wine.windows PROPERTIES LABELS gui RUN_SERIAL TRUE TIMEOUT 300 SKIP_RETURN_CODE 77)

quillora_test(picture_test picture_test.cpp)
target_link_libraries(picture_test PRIVATE quillora_pictures)
