# The web page: one folder, site/, to put on any static web server. The
# program is rongxi.js with rongxi.wasm; the page, its style sheet, the web
# app manifest, the icons and the service worker complete it.
set(site ${PROJECT_BINARY_DIR}/site)
add_executable(rongxi main.cpp)
target_link_libraries(rongxi PRIVATE rongxi_web rongxi_options)
# The page allocates little: the smaller allocator does.
target_link_options(rongxi PRIVATE -sENVIRONMENT=web -sFILESYSTEM=0 -sMALLOC=emmalloc -sWASM=2
                   "SHELL:--memory-init-file 0"
                   "SHELL:--pre-js ${CMAKE_CURRENT_SOURCE_DIR}/program_loading.js")
set_property(TARGET rongxi APPEND PROPERTY
             LINK_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/program_loading.js)
set_target_properties(rongxi PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${site})

# The page, with the window's HTML in it.
add_custom_command(OUTPUT ${site}/index.html
    COMMAND ${CMAKE_COMMAND}
            "-DRUN=${CMAKE_CROSSCOMPILING_EMULATOR};$<TARGET_FILE:rongxi_window_markup>"
            -DTEMPLATE=${CMAKE_CURRENT_SOURCE_DIR}/index.html -DOUTPUT=${site}/index.html
            -P ${PROJECT_SOURCE_DIR}/cmake/page-markup.cmake
    DEPENDS rongxi_window_markup ${CMAKE_CURRENT_SOURCE_DIR}/index.html
            ${PROJECT_SOURCE_DIR}/cmake/page-markup.cmake
    COMMENT "Putting the window's HTML into the page"
    VERBATIM)

set(site_sources
    ${CMAKE_CURRENT_SOURCE_DIR}/manifest.webmanifest
    ${CMAKE_CURRENT_SOURCE_DIR}/main_window.css
    ${PROJECT_SOURCE_DIR}/icons/web/rongxi-180.png
    ${PROJECT_SOURCE_DIR}/icons/web/rongxi-192.png
    ${PROJECT_SOURCE_DIR}/icons/web/rongxi-512.png
    ${PROJECT_SOURCE_DIR}/icons/web/rongxi-maskable-512.png
)
set(site_copies "")
foreach(source IN LISTS site_sources)
    cmake_path(GET source FILENAME name)
    add_custom_command(OUTPUT ${site}/${name}
        COMMAND ${CMAKE_COMMAND} -E copy ${source} ${site}/${name}
        DEPENDS ${source})
    list(APPEND site_copies ${site}/${name})
endforeach()

set(service_worker_template ${CMAKE_CURRENT_SOURCE_DIR}/service-worker.js.in)
add_custom_command(OUTPUT ${site}/service-worker.js
    COMMAND ${CMAKE_COMMAND} -DSITE=${site} -DTEMPLATE=${service_worker_template}
            -P ${PROJECT_SOURCE_DIR}/cmake/site-digest.cmake
    DEPENDS rongxi ${site}/index.html ${site_copies} ${service_worker_template}
            ${PROJECT_SOURCE_DIR}/cmake/site-digest.cmake
    COMMENT "Naming the service worker's cache after the site's digest")
add_custom_target(site ALL DEPENDS ${site}/service-worker.js)
