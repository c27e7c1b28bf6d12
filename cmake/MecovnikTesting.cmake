# mecovnik_add_test(NAME <name> KIND core|gui SOURCES <files...> [LIBS <libs...>])
#
# Core tests link GoogleTest and the rules library; GUI tests link Qt Test and the
# windows library and run on the offscreen platform. Every GUI test gets its own
# temporary HOME, XDG_CONFIG_HOME and XDG_RUNTIME_DIR from tests/support.
# Core tests carry the label "unit" (the fast loop: ctest -L unit), GUI tests "gui".
function(mecovnik_add_test)
    cmake_parse_arguments(T "" "NAME;KIND" "SOURCES;LIBS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE mecovnik_warnings ${T_LIBS})
    target_compile_definitions(${T_NAME} PRIVATE
        MECOVNIK_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
    if(T_KIND STREQUAL "core")
        target_link_libraries(${T_NAME} PRIVATE mecovnik_core mecovnik_test_support_core
            GTest::gtest GTest::gtest_main)
        add_test(NAME ${T_NAME} COMMAND ${T_NAME})
        set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "${MECOVNIK_TEST_ENVIRONMENT}"
            LABELS unit)
    else()
        set_target_properties(${T_NAME} PROPERTIES AUTOMOC ON)
        target_link_libraries(${T_NAME} PRIVATE mecovnik_gui mecovnik_test_support_gui Qt6::Test)
        add_test(NAME ${T_NAME} COMMAND ${T_NAME})
        set_tests_properties(${T_NAME} PROPERTIES
            ENVIRONMENT "QT_QPA_PLATFORM=offscreen;${MECOVNIK_TEST_ENVIRONMENT}" LABELS gui)
    endif()
endfunction()
