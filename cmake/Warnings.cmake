# One warning set for all our code.
add_compile_options(-Wall -Wextra -Wnon-virtual-dtor -Wno-unused-parameter)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  add_compile_options(-Wshadow=local)
  # GCC 12's optimiser reports impossible overlaps inside libstdc++'s own string code
  # (false positives at -O2 and above); the sanitizer build checks the real accesses.
  add_compile_options(-Wno-restrict -Wno-stringop-overflow)
endif()
if(LV_WERROR)
  add_compile_options(-Werror)
endif()
