# velmora_add_test(NAME SOURCES file... LIBS lib... [ENVIRONMENT var=value...])
# One GoogleTest executable per library, registered with CTest test by test.
function(velmora_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} velmora_testsupport GTest::gtest GTest::gtest_main GTest::gmock)
    target_compile_definitions(${name} PRIVATE
        VELMORA_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
        VELMORA_BINARY_DIR="${PROJECT_BINARY_DIR}")
    add_dependencies(${name} velmora_pictures)
    gtest_discover_tests(${name}
        WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
        PROPERTIES ENVIRONMENT "${ARG_ENVIRONMENT}"
        DISCOVERY_TIMEOUT 60)
endfunction()
