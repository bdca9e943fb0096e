# Install rules, the Debian package and its checks; included from the top level, where CPack
# has to be set up.
#
# What an install puts where (PREFIX is /usr/local for `make install`, /usr in the package):
#   PREFIX/lib/tavirel/   the program and its read-only files, plus the "installed" marker that
#                         sends each user's own database to $XDG_DATA_HOME/tavirel
#   PREFIX/bin/tavirel    a link to the program (it finds its files through its real path)
#   PREFIX/share/...      desktop entry, hicolor icons, AppStream metadata and its screenshots,
#                         manual page, copyright and changelog
# No own database is installed: the program makes each user's on the first start.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_program(GZIP gzip REQUIRED)

set(APP_ID org.tavirel.tavirel)
set(SRC ${CMAKE_CURRENT_LIST_DIR})
set(OUT ${CMAKE_BINARY_DIR}/packaging)

# The metadata names the project's site as the menu shows it.
file(STRINGS ${PROJECT_SOURCE_DIR}/src/app/Links.h link_lines REGEX "QStringLiteral\\(\"")
string(REGEX MATCH "https://[^\"]+" TAVIREL_WEB_SITE "${link_lines}")
string(REGEX MATCH "[^\"]+@[^\"]+" TAVIREL_SUPPORT_MAIL "${link_lines}")
if(NOT TAVIREL_WEB_SITE OR NOT TAVIREL_SUPPORT_MAIL)
  message(FATAL_ERROR "The site and mail addresses were not found in src/app/Links.h")
endif()
configure_file(${SRC}/${APP_ID}.metainfo.xml.in ${OUT}/${APP_ID}.metainfo.xml @ONLY)

# Icons: the drawing, and the usual sizes rendered from it.
set(TAVIREL_ICON_SIZES 16 24 32 48 64 128 256)
set(icon_pngs)
foreach(size ${TAVIREL_ICON_SIZES})
  set(png ${OUT}/icons/${size}x${size}/tavirel.png)
  add_custom_command(
    OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${OUT}/icons/${size}x${size}
    COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${SRC}/tavirel.svg
    DEPENDS ${SRC}/tavirel.svg
    COMMENT "Rendering the ${size}px icon"
    VERBATIM)
  list(APPEND icon_pngs ${png})
endforeach()

# Manual page and changelog are installed compressed, without a time stamp in the header.
foreach(doc tavirel.1 changelog)
  add_custom_command(
    OUTPUT ${OUT}/${doc}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${SRC}/${doc} ${OUT}/${doc}
    COMMAND ${GZIP} -9 -n -f ${OUT}/${doc}
    DEPENDS ${SRC}/${doc}
    VERBATIM)
endforeach()

# Screenshots for the metadata, taken from the real program by the screenshot suite.
set(SHOTS ${OUT}/screenshots)
add_custom_command(
  OUTPUT ${SHOTS}/menu.png ${SHOTS}/herb-details.png
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen TAVIREL_SHOTS=${SHOTS}/all
          $<TARGET_FILE:tst_screenshots> menu herbWindow
  COMMAND ${CMAKE_COMMAND} -E copy ${SHOTS}/all/menu.png ${SHOTS}/menu.png
  COMMAND ${CMAKE_COMMAND} -E copy ${SHOTS}/all/start-1-details.png ${SHOTS}/herb-details.png
  DEPENDS tst_screenshots reference_databases own_database help_file
  COMMENT "Taking the screenshots for the AppStream metadata"
  VERBATIM)

add_custom_target(install_files ALL
  DEPENDS ${icon_pngs} ${OUT}/tavirel.1.gz ${OUT}/changelog.gz ${SHOTS}/menu.png
          ${SHOTS}/herb-details.png)

install(TARGETS tavirel RUNTIME DESTINATION lib/tavirel)
install(FILES ${TAVIREL_PROGRAM_DIR}/tavirel.MDB ${TAVIREL_PROGRAM_DIR}/Hdat.mdb
              ${TAVIREL_PROGRAM_DIR}/velm.chm ${TAVIREL_PROGRAM_DIR}/Tada.wav ${SRC}/installed
        DESTINATION lib/tavirel)
install(CODE [[
  set(bin "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/bin")
  file(MAKE_DIRECTORY "${bin}")
  message(STATUS "Installing: ${bin}/tavirel -> ../lib/tavirel/tavirel")
  file(CREATE_LINK ../lib/tavirel/tavirel "${bin}/tavirel" SYMBOLIC)
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${CMAKE_INSTALL_PREFIX}/bin/tavirel")
]])
install(FILES ${SRC}/${APP_ID}.desktop DESTINATION share/applications)
install(FILES ${SRC}/tavirel.svg DESTINATION share/icons/hicolor/scalable/apps)
foreach(size ${TAVIREL_ICON_SIZES})
  install(FILES ${OUT}/icons/${size}x${size}/tavirel.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${OUT}/${APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${SHOTS}/menu.png ${SHOTS}/herb-details.png DESTINATION share/tavirel/screenshots)
install(FILES ${OUT}/tavirel.1.gz DESTINATION share/man/man1)
install(FILES ${SRC}/copyright ${OUT}/changelog.gz DESTINATION share/doc/tavirel)

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavirel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tavirel developers")
set(CPACK_PACKAGE_CONTACT "Tavirel developers <${TAVIREL_SUPPORT_MAIL}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "reference of Chinese medicinal herbs and formulas")
set(CPACK_PACKAGE_DESCRIPTION
    "Tavirel is a desktop reference of Chinese medicinal herbs and herbal\n"
    "formulas for practitioners and students: browse the herbs by category\n"
    "or by Pinyin or Latin name, read a herb's monograph and picture, read a\n"
    "formula's composition, method, functions and indications, search both\n"
    "by key word, and keep a private database of your own herbs and formulas.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TAVIREL_WEB_SITE})
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries (Qt widgets, multimedia and network, SQLCipher, chmlib, the C++ runtime) come
# from dpkg-shlibdeps; the fonts the windows are drawn with are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(TAVIREL_FONT_PACKAGES fonts-dejavu-core fonts-wqy-microhei)
string(JOIN ", " CPACK_DEBIAN_PACKAGE_DEPENDS ${TAVIREL_FONT_PACKAGES})
include(CPack)

# Checks where the tools are installed.
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(APPSTREAMCLI appstreamcli)
find_program(LINTIAN lintian)
if(DESKTOP_FILE_VALIDATE)
  add_test(NAME desktop_entry
           COMMAND ${DESKTOP_FILE_VALIDATE} ${SRC}/${APP_ID}.desktop)
endif()
if(APPSTREAMCLI)
  add_test(NAME appstream_metadata
           COMMAND ${APPSTREAMCLI} validate --no-net --explain ${OUT}/${APP_ID}.metainfo.xml)
endif()
add_test(NAME install_tree
         COMMAND ${CMAKE_COMMAND} -DBUILD=${CMAKE_BINARY_DIR} -DWORK=${OUT}/install-check
                 -P ${SRC}/CheckInstall.cmake)
if(LINTIAN)
  add_test(NAME package_lintian
           COMMAND ${CMAKE_COMMAND} -DBUILD=${CMAKE_BINARY_DIR} -DWORK=${OUT}/package-check
                   -DLINTIAN=${LINTIAN} -P ${SRC}/CheckPackage.cmake)
  set_tests_properties(package_lintian PROPERTIES TIMEOUT 600)
endif()
