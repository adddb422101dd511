# pg_add_test(NAME name SOURCES a.cpp b.cpp LIBS lib1 lib2)
# A GoogleTest executable registered with CTest. Tests run from the build
# folder of their component; PG_TEST_TMP points them at a scratch folder.
# Each test is named "<name>.<Suite>.<Test>", so `ctest -R <name>` picks a
# component's tests.
function(pg_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  if(NOT PG_TESTS)
    return()
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
  gtest_discover_tests(${T_NAME}
    TEST_PREFIX "${T_NAME}."
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES ENVIRONMENT "PG_TEST_TMP=${CMAKE_BINARY_DIR}/test-tmp"
    DISCOVERY_TIMEOUT 60)
endfunction()
