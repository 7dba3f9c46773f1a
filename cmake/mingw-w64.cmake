# Cross-building the Windows programs on Debian with MinGW-w64 (the posix-thread compilers, for
# std::thread) and running them under Wine. Pass TOMECRAFT_WX_PREFIX for the editor: the prefix
# of a static wxMSW build (scripts/test-windows makes one).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triple} ${TOMECRAFT_WX_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Programs that import only system DLLs: nothing of MinGW's runtime ships beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_CROSSCOMPILING_EMULATOR wine)

if(TOMECRAFT_WX_PREFIX)
  set(wxWidgets_CONFIG_EXECUTABLE ${TOMECRAFT_WX_PREFIX}/bin/wx-config)
endif()
