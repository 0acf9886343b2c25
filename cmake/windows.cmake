# Windows build: the shared library, both programs, the companion and the Wine tests.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
if(MINGW)
  add_compile_options(-Wall -Wextra -Wno-cast-function-type -Wno-missing-field-initializers)
  # Static runtime: the programs run on Windows without any mingw DLL beside them.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()
if(MSVC)
  add_compile_options(/W3 /utf-8)
  add_compile_definitions(_CRT_SECURE_NO_WARNINGS)
  set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
endif()

# The version resources and the installer take the project's version from these two files.
configure_file(${PROJECT_SOURCE_DIR}/resources/version.h.in ${CMAKE_BINARY_DIR}/generated/kv_version.h @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/installer/version.nsh.in ${CMAKE_BINARY_DIR}/installer/version.nsh @ONLY)
include_directories(${CMAKE_BINARY_DIR}/generated)

# The resource scripts include one another and the art; windres reports no dependencies, so
# every script is made to depend on all of them.
file(GLOB KV_RESOURCE_INPUTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/*.rc
     ${PROJECT_SOURCE_DIR}/resources/*.h ${PROJECT_SOURCE_DIR}/resources/*.rc2
     ${PROJECT_SOURCE_DIR}/resources/*.manifest ${PROJECT_SOURCE_DIR}/resources/art/*)
list(APPEND KV_RESOURCE_INPUTS ${CMAKE_BINARY_DIR}/generated/kv_version.h)
function(kv_resource_depends)
  file(GLOB scripts ${PROJECT_SOURCE_DIR}/resources/*.rc)
  set_source_files_properties(${scripts} PROPERTIES OBJECT_DEPENDS "${KV_RESOURCE_INPUTS}")
endfunction()

add_subdirectory(src/core)
add_subdirectory(src/common)
add_subdirectory(src/tarvex)
add_subdirectory(src/monitor)
add_subdirectory(src/explorer)
add_subdirectory(bench)

if(BUILD_TESTING OR NOT DEFINED BUILD_TESTING)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  if(EXISTS ${KV_GTEST_SOURCE}/CMakeLists.txt)
    add_subdirectory(${KV_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    add_subdirectory(tests)
  endif()
endif()
