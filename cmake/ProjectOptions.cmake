# One interface target carries the language level, warnings and Qt switches;
# every target of the project links it so the flags live in one place.
add_library(quorvel_options INTERFACE)
target_compile_features(quorvel_options INTERFACE cxx_std_20)
target_compile_options(quorvel_options INTERFACE
    -Wall -Wextra -Wpedantic -Wold-style-cast -Wshadow -Wnon-virtual-dtor)
target_compile_definitions(quorvel_options INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_USE_QSTRINGBUILDER
    QT_NO_KEYWORDS
    QT_DISABLE_DEPRECATED_BEFORE=0x060400
    $<$<CONFIG:Debug>:_GLIBCXX_ASSERTIONS QT_FORCE_ASSERTS>)

# Off by default so that a newer compiler's new warnings do not stop a user's
# build; CI turns it on.
option(QUORVEL_WERROR "Treat warnings in the project's own code as errors" OFF)
if(QUORVEL_WERROR)
    target_compile_options(quorvel_options INTERFACE -Werror)
endif()

option(QUORVEL_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(QUORVEL_SANITIZE)
    target_compile_options(quorvel_options INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(quorvel_options INTERFACE -fsanitize=address,undefined)
endif()

# libFuzzer targets in fuzz/ (clang): everything instrumented for coverage
# and checked by the sanitizers.
option(QUORVEL_FUZZ "Build the libFuzzer targets (needs clang)" OFF)
if(QUORVEL_FUZZ)
    target_compile_options(quorvel_options INTERFACE
        -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
        -fno-sanitize-recover=undefined)
    target_link_options(quorvel_options INTERFACE -fsanitize=address,undefined)
endif()

# The version texts of the windows and --version, from project(VERSION ...).
set(QUORVEL_RELEASE_DATE "2014.1.21")
configure_file(${PROJECT_SOURCE_DIR}/cmake/Version.h.in
    ${PROJECT_BINARY_DIR}/generated/app/Version.h @ONLY)
target_include_directories(quorvel_options INTERFACE ${PROJECT_BINARY_DIR}/generated)
