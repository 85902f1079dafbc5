option(CORVANE_WERROR "Treat compiler warnings in project code as errors" ON)

# Applied to project targets only; third-party code keeps its own flags.
function(corvane_warnings target)
    # Only for C/C++: resource scripts go through windres, which knows no -W.
    set(flags -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual)
    if(CORVANE_WERROR)
        list(APPEND flags -Werror)
    endif()
    target_compile_options(${target} PRIVATE "$<$<COMPILE_LANGUAGE:CXX>:${flags}>")
endfunction()
