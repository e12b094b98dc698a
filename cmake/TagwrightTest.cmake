# tagwright_add_test(<name> SOURCES <files...> LIBS <targets...> [PROPERTIES <ctest properties...>])
# One GoogleTest program per behaviour group; the shared main sets up an offscreen
# QApplication. Discovery runs before the tests, not at build time.
function(tagwright_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;PROPERTIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE tagwright_testsupport ${ARG_LIBS})
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" ${ARG_PROPERTIES})
endfunction()
