# The warning set, per compiler, in one place: the whole tree and the
# end-to-end helpers (which can also be configured on their own) include it.
# Warnings are errors everywhere.
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Werror)
elseif(MSVC)
  add_compile_options(/W4 /WX /permissive-)
else()
  message(FATAL_ERROR "No warning set for the ${CMAKE_CXX_COMPILER_ID} compiler; add one in ${CMAKE_CURRENT_LIST_FILE}")
endif()
