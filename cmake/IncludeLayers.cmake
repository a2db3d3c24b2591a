# Run as a script: cmake -DSOURCE_DIR=<the project> -P IncludeLayers.cmake. Fails when a file
# includes a header of a layer above its own, or (in src/ and tools/) names a header without its
# folder that is not in its own folder. The plug-in's layers, from the bottom: contract, jsontext,
# platform and modules (the module seam, which knows only the contract), serverclient, pcbmodel,
# importer; the substitute host (host/) knows only the contract.
# The command-line host's libraries (tools/, one per folder, every folder listed here): textformat,
# boardfacts (what every document knows of the host's boards: layer names and sides, pad shapes,
# quarter turns, text extents), boardmodel and cliplatform at the bottom, then safeoutput, hostlink
# (on the module seam), placement (what the board implies for assembly, which more than one
# writer shows) and documents (what a document of the program is, which each writer describes of
# its own), then the writers, which know neither one another, nor the host link, nor the program
# (corvane-import), which knows all; the page's converter (web) runs the program's import job.
# corvane-fab, the manufacturing command, is Python that runs corvane-import as a program: it
# includes nothing.

cmake_minimum_required(VERSION 3.25)

set(layers contract jsontext platform modules serverclient pcbmodel importer)
set(allowed_contract contract)
set(allowed_jsontext jsontext)
set(allowed_platform contract jsontext platform)
set(allowed_modules contract modules)
set(allowed_serverclient contract jsontext platform modules serverclient)
set(allowed_pcbmodel contract jsontext platform modules serverclient pcbmodel)
set(allowed_importer contract jsontext platform modules serverclient pcbmodel importer)
set(allowed_host contract)

set(tool_layers textformat boardfacts boardmodel cliplatform safeoutput hostlink placement documents
                jsonwriter svgwriter kicadwriter assemblywriter htmlwriter corvane-import corvane-fab
                web)
set(writer_allowed boardmodel boardfacts textformat safeoutput placement documents)
set(allowed_textformat jsontext textformat)
set(allowed_boardfacts textformat boardfacts)
set(allowed_boardmodel boardfacts boardmodel)
set(allowed_cliplatform contract jsontext platform cliplatform)
set(allowed_safeoutput cliplatform safeoutput)
set(allowed_hostlink contract platform modules cliplatform boardmodel hostlink)
set(allowed_placement boardmodel boardfacts textformat placement)
set(allowed_documents boardmodel safeoutput documents)
set(allowed_jsonwriter ${writer_allowed} jsonwriter)
set(allowed_svgwriter ${writer_allowed} svgwriter)
set(allowed_kicadwriter ${writer_allowed} kicadwriter)
set(allowed_assemblywriter ${writer_allowed} assemblywriter)
set(allowed_htmlwriter ${writer_allowed} htmlwriter)
set(allowed_corvane-import contract jsontext platform ${tool_layers})
set(allowed_corvane-fab corvane-fab)
set(allowed_web ${allowed_corvane-import} web)
list(APPEND layers ${tool_layers})

set(violations "")
# check_folder(<part> <folder>): the includes of every file under the folder.
function(check_folder part folder)
    file(GLOB_RECURSE files ${folder}/*.h ${folder}/*.cpp)
    foreach(file IN LISTS files)
        file(RELATIVE_PATH name ${SOURCE_DIR} ${file})
        file(STRINGS ${file} includes REGEX "^#include \"")
        get_filename_component(own_folder ${file} DIRECTORY)
        foreach(line IN LISTS includes)
            if(line MATCHES "^#include \"([a-z-]+)/")
                if(CMAKE_MATCH_1 IN_LIST layers AND NOT CMAKE_MATCH_1 IN_LIST allowed_${part})
                    list(APPEND violations "${name}: ${line}")
                endif()
            elseif(NOT part STREQUAL "host" AND line MATCHES "^#include \"([^\"/]+)\"")
                if(NOT EXISTS ${own_folder}/${CMAKE_MATCH_1})
                    list(APPEND violations "${name}: ${line} (not in its folder)")
                endif()
            endif()
        endforeach()
    endforeach()
    set(violations "${violations}" PARENT_SCOPE)
endfunction()

foreach(part IN ITEMS contract jsontext platform modules serverclient pcbmodel importer)
    check_folder(${part} ${SOURCE_DIR}/src/${part})
endforeach()
check_folder(host ${SOURCE_DIR}/host)
file(GLOB tool_folders LIST_DIRECTORIES true ${SOURCE_DIR}/tools/*)
foreach(folder IN LISTS tool_folders)
    if(NOT IS_DIRECTORY ${folder})
        continue()
    endif()
    get_filename_component(part ${folder} NAME)
    if(NOT part IN_LIST tool_layers)
        list(APPEND violations "tools/${part}: a folder without its place in the layers")
        continue()
    endif()
    check_folder(${part} ${folder})
endforeach()
if(violations)
    list(JOIN violations "\n  " text)
    message(FATAL_ERROR "Includes of a layer above:\n  ${text}")
endif()
message(STATUS "every layer includes only the layers below it")
