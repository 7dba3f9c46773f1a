# The Windows programs in one flat folder, with a user's README, the license and the sample pair, and
# what cpack makes of it: a portable zip and an installer with a Start-menu entry and an
# uninstaller.
install(TARGETS tomecraft-gas RUNTIME DESTINATION .)
if(TOMECRAFT_GUI)
  install(TARGETS tomecraft RUNTIME DESTINATION .)
endif()
# The repository's README is for developers: it builds the programs and shows pictures that are
# not shipped.
configure_file(res/windows/README.txt ${PROJECT_BINARY_DIR}/generated/README.txt @ONLY
               NEWLINE_STYLE CRLF)
install(FILES ${PROJECT_BINARY_DIR}/generated/README.txt DESTINATION .)
install(FILES LICENSE DESTINATION . RENAME LICENSE.txt)
install(FILES samples/lore.gas samples/trs_book_lore.gas DESTINATION samples)

set(CPACK_GENERATOR ZIP NSIS64)
set(CPACK_PACKAGE_NAME Tomecraft)
set(CPACK_PACKAGE_VENDOR Brindlemoor)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for the lore books of Dungeon Siege worlds")
set(CPACK_PACKAGE_FILE_NAME Tomecraft-${PROJECT_VERSION}-windows-x64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Tomecraft)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Tomecraft)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

# The Start-menu entry; the programs lie in the top folder, not in bin.
set(CPACK_PACKAGE_EXECUTABLES tomecraft Tomecraft)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_INSTALLED_ICON_NAME tomecraft.exe)
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/res/windows/tomecraft.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/res/windows/tomecraft.ico)
set(CPACK_NSIS_DISPLAY_NAME Tomecraft)
set(CPACK_NSIS_PACKAGE_NAME Tomecraft)
set(CPACK_NSIS_URL_INFO_ABOUT https://brindlemoor.org/tomecraft)
set(CPACK_NSIS_CONTACT tomecraft@brindlemoor.org)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
# Version information, so that Explorer's Properties and a download's check name the installer.
string(CONCAT CPACK_NSIS_DEFINES
  "VIProductVersion ${PROJECT_VERSION}.0\n"
  "VIFileVersion ${PROJECT_VERSION}.0\n"
  "VIAddVersionKey /LANG=1033 ProductName Tomecraft\n"
  "VIAddVersionKey /LANG=1033 CompanyName Brindlemoor\n"
  "VIAddVersionKey /LANG=1033 LegalCopyright 'Copyright (C) 2026 Brindlemoor'\n"
  "VIAddVersionKey /LANG=1033 FileDescription 'Tomecraft ${PROJECT_VERSION} Setup'\n"
  "VIAddVersionKey /LANG=1033 FileVersion ${PROJECT_VERSION}\n"
  "VIAddVersionKey /LANG=1033 ProductVersion ${PROJECT_VERSION}")
include(CPack)
