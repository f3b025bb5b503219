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

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvane)
set(CPACK_PACKAGE_VENDOR "Corvane developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Grade books from paving grades reports")
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
