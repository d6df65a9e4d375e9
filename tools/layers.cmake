# The include check: every source of a layered target (merilon_layer()) with its
# layer, one "layer path" line each, for tools/check_layers.cmake.
get_property(layered GLOBAL PROPERTY MERILON_LAYERED_TARGETS)
set(lines "")
foreach(target IN LISTS layered)
  get_target_property(layer ${target} MERILON_LAYER)
  get_target_property(sources ${target} SOURCES)
  get_target_property(dir ${target} SOURCE_DIR)
  foreach(source IN LISTS sources)
    get_filename_component(path ${source} ABSOLUTE BASE_DIR ${dir})
    file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${path})
    if(EXISTS ${path} AND NOT relative MATCHES "^\\.\\.")
      string(APPEND lines "${layer} ${relative}\n")
    endif()
  endforeach()
endforeach()
get_property(uses GLOBAL PROPERTY MERILON_TABLE_USES)
foreach(use IN LISTS uses)
  string(APPEND lines "uses ${use}\n")
endforeach()
file(WRITE ${PROJECT_BINARY_DIR}/layers.txt "${lines}")

add_test(NAME layers COMMAND ${CMAKE_COMMAND} -DROOT=${PROJECT_SOURCE_DIR}
  -DLIST=${PROJECT_BINARY_DIR}/layers.txt -P ${PROJECT_SOURCE_DIR}/tools/check_layers.cmake)

# The check itself must fail on an upward include: a core header that includes a ui one.
set(fixture ${PROJECT_BINARY_DIR}/layers-upward)
file(WRITE ${fixture}/core/upward.h "#include \"ui/controls.h\"\n")
file(WRITE ${fixture}/ui/controls.h "// empty\n")
file(WRITE ${fixture}/layers.txt "core core/upward.h\nui ui/controls.h\n")
add_test(NAME layers_catch_upward COMMAND ${CMAKE_COMMAND} -DROOT=${fixture}
  -DLIST=${fixture}/layers.txt -P ${PROJECT_SOURCE_DIR}/tools/check_layers.cmake)
set_tests_properties(layers_catch_upward PROPERTIES WILL_FAIL TRUE)
