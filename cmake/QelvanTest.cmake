# qelvan_add_test(NAME SOURCES... LIBS...): one GoogleTest executable per unit, discovered by CTest.
# GUI tests run offscreen, and the locale is pinned so formats do not follow the machine.
include(GoogleTest)
function(qelvan_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE GTest::gtest GTest::gtest_main ${T_LIBS})
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=zh_CN.UTF-8;LANG=zh_CN.UTF-8;QELVAN_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
    DISCOVERY_TIMEOUT 60)
endfunction()
