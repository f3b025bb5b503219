# Checks that every #include of the project's own headers goes only where the
# layering allows: lower layers never reach up, and the Qt-free libraries never
# include Qt. Run as: cmake -DROOT=<source dir> -P include_rules.cmake
#
#   folder         may include (besides its own folder)
#   src/common     -
#   src/input      common
#   src/grades     common input
#   src/report     common input grades
#   src/compare    common input grades report
#   src/sheets     common input grades report (and libxlsxwriter, never Qt)
#   src/viewer     common input grades report compare sheets (and Qt)
#   src/app        everything
#   tests/<f>      <f>, what <f> may include, and the test doubles of tests/support;
#                  tests/book_run is app's Qt-free part
#   tests/support  the test doubles: common input grades report viewer (and Qt)
#   fuzz           common input grades report compare (and no Qt)
#   bench          everything (not checked)

cmake_minimum_required(VERSION 3.25)

set(allowed_common "common")
set(allowed_input "common;input")
set(allowed_grades "common;input;grades")
set(allowed_report "common;input;grades;report")
set(allowed_compare "common;input;grades;report;compare")
set(allowed_sheets "common;input;grades;report;sheets")
set(allowed_viewer "common;input;grades;report;compare;sheets;viewer")
set(allowed_app "common;input;grades;report;compare;sheets;viewer;app")
set(allowed_book_run "${allowed_app}")
set(allowed_support "${allowed_viewer};support")
set(allowed_fuzz "common;input;grades;report;compare")
set(allowed_architecture "")
set(qt_free common input grades report compare sheets)

set(project_folders common input grades report compare sheets viewer app support)
set(violations "")

function(check_file file allowed qt_allowed)
    file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line IN LISTS lines)
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"].*" "\\1" header "${line}")
        string(REGEX MATCH "^([a-z_]+)/" prefix "${header}")
        set(folder "${CMAKE_MATCH_1}")
        if(folder AND folder IN_LIST project_folders AND NOT folder IN_LIST allowed)
            list(APPEND violations "${file}: includes ${header}")
        endif()
        if(NOT qt_allowed AND header MATCHES "^Q[A-Za-z]*(/|$)")
            list(APPEND violations "${file}: includes Qt header ${header}")
        endif()
    endforeach()
    set(violations "${violations}" PARENT_SCOPE)
endfunction()

function(check_folder dir allowed qt_allowed)
    file(GLOB_RECURSE files "${dir}/*.h" "${dir}/*.cpp")
    foreach(file IN LISTS files)
        check_file("${file}" "${allowed}" ${qt_allowed})
    endforeach()
    set(violations "${violations}" PARENT_SCOPE)
endfunction()

foreach(folder IN LISTS project_folders)
    set(qt ON)
    if(folder IN_LIST qt_free)
        set(qt OFF)
    endif()
    if(IS_DIRECTORY "${ROOT}/src/${folder}")
        check_folder("${ROOT}/src/${folder}" "${allowed_${folder}}" ${qt})
    endif()
    if(IS_DIRECTORY "${ROOT}/tests/${folder}")
        check_folder("${ROOT}/tests/${folder}" "${allowed_${folder}};support" ${qt})
    endif()
endforeach()
check_folder("${ROOT}/tests/book_run" "${allowed_book_run};support" OFF)
check_folder("${ROOT}/fuzz" "${allowed_fuzz}" OFF)

if(violations)
    list(JOIN violations "\n  " text)
    message(FATAL_ERROR "Includes against the layering:\n  ${text}")
endif()
message(STATUS "Every include follows the layering")
