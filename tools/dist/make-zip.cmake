# Packs the release: cmake -DEXE=... -DSOURCE=... -DVERSION=... -DSTAGE=... -DZIP=... -P make-zip.cmake
# Writes ZIP with the program and the files it needs beside it, and ZIP.sha256.
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})
file(COPY ${EXE} ${SOURCE}/resources/Quarry32.ini ${SOURCE}/resources/Quarry32.hlp DESTINATION ${STAGE})
set(QUARRY_VERSION ${VERSION})
configure_file(${SOURCE}/tools/dist/README.txt.in ${STAGE}/README.txt @ONLY NEWLINE_STYLE CRLF)

get_filename_component(zipDir ${ZIP} DIRECTORY)
get_filename_component(zipName ${ZIP} NAME)
file(MAKE_DIRECTORY ${zipDir})
file(REMOVE ${ZIP} ${ZIP}.sha256)
execute_process(
    COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip
            Quarry32.exe Quarry32.ini Quarry32.hlp README.txt
    WORKING_DIRECTORY ${STAGE}
    RESULT_VARIABLE packed)
if(NOT packed EQUAL 0)
    file(REMOVE ${ZIP})
    message(FATAL_ERROR "dist: could not write ${ZIP}")
endif()
file(SHA256 ${ZIP} hash)
# The form sha256sum -c reads.
file(WRITE ${ZIP}.sha256 "${hash}  ${zipName}\n")
message(STATUS "dist: ${ZIP}")
