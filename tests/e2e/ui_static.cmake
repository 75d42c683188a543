# Korvane's window, dialogs and resources, checked under Wine by the test programs of
# tests/win. (Korvane.exe's subsystem and imports are checked with the creator's, in
# pe_compat.cmake.)
set(FN_KORVANE_TESTS ${FN_WIN32_DIR}/tests/win)

fn_add_wine_test(NAME korvane.resources
                 COMMAND wine ${FN_KORVANE_TESTS}/resources/resources_test.exe ${FN_KORVANE_EXE})
fn_add_wine_test(NAME korvane.sysmenu COMMAND wine ${FN_KORVANE_TESTS}/sysmenu/sysmenu_test.exe)
fn_add_wine_test(NAME korvane.dialogs COMMAND wine ${FN_KORVANE_TESTS}/dialogs/dialogs_test.exe)
