# Cross-builds the Windows program on Linux with MinGW-w64 and runs what it
# builds (tests, build-time tools) under Wine.
#
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
#
# Needs Debian's g++-mingw-w64-x86-64-posix, binutils-mingw-w64-x86-64 and,
# to run anything, wine64. The -posix compilers are the ones with std::thread
# and std::mutex; everything is linked statically, so zelvo.exe needs no DLL
# beyond those that come with Windows.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZELVO_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZELVO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZELVO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ZELVO_MINGW_TRIPLE}-windres)

# Headers, libraries and CMake packages come from the MinGW sysroot only, never
# from the Linux system; programs (windres, wine, python) from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${ZELVO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Sources are UTF-8 and so are narrow literals (like /utf-8 with MSVC); wide
# literals are UTF-16, GCC's default for a 16-bit wchar_t.
set(CMAKE_C_FLAGS_INIT "-finput-charset=UTF-8 -fexec-charset=UTF-8")
set(CMAKE_CXX_FLAGS_INIT "-finput-charset=UTF-8 -fexec-charset=UTF-8")
# No libstdc++-6.dll, libgcc_s_seh-1.dll or libwinpthread-1.dll next to the exe.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# A release build is made small, and ships without symbols: with the C++
# runtime linked in (its iostreams alone are some 750 KB), optimising for
# size and dropping unused sections keep zelvo.exe under 1 MB.
# (A cache entry: CMake would append its own -O3 to an _INIT value.)
set(CMAKE_CXX_FLAGS_RELEASE "-Os -DNDEBUG -ffunction-sections -fdata-sections"
    CACHE STRING "Flags used by the C++ compiler during release builds")
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s -Wl,--gc-sections")
# windres reads the .rc files as UTF-8 (code page 65001); without it Japanese
# strings in the version record come out garbled.
set(CMAKE_RC_FLAGS_INIT "-c65001")

# Tests and build steps run the .exe files through Wine. The prefix (about
# 700 MB, made on first use in 10-20 s) lives in the build folder unless
# ZELVO_WINEPREFIX names a shared one.
set(ZELVO_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix"
    CACHE PATH "Wine prefix that tests and build steps run in; made on first use")
set(ZELVO_WINE_RUN "${CMAKE_CURRENT_LIST_DIR}/wine-run.sh")
set(CMAKE_CROSSCOMPILING_EMULATOR /bin/sh "${ZELVO_WINE_RUN}" "${ZELVO_WINEPREFIX}")
