# A Wine runner that lost the program's exit code would turn every failing
# Windows test into a pass; check that 0, 1 and 42 come back as they left.
# Called with -DRUNNER=<command|separated|by|bars> -DPROGRAM=<exe>.
string(REPLACE "|" ";" runner "${RUNNER}")
foreach(code 0 1 42)
    execute_process(COMMAND ${runner} ${PROGRAM} ${code}
        RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL code)
        message(FATAL_ERROR "exit code ${code} came back as '${rc}'\n${out}\n${err}")
    endif()
    if(NOT out MATCHES "exit-code-probe ${code}")
        message(FATAL_ERROR "program output not passed through for ${code}: '${out}'")
    endif()
endforeach()
