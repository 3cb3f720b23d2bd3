# lumivane_add_test(<name> LABEL unit|widget SOURCES ... LIBS ...)
# One GoogleTest program, its cases registered one by one with ctest under the
# given label. Every test runs with a fixed time zone and locale; widget tests
# draw on Qt's offscreen platform.
include(GoogleTest)
find_package(GTest REQUIRED)

function(lumivane_add_test name)
  cmake_parse_arguments(ARG "" "LABEL" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest)
  if(ARG_LABEL STREQUAL "widget")
    # Widget tests need a QApplication before the first case runs.
    target_sources(${name} PRIVATE "${PROJECT_SOURCE_DIR}/tests/support/WidgetTestMain.cpp")
    target_link_libraries(${name} PRIVATE Qt6::Widgets)
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  target_include_directories(${name} PRIVATE "${PROJECT_SOURCE_DIR}" "${PROJECT_SOURCE_DIR}/tests")
  target_compile_definitions(${name} PRIVATE
    LUMIVANE_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    LUMIVANE_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
  lumivane_set_warnings(${name})
  # Parsed-store snapshots only where a test asks for them.
  set(env "TZ=Europe/Berlin" "LC_ALL=C.UTF-8" "LUMIVANE_NO_CACHE=1")
  if(ARG_LABEL STREQUAL "widget")
    list(APPEND env "QT_QPA_PLATFORM=offscreen")
  endif()
  gtest_discover_tests(${name}
    PROPERTIES LABELS ${ARG_LABEL} ENVIRONMENT "${env}"
    DISCOVERY_TIMEOUT 60)
endfunction()
