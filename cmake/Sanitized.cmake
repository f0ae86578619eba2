# The trace runner and the program built once more with clang, AddressSanitizer (leaks included)
# and UndefinedBehaviorSanitizer, for the soak runs of the tests.
include(ExternalProject)
find_program(MIRELTA_SANITIZER_CXX NAMES clang++-14 clang++ REQUIRED)
set(MIRELTA_SANITIZED_DIR ${CMAKE_BINARY_DIR}/sanitized)
ExternalProject_Add(sanitized
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${MIRELTA_SANITIZED_DIR}
    CMAKE_GENERATOR ${CMAKE_GENERATOR}
    CMAKE_ARGS -DCMAKE_CXX_COMPILER=${MIRELTA_SANITIZER_CXX} -DCMAKE_BUILD_TYPE=RelWithDebInfo
               -DMIRELTA_SANITIZE=ON -DMIRELTA_BUILD_TESTS=OFF
    BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target mirelta-trace mirelta
    BUILD_ALWAYS ON
    INSTALL_COMMAND "")
add_test(NAME soak.standard_sessions
    COMMAND ${PROJECT_SOURCE_DIR}/tests/soak/soak.sh ${MIRELTA_SANITIZED_DIR}/program/mirelta-trace)
set_tests_properties(soak.standard_sessions PROPERTIES TIMEOUT 900 LABELS soak)
add_test(NAME soak.real_session_leaks
    COMMAND ${PROJECT_SOURCE_DIR}/tests/soak/leak_session.sh ${MIRELTA_SANITIZED_DIR}/program/mirelta)
set_tests_properties(soak.real_session_leaks PROPERTIES TIMEOUT 400 LABELS soak)
