# The fuzzing build (`make fuzz`): clang with libFuzzer, quarry_core
# instrumented for coverage, one fuzzer per harness in tests/fuzz.
set(FUZZ_SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
target_compile_options(quarry_core PRIVATE ${FUZZ_SANITIZE} -fsanitize=fuzzer-no-link)
target_link_options(quarry_core PUBLIC ${FUZZ_SANITIZE})

file(GLOB FUZZ_HARNESSES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*_fuzz.cpp)
foreach(harness ${FUZZ_HARNESSES})
    get_filename_component(name ${harness} NAME_WE)
    string(REGEX REPLACE "_fuzz$" "" name ${name})
    add_executable(fuzz_${name} ${harness})
    target_compile_options(fuzz_${name} PRIVATE -Wall -Wextra ${FUZZ_SANITIZE} -fsanitize=fuzzer)
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(fuzz_${name} PRIVATE quarry_core)
endforeach()
