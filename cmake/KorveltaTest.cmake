# korvelta_add_test(<name> SOURCES ... [LIBS ...] [LOCALES loc:filter ...] [DESKTOP filter])
# Builds one GoogleTest executable and registers it as one ctest test run under Wine with a pinned
# locale. Each LOCALES entry "sv_SE.UTF-8:*Locale*" registers the same executable again under that
# locale with a gtest filter (for the cases that depend on the decimal separator or units).
# Wine takes the locale from LC_ALL, keeps the user locale in the registry and each process rewrites
# it at start, so a test under another locale must not overlap with any other test (RUN_SERIAL).
# DESKTOP names (as a gtest filter) the cases that need the keyboard focus: without a window manager
# any other test program's window can take it, so they leave the main run and run alone on a Wine
# virtual desktop of their own as <name>_desktop; the locale runs of such a program run on a desktop
# of their own as well. Explorer does not hand on the program's exit code: those runs are judged by
# GoogleTest's closing lines.
# Every run gets its own name in KORVELTA_TEST_RUN (the ctest test's name): the runs of one prefix
# form their profile keys, DDE services and temporary folders from it (testsupport/testrun.h), so
# two programs, or a program and its variants, never delete or read each other's.
# A program whose tests passed but some skipped closes with a line (testsupport/testmain.cpp) that
# the skip expression finds: ctest then reports it "Skipped", not "Passed".

# The time limit only catches a program that hangs: ui_tests alone runs about five minutes on a
# machine busy with other runs, and a limit that close fails a sound run now and then.
set(KORVELTA_TEST_TIMEOUT 900)

# Registers the run <test> of <name>.exe on a Wine virtual desktop of its own, judged by GoogleTest's
# closing lines.
function(korvelta_add_desktop_run name test filter)
  set(exe "Z:${CMAKE_CURRENT_BINARY_DIR}/${name}.exe")
  string(REPLACE "/" "\\" exe "${exe}")
  add_test(NAME ${test}
           COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} explorer /desktop=${test},1024x768 ${exe}
                   --gtest_filter=${filter})
  set_tests_properties(${test} PROPERTIES
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] [1-9][0-9]* tests?\\."
    FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
endfunction()

function(korvelta_add_test name)
  cmake_parse_arguments(T "" "DESKTOP" "SOURCES;LIBS;LOCALES" ${ARGN})
  if(NOT T_SOURCES)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} testsupport korvelta_resources GTest::gtest)
  if(T_DESKTOP)
    add_test(NAME ${name} COMMAND ${name} --gtest_filter=-${T_DESKTOP})
    korvelta_add_desktop_run(${name} ${name}_desktop ${T_DESKTOP})
    set_tests_properties(${name}_desktop PROPERTIES
      ENVIRONMENT "LANG=en_US.UTF-8;LC_ALL=en_US.UTF-8;KORVELTA_TEST_RUN=${name}_desktop" TIMEOUT ${KORVELTA_TEST_TIMEOUT}
      SKIP_REGULAR_EXPRESSION "KORVELTA-SKIPPED: [0-9]+")
  else()
    add_test(NAME ${name} COMMAND ${name})
  endif()
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "LANG=en_US.UTF-8;LC_ALL=en_US.UTF-8;KORVELTA_TEST_RUN=${name}" TIMEOUT ${KORVELTA_TEST_TIMEOUT}
    SKIP_REGULAR_EXPRESSION "KORVELTA-SKIPPED: [0-9]+")
  foreach(entry ${T_LOCALES})
    string(REPLACE ":" ";" parts "${entry}")
    list(GET parts 0 locale)
    list(GET parts 1 filter)
    string(REGEX REPLACE "[^A-Za-z0-9]" "_" suffix "${locale}")
    if(T_DESKTOP)
      # Some of the locale's cases may be focus cases: the whole locale run gets a desktop too.
      korvelta_add_desktop_run(${name} ${name}_${suffix} ${filter})
    else()
      add_test(NAME ${name}_${suffix} COMMAND ${name} --gtest_filter=${filter})
    endif()
    set_tests_properties(${name}_${suffix} PROPERTIES
      ENVIRONMENT "LANG=${locale};LC_ALL=${locale};KORVELTA_TEST_RUN=${name}_${suffix}" TIMEOUT ${KORVELTA_TEST_TIMEOUT}
      RUN_SERIAL TRUE SKIP_REGULAR_EXPRESSION "KORVELTA-SKIPPED: [0-9]+")
  endforeach()
endfunction()

# Every library folder: the sources of the folder into one static library, its tests/ into one test.
function(korvelta_add_library name)
  cmake_parse_arguments(L "" "DESKTOP" "LIBS;TEST_LIBS;LOCALES" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${L_LIBS})
    return()
  endif()
  add_library(${name} STATIC ${sources})
  target_link_libraries(${name} PUBLIC ${L_LIBS})
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/*.cpp)
  if(tests)
    korvelta_add_test(${name}_tests SOURCES ${tests} LIBS ${name} ${L_TEST_LIBS} LOCALES ${L_LOCALES}
                      DESKTOP ${L_DESKTOP})
  endif()
endfunction()
