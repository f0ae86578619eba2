# The fuzz targets need clang's libFuzzer and sanitizers, so they are a project of their own,
# built with clang beside the main build and run for a bounded time as part of the tests.
# mirelta_add_fuzz_test(name [libFuzzer options]): the options follow the common ones and win.
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
                ${PROJECT_SOURCE_DIR}/fuzz/corpus/${name} ${MIRELTA_FUZZ_SECONDS} ${ARGN})
    set_tests_properties(fuzz.${name} PROPERTIES TIMEOUT 300 LABELS fuzz)
endfunction()
# Texts of up to 64 KB from the start, no single allocation over 2 MB and half a gigabyte in all
# (AddressSanitizer keeps 256 MB of freed memory aside): the letters table must grow in small steps and stay a few tens of bytes a letter.
mirelta_add_fuzz_test(parser -max_len=65536 -len_control=0 -malloc_limit_mb=2 -rss_limit_mb=512)
mirelta_add_fuzz_test(profile)
# Inputs as large as the hostile files the picture loader must refuse from their headers (one of
# 3,000 scans is about 40 KB); no single allocation over 128 MB (the largest picture the loader
# accepts takes 64 MB, one decoded at the 16384 x 16384 its header declares 805 MB), and 768 MB in
# all with AddressSanitizer's quarantine of freed memory.
mirelta_add_fuzz_test(picture -max_len=262144 -malloc_limit_mb=128 -rss_limit_mb=768)
