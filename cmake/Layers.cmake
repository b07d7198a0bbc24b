# The engine is built as layers, one static library per top-level folder, each
# declaring the layers it uses. A layer may include and call only itself and
# what it uses (directly or through them); tesk-layer-check holds every
# `#include "folder/..."` to that, and the build fails when one runs upward.
#
#   tesk_layer(NAME [USES layer...] [EXCLUDE regex])
#
# Sources: every .cpp below the folder NAME. Declare layers bottom first.

set_property(GLOBAL PROPERTY TESK_LAYER_TABLE "")
set_property(GLOBAL PROPERTY TESK_LAYERS "")

function(tesk_layer name)
  cmake_parse_arguments(LAYER "" "EXCLUDE" "USES" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(LAYER_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "${LAYER_EXCLUDE}")
  endif()
  add_library(tesk_${name} STATIC ${sources})
  target_include_directories(tesk_${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_options(tesk_${name} PRIVATE -Wall -Wextra)
  target_link_libraries(tesk_${name} PUBLIC tesk::deps)
  foreach(used ${LAYER_USES})
    if(NOT TARGET tesk_${used})
      message(FATAL_ERROR "Layer '${name}' uses '${used}', which is not declared below it")
    endif()
    target_link_libraries(tesk_${name} PUBLIC tesk_${used})
  endforeach()
  string(REPLACE ";" " " uses "${LAYER_USES}")
  set_property(GLOBAL APPEND_STRING PROPERTY TESK_LAYER_TABLE "${name}: ${uses}\n")
  set_property(GLOBAL APPEND PROPERTY TESK_LAYERS ${name})
endfunction()

# Writes the layer table and checks the includes of every layer against it at
# each build; `tesk_engine` links them all for tests, benchmarks and tools.
function(tesk_finish_layers)
  get_property(table GLOBAL PROPERTY TESK_LAYER_TABLE)
  get_property(layers GLOBAL PROPERTY TESK_LAYERS)
  file(WRITE ${PROJECT_BINARY_DIR}/layers.txt "${table}")
  add_library(tesk_engine INTERFACE)
  foreach(layer ${layers})
    target_link_libraries(tesk_engine INTERFACE tesk_${layer})
  endforeach()

  add_executable(tesk-layer-check ${PROJECT_SOURCE_DIR}/tools/tesk-layer-check/main.cpp)
  target_compile_options(tesk-layer-check PRIVATE -Wall -Wextra)
  set(stamp ${PROJECT_BINARY_DIR}/layers.checked)
  set(checked_sources)
  foreach(layer ${layers})
    file(GLOB_RECURSE layer_files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${layer}/*.h ${PROJECT_SOURCE_DIR}/${layer}/*.cpp)
    list(APPEND checked_sources ${layer_files})
  endforeach()
  add_custom_command(OUTPUT ${stamp}
    COMMAND tesk-layer-check ${PROJECT_BINARY_DIR}/layers.txt ${PROJECT_SOURCE_DIR}
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS tesk-layer-check ${PROJECT_BINARY_DIR}/layers.txt ${checked_sources}
    COMMENT "Checking that every include runs down the layers")
  add_custom_target(tesk_layer_check ALL DEPENDS ${stamp})
  foreach(layer ${layers})
    add_dependencies(tesk_${layer} tesk_layer_check)
  endforeach()
endfunction()
