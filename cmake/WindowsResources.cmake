# The Windows resources of the editor: icon, version information and manifest.
function(tomecraft_windows_resources target)
  set(windows_res ${PROJECT_SOURCE_DIR}/res/windows)
  set(generated ${PROJECT_BINARY_DIR}/generated)
  set(TOMECRAFT_ICO ${windows_res}/tomecraft.ico)
  set(TOMECRAFT_MANIFEST ${generated}/tomecraft.manifest)
  configure_file(${windows_res}/tomecraft.manifest.in ${TOMECRAFT_MANIFEST} @ONLY)
  configure_file(${windows_res}/tomecraft.rc.in ${generated}/tomecraft.rc @ONLY)
  target_sources(${target} PRIVATE ${generated}/tomecraft.rc)
  set_property(SOURCE ${generated}/tomecraft.rc APPEND PROPERTY OBJECT_DEPENDS ${TOMECRAFT_ICO}
                                                                              ${TOMECRAFT_MANIFEST})
  if(MSVC)
    # The linker writes the manifest from the ones it is given; a second one in the resource
    # script would clash with it.
    target_sources(${target} PRIVATE ${TOMECRAFT_MANIFEST})
  else()
    set_property(SOURCE ${generated}/tomecraft.rc APPEND PROPERTY COMPILE_DEFINITIONS
                                                                  TOMECRAFT_RC_MANIFEST)
  endif()
endfunction()
