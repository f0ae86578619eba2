# The fuzz targets need clang's libFuzzer and sanitizers, so they are a project of their own,
# built with clang beside the main build and run for a bounded time as part of the tests.
include(ExternalProject)
find_program(MIRELTA_CLANGXX NAMES clang++-14 clang++ REQUIRED)
set(fuzzBinaryDir ${CMAKE_BINARY_DIR}/fuzz)
ExternalProject_Add(fuzzers
    SOURCE_DIR ${PROJECT_SOURCE_DIR}/fuzz
    BINARY_DIR ${fuzzBinaryDir}
    CMAKE_GENERATOR ${CMAKE_GENERATOR}
    CMAKE_ARGS -DCMAKE_CXX_COMPILER=${MIRELTA_CLANGXX} -DCMAKE_BUILD_TYPE=RelWithDebInfo
    BUILD_ALWAYS ON
    INSTALL_COMMAND "")

set(MIRELTA_FUZZ_SECONDS 20 CACHE STRING "How long each fuzz target runs in the tests")
function(mirelta_add_fuzz_test name)
    add_test(NAME fuzz.${name}
        COMMAND ${PROJECT_SOURCE_DIR}/fuzz/run-fuzzer.sh ${fuzzBinaryDir}/${name}_fuzz
                ${PROJECT_SOURCE_DIR}/fuzz/corpus/${name} ${MIRELTA_FUZZ_SECONDS})
    set_tests_properties(fuzz.${name} PROPERTIES TIMEOUT 300 LABELS fuzz)
endfunction()
mirelta_add_fuzz_test(parser)
mirelta_add_fuzz_test(profile)
mirelta_add_fuzz_test(picture)
