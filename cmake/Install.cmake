# Installation: the publishing tool in bin/, the game template it copies into every puzzle in
# lib/pictorra-vaze/, the tool's manual page in share/man/man1/. Then the Debian package.
include(GNUInstallDirs)

# The version the tool and the game print, for the package and the manual page.
set(PICTORRA_PACKAGE_VERSION ${PROJECT_VERSION})
if(EXISTS ${CMAKE_SOURCE_DIR}/src/app/Version.h)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/app/Version.h)
  file(STRINGS ${CMAKE_SOURCE_DIR}/src/app/Version.h version_line REGEX "define PICTORRA_VERSION_TEXT \"")
  if(version_line MATCHES "\"([0-9][0-9A-Za-z.+~-]*)\"")
    set(PICTORRA_PACKAGE_VERSION ${CMAKE_MATCH_1})
  endif()
endif()

if(TARGET pictorra-publish)
  install(TARGETS pictorra-publish RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

if(TARGET pictorra-vaze)
  # Every published puzzle is a copy of this file, so it goes without debugging symbols even
  # when the build carries them.
  install(TARGETS pictorra-vaze RUNTIME DESTINATION lib/pictorra-vaze)
  find_program(PICTORRA_STRIP NAMES ${CMAKE_STRIP} strip)
  if(PICTORRA_STRIP)
    install(CODE "execute_process(COMMAND \"${PICTORRA_STRIP}\"
                    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/lib/pictorra-vaze/pictorra-vaze\"
                    COMMAND_ERROR_IS_FATAL ANY)")
  endif()
endif()

# The manual page with the version filled in, compressed as Debian ships them (no name or time
# stamp in the header, so a rebuild gives the same bytes).
set(PICTORRA_VERSION ${PICTORRA_PACKAGE_VERSION})
configure_file(${CMAKE_SOURCE_DIR}/docs/pictorra-publish.1 ${CMAKE_BINARY_DIR}/man/pictorra-publish.1 @ONLY)
find_program(PICTORRA_GZIP gzip)
if(PICTORRA_GZIP)
  set(PICTORRA_MAN_PAGE ${CMAKE_BINARY_DIR}/man/pictorra-publish.1.gz)
  add_custom_command(OUTPUT ${PICTORRA_MAN_PAGE}
                     COMMAND ${PICTORRA_GZIP} -9nkf ${CMAKE_BINARY_DIR}/man/pictorra-publish.1
                     DEPENDS ${CMAKE_BINARY_DIR}/man/pictorra-publish.1
                     COMMENT "Compressing the manual page" VERBATIM)
  add_custom_target(pictorra_man_page ALL DEPENDS ${PICTORRA_MAN_PAGE})
else()
  set(PICTORRA_MAN_PAGE ${CMAKE_BINARY_DIR}/man/pictorra-publish.1)
endif()
install(FILES ${PICTORRA_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

include(${CMAKE_CURRENT_LIST_DIR}/Package.cmake)
