# Runs corvane-tool once and checks what it did. Called by CTest as
#   cmake -DTOOL=<program> -DARGS=<a|b|c> -DEXPECT_EXIT=<code> [options] -P RunToolCase.cmake
# Options:
#   -DRUNNER=<a|b>          command the tool runs under (the Wine helper), if any
#   -DEXPECT_STDOUT=<file>  standard output must equal the file (CR LF counts as LF)
#   -DSTDOUT_FILE=<file>    standard output goes to that file (e.g. /dev/full) instead
#   -DEXPECT_STDERR=<text>  standard error must contain the text
#   -DOUTPUT=<file> -DEXPECT_OUTPUT=<file>
#                           the tool writes OUTPUT, which must equal EXPECT_OUTPUT byte for byte
# Lists use | so that they pass through add_test unchanged.

string(REPLACE "|" ";" runner "${RUNNER}")
string(REPLACE "|" ";" args "${ARGS}")
if(DEFINED OUTPUT)
    file(REMOVE "${OUTPUT}")
    get_filename_component(output_dir "${OUTPUT}" DIRECTORY)
    file(MAKE_DIRECTORY "${output_dir}")
endif()

if(DEFINED STDOUT_FILE)
    execute_process(COMMAND ${runner} "${TOOL}" ${args}
        RESULT_VARIABLE exit_code OUTPUT_FILE "${STDOUT_FILE}" ERROR_VARIABLE stderr)
    set(stdout "")
else()
    execute_process(COMMAND ${runner} "${TOOL}" ${args}
        RESULT_VARIABLE exit_code OUTPUT_VARIABLE stdout ERROR_VARIABLE stderr)
endif()
string(REPLACE "\r\n" "\n" stdout "${stdout}")

set(failed FALSE)
if(NOT exit_code STREQUAL "${EXPECT_EXIT}")
    message(SEND_ERROR "exit code ${exit_code}, expected ${EXPECT_EXIT}")
    set(failed TRUE)
endif()
if(DEFINED EXPECT_STDOUT)
    file(READ "${EXPECT_STDOUT}" expected)
    if(NOT stdout STREQUAL expected)
        get_filename_component(actual "${EXPECT_STDOUT}" NAME)
        file(WRITE "${actual}.actual" "${stdout}")
        message(SEND_ERROR "standard output differs from ${EXPECT_STDOUT}; see ${actual}.actual")
        set(failed TRUE)
    endif()
endif()
if(DEFINED EXPECT_STDERR)
    string(FIND "${stderr}" "${EXPECT_STDERR}" at)
    if(at EQUAL -1)
        message(SEND_ERROR "standard error lacks '${EXPECT_STDERR}'")
        set(failed TRUE)
    endif()
endif()
if(DEFINED EXPECT_OUTPUT)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${OUTPUT}" "${EXPECT_OUTPUT}"
        RESULT_VARIABLE different)
    if(different)
        message(SEND_ERROR "${OUTPUT} differs from ${EXPECT_OUTPUT}")
        set(failed TRUE)
    endif()
endif()
if(failed)
    message(FATAL_ERROR "command: ${runner} ${TOOL} ${args}\nstdout:\n${stdout}\nstderr:\n${stderr}")
endif()
