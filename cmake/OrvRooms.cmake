# One object library per room of src/. `orv_room(name BELOW lower... SOURCES files...)`
# gives the room an include root in the build tree that holds links to its
# own folder and to every room below it, and nothing else; the room compiles
# against that root alone, so including a header of a higher room fails.
set(ORV_ROOMS "")

function(orv_room name)
  cmake_parse_arguments(PARSE_ARGV 1 ROOM "" "" "BELOW;SOURCES")
  set(visible ${name})
  foreach(lower ${ROOM_BELOW})
    list(APPEND visible ${ORV_ROOM_${lower}_VISIBLE})
  endforeach()
  list(REMOVE_DUPLICATES visible)
  set(ORV_ROOM_${name}_VISIBLE ${visible} CACHE INTERNAL "rooms visible from ${name}")

  set(root ${CMAKE_CURRENT_BINARY_DIR}/rooms/${name})
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root})
  foreach(room ${visible})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR}/${room} ${root}/${room} SYMBOLIC)
  endforeach()

  add_library(orv_${name} OBJECT ${ROOM_SOURCES})
  set_target_properties(orv_${name} PROPERTIES INCLUDE_DIRECTORIES "${root}")
  # The rooms end up in one shared library whose functions call each other
  # directly: nobody replaces them from outside, so the compiler may inline
  # them (see also -Bsymbolic-functions on the library).
  target_compile_options(orv_${name} PRIVATE -fno-semantic-interposition)
  foreach(lower ${ROOM_BELOW})
    target_link_libraries(orv_${name} PUBLIC orv_${lower})
  endforeach()
  set(ORV_ROOMS ${ORV_ROOMS} ${name} PARENT_SCOPE)
endfunction()
