# Tests that register, unregister or rely on the registration of our classes
# and type library share the tree's one Wine registry. They never run at once
# (scripts/test.sh runs ctest -j): the registration tests unregister
# everything of ours, which would pull the type library from under the others.
# The hosts nobody here wrote need the module registered, so its registration
# (activex_register_ocx) runs after every test that may undo it.
if(NOT CORVANE_CROSS)
    return()
endif()

set(_corvane_registry_users corvane_server_tests corvane_sections_tests corvane_activex_tests
    corvane_typelib_tests corvane_propertypage_tests)
set(_corvane_registry_hosts activex_register_ocx activex_script_host corvane_activex_atl_host)
set(_corvane_present_users)
foreach(test IN LISTS _corvane_registry_users _corvane_registry_hosts)
    if(TEST ${test})
        set_property(TEST ${test} APPEND PROPERTY RESOURCE_LOCK corvane_com_registry)
    endif()
endforeach()
foreach(test IN LISTS _corvane_registry_users)
    if(TEST ${test})
        list(APPEND _corvane_present_users ${test})
    endif()
endforeach()
if(TEST activex_register_ocx AND _corvane_present_users)
    set_property(TEST activex_register_ocx APPEND PROPERTY DEPENDS ${_corvane_present_users})
endif()
