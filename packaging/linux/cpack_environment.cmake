# Read by cpack as it packages. dpkg-shlibdeps takes the architecture the program is built for from
# DEB_HOST_ARCH: for a cross-built program, it then reads it with the target's objdump and looks its
# libraries up in the target's multiarch folders and symbols files.
if(CPACK_DEBIAN_PACKAGE_ARCHITECTURE)
    set(ENV{DEB_HOST_ARCH} ${CPACK_DEBIAN_PACKAGE_ARCHITECTURE})
endif()
