# Run by CPack once it has staged the package's files: every directory gets the mode Debian gives
# directories, 755. CPack makes them with the umask of whoever packages, so a umask of 002 or 077
# would otherwise put group-writable or private directories into the package.
file(CHMOD_RECURSE ${CPACK_TEMPORARY_DIRECTORY}
    DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
