# Run by CPack after it made the packages: writes the zip again from the same staged files, so that
# its bytes do not depend on who built it, when, or where. CPack's own zip carries the builder's user
# and group ids and the files' times in the local time zone. This one has no extra fields (zip -X),
# every file's time is SOURCE_DATE_EPOCH's (else the time it was staged), taken in UTC, and the
# files go in in a fixed order.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    if(NOT package MATCHES "\\.zip$")
        continue()
    endif()
    set(staged ${CPACK_TEMPORARY_DIRECTORY})
    file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${staged} ${staged}/*)
    list(SORT files)
    if(DEFINED ENV{SOURCE_DATE_EPOCH})
        execute_process(COMMAND touch --no-dereference --date=@$ENV{SOURCE_DATE_EPOCH} ${files}
            WORKING_DIRECTORY ${staged} COMMAND_ERROR_IS_FATAL ANY)
    endif()
    file(REMOVE ${package})
    execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC0 zip -X -q ${package} ${files}
        WORKING_DIRECTORY ${staged} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
