# Installs the program with its desktop entry and icon, and packs a .deb.
# The package is made from a Release build directory (cpack refuses any other):
#   cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release \
#         -DCORVANE_BUILD_TESTS=OFF -DCORVANE_BUILD_BENCH=OFF
#   cmake --build build-release -j2 && cd build-release && cpack
include(GNUInstallDirs)

install(TARGETS corvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/dist/corvane.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/dist/corvane.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/samples/undivided-sample.csv
              ${PROJECT_SOURCE_DIR}/samples/divided-sample.csv
        DESTINATION ${CMAKE_INSTALL_DATADIR}/corvane/samples)

# The documents a Debian package carries: the licence as its copyright file,
# the changelog and the manual page. Debian wants the last two compressed with
# gzip -9n: smallest, and with no name or time stamp, so every build makes the
# same bytes.
set(CORVANE_DOCUMENTS ${PROJECT_BINARY_DIR}/documents)
configure_file(${PROJECT_SOURCE_DIR}/dist/corvane.1.in ${CORVANE_DOCUMENTS}/corvane.1 @ONLY)
file(STRINGS ${PROJECT_SOURCE_DIR}/dist/changelog changelog_top LIMIT_COUNT 1)
if(NOT changelog_top MATCHES "^corvane \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "dist/changelog begins with '${changelog_top}': its newest entry must "
                        "be the version ${PROJECT_VERSION} the package gets")
endif()
foreach(document ${PROJECT_SOURCE_DIR}/dist/changelog ${CORVANE_DOCUMENTS}/corvane.1)
    get_filename_component(name ${document} NAME)
    add_custom_command(OUTPUT ${CORVANE_DOCUMENTS}/${name}.gz
        COMMAND sh -c "gzip -9n < \"$1\" > \"$2\"" gzip ${document} ${CORVANE_DOCUMENTS}/${name}.gz
        DEPENDS ${document} VERBATIM)
    list(APPEND compressed_documents ${CORVANE_DOCUMENTS}/${name}.gz)
endforeach()
add_custom_target(corvane_documents ALL DEPENDS ${compressed_documents})
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE
        DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME copyright)
install(FILES ${CORVANE_DOCUMENTS}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${CORVANE_DOCUMENTS}/corvane.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvane)
set(CPACK_PACKAGE_VENDOR "Corvane developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Grade books from paving grades reports")
# The lines stay short: Debian shows them as they are.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Corvane reads the comma-separated paving grades report that a road-design\n"
    "package writes for a roadway and lays it out as a printed grade book for the\n"
    "people who set grades on site: cross slopes, optional offset points and the\n"
    "chosen point types, station by station. The book is previewed in a window,\n"
    "searched by station and printed whole or by page range, or written without\n"
    "a screen as text or PDF by corvane export.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Corvane developers <corvane@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Users get the optimised program without debug information.
set(CPACK_STRIP_FILES ON)
set(CPACK_CORVANE_BUILD_TYPE "${CMAKE_BUILD_TYPE}")
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/ReleaseOnlyPackage.cmake)
include(CPack)
