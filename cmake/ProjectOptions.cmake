# One interface target carries the language level, warnings and Qt switches;
# every target of the project links it so the flags live in one place.
add_library(quorvel_options INTERFACE)
target_compile_features(quorvel_options INTERFACE cxx_std_20)
target_compile_options(quorvel_options INTERFACE
    -Wall -Wextra -Wpedantic -Wold-style-cast -Wshadow -Wnon-virtual-dtor -Werror)
target_compile_definitions(quorvel_options INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_USE_QSTRINGBUILDER
    QT_NO_KEYWORDS
    QT_DISABLE_DEPRECATED_BEFORE=0x060400
    $<$<CONFIG:Debug>:_GLIBCXX_ASSERTIONS QT_FORCE_ASSERTS>)

option(QUORVEL_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(QUORVEL_SANITIZE)
    target_compile_options(quorvel_options INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(quorvel_options INTERFACE -fsanitize=address,undefined)
endif()
