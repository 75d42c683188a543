# The native half of the tree: the Linux creator, the unit tests (plain and under the
# sanitizers), the Windows build as an external project, and the Wine end-to-end tests.
include(CTest)
include(ExternalProject)
find_package(GTest REQUIRED)
include(GoogleTest)

option(FN_WIN32 "Cross-build the Windows programs and run their tests under Wine" ON)

set(FN_SANITIZE_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=all)

# Adds one GoogleTest program twice, plain and under ASan and UBSan; both runs are tests.
function(fn_add_unit_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;INCLUDES;LIBS" ${ARGN})
  foreach(variant plain san)
    set(target ${name})
    if(variant STREQUAL "san")
      set(target ${name}_san)
    endif()
    add_executable(${target} ${ARG_SOURCES})
    target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR} ${ARG_INCLUDES})
    target_link_libraries(${target} PRIVATE GTest::gtest GTest::gtest_main ${ARG_LIBS})
    if(variant STREQUAL "san")
      target_compile_options(${target} PRIVATE ${FN_SANITIZE_FLAGS})
      target_link_options(${target} PRIVATE ${FN_SANITIZE_FLAGS})
      gtest_discover_tests(${target} TEST_PREFIX "san." DISCOVERY_TIMEOUT 30
                           PROPERTIES TIMEOUT 60)
    else()
      gtest_discover_tests(${target} DISCOVERY_TIMEOUT 30 PROPERTIES TIMEOUT 60)
    endif()
  endforeach()
endfunction()

add_subdirectory(creator)
add_subdirectory(watcher)
add_subdirectory(bench)

if(FN_WIN32)
  set(FN_WIN32_DIR ${CMAKE_BINARY_DIR}/win32)
  ExternalProject_Add(win32
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${FN_WIN32_DIR}
    CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-i686.cmake
               -DCMAKE_BUILD_TYPE=MinSizeRel
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    USES_TERMINAL_BUILD ON)
endif()
add_subdirectory(tests)

include(${CMAKE_SOURCE_DIR}/cmake/deb.cmake)

add_test(NAME format.clang COMMAND ${CMAKE_SOURCE_DIR}/scripts/check_format.sh)
