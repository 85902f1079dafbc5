# The control's type library and its C++ header, both generated at build time
# from one table (src/server/typelib/TypeLibTable.cpp); see docs/typelib.md.
#
#   corvane_typelib            INTERFACE target: include directory holding the
#                              generated CorvaneC_TLB.h; consumers wait for it
#   CORVANE_TYPELIB_FILE       the compiled library for this tree's target
#                              system (SYS_WIN32 in the i686 tree, SYS_WIN64 in
#                              the x86_64 one)
#   corvane_embed_typelib(<t>) adds the resource 1 TYPELIB "<that file>" to a
#                              DLL or EXE target
#
# The header is written by a host program, the library by a Windows program
# run under Wine. That program is always built for x86_64 and run by 64-bit
# Wine, and told which system to write for: the i686 tree then needs no
# 32-bit Wine to build, which some hosts cannot run.
# The byte-level repair of written libraries is portable: its tests run in
# every tree.
corvane_add_gtest_program(corvane_typelib_fixup_tests
    SOURCES ${PROJECT_SOURCE_DIR}/tests/server/ImportFixupTest.cpp
            ${PROJECT_SOURCE_DIR}/src/server/typelib/ImportFixup.cpp
    LABELS typelib)
target_include_directories(corvane_typelib_fixup_tests PRIVATE ${PROJECT_SOURCE_DIR}/src)

if(NOT CORVANE_CROSS)
    # The API reference (docs/api.md) against the table: its generated blocks
    # current, every member described. `corvane-api-reference docs/api.md`
    # regenerates the blocks and adds a missing member's.
    set(_tl_reference ${PROJECT_SOURCE_DIR}/src/server/typelib/TypeLibTable.cpp
        ${PROJECT_SOURCE_DIR}/src/server/typelib/HeaderEmitter.cpp
        ${PROJECT_SOURCE_DIR}/src/server/typelib/ApiReference.cpp)
    add_executable(corvane-api-reference ${_tl_reference}
        ${PROJECT_SOURCE_DIR}/src/server/typelib/ApiReferenceMain.cpp)
    target_include_directories(corvane-api-reference PRIVATE ${PROJECT_SOURCE_DIR}/src)
    corvane_warnings(corvane-api-reference)
    corvane_add_gtest_program(corvane_api_reference_tests
        SOURCES ${PROJECT_SOURCE_DIR}/tests/server/ApiReferenceTest.cpp ${_tl_reference}
        LABELS typelib)
    target_include_directories(corvane_api_reference_tests PRIVATE ${PROJECT_SOURCE_DIR}/src)
    target_compile_definitions(corvane_api_reference_tests PRIVATE
        CORVANE_API_REFERENCE="${PROJECT_SOURCE_DIR}/docs/api.md")
    return()
endif()

set(_tl_src ${PROJECT_SOURCE_DIR}/src/server/typelib)
set(_tl_work ${CMAKE_BINARY_DIR}/typelib)
set(CORVANE_TYPELIB_SDK_DIR ${CMAKE_BINARY_DIR}/sdk)
set(CORVANE_TYPELIB_HEADER ${CORVANE_TYPELIB_SDK_DIR}/include/CorvaneC_TLB.h)
set(CORVANE_TYPELIB_FILE ${CORVANE_TYPELIB_SDK_DIR}/CorvaneC.tlb)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(CORVANE_TYPELIB_SYSKIND win64)
else()
    set(CORVANE_TYPELIB_SYSKIND win32)
endif()

find_program(CORVANE_HOST_CXX NAMES c++ g++ clang++ NO_CMAKE_FIND_ROOT_PATH)
find_program(CORVANE_TYPELIB_WRITER_CXX
    NAMES x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-g++ NO_CMAKE_FIND_ROOT_PATH)
