# xinfo's command line: --help, several files in one call with the exit status telling
# whether all were read, and the warnings of a file that reads.
function(run)
  execute_process(COMMAND ${XINFO} ${ARGN} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
  set(rc "${rc}" PARENT_SCOPE)
endfunction()

run(--help)
if(NOT rc EQUAL 0 OR NOT out MATCHES "^usage: xinfo" OR NOT out MATCHES "Exit status" OR NOT err STREQUAL "")
  message(FATAL_ERROR "--help: rc=${rc}, out='${out}', err='${err}'")
endif()

foreach(wrong "" "--frobnicate")
  run(${wrong})
  if(NOT rc EQUAL 2 OR NOT err MATCHES "usage: xinfo" OR NOT out STREQUAL "")
    message(FATAL_ERROR "'${wrong}' must fail with the usage and status 2: rc=${rc}, err='${err}'")
  endif()
endforeach()

# A missing file between two good ones: both are described, one line names it, status 1.
run(${DATA}/cube.x ${DATA}/no-such-file.x ${DATA}/cube_bzip.x)
string(REGEX MATCHALL "mesh CubeMesh: vertices 24, faces 12, subsets 2" meshes "${out}")
list(LENGTH meshes meshCount)
string(REGEX MATCHALL "\n" lines "${err}")
list(LENGTH lines lineCount)
if(NOT rc EQUAL 1 OR NOT meshCount EQUAL 2 OR NOT lineCount EQUAL 1 OR NOT err MATCHES "no-such-file")
  message(FATAL_ERROR "three files, one missing: rc=${rc}, ${meshCount} meshes, stderr '${err}'")
endif()

# Warnings go to stderr, and a file that reads with them still counts as read.
set(skipping ${WORK}/xinfo_skipping.x)
file(WRITE ${skipping} "xof 0302txt 0032\nGadget { 1; }\nFrame A { }\n")
run(-- ${skipping} ${DATA}/cube.x)
if(NOT rc EQUAL 0 OR NOT out MATCHES "TID_D3DRMFrame \"A\""
   OR NOT err MATCHES "xinfo_skipping.x: warning: skipped an object of the unknown template 'Gadget' at byte 17")
  message(FATAL_ERROR "a file with warnings: rc=${rc}, out='${out}', err='${err}'")
endif()
file(REMOVE ${skipping})
