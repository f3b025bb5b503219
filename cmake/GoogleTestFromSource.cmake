# GoogleTest built from Debian's sources (package googletest) as part of the
# build: a cross build has no GoogleTest of its target to find. Provides the
# same GTest::gtest and GTest::gtest_main targets as find_package(GTest).
set(CORVANE_GOOGLETEST_SOURCE /usr/src/googletest
    CACHE PATH "GoogleTest sources to build for a cross build")
if(NOT EXISTS ${CORVANE_GOOGLETEST_SOURCE}/CMakeLists.txt)
    message(FATAL_ERROR "No GoogleTest sources in ${CORVANE_GOOGLETEST_SOURCE} "
                        "(install the package googletest)")
endif()

set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(BUILD_SHARED_LIBS OFF)

# SYSTEM: its headers are not held to this project's warnings. Its own sources
# are built without -Werror: a new compiler's warning there is not ours to fix.
add_subdirectory(${CORVANE_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest
                 EXCLUDE_FROM_ALL SYSTEM)
foreach(target gtest gtest_main)
    get_target_property(options ${target} COMPILE_OPTIONS)
    if(options)
        list(REMOVE_ITEM options -Werror)
        set_target_properties(${target} PROPERTIES COMPILE_OPTIONS "${options}")
    endif()
    if(NOT TARGET GTest::${target})  # older GoogleTest releases have no such alias
        add_library(GTest::${target} ALIAS ${target})
    endif()
endforeach()
