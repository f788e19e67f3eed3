if(LV_SANITIZE AND LV_TSAN)
  message(FATAL_ERROR "LV_SANITIZE and LV_TSAN cannot be combined")
endif()
# The sanitizers as their authors advise for a test suite: optimised at -O1 (a Debug build
# would otherwise run unoptimised, many times slower and many times larger), with frame
# pointers and without tail calls so that every report has its full stack.
# Debug information is kept to line tables and function names (-g1), which is what a report's
# stack needs: full information made a test file's compile half as long again.
set(LV_SANITIZER_TUNING -fno-omit-frame-pointer -fno-optimize-sibling-calls)
if(LV_SANITIZE OR LV_TSAN)
  add_compile_options($<$<CONFIG:Debug>:-O1> $<$<CONFIG:Debug>:-g1> ${LV_SANITIZER_TUNING})
endif()
if(LV_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # GCC 12 reports bounds it cannot prove once the sanitizers' checks are inlined at -O1
    # (a vector shrunk by a constant reads as a wrapped size); here every access is checked
    # at run time, and the release build keeps the warning.
    add_compile_options(-Wno-array-bounds)
  endif()
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()
if(LV_TSAN)
  add_compile_options(-fsanitize=thread)
  add_link_options(-fsanitize=thread)
endif()
