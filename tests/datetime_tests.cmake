# std::chrono's headers hold characters code page 936 lacks: these tests keep UTF-8.
add_executable(datetime_test datetime_test.cpp calendar_exhaustive_test.cpp clock_test.cpp)
target_link_libraries(datetime_test PRIVATE quillora_datetime GTest::gtest GTest::gtest_main)
target_include_directories(datetime_test PRIVATE ${PROJECT_SOURCE_DIR})
gtest_discover_tests(datetime_test DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 600)
quillora_test(text_to_datetime_test text_to_datetime_test.cpp)
target_link_libraries(text_to_datetime_test PRIVATE quillora_datetime)
quillora_test(time_interval_test time_interval_test.cpp)
target_link_libraries(time_interval_test PRIVATE quillora_datetime)
