# Host build: the platform-free core and its tests, under the sanitizers.
option(KV_SANITIZE "Build the host core with ASan and UBSan" ON)
option(KV_FUZZ "Build the libFuzzer targets (clang only)" ON)

if(KV_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()
add_compile_options(-Wall -Wextra)

add_subdirectory(src/core)

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${KV_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_subdirectory(tests/core)

if(KV_FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  add_subdirectory(fuzz)
endif()
