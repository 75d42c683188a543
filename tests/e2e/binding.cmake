# The Win32 binding of the watcher's file and profile operations, run under Wine: once
# where it was built, and once copied under a long folder with a long base name, where
# the INI path must still be the program's own folder and name with ".INI".
set(FN_BINDING_EXE ${FN_WIN32_DIR}/tests/win/binding/binding_test.exe)
fn_add_wine_test(NAME binding COMMAND wine ${FN_BINDING_EXE})
fn_add_wine_test(NAME binding.long_path COMMAND ${FN_E2E_DIR}/binding_long_path.sh ${FN_BINDING_EXE})