find_program(CORVANE_TYPELIB_WINE NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(NOT CORVANE_TYPELIB_WINE)
    # Newer Wine has one loader for both architectures.
    find_program(CORVANE_TYPELIB_WINE NAMES wine64 wine NO_CMAKE_FIND_ROOT_PATH)
endif()
foreach(tool CORVANE_HOST_CXX CORVANE_TYPELIB_WRITER_CXX CORVANE_TYPELIB_WINE)
    if(NOT ${tool})
        message(FATAL_ERROR "The type library needs ${tool} (host C++ compiler, x86_64 MinGW "
            "C++ compiler, 64-bit Wine); see docs/typelib.md")
    endif()
endforeach()

set(_tl_flags -std=c++17 -O1 -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
    -Woverloaded-virtual -I${PROJECT_SOURCE_DIR}/src)
if(CORVANE_WERROR)
    list(APPEND _tl_flags -Werror)
endif()
set(_tl_table ${_tl_src}/TypeLibTable.h ${_tl_src}/TypeLibTable.cpp)

# Header: host program, then its output.
set(_tl_emitter ${_tl_work}/corvane-tlb-header)
add_custom_command(OUTPUT ${_tl_emitter}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${_tl_work}
    COMMAND ${CORVANE_HOST_CXX} ${_tl_flags} ${_tl_src}/TypeLibTable.cpp
            ${_tl_src}/HeaderEmitter.cpp ${_tl_src}/EmitHeaderMain.cpp -o ${_tl_emitter}
    DEPENDS ${_tl_table} ${_tl_src}/HeaderEmitter.h ${_tl_src}/HeaderEmitter.cpp
            ${_tl_src}/EmitHeaderMain.cpp
    COMMENT "Building the type library header emitter (host)" VERBATIM)
add_custom_command(OUTPUT ${CORVANE_TYPELIB_HEADER}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CORVANE_TYPELIB_SDK_DIR}/include
    COMMAND ${_tl_emitter} ${CORVANE_TYPELIB_HEADER}
    DEPENDS ${_tl_emitter}
    COMMENT "Generating CorvaneC_TLB.h" VERBATIM)

# Library: x86_64 Windows program, run under 64-bit Wine in a prefix of its
# own (the tests' prefix belongs to their fixture), removed after each run to
# keep 1.3 GB per tree off the disk. flock keeps the build and the
# reproducibility test from sharing the prefix. A run that builds several
# trees (scripts/test.sh) names one prefix for all of them in
# CORVANE_TOOL_WINEPREFIX: made once, 20 s saved in each further tree.
set(_tl_writer ${_tl_work}/corvane-typelib-writer.exe)
add_custom_command(OUTPUT ${_tl_writer}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${_tl_work}
    COMMAND ${CORVANE_TYPELIB_WRITER_CXX} ${_tl_flags} ${_tl_src}/TypeLibTable.cpp
            ${_tl_src}/TypeLibWriter.cpp ${_tl_src}/ImportFixup.cpp
            ${_tl_src}/WriteTypeLibMain.cpp -o ${_tl_writer}
            -static -static-libgcc -static-libstdc++ -lole32 -loleaut32 -luuid
    DEPENDS ${_tl_table} ${_tl_src}/TypeLibWriter.h ${_tl_src}/TypeLibWriter.cpp
            ${_tl_src}/ImportFixup.h ${_tl_src}/ImportFixup.cpp ${_tl_src}/WriteTypeLibMain.cpp
            ${PROJECT_SOURCE_DIR}/src/win32/WinApi.h
            ${PROJECT_SOURCE_DIR}/src/core/framework/Graphics.h
    COMMENT "Building the type library writer (x86_64)" VERBATIM)
set(CORVANE_TOOL_WINEPREFIX "$ENV{CORVANE_TOOL_WINEPREFIX}" CACHE PATH
    "A Wine prefix kept for the build's tools, shared by trees (empty: one per run)")
if(CORVANE_TOOL_WINEPREFIX)
    set(CORVANE_TYPELIB_RUN_WRITER
        env -u DISPLAY flock ${CORVANE_TOOL_WINEPREFIX}.lock
        ${PROJECT_SOURCE_DIR}/cmake/wine-env.sh exec ${CORVANE_TOOL_WINEPREFIX}.state
        ${CORVANE_TYPELIB_WINE} ${CORVANE_TOOL_WINEPREFIX} win64 ${_tl_writer})
