# Warnings live on one interface target that every layer links.
add_library(quillmere_warnings INTERFACE)
target_compile_options(quillmere_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
if(QUILLMERE_WERROR)
  target_compile_options(quillmere_warnings INTERFACE -Werror)
endif()

if(QUILLMERE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()
