# Korvane's window, dialogs and resources, checked under Wine by the test programs of
# tests/win; and Korvane.exe's subsystem and imports, checked without Wine.
set(FN_KORVANE_TESTS ${FN_WIN32_DIR}/tests/win)

fn_add_wine_test(NAME korvane.resources
                 COMMAND wine ${FN_KORVANE_TESTS}/resources/resources_test.exe ${FN_KORVANE_EXE})
fn_add_wine_test(NAME korvane.sysmenu COMMAND wine ${FN_KORVANE_TESTS}/sysmenu/sysmenu_test.exe)
fn_add_wine_test(NAME korvane.dialogs COMMAND wine ${FN_KORVANE_TESTS}/dialogs/dialogs_test.exe)

add_test(NAME win32.korvane.imports
         COMMAND ${FN_E2E_DIR}/check_imports.sh ${FN_KORVANE_EXE} gui KERNEL32.dll USER32.dll
                 GDI32.dll msvcrt.dll)
