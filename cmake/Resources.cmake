# lv_add_resources(<target> <manifest> [DEPENDS <targets or files>...])
#
# Compiles a program's resource manifest (format: tools/rescomp/README.md) with rescomp at
# build time and adds the generated source to <target>. Each DEPENDS entry that is a target,
# or that does not look like a path (no '/' and no '.'), is a target: the manifest reads its
# output file as ${<name>} and the resources are rebuilt when it is. Other entries are files.
# The manifest and every file it names are tracked through a depfile.
function(lv_add_resources target manifest)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  get_filename_component(manifest_path ${manifest} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.cpp)
  set(depfile ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.d)

  set(defines --define BINARY_DIR=${CMAKE_CURRENT_BINARY_DIR})
  set(depends ${manifest_path})
  foreach(dependency IN LISTS ARG_DEPENDS)
    if(TARGET ${dependency} OR NOT dependency MATCHES "[/.]")
      list(APPEND defines --define "${dependency}=$<TARGET_FILE:${dependency}>")
      list(APPEND depends ${dependency})
    else()
      get_filename_component(file ${dependency} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
      list(APPEND depends ${file})
    endif()
  endforeach()

  add_custom_command(
    OUTPUT ${output}
    COMMAND rescomp --manifest ${manifest_path} --output ${output} --depfile ${depfile}
            --symbol-prefix ${target} ${defines}
    DEPENDS rescomp ${depends}
    DEPFILE ${depfile}
    COMMENT "Compiling the resources of ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE ${output})
endfunction()
