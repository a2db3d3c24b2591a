# Installing corvane-import as a program, and its Debian package (cpack -G DEB in the build
# folder). Installed, the programs find their libraries, modules and scripts relative to
# themselves, and nowhere else (no folder of the build machine is compiled in or in a RUNPATH):
#   bin/corvane-import, bin/corvane-fab (the manufacturing set, through KiCad)
#   lib/corvane-import/   libHalvex.so, libCorvaneImport.so, libcorvane_platform.so, and
#                         corvane_fab.py and kicad_plot.py, which corvane-fab runs
#   share/man/man1/       corvane-import.1, corvane-fab.1, made by help2man from their --help
#   share/doc/corvane-import/   the package's README, the program's README, docs/, the demo board
# On Windows the DLLs go next to corvane-import.exe, where Windows and the program look first.

set(corvane_module_dir lib/corvane-import)
set(corvane_doc_dir share/doc/corvane-import)

# The manual pages, made by help2man from the programs' --help and --version (corvane-fab's help
# needs /usr/bin/python3, which KiCad's pcbnew module needs too). Without help2man there are none.
function(corvane_manual_pages)
    find_program(CORVANE_HELP2MAN help2man)
    if(NOT CORVANE_HELP2MAN OR NOT EXISTS /usr/bin/python3)
        message(WARNING "No help2man or no /usr/bin/python3: the manual pages are not made")
        return()
    endif()
    set(pages ${CMAKE_BINARY_DIR}/man/corvane-import.1 ${CMAKE_BINARY_DIR}/man/corvane-fab.1)
    set(fab ${PROJECT_SOURCE_DIR}/tools/corvane-fab)
    add_custom_command(OUTPUT ${pages}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
        COMMAND ${CORVANE_HELP2MAN} --no-info --section 1 --output ${CMAKE_BINARY_DIR}/man/corvane-import.1
                --name "import old Corvane ASCII board files and write them as SVG, JSON and KiCad boards"
                --include ${PROJECT_SOURCE_DIR}/tools/corvane-import/corvane-import.h2m
                $<TARGET_FILE:corvane-import>
        COMMAND ${CORVANE_HELP2MAN} --no-info --section 1 --output ${CMAKE_BINARY_DIR}/man/corvane-fab.1
                --name "make the manufacturing set of Corvane boards with KiCad's plotter"
                --include ${fab}/corvane-fab.h2m ${fab}/corvane-fab
        DEPENDS corvane-import ${PROJECT_SOURCE_DIR}/tools/corvane-import/corvane-import.h2m
                ${fab}/corvane-fab ${fab}/corvane_fab.py ${fab}/corvane-fab.h2m
        COMMENT "Making the manual pages with help2man"
        VERBATIM)
    add_custom_target(manual_pages ALL DEPENDS ${pages})
    install(FILES ${pages} DESTINATION share/man/man1)
endfunction()

if(CORVANE_MODULE_BINDING STREQUAL "linked")
    # The modules are part of the program.
    install(TARGETS corvane-import RUNTIME DESTINATION bin)
elseif(CORVANE_PLATFORM STREQUAL "windows")
    install(TARGETS corvane-import RUNTIME DESTINATION bin)
    install(TARGETS Halvex CorvaneImport RUNTIME DESTINATION bin LIBRARY DESTINATION bin)
else()
    set_target_properties(corvane-import PROPERTIES INSTALL_RPATH "$ORIGIN/../${corvane_module_dir}")
    set_target_properties(Halvex CorvaneImport corvane_platform PROPERTIES INSTALL_RPATH "$ORIGIN")
    install(TARGETS corvane-import RUNTIME DESTINATION bin)
    install(TARGETS Halvex CorvaneImport corvane_platform LIBRARY DESTINATION ${corvane_module_dir})
    install(PROGRAMS tools/corvane-fab/corvane-fab DESTINATION bin)
    install(FILES tools/corvane-fab/corvane_fab.py tools/corvane-fab/kicad_plot.py
            DESTINATION ${corvane_module_dir})
    corvane_manual_pages()
endif()

install(FILES cmake/package-README.md DESTINATION ${corvane_doc_dir} RENAME README.md)
install(FILES tools/corvane-import/README.md DESTINATION ${corvane_doc_dir}/tools/corvane-import)
install(DIRECTORY docs/ DESTINATION ${corvane_doc_dir}/docs)
install(FILES examples/demo.PCB DESTINATION ${corvane_doc_dir}/examples)

set(CPACK_PACKAGE_NAME corvane-import)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "reads old Corvane ASCII board files and writes them as SVG, JSON and KiCad boards")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "corvane-import imports boards in the Corvane ASCII format (PCB FILE 4 and 5) through the\n"
    "CorvaneImport plug-in into a substitute host PCB server, reports what was found and what\n"
    "was damaged, and writes a summary, JSON, an SVG picture, a KiCad board, a bill of\n"
    "materials and a placement.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "corvane-import maintainers <corvane-import@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
# corvane-fab plots through KiCad and reads its files back with gerbv; it says so when they are
# missing, and corvane-import needs neither.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "kicad (>= 6.0), gerbv")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/src/platform)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)
include(CPack)
