# The web page, built with Debian's emscripten; its test programs run under
# Node.js.
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
# Exceptions are off unless asked for, and a failure must reach the
# handlers' report. They are caught through JavaScript, so that the module
# is WebAssembly 1.0 and runs in browsers without WebAssembly's own
# exceptions (Safari before 15.2, Chrome and Android's web view before 95).
set(CMAKE_CXX_FLAGS_INIT "-fexceptions")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fexceptions")
find_program(RONGXI_NODE node PATHS /usr/bin NO_CMAKE_FIND_ROOT_PATH REQUIRED)
# Programs built by this emscripten fetch their .wasm with Node's fetch,
# which cannot read files: they read it from disk without it.
set(CMAKE_CROSSCOMPILING_EMULATOR ${RONGXI_NODE} --no-experimental-fetch)
# The linker's JavaScript optimizer needs Debian's acorn, which a Node.js
# from elsewhere does not look for.
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
