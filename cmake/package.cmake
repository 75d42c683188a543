# The release package for Windows users: "cmake --build <Windows tree> --target package"
# zips the two programs, a sample Korvane.INI and README.TXT under one top folder named
# like the zip. The texts get CR LF line ends here, since Notepad on older Windows shows
# a file with bare LF ends as one long line.

# Name and version come from the resource header, where the programs' version records
# take them from.
file(STRINGS ${CMAKE_SOURCE_DIR}/watcher/resources/resource.h FN_RESOURCE_DEFINES
     REGEX "^#define KV_(VERSION_MAJOR|VERSION_MINOR|PRODUCT_NAME) ")
foreach(line ${FN_RESOURCE_DEFINES})
  if(line MATCHES "^#define KV_([A-Z_]+) \"?([^\"]*)\"?$")
    set(FN_${CMAKE_MATCH_1} "${CMAKE_MATCH_2}")
  endif()
endforeach()
set(FN_RELEASE ${FN_VERSION_MAJOR}.${FN_VERSION_MINOR})
if(NOT FN_RELEASE VERSION_EQUAL PROJECT_VERSION)
  message(FATAL_ERROR "resource.h says version ${FN_RELEASE}, project() ${PROJECT_VERSION}")
endif()
string(TOLOWER "${FN_PRODUCT_NAME}" FN_PACKAGE_NAME)
string(REPLACE " " "-" FN_PACKAGE_NAME "${FN_PACKAGE_NAME}")

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
