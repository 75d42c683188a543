# Both Windows programs checked against what Windows XP SP3 can load, from their headers
# and import tables alone: no Wine needed. A new import fails until it is added to
# xp_imports.txt on purpose.
add_test(NAME win32.pe_compat
         COMMAND ${Python3_EXECUTABLE} ${FN_E2E_DIR}/pe_compat.py i686-w64-mingw32-objdump
                 ${FN_E2E_DIR}/xp_imports.txt ${FN_QUELLARD_EXE}
                 ${FN_KORVANE_EXE})
set_tests_properties(win32.pe_compat PROPERTIES TIMEOUT 60)
