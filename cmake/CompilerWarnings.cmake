# Warnings every target of ours is built with; LUMIVANE_WERROR (on in CI)
# turns them into errors.
function(lumivane_set_warnings target)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    return()
  endif()
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic
    $<$<BOOL:${LUMIVANE_WERROR}>:-Werror>)
endfunction()
