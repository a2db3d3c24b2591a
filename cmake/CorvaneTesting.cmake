# GoogleTest for the test programs, and how a test program becomes CTest tests, in the native
# build and in the 32-bit Windows build (run under wine).

include(GoogleTest)

if(CORVANE_PLATFORM STREQUAL "windows")
    # Debian's googletest package ships the sources: build gtest and gmock with the cross compiler.
    set(CORVANE_GOOGLETEST_SOURCE_DIR /usr/src/googletest
        CACHE PATH "GoogleTest sources for the Windows build")
    if(NOT EXISTS ${CORVANE_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt)
        message(FATAL_ERROR "No GoogleTest sources in ${CORVANE_GOOGLETEST_SOURCE_DIR}: install "
                            "Debian's googletest package or set CORVANE_GOOGLETEST_SOURCE_DIR.")
    endif()
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory(${CORVANE_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    # GoogleTest is built with its own warning flags, not the project's (which may be -Werror).
    foreach(target gtest gtest_main gmock gmock_main)
        set_property(TARGET ${target} PROPERTY COMPILE_OPTIONS "")
    endforeach()

    # The wine prefix the test programs run in, made once at build time, so that neither the first
    # test program nor GoogleTest's discovery of its tests waits for wine to set it up.
    set(wine_prefix_ready ${CMAKE_BINARY_DIR}/wine-prefix/.corvane-ready)
    add_custom_command(OUTPUT ${wine_prefix_ready}
                       COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} --make-prefix ${CMAKE_BINARY_DIR}
                       COMMENT "Making the wine prefix of the test programs" VERBATIM)
    add_custom_target(wine_prefix ALL DEPENDS ${wine_prefix_ready})
else()
    find_package(GTest REQUIRED)
endif()

# corvane_add_gtest(TARGET [ENVIRONMENT NAME=VALUE...])
#
# Natively every test case of the GoogleTest program is a CTest test of its own, discovered when
# the tests run. In the Windows build the whole program is one CTest test, run under wine through
# the CROSSCOMPILING_EMULATOR (a wine process per test case would cost more than the tests), and
# the DLLs it links with (the test server "Halvex.dll", for one) are copied next to it, the first
# place the Windows loader looks.
function(corvane_add_gtest target)
    cmake_parse_arguments(ARG "" "" "ENVIRONMENT" ${ARGN})
    if(CORVANE_PLATFORM STREQUAL "windows")
        set(dlls $<TARGET_RUNTIME_DLLS:${target}>)
        add_custom_command(TARGET ${target} POST_BUILD
            COMMAND ${CMAKE_COMMAND} -E
                    "$<IF:$<BOOL:${dlls}>,copy_if_different;${dlls};$<TARGET_FILE_DIR:${target}>,true>"
            COMMAND_EXPAND_LISTS VERBATIM)
        add_test(NAME ${target} COMMAND ${target} --gtest_brief=1)
        set_tests_properties(${target} PROPERTIES TIMEOUT 600)
        if(ARG_ENVIRONMENT)
            set_tests_properties(${target} PROPERTIES ENVIRONMENT "${ARG_ENVIRONMENT}")
        endif()
    elseif(ARG_ENVIRONMENT)
        gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST
                             PROPERTIES ENVIRONMENT "${ARG_ENVIRONMENT}")
    else()
        gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST)
    endif()
endfunction()
