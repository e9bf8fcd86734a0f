# The files made from the project version: zarv_version.h for the C++ sources and the resource
# script, and the application manifest, whose assembly version resident/res/zarv.manifest leaves
# as @PROJECT_VERSION@, and the program's processor architecture (@ZARV_MANIFEST_ARCH@). Targets that show the version link zarv_version.
set(ZARV_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_SOURCE_DIR}/cmake/zarv_version.h.in ${ZARV_GENERATED_DIR}/zarv_version.h
               @ONLY)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(ZARV_MANIFEST_ARCH amd64)
else()
    set(ZARV_MANIFEST_ARCH x86)
endif()
configure_file(${CMAKE_SOURCE_DIR}/resident/res/zarv.manifest
               ${ZARV_GENERATED_DIR}/zarv.exe.manifest @ONLY)
add_library(zarv_version INTERFACE)
target_include_directories(zarv_version INTERFACE ${ZARV_GENERATED_DIR})
