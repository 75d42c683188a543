# Both Windows programs checked against what Windows XP SP3 can load, from their headers
# and import tables alone: no Wine needed. A new import fails until it is added to
# xp_imports.txt on purpose. The creator is a console program that needs only KERNEL32
# and the C runtime; the watcher a GUI program that adds USER32 and GDI32.
add_test(NAME win32.pe_compat
         COMMAND ${Python3_EXECUTABLE} ${FN_E2E_DIR}/pe_compat.py i686-w64-mingw32-objdump
                 ${FN_E2E_DIR}/xp_imports.txt
                 ${FN_QUELLARD_EXE}=console:KERNEL32.dll,msvcrt.dll
                 ${FN_KORVANE_EXE}=gui:KERNEL32.dll,USER32.dll,GDI32.dll,msvcrt.dll)
set_tests_properties(win32.pe_compat PROPERTIES TIMEOUT 60)
