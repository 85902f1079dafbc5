# Compiles tests/server/TypeLibHeaderStandards.cpp against the generated
# CorvaneC_TLB.h in one C++ standard, with warnings as errors. The header's
# "#pragma GCC system_header" would hide from g++ what other compilers
# refuse (an inline variable before C++17), so a copy without it is used.
#   cmake -DCXX=<compiler> -DSTD=<11|14|17> -DHEADER=<.h> -DSOURCE=<.cpp> -DSCRATCH=<dir> -P ...
file(READ ${HEADER} text)
string(REPLACE "#pragma GCC system_header" "" text "${text}")
file(MAKE_DIRECTORY ${SCRATCH})
file(WRITE ${SCRATCH}/CorvaneC_TLB.h "${text}")
execute_process(COMMAND ${CXX} -std=c++${STD} -fsyntax-only -Wall -Wextra -Wpedantic -Werror
                        -I${SCRATCH} ${SOURCE}
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "CorvaneC_TLB.h does not compile as C++${STD}")
endif()
