# Warnings live on one interface target that every layer links.
add_library(quillmere_warnings INTERFACE)
target_compile_options(quillmere_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
if(QUILLMERE_WERROR)
  target_compile_options(quillmere_warnings INTERFACE -Werror)
endif()

# Each function in a section of its own, so that the window's link can gather its start-up
# code in one place (ui/startup-order.ld).
if(NOT EMSCRIPTEN)
  add_compile_options(-ffunction-sections)
endif()

if(QUILLMERE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

if(QUILLMERE_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "The fuzz targets need clang (CXX=clang++)")
  endif()
  # Coverage for libFuzzer in every library; the targets add the fuzzer's own main.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -g)
  add_link_options(-fsanitize=address,undefined)
endif()

# Release hardening for the packaged program (the flags Debian's own packages carry).
option(QUILLMERE_HARDEN "Build with Debian's hardening flags" OFF)
if(QUILLMERE_HARDEN)
  include(CheckPIESupported)
  check_pie_supported()
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  add_compile_options(-D_FORTIFY_SOURCE=2 -fstack-protector-strong -fstack-clash-protection -fcf-protection)
  add_link_options(-Wl,-z,relro -Wl,-z,now -Wl,--as-needed)
endif()
