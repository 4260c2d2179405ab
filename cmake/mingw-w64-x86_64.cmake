# 64-bit Windows from Debian with MinGW-w64 (package g++-mingw-w64-x86-64-posix),
# and what it builds run under Wine (package wine64). ./dev.sh windows uses it;
# by hand:
#   cmake -S . -B build-windows -G Ninja --toolchain cmake/mingw-w64-x86_64.cmake \
#     -DVCURVE_BUILD_GUI=OFF -DVCURVE_WINDOWS_PREFIX=<folder of the static third-party libraries>

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# The posix thread model: GCC 12's std::thread and std::mutex need it.
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# The C++ runtime, libgcc and winpthread linked in: an .exe that runs on any
# Windows without MinGW's DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Headers, libraries and CMake packages come from the MinGW tree and from the
# prefix of third-party libraries built for Windows, never from the host.
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
# pkg-config reads the .pc files of Windows libraries only, never the host's.
set(ENV{PKG_CONFIG_LIBDIR} /usr/x86_64-w64-mingw32/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")
# VCURVE_WINDOWS_PREFIX may name several prefixes (the libraries', the static
# Qt's), separated by semicolons: each is searched as a root of its own.
foreach(windows_prefix IN LISTS VCURVE_WINDOWS_PREFIX)
  list(APPEND CMAKE_FIND_ROOT_PATH ${windows_prefix})
  list(APPEND CMAKE_PREFIX_PATH ${windows_prefix})
  set(ENV{PKG_CONFIG_LIBDIR} ${windows_prefix}/lib/pkgconfig:$ENV{PKG_CONFIG_LIBDIR})
endforeach()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VCURVE_WINDOWS_PREFIX)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# ctest and GoogleTest's test discovery start the .exe files through Wine,
# with a Wine prefix of the build folder's own and without Wine's chatter.
# Wine names the host's files in the host locale's character set: a UTF-8
# locale, whatever the caller's, or Chinese file names cannot be made; it
# also gives the programs the same Windows locale on every machine.
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  find_program(VCURVE_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
  if(VCURVE_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR
        env -u LOCPATH LC_ALL=C.UTF-8 WINEPREFIX=${CMAKE_BINARY_DIR}/wine-prefix WINEDEBUG=-all
        ${VCURVE_WINE})
  endif()
endif()
