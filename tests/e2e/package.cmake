# The release zip, made by the Windows tree's package target and checked without Wine:
# its files, their CR LF line ends, the sample INI file and the README's contents.
add_test(NAME win32.package
         COMMAND ${Python3_EXECUTABLE} ${FN_E2E_DIR}/package_check.py ${CMAKE_COMMAND}
                 ${FN_WIN32_DIR} ${CMAKE_SOURCE_DIR} ${FN_QUELLARD_EXE}
                 ${FN_KORVANE_EXE})
set_tests_properties(win32.package PROPERTIES TIMEOUT 300 ENVIRONMENT "E2E_TMP=${FN_E2E_TMP}")
