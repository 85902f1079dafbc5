# Writes the type library again and compares it byte for byte with the one
# the build wrote: two builds of the same sources must give the same library.
#   cmake -DRUN=<writer command, '|'-separated> -DBUILT=<tlb> -DSYSKIND=<win32|win64>
#         -DSCRATCH=<file> -P TypeLibReproducible.cmake
string(REPLACE "|" ";" run "${RUN}")
file(REMOVE "${SCRATCH}")
execute_process(COMMAND ${run} "${SCRATCH}" ${SYSKIND} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "the type library writer failed (${rc})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${BUILT}" "${SCRATCH}"
    RESULT_VARIABLE differ)
if(NOT differ EQUAL 0)
    message(FATAL_ERROR "${SCRATCH} differs from the built ${BUILT}")
endif()
file(REMOVE "${SCRATCH}")
message(STATUS "identical: ${BUILT}")
