# Installs the public headers (include/orvreport) and every header of the
# engine they include, run by `cmake --install` and by CPack. The engine's
# own headers go under orvreport/private/ and each of their includes of a
# room header ("document/Report.h") is rewritten to that place
# (<orvreport/private/document/Report.h>), so a host needs nothing on its
# include path but the include folder, and no folder of the engine
# (control/, document/...) can collide with a folder of the host's.
#
# Set by the caller: ORV_PUBLIC_DIR (include/orvreport), ORV_HEADER_ROOTS
# (where room headers are found: src and its build folder), ORV_STAGE_DIR
# (scratch folder in the build tree) and ORV_INCLUDE_DESTINATION (relative
# to the install prefix).

function(orv_find_header name result)
  foreach(root ${ORV_HEADER_ROOTS})
    if(EXISTS "${root}/${name}")
      set(${result} "${root}/${name}" PARENT_SCOPE)
      return()
    endif()
  endforeach()
  message(FATAL_ERROR "Installing headers: ${name} is included but found in none of ${ORV_HEADER_ROOTS}")
endfunction()

# Copies one header to the stage with its engine includes rewritten and
# appends the headers it includes to the list named by `queue`.
function(orv_stage_header source target queue)
  file(READ "${source}" content)
  string(REGEX MATCHALL "#include \"[^\"]+\"" includes "${content}")
  set(found ${${queue}})
  foreach(line ${includes})
    string(REGEX REPLACE "#include \"([^\"]+)\"" "\\1" name "${line}")
    orv_find_header("${name}" path)
    string(REPLACE "${line}" "#include <orvreport/private/${name}>" content "${content}")
    list(APPEND found "${name}")
  endforeach()
  file(WRITE "${target}" "${content}")
  set(${queue} ${found} PARENT_SCOPE)
endfunction()

set(stage "${ORV_STAGE_DIR}/orvreport")
file(REMOVE_RECURSE "${ORV_STAGE_DIR}")
file(GLOB public RELATIVE "${ORV_PUBLIC_DIR}" "${ORV_PUBLIC_DIR}/*.h")
set(pending "")
foreach(name ${public})
  orv_stage_header("${ORV_PUBLIC_DIR}/${name}" "${stage}/${name}" pending)
endforeach()

set(done "")
while(pending)
  list(POP_FRONT pending name)
  list(FIND done "${name}" seen)
  if(NOT seen EQUAL -1)
    continue()
  endif()
  list(APPEND done "${name}")
  orv_find_header("${name}" path)
  orv_stage_header("${path}" "${stage}/private/${name}" pending)
endwhile()

file(INSTALL "${stage}" DESTINATION "${CMAKE_INSTALL_PREFIX}/${ORV_INCLUDE_DESTINATION}")
