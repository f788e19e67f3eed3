# lv_draw_bitmaps(<name> <list file>)
#
# Draws the bitmaps a program's list names with buttonart at build time. The list holds one
# bitmap per line (`#` starts a comment line):
#
#     <id> <width> <height> <look> <rrggbb> ["label"]
#
# where <look> is one of buttonart's looks (face, pressed, hover, flat, picture, icon) and the
# label, plain ASCII, is drawn on the face. Makes the custom target <name>, which draws them
# all, and sets in the parent scope (and in the cache, for programs and tests in other folders):
#   <name>_MANIFEST_LINES  the lines for the program's resource manifest: `icon <id> <file>` for
#                          the icon look, `bitmap <id> <file>` for the others
#   <name>_FILES           the drawn files, for the resources' DEPENDS
function(lv_draw_bitmaps name list_file)
  get_filename_component(list_path ${list_file} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${list_path})
  file(STRINGS ${list_path} lines)
  set(out_dir ${CMAKE_CURRENT_BINARY_DIR}/${name})
  set(manifest_lines "")
  set(files "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^[ \t]*(#|$)")
      continue()
    endif()
    if(NOT line MATCHES "^[ \t]*([0-9]+)[ \t]+([0-9]+)[ \t]+([0-9]+)[ \t]+([a-z]+)[ \t]+([0-9A-Fa-f]+)[ \t]*(\"([^\"]*)\")?[ \t]*$")
      message(FATAL_ERROR "${list_path}: cannot read the line \"${line}\"")
    endif()
    set(id ${CMAKE_MATCH_1})
    set(look ${CMAKE_MATCH_4})
    set(args ${CMAKE_MATCH_2} ${CMAKE_MATCH_3} ${CMAKE_MATCH_5} ${CMAKE_MATCH_4})
    if(CMAKE_MATCH_6)
      list(APPEND args "${CMAKE_MATCH_7}")
    endif()
    set(file ${out_dir}/${id}.bmp)
    if(file IN_LIST files)
      message(FATAL_ERROR "${list_path}: bitmap ${id} is listed twice")
    endif()
    add_custom_command(
      OUTPUT ${file}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${out_dir}
      COMMAND buttonart ${file} ${args}
      DEPENDS buttonart ${list_path}
      VERBATIM)
    set(kind bitmap)
    if(look STREQUAL "icon")
      set(kind icon)
    endif()
    string(APPEND manifest_lines "${kind} ${id} \"${file}\"\n")
    list(APPEND files ${file})
  endforeach()
  add_custom_target(${name} DEPENDS ${files})
  set(${name}_MANIFEST_LINES "${manifest_lines}" CACHE INTERNAL "")
  set(${name}_FILES "${files}" CACHE INTERNAL "")
  set(${name}_MANIFEST_LINES "${manifest_lines}" PARENT_SCOPE)
  set(${name}_FILES "${files}" PARENT_SCOPE)
endfunction()
