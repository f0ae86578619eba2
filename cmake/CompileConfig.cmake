# One compile configuration for every target of the project: the language standard, the
# warnings and the Qt defines live here and nowhere else.
get_filename_component(MIRELTA_ROOT ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)
add_library(mirelta_config INTERFACE)
target_compile_features(mirelta_config INTERFACE cxx_std_20)
# Designated initialisers leave the rest of a struct at its defaults on purpose.
target_compile_options(mirelta_config INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wno-missing-field-initializers)
target_compile_definitions(mirelta_config INTERFACE
    QT_NO_KEYWORDS
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_USE_QSTRINGBUILDER)

# A build for the soak runs: AddressSanitizer and UndefinedBehaviorSanitizer on every target.
option(MIRELTA_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(MIRELTA_SANITIZE)
    target_compile_options(mirelta_config INTERFACE
        -fsanitize=address,undefined -fno-sanitize=vptr -fno-sanitize-recover=undefined
        -fno-omit-frame-pointer)
    target_link_options(mirelta_config INTERFACE -fsanitize=address,undefined)
endif()

# A build for the thread checks: ThreadSanitizer on every target (Qt itself is not instrumented).
option(MIRELTA_SANITIZE_THREAD "Build with ThreadSanitizer" OFF)
if(MIRELTA_SANITIZE_THREAD)
    target_compile_options(mirelta_config INTERFACE -fsanitize=thread -fno-omit-frame-pointer)
    target_link_options(mirelta_config INTERFACE -fsanitize=thread)
endif()

# Includes are written from the repository's root ("engine/session_engine.h"), so a file's
# include names the folder, and so the library, it depends on.
target_include_directories(mirelta_config INTERFACE ${MIRELTA_ROOT})
