# libFuzzer targets: each fuzz/<name>.cpp becomes build/fuzz/<name>, linked
# with its own copy of the core built with coverage and sanitizers, and is run
# by CTest for FUZZ_SECONDS on a scratch copy of fuzz/corpus/<name>/.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "The fuzz tree needs clang (configure with CXX=clang++)")
endif()

set(CORVANE_FUZZ_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all
    -fno-omit-frame-pointer -g)

add_library(corvane_core_fuzz STATIC ${CORVANE_CORE_SOURCES})
target_include_directories(corvane_core_fuzz PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_compile_options(corvane_core_fuzz PUBLIC ${CORVANE_FUZZ_FLAGS}
    PRIVATE -fsanitize=fuzzer-no-link)
target_link_options(corvane_core_fuzz PUBLIC -fsanitize=address,undefined)
corvane_warnings(corvane_core_fuzz)

file(GLOB CORVANE_FUZZ_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/fuzz/*.cpp)
foreach(src IN LISTS CORVANE_FUZZ_SOURCES)
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(${name} PRIVATE corvane_core_fuzz)
    corvane_warnings(${name})
    add_test(NAME fuzz_${name}
        COMMAND ${PROJECT_SOURCE_DIR}/cmake/fuzz-run.sh $<TARGET_FILE:${name}>
                ${PROJECT_SOURCE_DIR}/fuzz/corpus/${name} ${CMAKE_CURRENT_BINARY_DIR}/run/${name})
    # Generous margin over the fuzzing time for start-up and corpus loading.
    set_tests_properties(fuzz_${name} PROPERTIES TIMEOUT 1800 LABELS fuzz)
endforeach()
