# Installation: both programs, the desktop entry, the package type, the thumbnailer and the icons;
# and the .deb that CPack makes of the same files (`cpack -G DEB` in the build folder).
include(GNUInstallDirs)

install(TARGETS skinmaker skinmaker-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The flash engine module, loaded by the wizard from ../lib/skinmaker/ beside its bin/ folder.
install(TARGETS skinflashengine LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/skinmaker)
# The flash player's files (copied into build/flashplayer/ when the flash engine has them) go into
# share/skinmaker/flashplayer/, where the program looks from its bin/ folder; bin/ holds only the
# two programs.
if(TARGET flashplayer)
  install(DIRECTORY ${CMAKE_BINARY_DIR}/flashplayer/ DESTINATION ${CMAKE_INSTALL_DATADIR}/skinmaker/flashplayer)
endif()

set(SKIN_DESKTOP_DIR ${CMAKE_SOURCE_DIR}/res/desktop)
# One id names the desktop entry, the icon, the package type file and the description.
set(SKIN_DESKTOP_ID org.skinmaker.skinmaker)
install(FILES ${SKIN_DESKTOP_DIR}/${SKIN_DESKTOP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${SKIN_DESKTOP_DIR}/${SKIN_DESKTOP_ID}.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${SKIN_DESKTOP_DIR}/skinmaker.thumbnailer DESTINATION ${CMAKE_INSTALL_DATADIR}/thumbnailers)
# The software centres' description; its releases are written by hand, with their dates.
set(SKIN_METAINFO ${CMAKE_BINARY_DIR}/${SKIN_DESKTOP_ID}.metainfo.xml)
configure_file(${SKIN_DESKTOP_DIR}/${SKIN_DESKTOP_ID}.metainfo.xml.in ${SKIN_METAINFO} @ONLY)
install(FILES ${SKIN_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages and the Debian changelog, compressed as Debian installs them (gzip -n: no name or
# time in the file, so a rebuild gives the same bytes).
find_program(SKIN_GZIP gzip REQUIRED)
set(SKIN_GZIPPED)
foreach(pair "res/man/skinmaker.1|man/skinmaker.1.gz" "res/man/skinmaker-cli.1|man/skinmaker-cli.1.gz"
             "res/debian/changelog|doc/changelog.Debian.gz")
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 source)
  list(GET pair 1 target)
  set(target ${CMAKE_BINARY_DIR}/gz/${target})
  get_filename_component(folder ${target} DIRECTORY)
  add_custom_command(OUTPUT ${target}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND sh -c "\"$0\" -9nc \"$1\" > \"$2\"" ${SKIN_GZIP} ${CMAKE_SOURCE_DIR}/${source} ${target}
    DEPENDS ${CMAKE_SOURCE_DIR}/${source} VERBATIM)
  list(APPEND SKIN_GZIPPED ${target})
endforeach()
add_custom_target(compressed_docs ALL DEPENDS ${SKIN_GZIPPED})
install(FILES ${CMAKE_BINARY_DIR}/gz/man/skinmaker.1.gz ${CMAKE_BINARY_DIR}/gz/man/skinmaker-cli.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/gz/doc/changelog.Debian.gz ${CMAKE_SOURCE_DIR}/res/debian/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/skinmaker)
install(FILES ${CMAKE_SOURCE_DIR}/res/completion/skinmaker-cli
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
foreach(icon 16 32 48 64 128 256)
  set(source ${CMAKE_SOURCE_DIR}/res/icon/128-${icon}.png)
  if(icon EQUAL 256)
    set(source ${CMAKE_SOURCE_DIR}/res/icon/128.png)
  endif()
  install(FILES ${source} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${icon}x${icon}/apps
          RENAME ${SKIN_DESKTOP_ID}.png)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/res/icon/${SKIN_DESKTOP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

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
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_PACKAGE_VENDOR "Skin maker developers")
set(CPACK_PACKAGE_CONTACT "Skin maker developers <developers@skinmaker.org>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Skin maker developers <developers@skinmaker.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "make music player skin packages from your own pictures")
# The long description; CPack puts the summary above it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "A wizard that turns a JPEG, PNG or BMP picture into a .vsf skin package
for a Windows music player (run under Wine): it cuts the header out of
the picture, picks the frame and tab text colours, marks the part the
player stretches, places decorations and Flash controls in the corners
and saves the package.
.
The command-line tool skinmaker-cli builds, edits, inspects, renders and
extracts skin packages and gives file managers their thumbnails.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, shared-mime-info, desktop-file-utils, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_SOURCE_DIR}/res/desktop/postinst ${CMAKE_SOURCE_DIR}/res/desktop/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
