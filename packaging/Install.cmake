# Install layout and the Debian package.
#
# The program finds its Data folder next to its own binary (links resolved),
# so the binary, the replay driver and Data/ live together in lib/pictavo/,
# and bin/pictavo is a relative link to the binary there. The desktop entry,
# the icons and the AppStream metainfo go where desktops look for them.

set(PICTAVO_APP_ID example.vellora.Pictavo)
set(PICTAVO_PROGRAM_DIR lib/pictavo)

install(TARGETS pictavo pictavo-replay RUNTIME DESTINATION ${PICTAVO_PROGRAM_DIR})
# The whole folder, so stamps, patterns and pages added later come along.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/Data DESTINATION ${PICTAVO_PROGRAM_DIR})

# file(INSTALL) copies a link as a link, so the relative link is made here
# once and installed like a file (DESTDIR and CPack's staging included).
file(RELATIVE_PATH link_target ${CMAKE_INSTALL_PREFIX}/bin ${CMAKE_INSTALL_PREFIX}/${PICTAVO_PROGRAM_DIR}/pictavo)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging)
file(CREATE_LINK ${link_target} ${CMAKE_BINARY_DIR}/packaging/pictavo SYMBOLIC)
install(FILES ${CMAKE_BINARY_DIR}/packaging/pictavo DESTINATION bin)

# The manual page and the package's change log are installed compressed, as
# Debian wants them; -n keeps name and time out of the gzip header, so the
# same text always gives the same bytes.
find_program(GZIP_PROGRAM gzip REQUIRED)
foreach(text pictavo.1 changelog)
  execute_process(COMMAND ${GZIP_PROGRAM} -9nc ${CMAKE_CURRENT_LIST_DIR}/${text}
                  OUTPUT_FILE ${CMAKE_BINARY_DIR}/packaging/${text}.gz
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip could not compress packaging/${text}")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/${text})
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/packaging/pictavo.1.gz DESTINATION share/man/man1)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz
        DESTINATION share/doc/pictavo)

install(FILES ${CMAKE_CURRENT_LIST_DIR}/${PICTAVO_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${PICTAVO_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/icons/pictavo.svg DESTINATION share/icons/hicolor/scalable/apps)
set(PICTAVO_ICON_SIZES 16 22 24 32 48 64 128 256)
foreach(size ${PICTAVO_ICON_SIZES})
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/icons/pictavo-${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME pictavo.png)
endforeach()

# Debian package: packaging/build-deb.sh is the documented way to make it.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pictavo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Pictavo developers <pictavo@vellora.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "raster paint program with a Chinese user interface")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Pictavo2012 is a small desktop paint program (Qt 6): a canvas of a chosen size,\n22 drawing tools, brush stamps and fill patterns, whole-picture effects and\nfilters; it opens BMP, JPEG, GIF, ICO, CUR, PNG, WebP, TIFF and metafiles and\nsaves BMP files.")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.vellora.example/")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
# The libraries the binaries link (Qt, Qt WebEngine for the web window, X11)
# are found by dpkg-shlibdeps; the web engine's helper process and resources
# come with its widgets library's own dependencies. Listed here is what no
# link shows: a Chinese font for the whole user interface.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The CJK font draws the Chinese texts; the Qt translation makes Qt's own
# dialogs (prompts, message boxes, file and colour dialogs) Chinese too; Qt's
# image-format plugins read WebP and TIFF (loaded at run time, so no link
# shows them).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei | fonts-noto-cjk, qt6-translations-l10n, qt6-image-formats-plugins")
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/CPackChecks.cmake)
set(CPACK_PICTAVO_NATIVE ${PICTAVO_NATIVE})
set(CPACK_PICTAVO_CHANGELOG ${CMAKE_CURRENT_LIST_DIR}/changelog)
include(CPack)
