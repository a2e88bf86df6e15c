# Cross-compiles for Linux on 64-bit ARM with Debian's multiarch: the cross compiler
# g++-aarch64-linux-gnu, the target's libraries (Qt among them) from :arm64 packages in
# /usr/lib/aarch64-linux-gnu, and the host's own Qt tools (moc, rcc, uic). Programs run under qemu-user.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)

# The target's .pc files, never the host's.
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/aarch64-linux-gnu/pkgconfig:/usr/share/pkgconfig)

set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/${CMAKE_HOST_SYSTEM_PROCESSOR}-linux-gnu/cmake)

# Without -L: the programs' loader (/lib/ld-linux-aarch64.so.1) and libraries are the :arm64 packages',
# at the same paths as on an ARM machine. The cross toolchain's own loader under /usr/aarch64-linux-gnu
# is another build than the libc it would then load.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64-static)
