quillora_test(app_test app_fixture.cpp pages_test.cpp counting_test.cpp toolkit_model_test.cpp)
target_link_libraries(app_test PRIVATE quillora_app quillora_headless)

add_test(NAME headless.sessions
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/headless/run_sessions.sh $<TARGET_FILE:quillora-headless>
          ${CMAKE_CURRENT_SOURCE_DIR}/headless)
