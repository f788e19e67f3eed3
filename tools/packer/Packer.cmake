# lv_pack_installer(<name> PROGRAM <installer target> SAVER <saver target> THEME <theme file>
#                   TITLE <title> [OUTPUT <file>] [DEPENDS <targets>...])
# Adds the target <name> (built by default) that writes the packed installer: the program,
# then the theme file as "<title>.dat" and the stripped saver as "<title>.scr" in "<title>\". The
# theme file's header must carry the title. The file goes to OUTPUT, by default
# <build>/package/<name>; its path is kept in the target's property LV_PACKAGE_FILE.
function(lv_pack_installer name)
  cmake_parse_arguments(ARG "" "PROGRAM;SAVER;THEME;TITLE;OUTPUT" "DEPENDS" ${ARGN})
  foreach(required PROGRAM SAVER THEME TITLE)
    if(NOT ARG_${required})
      message(FATAL_ERROR "lv_pack_installer(${name}): ${required} is required")
    endif()
  endforeach()
  if(NOT ARG_OUTPUT)
    set(ARG_OUTPUT ${CMAKE_BINARY_DIR}/package/${name})
  endif()
  set(depends ${ARG_DEPENDS})
  if(TARGET sample_theme AND DEFINED LV_SAMPLE_THEME_FILE AND ARG_THEME STREQUAL LV_SAMPLE_THEME_FILE)
    list(APPEND depends sample_theme)
  endif()
  get_filename_component(output_dir ${ARG_OUTPUT} DIRECTORY)
  # The saver travels stripped; lv_pack reports the size of each payload entry.
  lv_payload_file(${ARG_SAVER} saver_payload)
  add_custom_command(
    OUTPUT ${ARG_OUTPUT}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${output_dir}
    COMMAND lv_pack --program $<TARGET_FILE:${ARG_PROGRAM}> --output ${ARG_OUTPUT}
            --title ${ARG_TITLE} --theme ${ARG_THEME} --saver ${saver_payload}
    DEPENDS lv_pack ${ARG_PROGRAM} ${ARG_SAVER}_payload ${saver_payload} ${ARG_THEME}
    COMMENT "Packing ${name}"
    VERBATIM)
  add_custom_target(${name} ALL DEPENDS ${ARG_OUTPUT})
  if(depends)
    add_dependencies(${name} ${depends})
  endif()
  set_target_properties(${name} PROPERTIES LV_PACKAGE_FILE ${ARG_OUTPUT})
endfunction()
