# CTest registration of Windows programs that run under Wine.
#
#   corvane_add_wine_test(NAME <name> COMMAND <target-or-path> [ARGS ...]
#                         [WINDOW] [TIMEOUT <seconds>] [LABELS ...]
#                         [WORKING_DIRECTORY <dir>])
#
# Each test program runs on a hidden X server and in a Wine prefix of its own
# (wine-env.sh own): its prefix is a copy of the tree's template prefix
# (<build>/wineprefix-template, made once by the fixture test wine_env_setup)
# in <build>/wineprefix-tests/<name>, removed when the test passed. Programs
# therefore never take the activation, the keyboard focus or a registration
# from each other, and `ctest -j` runs window tests side by side. The test
# passes when the program exits with 0. WINDOW marks a test that opens
# windows (label "window").
#
# Test properties (ENVIRONMENT) choose another prefix:
#   CORVANE_WINE_TEMPLATE=<dir>     copy this prefix instead of the template
#   CORVANE_WINE_KEEP_PREFIX=<dir>  keep the passing run's prefix there, a
#                                   template for later tests (FIXTURES_SETUP)
#
# Arguments reach the program unchanged. Absolute Unix paths work in it because
# Wine's current drive is Z:, which maps the Unix root.

set(CORVANE_WINE_ENV ${CMAKE_CURRENT_LIST_DIR}/wine-env.sh)
set(CORVANE_WINE_STATE ${CMAKE_BINARY_DIR}/wine-state)
set(CORVANE_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(CORVANE_WINE_TEMPLATE ${CMAKE_BINARY_DIR}/wineprefix-template)
set(CORVANE_WINE_TESTS_DIR ${CMAKE_BINARY_DIR}/wineprefix-tests)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(CORVANE_WINE_ARCH win64)
    # Debian's /usr/bin/wine prefers the 32-bit loader whenever it is
    # installed, so ask for the 64-bit one by path.
    find_program(CORVANE_WINE_LOADER NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
    if(NOT CORVANE_WINE_LOADER)
        find_program(CORVANE_WINE_LOADER NAMES wine64 wine)
    endif()
else()
    set(CORVANE_WINE_ARCH win32)
    find_program(CORVANE_WINE_LOADER NAMES wine)
endif()
find_program(CORVANE_XVFB Xvfb)

# Some kernels (e.g. paravirtualised VMs without IA-32 emulation) cannot exec
# the 32-bit Wine loader at all; the tests are then registered but disabled.
set(CORVANE_WINE_USABLE FALSE)
set(CORVANE_WINE_UNUSABLE_REASON "")
if(NOT CORVANE_WINE_LOADER)
    set(CORVANE_WINE_UNUSABLE_REASON "no Wine loader for ${CORVANE_WINE_ARCH}")
elseif(NOT CORVANE_XVFB)
    set(CORVANE_WINE_UNUSABLE_REASON "Xvfb not found")
else()
    execute_process(COMMAND ${CORVANE_WINE_LOADER} --version
        RESULT_VARIABLE _corvane_wine_rc OUTPUT_VARIABLE _corvane_wine_version
        ERROR_VARIABLE _corvane_wine_err OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(_corvane_wine_rc EQUAL 0)
        set(CORVANE_WINE_USABLE TRUE)
        message(STATUS "Wine tests: ${CORVANE_WINE_LOADER} (${_corvane_wine_version}), ${CORVANE_WINE_ARCH}")
    else()
        string(STRIP "${_corvane_wine_err}" _corvane_wine_err)
        set(CORVANE_WINE_UNUSABLE_REASON
            "${CORVANE_WINE_LOADER} cannot run on this host: ${_corvane_wine_err}")
    endif()
endif()
if(NOT CORVANE_WINE_USABLE)
    message(STATUS "Wine tests are disabled in this tree: ${CORVANE_WINE_UNUSABLE_REASON}")
endif()
# Read by scripts/test.sh to decide whether this tree has tests to run.
set(CORVANE_WINE_USABLE ${CORVANE_WINE_USABLE} CACHE INTERNAL "Wine can run this tree's programs")

set(_corvane_wine_env_args ${CORVANE_WINE_STATE} ${CORVANE_WINE_LOADER} ${CORVANE_WINE_PREFIX}
    ${CORVANE_WINE_ARCH})
# For tests that start a Windows console program themselves (e.g. from a
# CMake script): prepend CORVANE_WINE_RUN_COMMAND to the program and its
# arguments, and give the test FIXTURES_REQUIRED ${CORVANE_WINE_FIXTURE}.
# These share the tree's one prefix (<build>/wineprefix) and display.
set(CORVANE_WINE_RUN_COMMAND ${CORVANE_WINE_ENV} run ${_corvane_wine_env_args})
# corvane_wine_own_command(<var> <test name>): the command that runs a program
# (appended to it) in a prefix and on a display of its own.
function(corvane_wine_own_command var name)
    set(${var} ${CORVANE_WINE_ENV} own ${CORVANE_WINE_STATE} ${CORVANE_WINE_LOADER}
        ${CORVANE_WINE_TEMPLATE} ${CORVANE_WINE_ARCH} ${CORVANE_WINE_TESTS_DIR}/${name}
        PARENT_SCOPE)
endfunction()
set(CORVANE_WINE_FIXTURE corvane_wine)

function(_corvane_add_wine_fixture)
    get_property(done GLOBAL PROPERTY CORVANE_WINE_FIXTURE_ADDED)
    if(done)
        return()
    endif()
    set_property(GLOBAL PROPERTY CORVANE_WINE_FIXTURE_ADDED TRUE)
    add_test(NAME wine_env_setup COMMAND ${CORVANE_WINE_ENV} setup ${_corvane_wine_env_args}
        ${CORVANE_WINE_TEMPLATE} ${CORVANE_WINE_TESTS_DIR})
    add_test(NAME wine_env_cleanup COMMAND ${CORVANE_WINE_ENV} cleanup ${_corvane_wine_env_args}
        ${CORVANE_WINE_TEMPLATE} ${CORVANE_WINE_TESTS_DIR})
    set_tests_properties(wine_env_setup PROPERTIES FIXTURES_SETUP corvane_wine TIMEOUT 600
        LABELS wine)
    set_tests_properties(wine_env_cleanup PROPERTIES FIXTURES_CLEANUP corvane_wine TIMEOUT 60
        LABELS wine)
    if(NOT CORVANE_WINE_USABLE)
        set_tests_properties(wine_env_setup wine_env_cleanup PROPERTIES DISABLED TRUE)
    endif()
endfunction()

function(corvane_add_wine_test)
    cmake_parse_arguments(PARSE_ARGV 0 arg "WINDOW" "NAME;COMMAND;TIMEOUT;WORKING_DIRECTORY"
        "ARGS;LABELS")
    if(NOT arg_NAME OR NOT arg_COMMAND)
        message(FATAL_ERROR "corvane_add_wine_test: NAME and COMMAND are required")
    endif()
    if(arg_UNPARSED_ARGUMENTS)
        message(FATAL_ERROR "corvane_add_wine_test: unexpected ${arg_UNPARSED_ARGUMENTS}")
    endif()
    if(NOT arg_TIMEOUT)
        set(arg_TIMEOUT 300)
    endif()
    if(NOT arg_WORKING_DIRECTORY)
        set(arg_WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    endif()
    if(TARGET ${arg_COMMAND})
        set(program $<TARGET_FILE:${arg_COMMAND}>)
    else()
        set(program ${arg_COMMAND})
    endif()
    set(labels wine ${arg_LABELS})
    if(arg_WINDOW)
        list(APPEND labels window)
    endif()

    _corvane_add_wine_fixture()
    corvane_wine_own_command(run ${arg_NAME})
    add_test(NAME ${arg_NAME} COMMAND ${run} ${program} ${arg_ARGS}
        WORKING_DIRECTORY ${arg_WORKING_DIRECTORY})
    set_tests_properties(${arg_NAME} PROPERTIES FIXTURES_REQUIRED corvane_wine
        TIMEOUT ${arg_TIMEOUT} LABELS "${labels}")
    if(NOT CORVANE_WINE_USABLE)
        set_tests_properties(${arg_NAME} PROPERTIES DISABLED TRUE)
    endif()
endfunction()

# Self-check of both runners, so a broken runner cannot make every Wine test
# pass by accident.
add_executable(corvane_exit_code_probe ${CMAKE_CURRENT_LIST_DIR}/selftest/ExitCode.cpp)
corvane_warnings(corvane_exit_code_probe)
_corvane_add_wine_fixture()
corvane_wine_own_command(_corvane_own_runner wine_own_runner_exit_codes)
foreach(runner shared own)
    if(runner STREQUAL shared)
        string(REPLACE ";" "|" _corvane_runner "${CORVANE_WINE_RUN_COMMAND}")
        set(_corvane_runner_test wine_runner_exit_codes)
    else()
        string(REPLACE ";" "|" _corvane_runner "${_corvane_own_runner}")
        set(_corvane_runner_test wine_own_runner_exit_codes)
    endif()
    add_test(NAME ${_corvane_runner_test}
        COMMAND ${CMAKE_COMMAND} -DRUNNER=${_corvane_runner}
                -DPROGRAM=$<TARGET_FILE:corvane_exit_code_probe>
                -P ${CMAKE_CURRENT_LIST_DIR}/selftest/RunnerExitCode.cmake)
    set_tests_properties(${_corvane_runner_test} PROPERTIES FIXTURES_REQUIRED corvane_wine
        TIMEOUT 300 LABELS wine)
    if(NOT CORVANE_WINE_USABLE)
        set_tests_properties(${_corvane_runner_test} PROPERTIES DISABLED TRUE)
    endif()
endforeach()
