# The native half of the tree: the Linux creator, the unit tests (plain and under the
# sanitizers), the Windows build as an external project, and the Wine end-to-end tests.
include(CTest)
include(ExternalProject)
find_package(GTest REQUIRED)
include(GoogleTest)

option(FN_WIN32 "Cross-build the Windows programs and run their tests under Wine" ON)

set(FN_SANITIZE_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=all)

# Every native program takes Debian's hardened build flags, as a package build gives them:
# fortified functions, stack protector, relro and bindnow (PIE is the compiler's default).
# They come from dpkg-buildflags, when it is there, so they follow Debian's own choice.
find_program(FN_DPKG_BUILDFLAGS dpkg-buildflags)
if(FN_DPKG_BUILDFLAGS)
  foreach(kind CPPFLAGS CFLAGS CXXFLAGS LDFLAGS)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                            ${FN_DPKG_BUILDFLAGS} --get ${kind}
                    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR} OUTPUT_VARIABLE FN_DEB_${kind}
                    OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  endforeach()
  string(APPEND CMAKE_C_FLAGS " ${FN_DEB_CPPFLAGS} ${FN_DEB_CFLAGS}")
  string(APPEND CMAKE_CXX_FLAGS " ${FN_DEB_CPPFLAGS} ${FN_DEB_CXXFLAGS}")
  foreach(kind EXE SHARED MODULE)
    string(APPEND CMAKE_${kind}_LINKER_FLAGS " ${FN_DEB_LDFLAGS}")
  endforeach()
endif()

# The sanitized twin of lib, in out: for a static library of this tree, lib_san, built
# from the same sources under ASan and UBSan and linking the twins of what lib links, so
# the sanitized tests check the code they link as well as their own; else lib itself.
function(fn_sanitized_twin lib out)
  set(${out} ${lib} PARENT_SCOPE)
  if(NOT TARGET ${lib})
    return()
  endif()
  get_target_property(type ${lib} TYPE)
  get_target_property(imported ${lib} IMPORTED)
  if(imported OR NOT type STREQUAL "STATIC_LIBRARY")
    return()
  endif()
  set(${out} ${lib}_san PARENT_SCOPE)
  if(TARGET ${lib}_san)
    return()
  endif()
  get_target_property(dir ${lib} SOURCE_DIR)
  get_target_property(names ${lib} SOURCES)
  set(sources)
  foreach(name ${names})
    get_filename_component(source ${name} ABSOLUTE BASE_DIR ${dir})
    list(APPEND sources ${source})
  endforeach()
  get_target_property(links ${lib} LINK_LIBRARIES)
  set(twins)
  if(NOT links)
    set(links)
  endif()
  foreach(link ${links})
    fn_sanitized_twin(${link} twin)
    list(APPEND twins ${twin})
  endforeach()
  add_library(${lib}_san STATIC ${sources})
  target_include_directories(${lib}_san PUBLIC $<TARGET_PROPERTY:${lib},INCLUDE_DIRECTORIES>)
  target_compile_options(${lib}_san PRIVATE ${FN_SANITIZE_FLAGS} -U_FORTIFY_SOURCE)
  target_link_libraries(${lib}_san PUBLIC ${twins})
endfunction()

# Adds one GoogleTest program twice, plain and under ASan and UBSan; both runs are tests.
# The sanitized one links the sanitized twins of LIBS.
function(fn_add_unit_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;INCLUDES;LIBS" ${ARGN})
  foreach(variant plain san)
    set(target ${name})
    set(libs ${ARG_LIBS})
    if(variant STREQUAL "san")
      set(target ${name}_san)
      set(libs)
      foreach(lib ${ARG_LIBS})
        fn_sanitized_twin(${lib} twin)
        list(APPEND libs ${twin})
      endforeach()
    endif()
    add_executable(${target} ${ARG_SOURCES})
    target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR} ${ARG_INCLUDES})
    target_link_libraries(${target} PRIVATE GTest::gtest GTest::gtest_main ${libs})
    if(variant STREQUAL "san")
      # The fortified variants of the string and memory functions would bypass ASan's
      # own checks of them.
      target_compile_options(${target} PRIVATE ${FN_SANITIZE_FLAGS} -U_FORTIFY_SOURCE)
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
