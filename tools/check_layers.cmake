# Fails on any include of the program's own headers that points up the house:
#
#   core ← ui ─────────┐
#     ↖                ↓
#      tables ← window ← app
#
# Each layer includes only the layers it stands on: core nothing but core; ui and
# a subsystem's tables only core (tables know nothing of widgets); a window ui and
# its tables; app everything. A subsystem's tables and window include nothing of
# another subsystem's folder, except that tables may include the tables of a folder
# that a "uses <folder> <other>" line names.
#
# Usage: cmake -DROOT=<source dir> -DLIST=<"layer path" lines> -P check_layers.cmake
cmake_minimum_required(VERSION 3.22)
set(order core ui tables window app)
set(allowed_core core)
set(allowed_ui core ui)
set(allowed_tables core tables)
set(allowed_window core ui tables window)
set(allowed_app core ui tables window app)
file(STRINGS ${LIST} entries)
foreach(entry IN LISTS entries)
  string(REPLACE " " ";" entry "${entry}")
  list(GET entry 0 layer)
  list(GET entry 1 path)
  if(layer STREQUAL "uses")
    list(GET entry 2 other)
    list(APPEND uses_${path} ${other})
    continue()
  endif()
  list(FIND order ${layer} rank)
  string(MAKE_C_IDENTIFIER "${path}" key)
  set(rank_${key} ${rank})
  list(APPEND paths ${path})
endforeach()
list(REMOVE_DUPLICATES paths)

set(failures 0)
foreach(path IN LISTS paths)
  string(MAKE_C_IDENTIFIER "${path}" key)
  set(rank ${rank_${key}})
  get_filename_component(folder ${path} DIRECTORY)
  string(REGEX REPLACE "/.*" "" folder "${folder}")
  file(STRINGS ${ROOT}/${path} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*" "\\1" included "${line}")
    if(included MATCHES "\\.moc$")
      continue()
    endif()
    string(MAKE_C_IDENTIFIER "${included}" ikey)
    if(NOT DEFINED rank_${ikey})
      message("${path}: includes ${included}, which belongs to no layered target")
      math(EXPR failures "${failures} + 1")
      continue()
    endif()
    set(irank ${rank_${ikey}})
    string(REGEX REPLACE "/.*" "" ifolder "${included}")
    list(GET order ${rank} layer)
    list(GET order ${irank} ilayer)
    if(NOT ilayer IN_LIST allowed_${layer})
      message("${path} (${layer}): includes ${included} (${ilayer}), which it does not stand on")
      math(EXPR failures "${failures} + 1")
    elseif(rank GREATER_EQUAL 2 AND rank LESS_EQUAL 3 AND irank GREATER_EQUAL 2
           AND NOT folder STREQUAL ifolder
           AND NOT (rank EQUAL 2 AND irank EQUAL 2 AND ifolder IN_LIST uses_${folder}))
      message("${path}: includes ${included} of another subsystem")
      math(EXPR failures "${failures} + 1")
    endif()
  endforeach()
endforeach()
list(LENGTH paths checked)
if(failures)
  message(FATAL_ERROR "${failures} include(s) point up the house")
endif()
message("${checked} files, every include points down")
