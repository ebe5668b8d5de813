# Installation: both programs, the desktop entry, the package type, the thumbnailer and the icons;
# and the .deb that CPack makes of the same files (`cpack -G DEB` in the build folder).
include(GNUInstallDirs)

install(TARGETS skinmaker skinmaker-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The flash engine module, loaded by the wizard from ../lib/skinmaker/ beside its bin/ folder.
install(TARGETS skinflashengine LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/skinmaker)
# The flash player's files (copied into build/flashplayer/ when the flash engine has them) go where
# the program looks for them: in flashplayer/ beside it.
if(TARGET flashplayer)
  install(DIRECTORY ${CMAKE_BINARY_DIR}/flashplayer/ DESTINATION ${CMAKE_INSTALL_BINDIR}/flashplayer)
endif()

set(SKIN_DESKTOP_DIR ${CMAKE_SOURCE_DIR}/res/desktop)
install(FILES ${SKIN_DESKTOP_DIR}/skinmaker.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${SKIN_DESKTOP_DIR}/skinmaker-vsf.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${SKIN_DESKTOP_DIR}/skinmaker.thumbnailer DESTINATION ${CMAKE_INSTALL_DATADIR}/thumbnailers)
# The software centres' description, with this version as its release (dated by SOURCE_DATE_EPOCH
# when set, so that a rebuild gives the same file).
string(TIMESTAMP SKIN_RELEASE_DATE "%Y-%m-%d" UTC)
set(SKIN_METAINFO ${CMAKE_BINARY_DIR}/org.skinmaker.skinmaker.metainfo.xml)
configure_file(${SKIN_DESKTOP_DIR}/org.skinmaker.skinmaker.metainfo.xml.in ${SKIN_METAINFO} @ONLY)
install(FILES ${SKIN_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/res/man/skinmaker.1 ${CMAKE_SOURCE_DIR}/res/man/skinmaker-cli.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_SOURCE_DIR}/res/completion/skinmaker-cli
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
foreach(icon 16 32 48 256)
  set(source ${CMAKE_SOURCE_DIR}/res/icon/128-${icon}.png)
  if(icon EQUAL 256)
    set(source ${CMAKE_SOURCE_DIR}/res/icon/128.png)
  endif()
  install(FILES ${source} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${icon}x${icon}/apps
          RENAME skinmaker.png)
endforeach()

# A direct install updates the MIME and desktop databases under its prefix; a staged one (DESTDIR,
# as CPack does) leaves that to the package's post-install script.
install(CODE [[
  if("$ENV{DESTDIR}" STREQUAL "")
    find_program(SKIN_UPDATE_MIME update-mime-database)
    find_program(SKIN_UPDATE_DESKTOP update-desktop-database)
    if(SKIN_UPDATE_MIME)
      execute_process(COMMAND ${SKIN_UPDATE_MIME} "${CMAKE_INSTALL_PREFIX}/share/mime" OUTPUT_QUIET ERROR_QUIET)
    endif()
    if(SKIN_UPDATE_DESKTOP)
      execute_process(COMMAND ${SKIN_UPDATE_DESKTOP} "${CMAKE_INSTALL_PREFIX}/share/applications"
                      OUTPUT_QUIET ERROR_QUIET)
    endif()
  endif()
]])

set(CPACK_PACKAGE_NAME skinmaker)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Skin maker developers <skinmaker@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Makes music player skin packages (.vsf) from your own pictures")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, shared-mime-info, desktop-file-utils, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_SOURCE_DIR}/res/desktop/postinst ${CMAKE_SOURCE_DIR}/res/desktop/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
