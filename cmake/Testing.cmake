# Helpers other folders use to add tests; they work in both the native and the
# cross trees.
#
#   corvane_add_gtest_program(<target> SOURCES <files...> [LIBRARIES <libs...>]
#                             [WINDOW] [TIMEOUT <s>])
#       Builds a GoogleTest program (gtest_main and gmock linked) and registers
#       it as one CTest test named <target>: run directly on the native tree,
#       under Wine on the cross trees.
#
#   corvane_add_program_test(NAME <name> COMMAND <target-or-path> [ARGS ...]
#                            [WINDOW] [TIMEOUT <s>] [WORKING_DIRECTORY <dir>])
#       Registers any program run: plain add_test natively, Wine when cross.
#
# CORVANE_CROSS is ON in the Windows trees, for code that must tell them apart.

function(corvane_add_program_test)
    cmake_parse_arguments(PARSE_ARGV 0 arg "WINDOW" "NAME;COMMAND;TIMEOUT;WORKING_DIRECTORY"
        "ARGS;LABELS")
    if(NOT arg_TIMEOUT)
        set(arg_TIMEOUT 300)
    endif()
    if(NOT arg_WORKING_DIRECTORY)
        set(arg_WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    endif()
    if(CORVANE_CROSS)
        set(window)
        if(arg_WINDOW)
            set(window WINDOW)
        endif()
        corvane_add_wine_test(NAME ${arg_NAME} COMMAND ${arg_COMMAND} ARGS ${arg_ARGS} ${window}
            TIMEOUT ${arg_TIMEOUT} WORKING_DIRECTORY ${arg_WORKING_DIRECTORY}
            LABELS ${arg_LABELS})
    else()
        add_test(NAME ${arg_NAME} COMMAND ${arg_COMMAND} ${arg_ARGS}
            WORKING_DIRECTORY ${arg_WORKING_DIRECTORY})
        set_tests_properties(${arg_NAME} PROPERTIES TIMEOUT ${arg_TIMEOUT}
            LABELS "native;${arg_LABELS}")
    endif()
endfunction()

function(corvane_add_gtest_program target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "WINDOW" "TIMEOUT" "SOURCES;LIBRARIES;LABELS")
    add_executable(${target} ${arg_SOURCES})
    target_link_libraries(${target} PRIVATE ${arg_LIBRARIES} GTest::gmock GTest::gtest_main)
    corvane_warnings(${target})
    # Line tables only: a backtrace still names files and lines, and the
    # test files, most of a tree's code, compile a third faster. -O1 takes
    # a fifth more off them; the code under test keeps the tree's -O2.
    target_compile_options(${target} PRIVATE "$<$<CONFIG:RelWithDebInfo>:-g1;-O1>")
    # The core's tests stay free of <windows.h> in the Windows trees too.
    if(CORVANE_CROSS AND NOT "core" IN_LIST arg_LABELS)
        corvane_precompile(${target} WINDOWS_TESTS)
    else()
        corvane_precompile(${target} TESTS)
    endif()
    set(window)
    if(arg_WINDOW)
        set(window WINDOW)
    endif()
    if(NOT arg_TIMEOUT)
        set(arg_TIMEOUT 300)
    endif()
    corvane_add_program_test(NAME ${target} COMMAND ${target} ${window} TIMEOUT ${arg_TIMEOUT}
        LABELS ${arg_LABELS})
endfunction()
