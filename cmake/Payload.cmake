# Programs that travel inside another file (the uninstaller inside the saver, the saver inside
# the installer's package) travel without their debug information, whatever the build type:
# a copy is stripped at build time and the build's own program keeps what it was built with.
#
# lv_payload_file(<program target> <variable>): sets <variable> to the stripped copy of the
# program, made by the target <program target>_payload (created on first use), and reports
# both sizes when it is made.
if(CMAKE_SCRIPT_MODE_FILE)
  # cmake -DOBJCOPY=... -DINPUT=... -DOUTPUT=... -P Payload.cmake
  execute_process(COMMAND ${OBJCOPY} --strip-debug ${INPUT} ${OUTPUT}.part
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "cannot strip ${INPUT}")
  endif()
  file(RENAME ${OUTPUT}.part ${OUTPUT})
  file(SIZE ${INPUT} built)
  file(SIZE ${OUTPUT} stripped)
  get_filename_component(name ${INPUT} NAME)
  message("payload ${name}: ${stripped} bytes (the built program: ${built} bytes)")
  return()
endif()

set(LV_PAYLOAD_SCRIPT ${CMAKE_CURRENT_LIST_FILE})

# Every pointer in a program's data is a 24-byte relocation in a position-independent program,
# and a sanitizer build's check and global descriptions are full of them (in an unoptimised
# uninstaller, a third of its stripped size). Packed relative relocations keep them to a bitmap.
include(CheckLinkerFlag)
check_linker_flag(CXX "-Wl,-z,pack-relative-relocs" LV_LINKER_PACKS_RELOCATIONS)
if(LV_LINKER_PACKS_RELOCATIONS)
  add_link_options(-Wl,-z,pack-relative-relocs)
endif()

function(lv_payload_file program variable)
  set(output ${CMAKE_BINARY_DIR}/payload/${program})
  if(NOT TARGET ${program}_payload)
    if(NOT CMAKE_OBJCOPY)
      message(FATAL_ERROR "objcopy (binutils) is needed to strip the payload programs")
    endif()
    add_custom_command(
      OUTPUT ${output}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/payload
      COMMAND ${CMAKE_COMMAND} -DOBJCOPY=${CMAKE_OBJCOPY} -DINPUT=$<TARGET_FILE:${program}>
              -DOUTPUT=${output} -P ${LV_PAYLOAD_SCRIPT}
      DEPENDS ${program} ${LV_PAYLOAD_SCRIPT}
      COMMENT "Stripping ${program} for its payload"
      VERBATIM)
    add_custom_target(${program}_payload DEPENDS ${output})
  endif()
  set(${variable} ${output} PARENT_SCOPE)
endfunction()
