# What both MinGW-w64 toolchains share; hexdec_mingw_triple names the target.
# The compilers with the POSIX thread model: GoogleTest needs std::mutex, which the Windows thread
# model lacks. The thread library is linked in statically with the rest.
set(CMAKE_C_COMPILER ${hexdec_mingw_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${hexdec_mingw_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${hexdec_mingw_triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${hexdec_mingw_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C and C++ runtimes linked in, so each program imports only the DLLs Windows itself ships.
# No link time in the PE header either, so that the same sources link to the same bytes.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -Wl,--no-insert-timestamp")
# Shipped without the symbol table, which no Windows debugger reads.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")

# Test programs run under Wine; see scripts/wine_run.sh.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../../scripts/wine_run.sh)
