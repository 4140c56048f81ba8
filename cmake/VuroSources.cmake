# Source lists are globbed per folder so that adding a file to a folder needs no build edit.
# CONFIGURE_DEPENDS makes the build re-glob when files come or go.
function(vuro_glob_sources out)
    set(result)
    foreach(dir IN LISTS ARGN)
        file(GLOB found CONFIGURE_DEPENDS ${dir}/*.cpp)
        list(APPEND result ${found})
    endforeach()
    set(${out} ${result} PARENT_SCOPE)
endfunction()
