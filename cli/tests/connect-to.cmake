# velmora-build --connect-to end to end: CREATE for a hosting customer against a local web site.
velmora_add_test(cli_connect_to_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/ConnectToTest.cpp
    LIBS velmora_net_testkit
    ENVIRONMENT no_proxy=* NO_PROXY=*)
target_compile_definitions(cli_connect_to_tests PRIVATE VELMORA_BUILD_PROGRAM="$<TARGET_FILE:velmora-build>")
add_dependencies(cli_connect_to_tests velmora-build)
