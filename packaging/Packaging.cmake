# The Debian package (`make package`): the programs, their data and the desktop files under
# /usr, with the dependencies that dpkg-shlibdeps reads off the linked libraries, plus the
# run-time pieces that no library link shows.
set(TAVRIN_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tavelle-suite)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION ${TAVRIN_DOC_DIR})
set(changelog_gz ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(OUTPUT ${changelog_gz}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
  COMMAND gzip -9n -c ${CMAKE_CURRENT_LIST_DIR}/changelog > ${changelog_gz}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/changelog VERBATIM)
add_custom_target(package_changelog ALL DEPENDS ${changelog_gz})
install(FILES ${changelog_gz} DESTINATION ${TAVRIN_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavelle-suite)
set(CPACK_PACKAGE_VENDOR "The Tavelle Suite developers")
set(CPACK_PACKAGE_CONTACT "The Tavelle Suite developers <support@tavelle-suite.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "password-protected diary and health tracker")
# The summary is the first line; this is the text under it (blank lines become " .").
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Tavelle Suite keeps a diary for one person, protected by a password: dated\n"
    "entries with rich text, mood, rating scales, measurements, weather, a body\n"
    "pain map, fibromyalgia ratings and voice notes, and in the same diary\n"
    "reminders, a planner, contacts, medication and nutrition records.\n"
    "\n"
    "tavrin-cli reads, adds to, exports and backs up diaries from scripts.")
string(REPLACE ";" "" CPACK_DEBIAN_PACKAGE_DESCRIPTION "${CPACK_DEBIAN_PACKAGE_DESCRIPTION}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.tavelle-suite.org/")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so no link names them: the window system plugins, the sound backend, the
# spelling dictionary; the skins are laid out for the Liberation fonts.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, hunspell-en-us | hunspell-dictionary, fonts-liberation")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
