# Windows build (MinGW-w64): quarry_win, Quarry32.exe and the Wine test program.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0600)
add_link_options(-static -static-libgcc -static-libstdc++)

set(WIN_SOURCES ${ALL_SOURCES})
list(FILTER WIN_SOURCES INCLUDE REGEX "_win\\.cpp$")
list(FILTER WIN_SOURCES EXCLUDE REGEX "/winmain_win\\.cpp$")

add_library(quarry_win STATIC ${WIN_SOURCES})
target_compile_options(quarry_win PRIVATE -Wall -Wextra -Werror)
target_link_libraries(quarry_win PUBLIC quarry_core
    comctl32 comdlg32 shell32 shlwapi ole32 uuid gdi32 user32 kernel32 winspool)

set(RESOURCES ${CMAKE_SOURCE_DIR}/resources/quarry.rc)
set_source_files_properties(${RESOURCES} PROPERTIES
    OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/resources/resource_ids.h;${CMAKE_SOURCE_DIR}/resources/version.h")
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_SOURCE_DIR}/resources")
enable_language(RC)

add_executable(Quarry32 WIN32 ${CMAKE_SOURCE_DIR}/src/app/winmain_win.cpp ${RESOURCES})
target_link_libraries(Quarry32 PRIVATE quarry_win)

# The shipped files live beside the program.
foreach(shipped Quarry32.ini Quarry32.hlp)
    add_custom_command(TARGET Quarry32 POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E copy_if_different
                ${CMAKE_SOURCE_DIR}/resources/${shipped} $<TARGET_FILE_DIR:Quarry32>/${shipped})
endforeach()

# The release: the same optimised objects as the tested program, linked
# without symbols and debug information, zipped with the files it needs
# beside it into <QUARRY_DIST_DIR>/Quarry-<version>.zip and its .sha256.
include(${CMAKE_SOURCE_DIR}/cmake/version.cmake)
set(QUARRY_DIST_DIR ${CMAKE_BINARY_DIR}/dist CACHE PATH "Where the release zip goes")
add_executable(Quarry32_dist WIN32 ${CMAKE_SOURCE_DIR}/src/app/winmain_win.cpp ${RESOURCES})
set_target_properties(Quarry32_dist PROPERTIES OUTPUT_NAME Quarry32
                      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/dist-exe)
target_link_libraries(Quarry32_dist PRIVATE quarry_win)
target_link_options(Quarry32_dist PRIVATE -s)
set(DIST_ZIP ${QUARRY_DIST_DIR}/Quarry-${QUARRY_VERSION}.zip)
set(DIST_SCRIPT ${CMAKE_SOURCE_DIR}/tools/dist/make-zip.cmake)
add_custom_command(OUTPUT ${DIST_ZIP} ${DIST_ZIP}.sha256
    COMMAND ${CMAKE_COMMAND} -DEXE=$<TARGET_FILE:Quarry32_dist> -DSOURCE=${CMAKE_SOURCE_DIR}
            -DVERSION=${QUARRY_VERSION} -DSTAGE=${CMAKE_BINARY_DIR}/dist-stage -DZIP=${DIST_ZIP}
            -P ${DIST_SCRIPT}
    DEPENDS Quarry32_dist ${DIST_SCRIPT} ${CMAKE_SOURCE_DIR}/tools/dist/README.txt.in
            ${CMAKE_SOURCE_DIR}/resources/Quarry32.ini ${CMAKE_SOURCE_DIR}/resources/Quarry32.hlp
    VERBATIM)
add_custom_target(dist ALL DEPENDS ${DIST_ZIP})

# The release test starts the unpacked program with this and watches its window.
add_executable(dist_start ${CMAKE_SOURCE_DIR}/tests/dist/dist_start.cpp)
target_compile_options(dist_start PRIVATE -Wall -Wextra -Werror)
target_link_libraries(dist_start PRIVATE version user32 kernel32)

# GoogleTest from Debian's sources, built with MinGW.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# The window tests create the real windows from the real resources in-process.
file(GLOB WIN_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/*.cpp)
add_executable(win_tests ${WIN_TESTS} ${RESOURCES})
target_compile_options(win_tests PRIVATE -Wall -Wextra -Werror)
target_link_libraries(win_tests PRIVATE quarry_win gtest)

# The Add to Zip tests start this in place of a zip program; it records how it was started.
add_executable(zip_standin WIN32 ${CMAKE_SOURCE_DIR}/tests/win/standin/zip_standin.cpp)
add_dependencies(win_tests zip_standin)

if(EXISTS ${CMAKE_SOURCE_DIR}/bench/CMakeLists.txt)
    add_subdirectory(bench)
endif()
