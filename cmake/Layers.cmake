# Shared compile options and the helper that turns a source folder into a library.
add_library(veltrane_options INTERFACE)
target_compile_options(veltrane_options INTERFACE -Wall -Wextra -Wpedantic)
if(VELTRANE_WERROR)
  target_compile_options(veltrane_options INTERFACE -Werror)
endif()
# g++ 12 at -O3 takes the inlined copies of std::string concatenation ("(" + std::to_string(x))
# for overlapping memcpy calls and reports -Wrestrict where none can overlap, in many files.
# The check is left to other compilers.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
   AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(veltrane_options INTERFACE -Wno-restrict)
endif()
target_include_directories(veltrane_options INTERFACE ${PROJECT_SOURCE_DIR}/src)
if(VELTRANE_SANITIZE)
  set(VELTRANE_SAN_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_compile_options(veltrane_options INTERFACE ${VELTRANE_SAN_FLAGS})
  target_link_options(veltrane_options INTERFACE ${VELTRANE_SAN_FLAGS})
  target_compile_definitions(veltrane_options INTERFACE VELTRANE_SANITIZED=1)
endif()
# The fuzz targets steer by the coverage of the code they feed, so every layer is built with
# libFuzzer's coverage counters (the fuzzer's own main is linked into the targets only).
if(VELTRANE_FUZZ)
  target_compile_options(veltrane_options INTERFACE -fsanitize=fuzzer-no-link)
endif()

# Every build first checks that no source reaches across the layers (cmake/CheckLayers.cmake).
add_custom_target(veltrane_layer_check
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -P ${PROJECT_SOURCE_DIR}/cmake/CheckLayers.cmake
  COMMENT "Checking the layers' includes" VERBATIM)

# veltrane_layer(<folder> [DEPS targets...] [PRIVATE_DEPS targets...]): a static library of
# every .cpp below src/<folder>, linked to the layers and libraries it may use. DEPS are passed
# on to whoever uses the layer; PRIVATE_DEPS (the host libraries a layer wraps) are not, so their
# headers stay out of the layers above.
function(veltrane_layer folder)
  cmake_parse_arguments(ARG "" "" "DEPS;PRIVATE_DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${folder}/*.cpp)
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  set(target veltrane_${folder})
  if(sources)
    add_library(${target} STATIC ${sources})
    target_link_libraries(${target} PUBLIC veltrane_options ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
    add_dependencies(${target} veltrane_layer_check)
  else()
    add_library(${target} INTERFACE)
    target_link_libraries(${target} INTERFACE veltrane_options ${ARG_DEPS})
  endif()
endfunction()

# veltrane_test(<folder> [DEPS targets...]): one test program of every .cpp below tests/<folder>.
function(veltrane_test folder)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/${folder}/*.cpp)
  if(NOT sources)
    return()
  endif()
  set(target test_${folder})
  add_executable(${target} ${sources})
  target_link_libraries(${target} PRIVATE veltrane_options ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${target} PRIVATE
    VELTRANE_SOURCE_DIR="${PROJECT_SOURCE_DIR}" VELTRANE_GAME_DIR="${VELTRANE_GAME_DIR}")
  gtest_discover_tests(${target} DISCOVERY_TIMEOUT 120 PROPERTIES LABELS ${folder})
endfunction()
