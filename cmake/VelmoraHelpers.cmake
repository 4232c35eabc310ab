# velmora_add_test(NAME [OWN_MAIN] SOURCES file... LIBS lib... [ENVIRONMENT var=value...])
# One GoogleTest executable per library, registered with CTest test by test. It links the
# shared test helpers, which define VELMORA_SOURCE_DIR and VELMORA_BINARY_DIR.
function(velmora_add_test name)
    cmake_parse_arguments(ARG "OWN_MAIN" "" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} velmora_testsupport GTest::gtest GTest::gmock)
    if(NOT ARG_OWN_MAIN)
        target_link_libraries(${name} PRIVATE GTest::gtest_main)
    endif()
    add_dependencies(${name} velmora_pictures)
    gtest_discover_tests(${name}
        WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
        TEST_LIST ${name}_TESTS
        # A test that waits for something that never comes fails instead of holding up CI.
        PROPERTIES TIMEOUT 120
        DISCOVERY_TIMEOUT 60)
    # The environment is set by a script CTest runs after the discovered list: handed to
    # gtest_discover_tests as PROPERTIES, a list loses all its variables but the first.
    if(ARG_ENVIRONMENT)
        set(script ${CMAKE_CURRENT_BINARY_DIR}/${name}_environment.cmake)
        file(WRITE ${script}
            "foreach(test IN LISTS ${name}_TESTS)\n"
            "    set_tests_properties(\"\${test}\" PROPERTIES ENVIRONMENT \"${ARG_ENVIRONMENT}\")\n"
            "endforeach()\n")
        set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${script})
    endif()
endfunction()

# velmora_add_qt_test(NAME SOURCES file... LIBS lib... [ENVIRONMENT var=value...])
# A GoogleTest executable for widgets: its main makes the QApplication (velmora_qt_testmain),
# and every test runs on the offscreen platform with a private 0700 XDG_RUNTIME_DIR and a
# configuration folder of its own (Qt's dialogs remember folders and colours there).
function(velmora_add_qt_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
    set(runtime ${CMAKE_CURRENT_BINARY_DIR}/${name}-runtime)
    set(config ${CMAKE_CURRENT_BINARY_DIR}/${name}-config)
    file(MAKE_DIRECTORY ${runtime} ${config})
    file(CHMOD ${runtime} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
    velmora_add_test(${name} OWN_MAIN
        SOURCES ${ARG_SOURCES}
        LIBS ${ARG_LIBS} velmora_qt_testmain
        ENVIRONMENT QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=${runtime} XDG_CONFIG_HOME=${config}
                    ${ARG_ENVIRONMENT})
endfunction()
