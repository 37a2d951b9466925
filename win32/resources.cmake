# The Windows program's resources: rongxi.rc (icon, version, manifest) and
# the manifest it carries, configured into ${RONGXI_WINDOWS_RESOURCES}.
set(RONGXI_WINDOWS_RESOURCES ${PROJECT_BINARY_DIR}/windows-resources CACHE INTERNAL
    "Where the Windows resources are configured")
set(RONGXI_ICO ${PROJECT_SOURCE_DIR}/icons/rongxi.ico)
# The manifest names the program's architecture: x86 for the 32-bit build.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(RONGXI_MANIFEST_ARCHITECTURE x86)
else()
    set(RONGXI_MANIFEST_ARCHITECTURE amd64)
endif()
set(RONGXI_MANIFEST ${RONGXI_WINDOWS_RESOURCES}/rongxi.manifest)
configure_file(${CMAKE_CURRENT_LIST_DIR}/rongxi.manifest.in ${RONGXI_MANIFEST} @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/rongxi.rc.in ${RONGXI_WINDOWS_RESOURCES}/rongxi.rc @ONLY)
set_source_files_properties(${RONGXI_WINDOWS_RESOURCES}/rongxi.rc PROPERTIES
    OBJECT_DEPENDS "${RONGXI_ICO};${RONGXI_MANIFEST}")
