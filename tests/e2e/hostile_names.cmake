# Hostile names through the built creator: quotes, blanks, trailing dots, control and
# non-ASCII characters, reserved names, folders and 32,000-character names, natively and
# as QUELLARD.EXE under Wine, each row pinned to the status its platform gives.
add_test(NAME e2e.hostile_names.native
         COMMAND ${Python3_EXECUTABLE} ${FN_E2E_DIR}/hostile_names_e2e.py)
set_tests_properties(e2e.hostile_names.native PROPERTIES TIMEOUT 120
  ENVIRONMENT "QUELLARD_KIND=native;QUELLARD_EXE=$<TARGET_FILE:quellard>;E2E_TMP=${FN_E2E_TMP}")

fn_add_wine_test(NAME hostile_names
                 COMMAND ${Python3_EXECUTABLE} ${FN_E2E_DIR}/hostile_names_e2e.py
                 ENVIRONMENT "QUELLARD_KIND=wine;QUELLARD_EXE=${FN_QUELLARD_EXE}" TIMEOUT 400)
