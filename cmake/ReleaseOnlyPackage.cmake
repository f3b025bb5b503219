# Read by cpack before it packs: a package holds the program as users run it,
# so a build directory of another type (a test build with debug information,
# say) is turned away with the commands that make a Release one. The test that
# checks the package's form packs the test build instead (cpack -D
# CPACK_CORVANE_FORM_CHECK=ON): stripped, it has the same files, and building
# the program a second time would only cost time.
if(NOT CPACK_CORVANE_BUILD_TYPE STREQUAL "Release" AND NOT CPACK_CORVANE_FORM_CHECK)
    message(FATAL_ERROR
        "The package is made from a Release build; this build directory is "
        "'${CPACK_CORVANE_BUILD_TYPE}'. Make one with:\n"
        "  cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release"
        " -DCORVANE_BUILD_TESTS=OFF -DCORVANE_BUILD_BENCH=OFF\n"
        "  cmake --build build-release -j2 && cd build-release && cpack")
endif()
