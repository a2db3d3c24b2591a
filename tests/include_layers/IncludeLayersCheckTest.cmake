# Run as a script: cmake -DSOURCE_DIR=<the project> -DWORK_DIR=<a scratch folder> -P <this file>.
# Runs the include check on small trees: one that keeps the layers, and one per kind of fault,
# each of which it must refuse.

cmake_minimum_required(VERSION 3.25)

# check_tree(<name> <expect: pass|fail> <file=text>...): a tree with a tools/ folder of those files.
function(check_tree name expect)
    set(root ${WORK_DIR}/${name})
    file(REMOVE_RECURSE ${root})
    file(MAKE_DIRECTORY ${root}/src ${root}/host ${root}/tools)
    foreach(entry IN LISTS ARGN)
        string(REGEX MATCH "^[^=]+" path "${entry}")
        string(REGEX REPLACE "^[^=]+=" "" text "${entry}")
        file(WRITE ${root}/${path} "${text}\n")
    endforeach()
    execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${root}
                            -P ${SOURCE_DIR}/cmake/IncludeLayers.cmake
                    RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE errors)
    if(expect STREQUAL "pass" AND NOT result EQUAL 0)
        message(SEND_ERROR "${name}: refused a tree that keeps the layers:\n${errors}")
    elseif(expect STREQUAL "fail" AND result EQUAL 0)
        message(SEND_ERROR "${name}: passed a tree that breaks the layers")
    endif()
endfunction()

set(options_h "tools/corvane-import/Options.h=#pragma once")
set(model_h "tools/boardmodel/BoardModel.h=#pragma once")
check_tree(layers_kept pass ${options_h} ${model_h}
           "tools/kicadwriter/KicadBoardWriter.h=#include \"boardmodel/BoardModel.h\""
           "tools/kicadwriter/KicadBoardWriter.cpp=#include \"KicadBoardWriter.h\""
           "tools/corvane-import/Documents.h=#include \"kicadwriter/KicadBoardWriter.h\"")
check_tree(writer_includes_command_line fail ${options_h}
           "tools/kicadwriter/KicadBoardWriter.cpp=#include \"corvane-import/Options.h\"")
check_tree(writer_includes_writer fail ${model_h}
           "tools/jsonwriter/JsonWriter.h=#pragma once"
           "tools/svgwriter/SvgWriter.cpp=#include \"jsonwriter/JsonWriter.h\"")
check_tree(writer_includes_host_link fail
           "tools/hostlink/ModuleLoader.h=#pragma once"
           "tools/jsonwriter/JsonWriter.cpp=#include \"hostlink/ModuleLoader.h\"")
check_tree(bare_name_outside_folder fail ${options_h}
           "tools/kicadwriter/KicadBoardWriter.cpp=#include \"Options.h\"")
check_tree(unlisted_folder fail "tools/newthing/Thing.h=#pragma once")
check_tree(module_seam_includes_the_plug_in fail
           "src/serverclient/EntryTable.h=#pragma once"
           "src/modules/Module.h=#include \"serverclient/EntryTable.h\"")
