# Warnings live on interface targets that only our own targets link.
add_library(vorne_warnings INTERFACE)
target_compile_options(vorne_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow)
if(VORNE_WERROR)
  target_compile_options(vorne_warnings INTERFACE -Werror)
endif()

# The engine also refuses silent int/double mixes, which give wrong answers rather than crashes.
add_library(vorne_engine_warnings INTERFACE)
target_link_libraries(vorne_engine_warnings INTERFACE vorne_warnings)
target_compile_options(vorne_engine_warnings INTERFACE -Wconversion -Wdouble-promotion)
