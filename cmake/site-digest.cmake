# Writes the site's service worker: its cache is named after the SHA-256 of
# every other file of the site, so any change to any of them is picked up.
# It keeps every file at once but the program as JavaScript (*.wasm.js),
# which only browsers without WebAssembly fetch.
#   cmake -DSITE=<folder> -DTEMPLATE=<service-worker.js.in> -P site-digest.cmake
file(GLOB files RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM files service-worker.js)
list(SORT files)
set(contents "")
set(quoted "")
foreach(name IN LISTS files)
    file(SHA256 ${SITE}/${name} digest)
    string(APPEND contents "${name} ${digest}\n")
    if(NOT name MATCHES "\\.wasm\\.js$")
        list(APPEND quoted "\"${name}\"")
    endif()
endforeach()
string(SHA256 RONGXI_SITE_DIGEST "${contents}")
string(SUBSTRING ${RONGXI_SITE_DIGEST} 0 16 RONGXI_SITE_DIGEST)
list(JOIN quoted ", " RONGXI_SITE_FILES)
configure_file(${TEMPLATE} ${SITE}/service-worker.js @ONLY)
