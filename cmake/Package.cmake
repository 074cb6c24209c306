# The Debian package: scripts/package runs cpack over a configured and built tree.
#
#   /usr/lib/balvora/      balvora, balvora-cli, Matrix/, history/ssq-history.txt,
#                          rules/fortune-periods.txt, schema.sql,
#                          user/ (the defaults copied into each user's data folder)
#   /usr/bin/              balvora and balvora-cli, links into /usr/lib/balvora, so the
#                          programs find their own files beside the binaries they really are
#   /usr/share/applications/balvora.desktop, /usr/share/icons/hicolor/scalable/apps/balvora.svg
#
# Nothing under /usr is written by the programs: each user's history lives in that user's
# data folder, so removing the package leaves it alone.
set(BALVORA_LIBDIR lib/balvora)
install(TARGETS balvora balvora-cli RUNTIME DESTINATION ${BALVORA_LIBDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/Matrix ${PROJECT_SOURCE_DIR}/data/user DESTINATION ${BALVORA_LIBDIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/history/ssq-history.txt DESTINATION ${BALVORA_LIBDIR}/history)
install(FILES ${PROJECT_SOURCE_DIR}/data/rules/fortune-periods.txt DESTINATION ${BALVORA_LIBDIR}/rules)
install(FILES ${PROJECT_SOURCE_DIR}/data/schema.sql DESTINATION ${BALVORA_LIBDIR})
set(links ${CMAKE_BINARY_DIR}/package-links)
file(MAKE_DIRECTORY ${links})
foreach(program balvora balvora-cli)
  file(CREATE_LINK ../lib/balvora/${program} ${links}/${program} SYMBOLIC)
  install(FILES ${links}/${program} DESTINATION bin)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/data/balvora.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/icons/balvora.svg DESTINATION share/icons/hicolor/scalable/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME balvora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "Balvora developers <balvora@users.noreply.example.org>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Balvora developers <balvora@users.noreply.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "double colour ball lottery: draw history, statistics and bets")
# One string: set() with several would join them with the list separator ';'.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Balvora keeps the draw history of the double colour ball lottery (six reds from 01-33 "
    "and one blue from 01-16) and analyses it: history grid, frequency counts, trend charts, "
    "omission, sum interval, five elements and big/small statistics. It generates, filters "
    "and reduces bets (all combinations, bankers, wheels with guarantees), checks tickets "
    "for prizes and downloads new results. It ships with the real history of 3,493 draws "
    "and comes with balvora-cli, the same jobs from the command line.")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so dpkg-shlibdeps cannot see them: the SQLite driver, the SVG icon
# reader and the Chinese font.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, libqt6svg6, fonts-wqy-microhei")
set(CPACK_STRIP_FILES ON)
include(CPack)
