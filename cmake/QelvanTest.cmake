# qelvan_add_test(NAME SOURCES... LIBS...): one GoogleTest executable per unit, discovered by CTest.
# GUI tests run offscreen. Tests pin their own locale and format settings, so
# nothing here depends on the machine's locale.
include(GoogleTest)
function(qelvan_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  # A test's own main (one that creates a QApplication) wins over gtest_main's.
  target_link_libraries(${name} PRIVATE GTest::gtest GTest::gtest_main ${T_LIBS})
  target_compile_definitions(${name} PRIVATE QELVAN_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    DISCOVERY_TIMEOUT 60)
endfunction()
