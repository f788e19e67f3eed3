# One warning set for all our code.
add_compile_options(-Wall -Wextra -Wnon-virtual-dtor -Wno-unused-parameter)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  add_compile_options(-Wshadow=local)
endif()
if(LV_WERROR)
  add_compile_options(-Werror)
endif()
