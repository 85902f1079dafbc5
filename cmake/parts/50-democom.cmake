# The demo as a host of the registered control: it makes CorvaneC.Corvane
# through COM (early bound through the generated header) and hears its events.
# Its tests run it under Wine against the CorvaneC.ocx registered in this
# tree's prefix (the fixture of the hosts' tests).
if(NOT CORVANE_CROSS OR NOT TARGET corvane-demo OR NOT TARGET CorvaneC)
    return()
endif()

target_link_libraries(corvane-demo PRIVATE corvane_typelib corvane_automation)
# The sink and the site are COM objects: released, never deleted through an
# interface, and COM interfaces have no virtual destructors.
target_compile_options(corvane-demo PRIVATE -Wno-non-virtual-dtor)
# The demo runs against the module built beside it.
add_dependencies(corvane-demo CorvaneC)
