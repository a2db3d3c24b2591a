# Run as a script: cmake -DOUTPUT=<index.html> -DTEMPLATE=<index.html> -DSTYLES=<page.css>
# -DMODULES=<a.mjs;...> -DWORKER=<corvane-web.js> -P WebPage.cmake
# Writes the converter's page: the template with the styles, the converter's script (the worker's,
# with the module inside) in an element of its own, and the page's modules joined in the given
# order into one script, each module's import lines dropped and its "export " words removed (they
# share one scope). A source that could end the element it is put in stops the build.

cmake_minimum_required(VERSION 3.25)

function(check_inline name text)
    string(TOLOWER "${text}" lower)
    foreach(bad "</script" "</style" "<!--")
        string(FIND "${lower}" "${bad}" at)
        if(NOT at EQUAL -1)
            message(FATAL_ERROR "${name}: holds \"${bad}\", which would end the page's element")
        endif()
    endforeach()
endfunction()

file(READ "${TEMPLATE}" page)
file(READ "${STYLES}" styles)
check_inline("${STYLES}" "${styles}")
file(READ "${WORKER}" worker)
check_inline("${WORKER}" "${worker}")

set(script "(() => {\n\"use strict\";\n")
foreach(module IN LISTS MODULES)
    file(READ "${module}" source)
    check_inline("${module}" "${source}")
    get_filename_component(module_name "${module}" NAME)
    string(REGEX REPLACE "\nimport [^\n]*" "\n" source "\n${source}")
    string(REGEX REPLACE "\nexport " "\n" source "${source}")
    string(APPEND script "// ${module_name}${source}\n")
endforeach()
string(APPEND script "})();\n")

# Placeholders are replaced one after another, the large converter last, so that nothing inside a
# replacement is taken for a placeholder.
string(REPLACE "{{styles}}" "${styles}" page "${page}")
string(REPLACE "{{script}}" "${script}" page "${page}")
string(REPLACE "{{worker}}" "${worker}" page "${page}")
file(WRITE "${OUTPUT}" "${page}")
