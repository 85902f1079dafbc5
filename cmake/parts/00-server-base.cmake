# The server's shared base: module counts every COM object of ours uses.
if(CORVANE_CROSS)
    add_library(corvane_server_base STATIC ${PROJECT_SOURCE_DIR}/src/server/ModuleCounts.cpp)
    target_include_directories(corvane_server_base PUBLIC ${PROJECT_SOURCE_DIR}/src)
    corvane_warnings(corvane_server_base)
endif()
