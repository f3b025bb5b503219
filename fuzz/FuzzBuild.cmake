# The fuzzing build: only the Qt-free libraries, instrumented for libFuzzer and
# checked by AddressSanitizer and UndefinedBehaviorSanitizer, and the fuzz
# targets over them. No Qt, no tests, no benchmarks.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "CORVANE_FUZZ needs clang: configure with CC=clang CXX=clang++")
endif()
set(CORVANE_CORE_ONLY ON)
set(CORVANE_BUILD_TESTS OFF)
set(CORVANE_BUILD_BENCH OFF)
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                    -fno-omit-frame-pointer)
add_link_options(-fsanitize=address,undefined)
