# Run as a script: cmake -DOUTPUT=<index.html> -DTEMPLATE=<index.html> -DSTYLES=<page.css>
# -DMODULES=<a.mjs;...> -DWORKER=<corvane-web.js> -P WebPage.cmake
# Writes the converter's page: the template with the styles, the converter's script (the worker's,
# with the module inside) in an element of its own, and the page's modules joined in the given
# order into one script, each module's import lines dropped and its "export " words removed (they
# share one scope). A source that could end the element it is put in stops the build.

cmake_minimum_required(VERSION 3.25)

include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/PageScript.cmake)

file(READ "${TEMPLATE}" page)
file(READ "${STYLES}" styles)
check_inline("${STYLES}" "${styles}")
file(READ "${WORKER}" worker)
check_inline("${WORKER}" "${worker}")

join_page_modules(script ${MODULES})

# Placeholders are replaced one after another, the large converter last, so that nothing inside a
# replacement is taken for a placeholder.
string(REPLACE "{{styles}}" "${styles}" page "${page}")
string(REPLACE "{{script}}" "${script}" page "${page}")
string(REPLACE "{{worker}}" "${worker}" page "${page}")
file(WRITE "${OUTPUT}" "${page}")