else()
    set(CORVANE_TYPELIB_RUN_WRITER
        env -u DISPLAY flock ${_tl_work}/wine.lock
        ${PROJECT_SOURCE_DIR}/cmake/wine-env.sh exec-once ${_tl_work}/wine-state
        ${CORVANE_TYPELIB_WINE} ${_tl_work}/wineprefix win64 ${_tl_writer})
endif()
add_custom_command(OUTPUT ${CORVANE_TYPELIB_FILE}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CORVANE_TYPELIB_SDK_DIR}
    COMMAND ${CORVANE_TYPELIB_RUN_WRITER} ${CORVANE_TYPELIB_FILE} ${CORVANE_TYPELIB_SYSKIND}
    DEPENDS ${_tl_writer}
    COMMENT "Writing CorvaneC.tlb (${CORVANE_TYPELIB_SYSKIND}) under Wine" VERBATIM)

add_custom_target(corvane_typelib_files ALL
    DEPENDS ${CORVANE_TYPELIB_HEADER} ${CORVANE_TYPELIB_FILE})
add_library(corvane_typelib INTERFACE)
target_include_directories(corvane_typelib INTERFACE ${CORVANE_TYPELIB_SDK_DIR}/include)
add_dependencies(corvane_typelib corvane_typelib_files)
install(FILES ${CORVANE_TYPELIB_HEADER} DESTINATION include)
install(FILES ${CORVANE_TYPELIB_FILE} DESTINATION lib)

function(corvane_embed_typelib target)
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_typelib.rc)
    file(GENERATE OUTPUT ${rc} CONTENT "1 TYPELIB \"${CORVANE_TYPELIB_FILE}\"\n")
    target_sources(${target} PRIVATE ${rc})
    set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${CORVANE_TYPELIB_FILE})
    add_dependencies(${target} corvane_typelib_files)
endfunction()

# Walks the built library (from the file and from this program's own
# resource) against the contract written out by hand.
corvane_add_gtest_program(corvane_typelib_tests
    SOURCES ${PROJECT_SOURCE_DIR}/tests/server/TypeLibWalkTest.cpp
            ${PROJECT_SOURCE_DIR}/tests/server/TypeLibHeaderTest.cpp
    LIBRARIES corvane_typelib corvane_core ole32 oleaut32 uuid LABELS typelib)
target_include_directories(corvane_typelib_tests PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_compile_definitions(corvane_typelib_tests PRIVATE
    CORVANE_TYPELIB_PATH="${CORVANE_TYPELIB_FILE}")
corvane_embed_typelib(corvane_typelib_tests)

# The header compiles in each standard it promises, as hosts include it.
foreach(std 11 14 17)
    add_test(NAME corvane_typelib_header_cxx${std}
        COMMAND ${CMAKE_COMMAND} -DCXX=${CMAKE_CXX_COMPILER} -DSTD=${std}
                -DHEADER=${CORVANE_TYPELIB_HEADER}
                -DSOURCE=${PROJECT_SOURCE_DIR}/tests/server/TypeLibHeaderStandards.cpp
                -DSCRATCH=${_tl_work}/header-cxx${std}
                -P ${PROJECT_SOURCE_DIR}/tests/server/TypeLibHeaderStandards.cmake)
    set_tests_properties(corvane_typelib_header_cxx${std} PROPERTIES LABELS typelib)
endforeach()

# Two builds give the same bytes.
string(REPLACE ";" "|" _tl_run "${CORVANE_TYPELIB_RUN_WRITER}")
add_test(NAME corvane_typelib_reproducible
    COMMAND ${CMAKE_COMMAND} -DRUN=${_tl_run} -DBUILT=${CORVANE_TYPELIB_FILE}
            -DSYSKIND=${CORVANE_TYPELIB_SYSKIND} -DSCRATCH=${_tl_work}/CorvaneC-again.tlb
            -P ${PROJECT_SOURCE_DIR}/cmake/TypeLibReproducible.cmake)
set_tests_properties(corvane_typelib_reproducible PROPERTIES TIMEOUT 300 LABELS "typelib;wine")
