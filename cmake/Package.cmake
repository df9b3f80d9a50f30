# `make package`: a Debian package of what the install rules put in place. The dependencies come
# from the shared libraries the programs link (dpkg-shlibdeps), as Debian's own tools find them.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pictorra-vaze)
set(CPACK_PACKAGE_VERSION ${PICTORRA_PACKAGE_VERSION})
set(CPACK_PACKAGE_VENDOR "Pictorra Vaze")
set(CPACK_PACKAGE_CONTACT "Pictorra Vaze developers <devel@pictorra-vaze.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "jigsaw puzzle authoring kit: turn a picture into a game")
set(CPACK_PACKAGE_DESCRIPTION
    "pictorra-publish turns a photo or drawing into a jigsaw puzzle game: one\n"
    "program that carries the picture, cuts it into interlocking, bevelled,\n"
    "shadowed pieces and lets the player solve it. The author chooses the cut\n"
    "and may add a title, an animated banner with a link, an About text and a\n"
    "closing page. The game program copied into every puzzle is installed in\n"
    "/usr/lib/pictorra-vaze.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.pictorra-vaze.example/jigsaw/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Pictures beyond PNG, JPEG, BMP and GIF (TIFF, WebP) are read through Qt's extra image plugins.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qt6-image-formats-plugins")
include(CPack)

# Checks the built package: its file list, and the tool publishing from a scratch installation.
# It runs when the package is newer than the build (`make package` builds then runs it) and
# reports itself skipped otherwise.
if(BUILD_TESTING)
  add_test(NAME package.deb
           COMMAND bash ${CMAKE_SOURCE_DIR}/tests/package/check-deb.sh ${CMAKE_BINARY_DIR}
                   ${CMAKE_SOURCE_DIR}/assets/mountain-lake.jpg)
  set_tests_properties(package.deb PROPERTIES LABELS package SKIP_RETURN_CODE 77 TIMEOUT 120)
endif()
