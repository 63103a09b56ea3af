list(APPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})

# Warnings are errors for our own code.
function(korvel_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror
    -Wno-error=deprecated-declarations
    # GCC 12 reports false positives on std::optional<QString>; clang has no such option.
    $<$<CXX_COMPILER_ID:GNU>:-Wno-maybe-uninitialized>)
endfunction()

# korvel_library(NAME SOURCES ... LIBS ...): a static library for one subsystem folder.
function(korvel_library name)
  cmake_parse_arguments(K "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${K_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${K_LIBS})
  korvel_warnings(${name})
endfunction()

# korvel_test(NAME SOURCES ... LIBS ...): one GoogleTest program, registered as one CTest test.
# The shared test main creates the QApplication on the offscreen platform and points the data
# folder at a temporary directory, so tests never touch the user's settings.
function(korvel_test name)
  cmake_parse_arguments(K "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${K_SOURCES})
  target_link_libraries(${name} PRIVATE korvel_testsupport ${K_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  korvel_warnings(${name})
  add_test(NAME ${name} COMMAND ${name})
  if(NOT K_TIMEOUT)
    set(K_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${K_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QTWEBENGINE_DISABLE_SANDBOX=1;QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu --no-sandbox --disable-background-networking --disable-component-update;LC_ALL=C.UTF-8")
endfunction()
