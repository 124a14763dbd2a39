# Every external library, found once and offered as an imported target.
find_package(PkgConfig REQUIRED)
find_package(SDL2 REQUIRED CONFIG)
find_package(SDL2_mixer REQUIRED CONFIG)
find_package(SDL2_image REQUIRED CONFIG)
find_package(JPEG REQUIRED)
pkg_check_modules(EPOXY REQUIRED IMPORTED_TARGET epoxy)
pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
pkg_check_modules(SNDFILE REQUIRED IMPORTED_TARGET sndfile)
find_library(ESPEAK_NG_LIB espeak-ng REQUIRED)
find_path(STB_INCLUDE_DIR stb_image_write.h PATH_SUFFIXES stb REQUIRED)
# The settings file's INI reader, used as a header-only library (see platform/KeyValueStore.cpp).
find_path(SIMPLEINI_INCLUDE_DIR SimpleIni.h REQUIRED)
add_library(veltrane_simpleini INTERFACE)
target_include_directories(veltrane_simpleini SYSTEM INTERFACE ${SIMPLEINI_INCLUDE_DIR})

# FLTK 1.3 has no pkg-config file; ask fltk-config.
find_program(FLTK_CONFIG fltk-config REQUIRED)
execute_process(COMMAND ${FLTK_CONFIG} --use-images --cxxflags
                OUTPUT_VARIABLE FLTK_CXXFLAGS OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${FLTK_CONFIG} --use-images --ldflags
                OUTPUT_VARIABLE FLTK_LDFLAGS OUTPUT_STRIP_TRAILING_WHITESPACE)
separate_arguments(FLTK_CXXFLAGS UNIX_COMMAND "${FLTK_CXXFLAGS}")
separate_arguments(FLTK_LDFLAGS UNIX_COMMAND "${FLTK_LDFLAGS}")
add_library(veltrane_fltk INTERFACE)
# fltk-config's flags include -I paths; mark them as system headers so warnings stay ours.
foreach(flag IN LISTS FLTK_CXXFLAGS)
  if(flag MATCHES "^-I(.*)")
    target_include_directories(veltrane_fltk SYSTEM INTERFACE ${CMAKE_MATCH_1})
  elseif(NOT flag MATCHES "^-O")
    target_compile_options(veltrane_fltk INTERFACE ${flag})
  endif()
endforeach()
# As libraries, so they follow the objects and static layers that need them on the link line.
target_link_libraries(veltrane_fltk INTERFACE ${FLTK_LDFLAGS})

find_package(GTest REQUIRED)
find_package(benchmark REQUIRED)
find_package(Threads REQUIRED)
