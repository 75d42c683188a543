# The native install: cmake --install puts quellard and its manual page under a prefix,
# and both are checked there.
add_test(NAME e2e.install
         COMMAND ${FN_E2E_DIR}/install_check.sh ${CMAKE_COMMAND} ${CMAKE_BINARY_DIR}
                 $<TARGET_FILE:quellard> ${CMAKE_SOURCE_DIR}/creator/quellard.1)
set_tests_properties(e2e.install PROPERTIES TIMEOUT 60 ENVIRONMENT "E2E_TMP=${FN_E2E_TMP}")
