# The two settings that say what a build makes:
#
# CORVANE_PLATFORM, the system the programs run on, from the toolchain: windows (the 32-bit
# cross build of cmake/i686-w64-mingw32.cmake), web (WebAssembly through emscripten's toolchain,
# the preset web) or posix. It chooses the platform layers' sources (src/platform,
# tools/cliplatform: CORVANE_SYSTEM_SOURCES, where the web's C library is a POSIX one) and how
# modules are named, exported and tested. The web has no modules to load: its build is linked.
#
# CORVANE_MODULE_BINDING, how the programs reach the host's modules (modules/ModuleLookup.h):
#   loaded  the server (Halvex) and the plug-in (CorvaneImport) are modules of their own, which
#           corvane-import loads from files and the plug-in finds among the loaded modules, as
#           in the host editor (the default);
#   linked  the server, the plug-in and the host client are linked into each program that uses
#           them, which finds them in tables of their exports: no module is loaded at all.
#
# A program may be bound otherwise than its build: corvane_link_modules_in(TARGET) links the
# modules into it whatever the build's setting (the fuzz targets, the malformed corpus, and the
# linked corvane-import that the tests compare with the loaded one). The generator expression
# CORVANE_LINKED_PROGRAM is true in a program bound linked; libraries use it to give each program
# what its binding needs (corvane_modules, src/modules).

if(CMAKE_SYSTEM_NAME STREQUAL "Windows")
    set(CORVANE_PLATFORM windows)
    set(CORVANE_SYSTEM_SOURCES windows)
elseif(CMAKE_SYSTEM_NAME STREQUAL "Emscripten")
    set(CORVANE_PLATFORM web)
    set(CORVANE_SYSTEM_SOURCES posix)
    set(CORVANE_MODULE_BINDING linked CACHE STRING "" FORCE)
else()
    set(CORVANE_PLATFORM posix)
    set(CORVANE_SYSTEM_SOURCES posix)
endif()

set(CORVANE_MODULE_BINDING loaded CACHE STRING
    "How programs reach the host's modules: loaded (from files) or linked (into each program)")
set_property(CACHE CORVANE_MODULE_BINDING PROPERTY STRINGS loaded linked)
if(NOT CORVANE_MODULE_BINDING MATCHES "^(loaded|linked)$")
    message(FATAL_ERROR "CORVANE_MODULE_BINDING is loaded or linked, not '${CORVANE_MODULE_BINDING}'")
endif()
message(STATUS "Platform ${CORVANE_PLATFORM}, modules ${CORVANE_MODULE_BINDING}")

# A program's binding: its own property CORVANE_MODULE_BINDING, else the build's.
set(corvane_program_binding
    "$<IF:$<BOOL:$<TARGET_PROPERTY:CORVANE_MODULE_BINDING>>,$<TARGET_PROPERTY:CORVANE_MODULE_BINDING>,${CORVANE_MODULE_BINDING}>")
set(CORVANE_LINKED_PROGRAM "$<STREQUAL:${corvane_program_binding},linked>")

# corvane_link_modules_in(TARGET): the server, the plug-in and the host client linked into the
# program, which finds them through the linked binding.
function(corvane_link_modules_in target)
    set_target_properties(${target} PROPERTIES CORVANE_MODULE_BINDING linked)
    target_sources(${target} PRIVATE $<TARGET_OBJECTS:halvex_objects>)
    target_link_libraries(${target} PRIVATE corvane_contract corvane_plugin_linked)
    halvex_link_host_client(${target})
endfunction()
