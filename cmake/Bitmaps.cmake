# lv_draw_bitmaps(<name> <list file>)
#
# Draws the bitmaps a program's list names with buttonart at build time. The list holds one
# bitmap per line (`#` starts a comment line):
#
#     <id> <width> <height> <look> <rrggbb> ["label"]
#
# where <look> is one of buttonart's looks (face, pressed, hover, flat, picture, icon) and the
# label, plain ASCII, is drawn on the face ("<plus>", "<minus>", "<up>", "<down>", "<cross>",
# "<play>" or "<stop>" draw that glyph instead). Makes the custom target <name>, which draws them
# all, and keeps in the cache, for programs and tests in every folder:
#   <name>_MANIFEST_LIST   the lines for the program's resource manifest, as a list: `icon <id>
#                          <file>` for the icon look, `bitmap <id> <file>` for the others
#                          (lv_bitmap_manifest_lines joins them into the manifest's text)
#   <name>_FILES           the drawn files, for the resources' DEPENDS
function(lv_draw_bitmaps name list_file)
  get_filename_component(list_path ${list_file} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${list_path})
  file(STRINGS ${list_path} lines)
  set(out_dir ${CMAKE_CURRENT_BINARY_DIR}/${name})
  set(manifest_list "")
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
    list(APPEND manifest_list "${kind} ${id} \"${file}\"")
    list(APPEND files ${file})
  endforeach()
  add_custom_target(${name} DEPENDS ${files})
  # A cached value cannot hold line breaks: the lines are kept as a list.
  set(${name}_MANIFEST_LIST "${manifest_list}" CACHE INTERNAL "")
  set(${name}_FILES "${files}" CACHE INTERNAL "")
endfunction()

# lv_bitmap_manifest_lines(<name> <variable>): the manifest lines of lv_draw_bitmaps(<name>),
# one a line, into <variable> of the caller's scope.
function(lv_bitmap_manifest_lines name variable)
  list(JOIN ${name}_MANIFEST_LIST "\n" lines)
  set(${variable} "${lines}" PARENT_SCOPE)
endfunction()
