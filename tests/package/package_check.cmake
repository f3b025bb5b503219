# Packs the .deb from this build as the README's cpack steps do and has lintian
# judge its form: any error or warning fails. Where lintian is not installed
# only the packing is checked, and the test says so and is skipped.
#   cmake -DCPACK_CONFIG=<build>/CPackConfig.cmake -DOUTPUT=<folder> -P package_check.cmake
file(REMOVE_RECURSE ${OUTPUT})
execute_process(
    COMMAND ${CMAKE_CPACK_COMMAND} --config ${CPACK_CONFIG} -B ${OUTPUT}
            -D CPACK_CORVANE_FORM_CHECK=ON
    RESULT_VARIABLE packed OUTPUT_VARIABLE log ERROR_VARIABLE log)
file(GLOB packages ${OUTPUT}/*.deb)
list(LENGTH packages count)
if(NOT packed EQUAL 0 OR NOT count EQUAL 1)
    message(FATAL_ERROR "cpack made ${count} packages (status ${packed}):\n${log}")
endif()

find_program(LINTIAN lintian)
if(NOT LINTIAN)
    message("lintian is not installed: the package's form is not checked")
    return()
endif()
execute_process(
    COMMAND ${LINTIAN} --fail-on error,warning ${packages}
    RESULT_VARIABLE judged OUTPUT_VARIABLE tags ERROR_VARIABLE tags)
if(NOT judged EQUAL 0)
    message(FATAL_ERROR "lintian finds fault with ${packages}:\n${tags}")
endif()
