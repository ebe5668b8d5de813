# Checks of the files the desktop reads, each run when its tool is installed; the software centre
# description, the manual pages and the shell completion are always checked (scripts/deps.sh
# installs their tools).
find_program(SKIN_DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(SKIN_XMLLINT xmllint)
find_program(SKIN_UPDATE_MIME_DATABASE update-mime-database)
find_program(SKIN_XDG_MIME xdg-mime)
set(SKIN_DESKTOP_DIR ${CMAKE_SOURCE_DIR}/res/desktop)

if(SKIN_DESKTOP_FILE_VALIDATE)
  add_test(NAME desktop_entry COMMAND ${SKIN_DESKTOP_FILE_VALIDATE} ${SKIN_DESKTOP_DIR}/org.skinmaker.skinmaker.desktop)
  # desktop-file-validate prints its complaints and still exits 0 on mere hints; any output fails.
  set_tests_properties(desktop_entry PROPERTIES FAIL_REGULAR_EXPRESSION "error|warning")
endif()
if(SKIN_XMLLINT)
  add_test(NAME mime_definition_xml COMMAND ${SKIN_XMLLINT} --noout ${SKIN_DESKTOP_DIR}/org.skinmaker.skinmaker.xml)
endif()
if(SKIN_UPDATE_MIME_DATABASE)
  add_test(NAME mime_definition_database
    COMMAND sh -c "d=$(mktemp -d) && mkdir -p $d/packages && cp \"$1\" $d/packages/ && \
${SKIN_UPDATE_MIME_DATABASE} $d && grep -q 'application/x-vsf-skin:\\*\\.vsf' $d/globs2; r=$?; rm -rf $d; exit $r"
            sh ${SKIN_DESKTOP_DIR}/org.skinmaker.skinmaker.xml)
endif()
if(SKIN_DESKTOP_FILE_VALIDATE AND SKIN_UPDATE_MIME_DATABASE AND SKIN_XDG_MIME)
  add_test(NAME desktop_install
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/desktop/check_install.sh ${CMAKE_BINARY_DIR}
            ${CMAKE_SOURCE_DIR}/res/sample/sample.jpg)
endif()

find_program(SKIN_APPSTREAMCLI appstreamcli)
add_test(NAME appstream_metainfo
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/desktop/check_metainfo.sh ${SKIN_APPSTREAMCLI}
          ${CMAKE_BINARY_DIR}/org.skinmaker.skinmaker.metainfo.xml)
# The .deb as CPack makes it, judged by lintian (errors fail). Slow: it builds the whole package.
find_program(SKIN_LINTIAN lintian)
find_program(SKIN_CPACK cpack HINTS ${CMAKE_COMMAND}/..)
if(SKIN_LINTIAN AND SKIN_CPACK)
  add_test(NAME debian_package_lintian COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/desktop/check_deb.sh ${CMAKE_BINARY_DIR})
  set_tests_properties(debian_package_lintian PROPERTIES TIMEOUT 1200 RUN_SERIAL ON)
endif()
find_program(SKIN_MAN man)
foreach(page skinmaker skinmaker-cli)
  # man prints troff's warnings but still exits 0; any warning fails.
  add_test(NAME manual_page_${page}
    COMMAND sh -c "out=$(LC_ALL=C.UTF-8 MANWIDTH=80 \"$0\" --warnings -l \"$1\" 2>&1 >/dev/null) && [ -z \"$out\" ] \
|| { echo \"$out\"; exit 1; }" ${SKIN_MAN} ${CMAKE_SOURCE_DIR}/res/man/${page}.1)
endforeach()
add_test(NAME bash_completion
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/desktop/check_completion.sh ${CMAKE_SOURCE_DIR}/res/completion/skinmaker-cli)
add_test(NAME cli_docs_complete
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/desktop/check_cli_docs.sh $<TARGET_FILE:skinmaker-cli>
          ${CMAKE_SOURCE_DIR}/res/man/skinmaker-cli.1 ${CMAKE_SOURCE_DIR}/res/completion/skinmaker-cli)
if(SKIN_XVFB_RUN)
  add_test(NAME wizard_draws_without_opengl
    COMMAND ${SKIN_XVFB_RUN} -a -s "-screen 0 1280x900x24" ${CMAKE_CURRENT_SOURCE_DIR}/desktop/check_software_drawing.sh
            ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR}/res/sample/sample.jpg ${CMAKE_SOURCE_DIR}/res/flash/clock.swf)
  set_tests_properties(wizard_draws_without_opengl PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)
endif()
# The wizard under weston's headless backend (Wayland).
add_test(NAME wizard_on_wayland
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/desktop/check_wayland.sh ${CMAKE_BINARY_DIR}
          ${CMAKE_SOURCE_DIR}/res/sample/sample.jpg ${CMAKE_SOURCE_DIR}/res/flash/clock.swf)
set_tests_properties(wizard_on_wayland PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 600)
# --help and --version answer without a display: with X11 asked for and none there, an application
# object would abort.
add_test(NAME wizard_help_without_display
  COMMAND sh -c "out=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb \"$0\" --lang en --help) && \
echo \"$out\" | grep -q -- '--view PACKAGE' && \
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb \"$0\" --version | grep -q '^skinmaker '" $<TARGET_FILE:skinmaker>)
