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
