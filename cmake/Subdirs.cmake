# Adds every immediate sub-folder of the current folder that has a CMakeLists.txt,
# in name order, so that a new component needs no edit of its parent.
function(lv_add_all_subdirectories)
  file(GLOB children RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child IN LISTS children)
    if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child} AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

# Links a target (benchmark, fuzz target) with every project library that exists, highest
# layer first so that static-library order resolves.
function(lv_link_project_libraries target)
  foreach(lib saver_core settings installer_core uninstaller_core packer skin_writer themebuilder
              saver_theme skin_skinners skin_core imagelib platform)
    if(TARGET ${lib})
      target_link_libraries(${target} PRIVATE ${lib})
    endif()
  endforeach()
endfunction()
