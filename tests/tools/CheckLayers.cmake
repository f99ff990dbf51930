cmake_minimum_required(VERSION 3.25)
# Fails when an include of a source under SRC points up the layers:
#   core       includes only core;
#   platform   does not include components, a feature, main or apps;
#   components does not include a feature, main or apps;
#   a feature  does not include main, apps or another feature's window unit (U*);
#   main       does not include apps.
# The folder of a file (and of an include) is its first folder under SRC; every folder that is none
# of core, platform, components, main and apps is a feature.
file(GLOB_RECURSE sources RELATIVE ${SRC} ${SRC}/*.cpp ${SRC}/*.h)
set(rank_core 0)
set(rank_platform 1)
set(rank_components 2)
set(rank_main 4)
set(rank_apps 5)
function(layer_of folder out)
  if(DEFINED rank_${folder})
    set(${out} ${rank_${folder}} PARENT_SCOPE)
  else()
    set(${out} 3 PARENT_SCOPE)
  endif()
endfunction()

set(bad "")
set(count 0)
foreach(rel IN LISTS sources)
  math(EXPR count "${count} + 1")
  string(REGEX REPLACE "/.*" "" from ${rel})
  layer_of(${from} from_layer)
  file(STRINGS ${SRC}/${rel} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]+\"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" inc "${line}")
    if(NOT inc MATCHES "/")
      continue() # a header beside the file
    endif()
    string(REGEX REPLACE "/.*" "" to ${inc})
    if(to STREQUAL from)
      continue()
    endif()
    layer_of(${to} to_layer)
    get_filename_component(name ${inc} NAME)
    set(up FALSE)
    if(from_layer EQUAL 0)
      set(up TRUE)
    elseif(to_layer GREATER from_layer)
      set(up TRUE)
    elseif(from_layer EQUAL 3 AND to_layer EQUAL 3 AND name MATCHES "^U")
      set(up TRUE) # another feature's window
    endif()
    if(up)
      list(APPEND bad "${rel} includes ${inc}")
    endif()
  endforeach()
endforeach()
if(bad)
  string(REPLACE ";" "\n  " msg "${bad}")
  message(FATAL_ERROR "Includes that go up the layers:\n  ${msg}")
endif()
message(STATUS "the layers hold (${count} files read)")
