# Headers compiled once per target instead of once per file. In the Windows
# trees <windows.h> and COM's headers cost more than most files' own code,
# and GoogleTest's headers about as much in every test file: precompiling
# them roughly halves a fresh build. The code generated does not change.
#
#   corvane_precompile(<target> WINDOWS|TESTS|WINDOWS_TESTS)
option(CORVANE_PRECOMPILED_HEADERS "Precompile the headers targets share" ON)

function(corvane_precompile target kind)
    if(NOT CORVANE_PRECOMPILED_HEADERS)
        return()
    endif()
    set(header_WINDOWS Windows.h)
    set(header_TESTS Tests.h)
    set(header_WINDOWS_TESTS WindowsTests.h)
    target_precompile_headers(${target} PRIVATE
        "$<$<COMPILE_LANGUAGE:CXX>:${PROJECT_SOURCE_DIR}/cmake/pch/${header_${kind}}>")
endfunction()
