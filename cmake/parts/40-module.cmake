# The server module CorvaneC.ocx: exports, class factories, registration and
# its resources. Its logic is the static library corvane_module, so tests can
# drive it with their own type libraries and creation functions.
if(NOT CORVANE_CROSS)
    return()
endif()

set(CORVANE_MODULE_DIR ${PROJECT_SOURCE_DIR}/src/server/module)

# corvane_compile_test_typelib(<idl> <tlb>): a small type library for tests,
# compiled with widl for this tree's architecture.
# importlib("stdole2.tlb") is found in Wine's library folders; either
# architecture's copy serves, so a host without 32-bit Wine still builds.
set(_corvane_wine64_dlls -L/usr/lib/x86_64-linux-gnu/wine/x86_64-windows)
set(_corvane_wine32_dlls -L/usr/lib/i386-linux-gnu/wine/i386-windows)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(_corvane_widl_arch -m64)
    set(_corvane_wine_dlls ${_corvane_wine64_dlls} ${_corvane_wine32_dlls})
else()
    set(_corvane_widl_arch -m32)
    set(_corvane_wine_dlls ${_corvane_wine32_dlls} ${_corvane_wine64_dlls})
endif()
find_program(CORVANE_WIDL NAMES ${CORVANE_MINGW_TRIPLE}-widl widl REQUIRED)
find_path(CORVANE_WIDL_IDL_DIR oaidl.idl PATHS /usr/include/wine/wine/windows
    /usr/share/mingw-w64/include /usr/${CORVANE_MINGW_TRIPLE}/include NO_DEFAULT_PATH
    NO_CMAKE_FIND_ROOT_PATH REQUIRED)
function(corvane_compile_test_typelib idl tlb)
    get_filename_component(dir ${tlb} DIRECTORY)
    add_custom_command(OUTPUT ${tlb}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
        COMMAND ${CORVANE_WIDL} ${_corvane_widl_arch} -I${CORVANE_WIDL_IDL_DIR}
                ${_corvane_wine_dlls} -t -o ${tlb} ${idl}
        DEPENDS ${idl} VERBATIM)
endfunction()

add_library(corvane_module STATIC
    ${CORVANE_MODULE_DIR}/ClassFactory.cpp
    ${CORVANE_MODULE_DIR}/ControlFactory.cpp
    ${CORVANE_MODULE_DIR}/DaxErrorBox.cpp
    ${CORVANE_MODULE_DIR}/FactoryList.cpp
    ${CORVANE_MODULE_DIR}/ModulePath.cpp
    ${CORVANE_MODULE_DIR}/RegistryKeys.cpp
    ${CORVANE_MODULE_DIR}/ServerModule.cpp
    ${CORVANE_MODULE_DIR}/TypeLibInfo.cpp)
target_link_libraries(corvane_module PUBLIC corvane_automation corvane_typelib corvane_server_base corvane_core
    ole32 oleaut32 uuid advapi32 user32)
corvane_warnings(corvane_module)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(CORVANE_MODULE_DEF ${CORVANE_MODULE_DIR}/CorvaneC-x86_64.def)
else()
    # Maps the plain export names to the stdcall symbols.
    set(CORVANE_MODULE_DEF ${CORVANE_MODULE_DIR}/CorvaneC-i686.def)
endif()

if(TARGET corvane_activex)
    set(CORVANE_CONTROL_OBJECT ${CORVANE_MODULE_DIR}/ControlObject.cpp)
else()
    set(CORVANE_CONTROL_OBJECT ${CORVANE_MODULE_DIR}/ControlObjectMissing.cpp)
endif()

if(TARGET corvane_propertypage)
    set(CORVANE_PAGE_OBJECT ${CORVANE_MODULE_DIR}/PropertyPageObject.cpp)
else()
    set(CORVANE_PAGE_OBJECT ${CORVANE_MODULE_DIR}/PropertyPageObjectMissing.cpp)
endif()

add_library(CorvaneC SHARED
    ${CORVANE_MODULE_DIR}/DllMain.cpp
    ${CORVANE_MODULE_DIR}/Exports.cpp
    ${CORVANE_MODULE_DIR}/ModuleInstance.cpp
    ${CORVANE_PAGE_OBJECT}
    ${CORVANE_CONTROL_OBJECT}
    ${CORVANE_MODULE_DIR}/CorvaneC.rc
    ${CORVANE_MODULE_DEF})
set_target_properties(CorvaneC PROPERTIES PREFIX "" SUFFIX ".ocx")
# The version record takes the project's version.
configure_file(${CORVANE_MODULE_DIR}/CorvaneCVersion.h.in
    ${CMAKE_CURRENT_BINARY_DIR}/module-generated/CorvaneCVersion.h @ONLY)
target_include_directories(CorvaneC PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/module-generated)
# The assembly manifest for hosts that use the module without registration,
# beside the module as it ships.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(CORVANE_MANIFEST_ARCH amd64)
else()
    set(CORVANE_MANIFEST_ARCH x86)
