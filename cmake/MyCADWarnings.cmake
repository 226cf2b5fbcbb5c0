# Warnings every target of the project is built with.
function(mycad_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()
