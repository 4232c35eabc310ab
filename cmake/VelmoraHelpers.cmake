# velmora_add_test(NAME SOURCES file... LIBS lib... [ENVIRONMENT var=value...])
# One GoogleTest executable per library, registered with CTest test by test. It links the
# shared test helpers, which define VELMORA_SOURCE_DIR and VELMORA_BINARY_DIR.
function(velmora_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} velmora_testsupport GTest::gtest GTest::gtest_main GTest::gmock)
    add_dependencies(${name} velmora_pictures)
    gtest_discover_tests(${name}
        WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
        PROPERTIES ENVIRONMENT "${ARG_ENVIRONMENT}"
        DISCOVERY_TIMEOUT 60)
endfunction()
