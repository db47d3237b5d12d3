# Warnings as errors for our own targets only; third-party code is untouched.
function(kvotlk_warnings target)
  if(MSVC)
    # Sources and literals are UTF-8. Headers included with <> (the library, the Windows
    # SDK, Qt) are external and warn at level 0, as system headers do for GCC.
    target_compile_options(${target} PRIVATE /W4 /WX /utf-8 /permissive-
                           /external:anglebrackets /external:W0)
  else()
    target_compile_options(${target} PRIVATE
      -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
      -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual -Werror)
  endif()
endfunction()
