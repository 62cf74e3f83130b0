# Warnings for our own targets only.
function(vornex_avisos alvo)
  target_compile_options(${alvo} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor)
endfunction()
