# Read by CPack once for each package it makes: the installer's name says it is a setup program,
# while the zip keeps the plain name.
if(CPACK_GENERATOR STREQUAL "NSIS")
    set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-setup")
endif()
