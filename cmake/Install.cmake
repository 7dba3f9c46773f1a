# Where everything goes on `cmake --install`, and the Debian package that cpack makes of it.
if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/InstallWindows.cmake)
  return()
endif()

include(GNUInstallDirs)

install(TARGETS tomecraft-gas RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TOMECRAFT_GUI)
  install(TARGETS tomecraft RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

set(app_id org.brindlemoor.Tomecraft)
set(generated ${PROJECT_BINARY_DIR}/install)

# Texts that carry the version, compressed the way Debian wants them (gzip -n: no timestamp).
function(tomecraft_compressed source name)
  configure_file(${source} ${generated}/${name} @ONLY)
  add_custom_command(OUTPUT ${generated}/${name}.gz
    COMMAND sh -c "gzip -9n -c '${generated}/${name}' > '${generated}/${name}.gz'"
    DEPENDS ${generated}/${name} VERBATIM)
  set_property(GLOBAL APPEND PROPERTY tomecraft_compressed ${generated}/${name}.gz)
endfunction()
tomecraft_compressed(docs/man/tomecraft-gas.1 tomecraft-gas.1)
tomecraft_compressed(res/linux/changelog changelog)
if(TOMECRAFT_GUI)
  tomecraft_compressed(docs/man/tomecraft.1 tomecraft.1)
endif()
get_property(compressed GLOBAL PROPERTY tomecraft_compressed)
add_custom_target(tomecraft_install_texts ALL DEPENDS ${compressed})

install(FILES ${generated}/tomecraft-gas.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES res/linux/tomecraft-gas.bash DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME tomecraft-gas)
install(FILES res/linux/copyright ${generated}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tomecraft)

if(TOMECRAFT_GUI)
  install(FILES ${generated}/tomecraft.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES res/linux/${app_id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  configure_file(res/linux/${app_id}.metainfo.xml ${generated}/${app_id}.metainfo.xml @ONLY)
  install(FILES ${generated}/${app_id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  foreach(size ${TOMECRAFT_ICON_SIZES})
    install(FILES res/icons/tomecraft-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${app_id}.png)
  endforeach()
  install(FILES res/icons/tomecraft.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
          RENAME ${app_id}.svg)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tomecraft)
set(CPACK_PACKAGE_VENDOR Brindlemoor)
set(CPACK_PACKAGE_CONTACT "Brindlemoor <tomecraft@brindlemoor.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for the lore books of Dungeon Siege worlds")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "\
Tomecraft edits the readable books of a Dungeon Siege world (lore.gas) and
the item templates that turn them into objects the player can find, carry,
sell and read (trs_book_lore.gas), with the game's naming rules checked and
a backup of every file it replaces. The command tomecraft-gas reads, checks
and rewrites the same files in mod build pipelines.")
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://brindlemoor.org/tomecraft)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
include(CPack)
