# The release package for Windows users: "cmake --build <Windows tree> --target package"
# zips the two programs, a sample Korvane.INI and README.TXT under one top folder named
# like the zip. The texts get CR LF line ends here, since Notepad on older Windows shows
# a file with bare LF ends as one long line.
set(FN_PACKAGE_TEXTS ${CMAKE_BINARY_DIR}/package)
configure_file(${CMAKE_SOURCE_DIR}/package/README.TXT.in ${FN_PACKAGE_TEXTS}/README.TXT
               @ONLY NEWLINE_STYLE CRLF)
configure_file(${CMAKE_SOURCE_DIR}/package/Korvane.INI ${FN_PACKAGE_TEXTS}/Korvane.INI
               @ONLY NEWLINE_STYLE CRLF)

install(TARGETS quellard_exe korvane RUNTIME DESTINATION .)
install(FILES ${FN_PACKAGE_TEXTS}/README.TXT ${FN_PACKAGE_TEXTS}/Korvane.INI DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME ${FN_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${FN_RELEASE})
set(CPACK_PACKAGE_FILE_NAME ${FN_PACKAGE_NAME}-${FN_RELEASE}-win32)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)

# The Windows Installer package, made with wixl and completed with msibuild (both from
# msitools): flag-notification-<release>.msi, built with everything; "--target release"
# makes it and the zip. Each build has a product code of its own and upgrades any
# installed version up to its own. The tests upgrade from flag-notification-1.2.msi, the
# same files under an earlier version, and replace an installed release with the same
# package built again, flag-notification-<release>-rebuilt.msi.
find_program(FN_WIXL wixl REQUIRED)
find_program(FN_MSIBUILD msibuild REQUIRED)
add_library(fn_msi_action SHARED ${CMAKE_SOURCE_DIR}/package/msi/flag_name_action.cpp)
target_include_directories(fn_msi_action PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(fn_msi_action PRIVATE msi)
target_link_options(fn_msi_action PRIVATE -Wl,--kill-at)
set_target_properties(fn_msi_action PROPERTIES PREFIX "" LIBRARY_OUTPUT_DIRECTORY
                      ${CMAKE_BINARY_DIR}/package RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/package)

# Every version of the package upgrades the one before: one UpgradeCode for all.
set(FN_UPGRADE_CODE 75CF005C-4A25-4538-9CE4-4D21952CAA11)

# Makes <name>.msi of the given version (x.y.z) in the Windows tree. wixl finds the
# files beside its source, so they are gathered in a folder of their own first.
function(fn_add_msi target name version)
  set(msi ${CMAKE_BINARY_DIR}/${name}.msi)
  set(stage ${CMAKE_BINARY_DIR}/msi/${name})
  set(source ${CMAKE_SOURCE_DIR}/package/msi)
  add_custom_command(OUTPUT ${msi}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:korvane> $<TARGET_FILE:quellard_exe>
            $<TARGET_FILE:fn_msi_action> ${FN_PACKAGE_TEXTS}/README.TXT
            ${CMAKE_SOURCE_DIR}/watcher/resources/korvane.ico ${source}/flag-notification.wxs
            ${stage}
    COMMAND ${FN_WIXL} -a x86 -o ${msi}.tmp -D Version=${version}
            -D UpgradeCode=${FN_UPGRADE_CODE} ${stage}/flag-notification.wxs
    COMMAND ${source}/complete.sh ${FN_MSIBUILD} ${CMAKE_RC_COMPILER} ${msi}.tmp ${source}/complete.sql
            ${stage} ${version} ${FN_UPGRADE_CODE}
    COMMAND ${CMAKE_COMMAND} -E rename ${msi}.tmp ${msi}
    DEPENDS ${source}/flag-notification.wxs ${source}/complete.sql ${source}/complete.sh korvane
            quellard_exe fn_msi_action ${FN_PACKAGE_TEXTS}/README.TXT
            ${CMAKE_SOURCE_DIR}/watcher/resources/korvane.ico VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${msi})
endfunction()
fn_add_msi(installer ${FN_PACKAGE_NAME}-${FN_RELEASE} ${FN_RELEASE}.0)
fn_add_msi(installer_previous ${FN_PACKAGE_NAME}-1.2 1.2.0)
fn_add_msi(installer_rebuilt ${FN_PACKAGE_NAME}-${FN_RELEASE}-rebuilt ${FN_RELEASE}.0)
add_custom_target(release COMMAND ${CMAKE_CPACK_COMMAND} --config ${CMAKE_BINARY_DIR}/CPackConfig.cmake
                  DEPENDS installer WORKING_DIRECTORY ${CMAKE_BINARY_DIR} VERBATIM)
