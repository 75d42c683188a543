# What the native tree installs besides the programs, and its Debian package:
# "cmake --build <native tree> --target package" makes flag-notification_<release>_amd64.deb.
# The manual pages and the changelog go in gzip'd without a time stamp, as Debian wants.
set(FN_DOCS ${CMAKE_BINARY_DIR}/docs)
set(FN_GZIPPED)
foreach(source creator/quellard.1 watcher/gtk/korvane.1 package/debian/changelog)
  get_filename_component(name ${source} NAME)
  add_custom_command(OUTPUT ${FN_DOCS}/${name}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${FN_DOCS}
    COMMAND gzip -9nc ${CMAKE_SOURCE_DIR}/${source} > ${FN_DOCS}/${name}.gz
    DEPENDS ${CMAKE_SOURCE_DIR}/${source} VERBATIM)
  list(APPEND FN_GZIPPED ${FN_DOCS}/${name}.gz)
endforeach()
add_custom_target(fn_docs ALL DEPENDS ${FN_GZIPPED})

# As Debian's own packaging does, the programs go without the .comment section, which
# only names the compilers of every object linked in.
install(CODE "foreach(program korvane quellard)
  execute_process(COMMAND ${CMAKE_OBJCOPY} --remove-section=.comment
                  \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/\${program}\" COMMAND_ERROR_IS_FATAL ANY)
endforeach()")

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
    GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
install(FILES ${FN_DOCS}/quellard.1.gz ${FN_DOCS}/korvane.1.gz DESTINATION share/man/man1)
install(FILES ${FN_DOCS}/changelog.gz ${CMAKE_SOURCE_DIR}/package/debian/copyright
        DESTINATION share/doc/${FN_PACKAGE_NAME})
install(FILES ${CMAKE_SOURCE_DIR}/watcher/gtk/korvane.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/watcher/gtk/example.korvane.korvane.metainfo.xml
        DESTINATION share/metainfo)
# The icon in every size of the hicolor theme, made by watcher/resources/make_icon.py.
set(FN_ICONS ${CMAKE_SOURCE_DIR}/watcher/resources/icons)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${FN_ICONS}/korvane-${size}.png DESTINATION share/icons/hicolor/${size}x${size}/apps
          RENAME korvane.png)
endforeach()
install(FILES ${FN_ICONS}/korvane.svg DESTINATION share/icons/hicolor/scalable/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${FN_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${FN_RELEASE})
set(CPACK_PACKAGE_CONTACT "${FN_MAKER_NAME} <support@korvane.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "flag files that get a person's attention")
# One line each: the package's description lines must stay under 80 characters.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "A batch job raises a flag with quellard, which creates a file only if it does\n"
    "not exist yet and tells the job the outcome in its exit status. korvane, a\n"
    "small window kept minimized on the desktop, checks every 10 seconds whether\n"
    "its flag file exists and, when it does, pops up above all other windows with\n"
    "Flag is On... until the user deletes the flag or minimizes the window.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
