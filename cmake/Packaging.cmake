# Installing corvane-import as a program, and its Debian package (cpack -G DEB in the build
# folder). Installed, the program finds its libraries and its two modules relative to itself:
#   bin/corvane-import
#   lib/corvane-import/   libHalvex.so, libCorvaneImport.so, libcorvane_platform.so
#   share/doc/corvane-import/   the READMEs, docs/ and the demo board, as in the repository
# On Windows the DLLs go next to corvane-import.exe, where Windows and the program look first.

set(corvane_module_dir lib/corvane-import)
set(corvane_doc_dir share/doc/corvane-import)

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
endif()

install(FILES README.md DESTINATION ${corvane_doc_dir})
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
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/src/platform)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)
include(CPack)
