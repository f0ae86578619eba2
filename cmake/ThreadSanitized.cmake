# The program and the tests whose sessions run on a thread of their own, built once more with
# clang and ThreadSanitizer in build/tsan, so that the tests see the data races between a
# session's thread and the window's (tests/tsan/). Only those targets are built: the other tests
# have one thread.
include(ExternalProject)
find_program(MIRELTA_TSAN_CXX NAMES clang++-14 clang++ REQUIRED)
set(MIRELTA_TSAN_DIR ${CMAKE_BINARY_DIR}/tsan)
ExternalProject_Add(thread_sanitized
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${MIRELTA_TSAN_DIR}
    CMAKE_GENERATOR ${CMAKE_GENERATOR}
    CMAKE_ARGS -DCMAKE_CXX_COMPILER=${MIRELTA_TSAN_CXX} -DCMAKE_BUILD_TYPE=RelWithDebInfo
               -DMIRELTA_SANITIZE_THREAD=ON -DMIRELTA_FUZZ=OFF -DMIRELTA_THREAD_CHECKS=OFF
    BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR>
                  --target mirelta paced_session_test session_start_test
    BUILD_ALWAYS ON
    INSTALL_COMMAND "")
