# What the pages' build scripts share (tools/htmlwriter/EmbedPage.cmake, tools/web/WebPage.cmake),
# included by them.

# Stops the build when a source could end the element it is put in.
function(check_inline name text)
    string(TOLOWER "${text}" lower)
    foreach(bad "</script" "</style" "<!--")
        string(FIND "${lower}" "${bad}" at)
        if(NOT at EQUAL -1)
            message(FATAL_ERROR "${name}: holds \"${bad}\", which would end the page's element")
        endif()
    endforeach()
endfunction()

# The modules joined in the given order inside one function, into the variable out: each module's
# import lines (one line each in these modules) dropped and its "export " words removed, so the
# modules share one scope and their top-level names must differ.
function(join_page_modules out)
    set(script "(() => {\n\"use strict\";\n")
    foreach(module IN LISTS ARGN)
        file(READ "${module}" source)
        check_inline("${module}" "${source}")
        get_filename_component(module_name "${module}" NAME)
        string(REGEX REPLACE "\nimport [^\n]*" "\n" source "\n${source}")
        string(REGEX REPLACE "\nexport " "\n" source "${source}")
        string(APPEND script "// ${module_name}${source}\n")
    endforeach()
    string(APPEND script "})();\n")
    set(${out} "${script}" PARENT_SCOPE)
endfunction()
