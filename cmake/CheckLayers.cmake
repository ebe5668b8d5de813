# Fails when an #include goes against the layers:
#   app -> pages -> flash/ui -> controls -> ui -> skincore (zip, imaging, skin, platform, flash/core);
#   cli -> skincore;
#   flash/ui -> flash/web's interfaces only (the header-only CFlashStage.h, CGalleryView.h,
#   FlashEngineModule.h and WebViewDrawing.h): the engine module itself is loaded at run time and
#   uses nothing else of ours.
# skincore and cli include no widget and no network header. Every folder of src/ must be named here.
# Run as: cmake -DSOURCE_DIR=<src> -DWIDGETS_INCLUDE_DIR=<QtWidgets headers> -P CheckLayers.cmake
cmake_minimum_required(VERSION 3.25)
if(NOT SOURCE_DIR OR NOT WIDGETS_INCLUDE_DIR)
  message(FATAL_ERROR "CheckLayers.cmake needs SOURCE_DIR and WIDGETS_INCLUDE_DIR")
endif()

set(problems "")
set(ENGINE_INTERFACES flash/web/CFlashStage.h flash/web/CGalleryView.h flash/web/FlashEngineModule.h
  flash/web/WebViewDrawing.h)
set(NETWORK_HEADERS "^(QtNetwork/.*|Q(Network[A-Za-z]*|Tcp[A-Za-z]*|Udp[A-Za-z]*|Ssl[A-Za-z]*|HostAddress|AbstractSocket|Local(Server|Socket)|Dns[A-Za-z]*|Http[A-Za-z]*))$")

# check_folder(<folder> <forbidden project folders...>): also checks for widget and network headers
# when HEADLESS is on, and for flash/web beyond its interfaces when ENGINE_INTERFACES_ONLY is on.
function(check_folder folder)
  file(GLOB_RECURSE files "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
  foreach(path ${files})
    file(STRINGS "${path}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    file(RELATIVE_PATH shown "${SOURCE_DIR}" "${path}")
    foreach(line ${includes})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*$" "\\1" target "${line}")
      foreach(forbidden ${ARGN})
        if(target MATCHES "^${forbidden}/")
          list(APPEND problems "${shown} includes ${target}")
        endif()
      endforeach()
      if(ENGINE_INTERFACES_ONLY AND target MATCHES "^flash/web/" AND NOT target IN_LIST ENGINE_INTERFACES)
        list(APPEND problems "${shown} includes ${target}, which is inside the engine module")
      endif()
      if(HEADLESS)
        string(REGEX REPLACE "^QtWidgets/" "" bare "${target}")
        if(target MATCHES "^QtWidgets/" OR (bare MATCHES "^Q[A-Za-z]+$" AND EXISTS "${WIDGETS_INCLUDE_DIR}/${bare}"))
          list(APPEND problems "${shown} includes the widget header ${target}")
        endif()
        if(target MATCHES "${NETWORK_HEADERS}")
          list(APPEND problems "${shown} includes the network header ${target}")
        endif()
      endif()
    endforeach()
  endforeach()
  set(problems "${problems}" PARENT_SCOPE)
endfunction()

set(HEADLESS OFF)
set(ENGINE_INTERFACES_ONLY OFF)
check_folder(pages app cli)
check_folder(app cli)
check_folder(controls app pages cli flash/ui flash/web)
check_folder(flash/web app pages cli controls ui flash/ui zip imaging skin platform flash/core)
check_folder(ui app pages cli controls flash)
set(ENGINE_INTERFACES_ONLY ON)
check_folder(flash/ui app pages cli)
set(ENGINE_INTERFACES_ONLY OFF)
set(HEADLESS ON)
set(CORE_FOLDERS zip imaging skin platform flash/core)
foreach(core ${CORE_FOLDERS})
  check_folder(${core} app pages cli controls ui flash/ui flash/web)
endforeach()
check_folder(cli app pages controls ui flash/ui flash/web)

# Every folder with sources is one of the above.
set(KNOWN app pages controls ui flash flash/ui flash/web cli ${CORE_FOLDERS})
file(GLOB_RECURSE all_sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp")
foreach(source ${all_sources})
  get_filename_component(folder "${source}" DIRECTORY)
  if(NOT folder IN_LIST KNOWN)
    list(APPEND problems "${source} lies in ${folder}/, which the layers do not name")
  endif()
endforeach()

if(problems)
  list(REMOVE_DUPLICATES problems)
  list(JOIN problems "\n  " text)
  message(FATAL_ERROR "Includes against the layers:\n  ${text}")
endif()
message(STATUS "Layers: every include goes downwards")
