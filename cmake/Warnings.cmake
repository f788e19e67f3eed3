# One warning set for all our code.
add_compile_options(-Wall -Wextra -Wshadow=local -Wnon-virtual-dtor -Wno-unused-parameter)
if(LV_WERROR)
  add_compile_options(-Werror)
endif()
