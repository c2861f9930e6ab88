# The WebAssembly build with Debian's emscripten, configured through emcmake:
#
#   emcmake cmake -S . -B build-web -DZELVO_BINDING=web
#
# Included from the top-level CMakeLists before any target, so that every
# target gets the same flags.
if(NOT EMSCRIPTEN)
  message(FATAL_ERROR "ZELVO_BINDING=web needs the emscripten toolchain: configure with emcmake cmake")
endif()

# Without -fexceptions on every object and at link time emscripten drops
# catch clauses silently, and a bad entry would abort instead of showing
# its box.
add_compile_options(-fexceptions)
add_link_options(-fexceptions)

# Programs run at build time and the test programs run under node. Node 18
# and later have a fetch of their own that emscripten's output must not
# take for the browser's; emcmake's default emulator passes a flag node 20
# rejects.
find_program(ZELVO_NODE NAMES node nodejs REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${ZELVO_NODE} --no-experimental-fetch)