endif()
set(CORVANE_MODULE_MANIFEST ${CMAKE_BINARY_DIR}/CorvaneC.manifest)
configure_file(${CORVANE_MODULE_DIR}/CorvaneC.manifest.in ${CORVANE_MODULE_MANIFEST} @ONLY
    NEWLINE_STYLE CRLF)
# Read by scripts/package.sh for the package's name and README.
set(CORVANE_RELEASE_VERSION ${PROJECT_VERSION} CACHE INTERNAL "the project's release version")
# Release builds are what ships: no symbol table (it names the sources by
# their build paths), and the same bytes from two builds of one commit.
# With CORVANE_SEPARATE_DEBUG (scripts/package.sh, which also compiles with
# -g) the debug information goes to CorvaneC.ocx.debug beside the module,
# which names it in a .gnu_debuglink section for debuggers. objcopy stamps
# the files it writes with SOURCE_DATE_EPOCH (else the time): 0, as linked.
option(CORVANE_SEPARATE_DEBUG "Move CorvaneC.ocx's debug information to CorvaneC.ocx.debug" OFF)
if(CORVANE_SEPARATE_DEBUG)
    set(_module_objcopy ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0 ${CMAKE_OBJCOPY})
    add_custom_command(TARGET CorvaneC POST_BUILD
        COMMAND ${_module_objcopy} --only-keep-debug $<TARGET_FILE_NAME:CorvaneC>
                $<TARGET_FILE_NAME:CorvaneC>.debug
        COMMAND ${_module_objcopy} --strip-all
                --add-gnu-debuglink=$<TARGET_FILE_NAME:CorvaneC>.debug $<TARGET_FILE_NAME:CorvaneC>
        WORKING_DIRECTORY $<TARGET_FILE_DIR:CorvaneC>
        COMMENT "CorvaneC.ocx's debug information into CorvaneC.ocx.debug" VERBATIM)
else()
    target_link_options(CorvaneC PRIVATE $<$<CONFIG:Release>:-s>)
endif()
if(TARGET corvane_activex)
    target_link_libraries(CorvaneC PRIVATE corvane_activex)
endif()
if(TARGET corvane_propertypage)
    target_link_libraries(CorvaneC PRIVATE corvane_propertypage)
endif()
target_link_libraries(CorvaneC PRIVATE corvane_module)
# Only the four exports of the .def file, nothing of the static runtime.
target_link_options(CorvaneC PRIVATE -Wl,--exclude-all-symbols)
set_source_files_properties(${CORVANE_MODULE_DIR}/CorvaneC.rc PROPERTIES
    OBJECT_DEPENDS ${CORVANE_MODULE_DIR}/Toolbox.bmp)
corvane_warnings(CorvaneC)

corvane_embed_typelib(CorvaneC)

# --- Tests ----------------------------------------------------------------------
set(CORVANE_SERVER_TEST_TLB_DIR ${CMAKE_CURRENT_BINARY_DIR}/server-test-typelibs)
set(_corvane_test_tlbs)
foreach(name Good NoClass NoDefault OtherDefault)
    corvane_compile_test_typelib(${PROJECT_SOURCE_DIR}/tests/server/typelibs/${name}.idl
        ${CORVANE_SERVER_TEST_TLB_DIR}/${name}.tlb)
    list(APPEND _corvane_test_tlbs ${CORVANE_SERVER_TEST_TLB_DIR}/${name}.tlb)
endforeach()
add_custom_target(corvane_server_test_typelibs DEPENDS ${_corvane_test_tlbs})

corvane_add_gtest_program(corvane_server_tests
    SOURCES
        ${PROJECT_SOURCE_DIR}/tests/server/BuiltModule.cpp
        ${PROJECT_SOURCE_DIR}/tests/server/ClassObjectTest.cpp
        ${PROJECT_SOURCE_DIR}/tests/server/ModuleFileTest.cpp
        ${PROJECT_SOURCE_DIR}/tests/server/RegistrationTest.cpp
        ${PROJECT_SOURCE_DIR}/tests/server/RegistryRead.cpp
        ${PROJECT_SOURCE_DIR}/tests/server/ServerModuleTest.cpp
        ${PROJECT_SOURCE_DIR}/tests/server/ThreadExitTest.cpp
        ${PROJECT_SOURCE_DIR}/tests/win32/ModalWatch.cpp
    LIBRARIES corvane_module version
    WINDOW LABELS server)
add_dependencies(corvane_server_tests CorvaneC corvane_server_test_typelibs)
target_compile_definitions(corvane_server_tests PRIVATE
    CORVANE_OCX_PATH="$<TARGET_FILE:CorvaneC>"
    CORVANE_TEST_TYPELIB_DIR="${CORVANE_SERVER_TEST_TLB_DIR}")
