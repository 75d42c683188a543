# Korvane at work under Wine, driven from another process: the scenarios of the driver in
# tests/win/driver. Screenshots land in the build tree's screenshots folder.
set(FN_DRIVER_EXE ${FN_WIN32_DIR}/tests/win/driver/korvane_driver.exe)
set(FN_SCREENSHOTS ${CMAKE_BINARY_DIR}/screenshots)
foreach(scenario signal complaint config setflag about ending timer hostile creator)
  fn_add_wine_test(NAME korvane.e2e.${scenario}
    COMMAND ${FN_E2E_DIR}/korvane_e2e.sh ${FN_DRIVER_EXE} ${FN_KORVANE_EXE}
            ${FN_WIN32_DIR}/creator/QUELLARD.EXE ${FN_E2E_TMP}/korvane-${scenario}
            ${FN_SCREENSHOTS} ${scenario}
    TIMEOUT 240)
endforeach()

# A lighter soak in every run; scripts/soak.sh runs the full one.
fn_add_wine_test(NAME korvane.soak
  COMMAND ${FN_E2E_DIR}/korvane_soak.sh ${FN_DRIVER_EXE} ${FN_KORVANE_EXE}
          ${FN_WIN32_DIR}/creator/QUELLARD.EXE ${FN_E2E_TMP}/korvane-soak ${FN_SCREENSHOTS}
          2000 25
  TIMEOUT 600)
