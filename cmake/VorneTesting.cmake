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

# vorne_add_qt_test(name SOURCES ... LIBS ... [LABEL label] [DE_LOCALE])
# Builds one Qt Test executable of the desktop side and registers it with ctest, without a display
# (offscreen platform); the label defaults to the folder's name. With DE_LOCALE it runs a second
# time under a decimal-comma locale. Every test sees VORNE_TEST_DATA, VORNE_BIN_DIR and
# VORNE_SOURCE_DIR.
function(vorne_add_qt_test name)
  cmake_parse_arguments(T "DE_LOCALE" "LABEL" "SOURCES;LIBS" ${ARGN})
  if(NOT T_LABEL)
    get_filename_component(T_LABEL ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  endif()
  add_executable(${name} ${T_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_link_libraries(${name} PRIVATE ${T_LIBS} Qt6::Test vorne_warnings)
  target_compile_definitions(${name} PRIVATE
    VORNE_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
    VORNE_BIN_DIR="${CMAKE_BINARY_DIR}/bin"
    VORNE_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS ${T_LABEL} ENVIRONMENT QT_QPA_PLATFORM=offscreen)
  if(T_DE_LOCALE)
    add_test(NAME ${name}_de_DE COMMAND ${name})
    set_tests_properties(${name}_de_DE PROPERTIES LABELS ${T_LABEL}
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=de_DE.UTF-8;LANG=de_DE.UTF-8")
  endif()
endfunction()
