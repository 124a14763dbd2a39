# Run by CPack between staging the files and packing them: Debian keeps games in /usr/games, so
# the program moves there from usr/bin. It still finds its game folder as ../share/veltrane.
file(GLOB_RECURSE programs LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/usr/bin/veltrane"
     "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin/veltrane")
if(NOT programs)
  message(FATAL_ERROR "no usr/bin/veltrane under ${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
endif()
foreach(program IN LISTS programs)
  get_filename_component(bin "${program}" DIRECTORY)
  get_filename_component(usr "${bin}" DIRECTORY)
  file(MAKE_DIRECTORY "${usr}/games")
  file(RENAME "${program}" "${usr}/games/veltrane")
  file(GLOB left "${bin}/*")
  if(NOT left)
    file(REMOVE_RECURSE "${bin}")
  endif()
endforeach()
