# Native build: quarry_core and its GoogleTest program under ASan and UBSan.
set(SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
target_compile_options(quarry_core PRIVATE ${SANITIZE})
target_link_options(quarry_core PUBLIC ${SANITIZE})

find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB CORE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/core/*.cpp)
if(CORE_TESTS)
    add_executable(core_tests ${CORE_TESTS})
    target_compile_options(core_tests PRIVATE -Wall -Wextra -Werror ${SANITIZE})
    target_link_libraries(core_tests PRIVATE quarry_core GTest::gtest GTest::gtest_main)
    target_compile_definitions(core_tests PRIVATE QUARRY_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
    gtest_discover_tests(core_tests TEST_PREFIX "core." DISCOVERY_TIMEOUT 60)
endif()

# The fuzzers' corpora replayed without fuzzing: each harness with a small
# driver of our own, under the same sanitizers, one ctest entry per harness.
file(GLOB FUZZ_HARNESSES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*_fuzz.cpp)
foreach(harness ${FUZZ_HARNESSES})
    get_filename_component(name ${harness} NAME_WE)
    string(REGEX REPLACE "_fuzz$" "" name ${name})
    add_executable(replay_${name} ${harness} ${CMAKE_SOURCE_DIR}/tests/fuzz/replay_main.cpp)
    target_compile_options(replay_${name} PRIVATE -Wall -Wextra -Werror ${SANITIZE})
    target_link_libraries(replay_${name} PRIVATE quarry_core)
    add_test(NAME fuzz.${name} COMMAND replay_${name} ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${name})
endforeach()

# The Windows side, built by MinGW in its own folder and tested under Wine.
option(QUARRY_WINDOWS "Build Quarry32.exe and the Wine tests with MinGW-w64" ON)
if(QUARRY_WINDOWS)
    include(ExternalProject)
    set(WINDOWS_BUILD ${CMAKE_BINARY_DIR}/windows)
    ExternalProject_Add(windows
        SOURCE_DIR ${CMAKE_SOURCE_DIR}
        BINARY_DIR ${WINDOWS_BUILD}
        CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-w64-x86_64.cmake
                   -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
                   -DQUARRY_DIST_DIR=${CMAKE_BINARY_DIR}/dist
        BUILD_ALWAYS ON
        INSTALL_COMMAND ""
        USES_TERMINAL_BUILD ON)

    set(WINE_RUN ${CMAKE_SOURCE_DIR}/tools/wine-run)
    add_test(NAME win.tests
             COMMAND ${WINE_RUN} ${WINDOWS_BUILD} ${WINDOWS_BUILD}/bin/win_tests.exe --gtest_color=no
                     --gtest_filter=-Hostile*)
    set_tests_properties(win.tests PROPERTIES TIMEOUT 600 RESOURCE_LOCK wine)
    # Hostile trees and settings and the long day of searches, on their own
    # clock: they build large trees and run hundreds of searches.
    add_test(NAME win.hostile
             COMMAND ${WINE_RUN} ${WINDOWS_BUILD} ${WINDOWS_BUILD}/bin/win_tests.exe --gtest_color=no
                     --gtest_filter=Hostile*)
    set_tests_properties(win.hostile PROPERTIES TIMEOUT 900 RESOURCE_LOCK wine)

    # The release zip unpacked into an empty folder starts and closes cleanly.
    include(${CMAKE_SOURCE_DIR}/cmake/version.cmake)
    add_test(NAME dist.start
             COMMAND ${CMAKE_SOURCE_DIR}/tests/dist/run ${WINDOWS_BUILD}
                     ${CMAKE_BINARY_DIR}/dist/Quarry-${QUARRY_VERSION}.zip ${QUARRY_VERSION})
    set_tests_properties(dist.start PROPERTIES TIMEOUT 120 RESOURCE_LOCK wine)

    # The printing tests print through a private CUPS scheduler with a PDF
    # printer, started before the Wine tests and stopped after them.
    set(TEST_PRINTER ${CMAKE_SOURCE_DIR}/tools/test-printer)
    add_test(NAME printer.start COMMAND ${TEST_PRINTER} start ${WINDOWS_BUILD})
    add_test(NAME printer.stop COMMAND ${TEST_PRINTER} stop ${WINDOWS_BUILD})
    set_tests_properties(printer.start PROPERTIES FIXTURES_SETUP printer)
    set_tests_properties(printer.stop PROPERTIES FIXTURES_CLEANUP printer)
    set_tests_properties(win.tests PROPERTIES FIXTURES_REQUIRED printer
                         ENVIRONMENT "CUPS_SERVER=${WINDOWS_BUILD}/cups/cups.sock")
endif()

# The native side of `make bench`: the data generator, and the scan against
# memmem. Without sanitizers and at -O2, so the figures are the program's.
if(EXISTS ${CMAKE_SOURCE_DIR}/bench/scan_bench.cpp)
    add_executable(bench_gen ${CMAKE_SOURCE_DIR}/bench/gen_data.cpp)
    target_compile_options(bench_gen PRIVATE -Wall -Wextra -Werror -O2)
    add_executable(bench_scan ${CMAKE_SOURCE_DIR}/bench/scan_bench.cpp
                   ${CMAKE_SOURCE_DIR}/src/search/scan.cpp ${CMAKE_SOURCE_DIR}/src/search/matcher.cpp)
    target_include_directories(bench_scan PRIVATE ${CMAKE_SOURCE_DIR}/src)
    target_compile_options(bench_scan PRIVATE -Wall -Wextra -Werror -O2)
endif()
