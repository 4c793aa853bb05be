# Cross-build for 64-bit Windows with mingw-w64 (posix thread model: the win32 one lacks std::mutex and std::thread).
# Test programs run through Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TOOLCHAIN_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOOLCHAIN_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TOOLCHAIN_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# TALLYWAVE_QT_MINGW: the Qt for mingw that scripts/build-qt-mingw.sh installed. Its moc, rcc and uic are the host
# Qt's. The program then shares the compiler's runtime DLLs with Qt's DLLs (one C++ runtime in the process);
# without Qt each .exe is self-contained: no libgcc/libstdc++/winpthread DLLs to find at run time.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TALLYWAVE_QT_MINGW)
if(TALLYWAVE_QT_MINGW)
    list(APPEND CMAKE_FIND_ROOT_PATH ${TALLYWAVE_QT_MINGW})
    set(QT_HOST_PATH /usr)
    set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
else()
    set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
endif()

# Windows Vista is the oldest system with GetIfTable2 and GetTickCount64.
add_compile_definitions(_WIN32_WINNT=0x0600 WINVER=0x0600 WIN32_LEAN_AND_MEAN NOMINMAX)

find_program(TALLYWAVE_WINE NAMES wine64 wine PATHS /usr/lib/wine /usr/lib64/wine /opt/wine-stable/bin)
if(TALLYWAVE_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${TALLYWAVE_WINE})
endif()
