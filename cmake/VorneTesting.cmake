# vorne_add_test(NAME name LABEL label SOURCES ... LIBS ...)
# Builds one GoogleTest executable and registers its tests with ctest under the given label.
# Tests run with tests/data as VORNE_TEST_DATA so they can find their fixtures.
function(vorne_add_test)
  cmake_parse_arguments(T "" "NAME;LABEL" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main vorne_warnings)
  target_compile_definitions(${T_NAME} PRIVATE
    VORNE_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
    VORNE_BIN_DIR="${CMAKE_BINARY_DIR}/bin")
  include(GoogleTest)
  gtest_discover_tests(${T_NAME} PROPERTIES LABELS ${T_LABEL} DISCOVERY_TIMEOUT 60)
endfunction()
