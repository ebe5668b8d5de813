# Fails when an #include goes against the layers:
#   app -> pages -> flash/ui -> controls -> ui -> skincore (zip, imaging, skin, platform, flash/core);
#   flash/ui also -> flash/web, the engine module, which uses nothing else of ours.
# Run as: cmake -DSOURCE_DIR=<src> -DWIDGETS_INCLUDE_DIR=<QtWidgets headers> -P CheckLayers.cmake
if(NOT SOURCE_DIR OR NOT WIDGETS_INCLUDE_DIR)
  message(FATAL_ERROR "CheckLayers.cmake needs SOURCE_DIR and WIDGETS_INCLUDE_DIR")
endif()

set(problems "")

# check_folder(<folder> <forbidden project folders...>): also checks for widget headers when the
# folder is part of skincore.
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
      if(SKINCORE)
        string(REGEX REPLACE "^QtWidgets/" "" bare "${target}")
        if(target MATCHES "^QtWidgets/" OR (bare MATCHES "^Q[A-Za-z]+$" AND EXISTS "${WIDGETS_INCLUDE_DIR}/${bare}"))
          list(APPEND problems "${shown} includes the widget header ${target}")
        endif()
      endif()
    endforeach()
  endforeach()
  set(problems "${problems}" PARENT_SCOPE)
endfunction()

set(SKINCORE OFF)
check_folder(pages app)
check_folder(controls app pages flash/ui)
check_folder(flash/ui app pages)
check_folder(flash/web app pages controls ui flash/ui zip imaging skin platform flash/core)
check_folder(ui app pages controls flash)
set(SKINCORE ON)
foreach(core zip imaging skin platform flash/core)
  check_folder(${core} app pages controls ui flash/ui)
endforeach()

if(problems)
  list(JOIN problems "\n  " text)
  message(FATAL_ERROR "Includes against the layers:\n  ${text}")
endif()
message(STATUS "Layers: every include goes downwards")
