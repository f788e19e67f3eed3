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

# A sanitizer's checks make a program many times larger (an instrumented uninstaller: 6 MB of
# code and 8 MB of check and global descriptions, against 1.5 MB in all for a release), and
# stripping cannot take them out. In a sanitizer build, the programs that travel inside another
# are built a second time as a release is, in a build of their own under this one, so that what
# the saver and the package carry is what a release carries; the build's own programs, which
# the tests run, keep their checks.
set(LV_RELEASE_PAYLOADS uninstaller Lumivista)
if((LV_SANITIZE OR LV_TSAN) AND NOT CMAKE_SCRIPT_MODE_FILE)
  include(ExternalProject)
  cmake_host_system_information(RESULT cores QUERY NUMBER_OF_LOGICAL_CORES)
  set(LV_PAYLOAD_JOBS ${cores} CACHE STRING "Parallel jobs of the payload programs' release build")
  set(LV_PAYLOAD_BUILD ${CMAKE_BINARY_DIR}/payload-release)
  set(payload_targets)
  set(payload_files)
  foreach(program IN LISTS LV_RELEASE_PAYLOADS)
    list(APPEND payload_targets ${program}_payload)
    list(APPEND payload_files ${LV_PAYLOAD_BUILD}/payload/${program})
  endforeach()
  set(launchers)
  foreach(language C CXX)
    if(CMAKE_${language}_COMPILER_LAUNCHER)
      list(APPEND launchers -DCMAKE_${language}_COMPILER_LAUNCHER=${CMAKE_${language}_COMPILER_LAUNCHER})
    endif()
  endforeach()
  ExternalProject_Add(release_payloads
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${LV_PAYLOAD_BUILD}
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DLV_TESTS=OFF -DLV_BENCH=OFF -DLV_FUZZ=OFF
               -DLV_SANITIZE=OFF -DLV_TSAN=OFF -DLV_WERROR=${LV_WERROR}
               -DCMAKE_C_COMPILER=${CMAKE_C_COMPILER} -DCMAKE_CXX_COMPILER=${CMAKE_CXX_COMPILER}
               ${launchers}
    BUILD_COMMAND ${CMAKE_COMMAND} --build ${LV_PAYLOAD_BUILD} -j ${LV_PAYLOAD_JOBS}
                  --target ${payload_targets}
    INSTALL_COMMAND ""
    # Its own build knows when its sources changed; the payload files change only then.
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${payload_files})
endif()

function(lv_payload_file program variable)
  if(TARGET release_payloads AND program IN_LIST LV_RELEASE_PAYLOADS)
    if(NOT TARGET ${program}_payload)
      add_custom_target(${program}_payload)
      add_dependencies(${program}_payload release_payloads)
    endif()
    set(${variable} ${LV_PAYLOAD_BUILD}/payload/${program} PARENT_SCOPE)
    return()
  endif()
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
