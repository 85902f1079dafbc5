# The control in hosts nobody here wrote: a VBScript run by cscript and ATL's
# container window class. Both use the built CorvaneC.ocx, registered with
# regsvr32 by a fixture test whose prefix the hosts' tests then copy
# (<build>/wineprefix-ocx).
if(NOT CORVANE_CROSS OR NOT TARGET CorvaneC)
    return()
endif()

# Windows programs read these paths through Wine's drive Z:.
function(_corvane_wine_path out path)
    string(REPLACE "/" "\\" windows "Z:${path}")
    set(${out} "${windows}" PARENT_SCOPE)
endfunction()

_corvane_wine_path(_corvane_ocx "${CMAKE_BINARY_DIR}/CorvaneC.ocx")
_corvane_wine_path(_corvane_script "${PROJECT_SOURCE_DIR}/tests/server/hosts/ScriptHost.vbs")

corvane_add_wine_test(NAME activex_register_ocx COMMAND regsvr32.exe ARGS /s ${_corvane_ocx}
    LABELS server)
set(CORVANE_WINE_OCX_PREFIX ${CMAKE_BINARY_DIR}/wineprefix-ocx)
set_tests_properties(activex_register_ocx PROPERTIES FIXTURES_SETUP corvane_ocx
    FIXTURES_REQUIRED corvane_wine ENVIRONMENT CORVANE_WINE_KEEP_PREFIX=${CORVANE_WINE_OCX_PREFIX})

corvane_add_wine_test(NAME activex_script_host COMMAND cscript.exe
    ARGS //nologo ${_corvane_script} LABELS server)
# Wine's script host may end at a runtime error with exit code 0: the script's
# last line must be there as well.
set_tests_properties(activex_script_host PROPERTIES FIXTURES_REQUIRED "corvane_wine;corvane_ocx"
    ENVIRONMENT CORVANE_WINE_TEMPLATE=${CORVANE_WINE_OCX_PREFIX} PASS_REGULAR_EXPRESSION "script host: all checks passed" FAIL_REGULAR_EXPRESSION "FAIL:")

corvane_add_gtest_program(corvane_activex_atl_host
    SOURCES ${PROJECT_SOURCE_DIR}/tests/server/hosts/AtlHostTest.cpp
    LIBRARIES corvane_automation corvane_win32 corvane_host WINDOW LABELS server)
add_dependencies(corvane_activex_atl_host CorvaneC)
set_tests_properties(corvane_activex_atl_host PROPERTIES
    FIXTURES_REQUIRED "corvane_wine;corvane_ocx"
    ENVIRONMENT CORVANE_WINE_TEMPLATE=${CORVANE_WINE_OCX_PREFIX})
