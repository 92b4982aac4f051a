# qt_test_suite(NAME SOURCES...): builds the Qt Test files SOURCES into one executable NAME,
# linked once instead of once per file. Each file keeps its own QTEST_MAIN, which
# qt_test_suite_main.h turns into a function of the file; the executable's first argument picks
# the file to run by its name and the remaining ones go to Qt Test. Each file is one ctest entry
# of its own name and runs in a process of its own, as before.
#
# qt_test_suite_main.h ends the suites' precompiled headers: a `main` macro given any other way
# (-D, or -include, which comes before them) would keep them from being used.
set(QT_TEST_SUITE_MAIN ${CMAKE_CURRENT_LIST_DIR}/qt_test_suite_main.cpp)
set(QT_TEST_SUITE_RENAME_MAIN ${CMAKE_CURRENT_LIST_DIR}/qt_test_suite_main.h)

function(qt_test_suite name)
    foreach(source ${ARGN})
        get_filename_component(test_name ${source} NAME_WE)
        add_test(NAME ${test_name} COMMAND ${name} ${test_name})
        # A cost above the unit tests' starts these long, mostly waiting tests first.
        set_tests_properties(${test_name} PROPERTIES
            ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
            TIMEOUT 300
            COST 10)
        if(CMAKE_DISABLE_PRECOMPILE_HEADERS)
            set_property(SOURCE ${source} APPEND PROPERTY
                COMPILE_OPTIONS -include ${QT_TEST_SUITE_RENAME_MAIN})
        endif()
    endforeach()
    add_executable(${name} ${ARGN} ${QT_TEST_SUITE_MAIN})
    set_source_files_properties(${QT_TEST_SUITE_MAIN} PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
    target_precompile_headers(${name} REUSE_FROM qt_test_suite_pch)
endfunction()

# The suites' precompiled headers, made by a target of their own: a precompiled header needs
# every macro it was made with to be the same where it is used, and Qt Test defines its folders
# per suite.
file(CONFIGURE OUTPUT qt_test_suite_pch.cpp CONTENT "// Compiles only the precompiled headers.\n")
add_library(qt_test_suite_pch OBJECT ${CMAKE_CURRENT_BINARY_DIR}/qt_test_suite_pch.cpp)
target_link_libraries(qt_test_suite_pch PRIVATE Qt6::Widgets)
target_precompile_headers(qt_test_suite_pch PRIVATE ${METERPANEL_QT_PCH_HEADERS}
    ${QT_TEST_SUITE_RENAME_MAIN})
