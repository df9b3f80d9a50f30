# Installation: the publishing tool in bin/, the game template it copies into every puzzle in
# lib/pictorra-vaze/, the tool's manual page in share/man/man1/. Then the Debian package.
include(GNUInstallDirs)

install(TARGETS pictorra-publish RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

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

# The manual page, compressed as Debian ships them (no name or time stamp in the header, so a
# rebuild gives the same bytes).
set(PICTORRA_MAN_SOURCE ${CMAKE_SOURCE_DIR}/docs/pictorra-publish.1)
find_program(PICTORRA_GZIP gzip)
if(PICTORRA_GZIP)
  set(PICTORRA_MAN_PAGE ${CMAKE_BINARY_DIR}/man/pictorra-publish.1.gz)
  add_custom_command(OUTPUT ${PICTORRA_MAN_PAGE}
                     COMMAND ${CMAKE_COMMAND} -E copy ${PICTORRA_MAN_SOURCE} ${CMAKE_BINARY_DIR}/man/pictorra-publish.1
                     COMMAND ${PICTORRA_GZIP} -9nf ${CMAKE_BINARY_DIR}/man/pictorra-publish.1
                     DEPENDS ${PICTORRA_MAN_SOURCE}
                     COMMENT "Compressing the manual page" VERBATIM)
  add_custom_target(pictorra_man_page ALL DEPENDS ${PICTORRA_MAN_PAGE})
else()
  set(PICTORRA_MAN_PAGE ${PICTORRA_MAN_SOURCE})
endif()
install(FILES ${PICTORRA_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

include(${CMAKE_CURRENT_LIST_DIR}/Package.cmake)
