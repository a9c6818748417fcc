# Each case of a GoogleTest program as a CTest test of its own, so that a red run names the case
# that failed. Native programs are asked for their cases (gtest_discover_tests); the Windows
# programs cannot be asked at build time, since they run only in the Wine session of the test
# run, so their cases are read from their sources instead, as gtest_add_tests reads them:
# TEST and TEST_F by name, each TEST_P as one test that runs all its values.
#
#   tavelin_add_gtest_cases(<list out> PREFIX <prefix> SOURCES <file>... COMMAND <command>...)
#
# adds the test <prefix><Suite>.<Name> (<prefix><Suite>.<Name>/* for a TEST_P) running
# <command>... --gtest_filter=<its case>, and returns the names added.
function(tavelin_add_gtest_cases out)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "PREFIX" "SOURCES;COMMAND")
  set(case_regex "(^|\n)(TEST|TEST_F|TEST_P) *\\([ \n]*([A-Za-z_0-9]+)[ \n]*,[ \n]*([A-Za-z_0-9]+)[ \n]*\\)")
  set(names)
  foreach(source IN LISTS arg_SOURCES)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
    file(READ ${source} contents)
    string(REGEX MATCHALL "${case_regex}" cases "${contents}")
    foreach(case IN LISTS cases)
      string(REGEX REPLACE "${case_regex}" "\\2;\\3;\\4" parts "${case}")
      list(GET parts 0 kind)
      list(GET parts 1 suite)
      list(GET parts 2 test)
      if(kind STREQUAL "TEST_P")
        set(name ${suite}.${test}/*)
        set(filter */${suite}.${test}/*)
      else()
        set(name ${suite}.${test})
        set(filter ${suite}.${test})
      endif()
      add_test(NAME ${arg_PREFIX}${name} COMMAND ${arg_COMMAND} --gtest_filter=${filter})
      list(APPEND names ${arg_PREFIX}${name})
    endforeach()
  endforeach()
  set(${out} ${names} PARENT_SCOPE)
endfunction()
