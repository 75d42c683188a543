# The version records of both programs and Korvane's icon, read under Wine from the built
# files. The paths go over as Windows paths on drive Z:, Wine's view of the Unix root.
fn_add_wine_test(NAME versions
                 COMMAND wine ${FN_WIN32_DIR}/tests/win/versions/versions_test.exe
                         Z:${FN_QUELLARD_EXE} Z:${FN_KORVANE_EXE})
