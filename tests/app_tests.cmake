quillora_test(app_test app_fixture.cpp pages_test.cpp counting_test.cpp toolkit_model_test.cpp)
target_link_libraries(app_test PRIVATE quillora_app quillora_headless)

add_test(NAME headless.sessions
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/headless/run_sessions.sh $<TARGET_FILE:quillora-headless>
          ${CMAKE_CURRENT_SOURCE_DIR}/headless)

if(TARGET quillora)
  add_test(NAME x11.desktop
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/x11/desktop_test.sh $<TARGET_FILE:quillora> ${CMAKE_BINARY_DIR}/screenshots)
  set_tests_properties(x11.desktop PROPERTIES LABELS gui RUN_SERIAL TRUE TIMEOUT 120)
endif()

# The Windows program, cross-built by scripts/build-windows.sh, runs under Wine.
set(QUILLORA_WINDOWS_DIR ${PROJECT_SOURCE_DIR}/build-windows CACHE PATH "Where scripts/build-windows.sh puts quillora.exe")
add_test(NAME wine.windows
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/wine/wine_test.sh ${QUILLORA_WINDOWS_DIR}/quillora.exe
          ${QUILLORA_WINDOWS_DIR}/window_probe.exe ${CMAKE_BINARY_DIR}/wine)
set_tests_properties(wine.windows PROPERTIES LABELS gui RUN_SERIAL TRUE TIMEOUT 300)

quillora_test(picture_test picture_test.cpp)
target_link_libraries(picture_test PRIVATE quillora_pictures)
