# The small OLE container our own hosts share: a control site with in-place
# frame, an event sink, the hosted header control, a container window
# (src/host, over the stand-alone COM pointer of src/com). The demo, the
# tests' hosts and the C++ sample use it; it needs only the Windows headers
# and the generated CorvaneC_TLB.h, so the package ships it with the sample.
if(NOT CORVANE_CROSS OR NOT TARGET corvane_typelib)
    return()
endif()

file(GLOB CORVANE_HOST_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/host/*.cpp)
add_library(corvane_host STATIC ${CORVANE_HOST_SOURCES})
target_include_directories(corvane_host PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(corvane_host PUBLIC corvane_typelib ole32 oleaut32 uuid user32)
corvane_warnings(corvane_host)
corvane_precompile(corvane_host WINDOWS)
# Its COM objects are owned by their hosts and never deleted through an
# interface pointer; COM interfaces have no virtual destructors.
target_compile_options(corvane_host PUBLIC -Wno-non-virtual-dtor)

# The Windows layer's tests keep their header windows in its container window.
if(TARGET corvane_win32_tests)
    target_link_libraries(corvane_win32_tests PRIVATE corvane_host)
endif()
