# add_unit_test(NAME LABEL <label> [MAIN <target>] SOURCES <files...> LIBS <targets...>)
# Builds one GoogleTest program, links the shared test support and registers each of its test
# cases with CTest under the given label (core, gui, audio, cli, e2e), so `ctest -L core` works.
find_package(GTest REQUIRED)
include(GoogleTest)

function(add_unit_test name)
    cmake_parse_arguments(T "" "LABEL;MAIN" "SOURCES;LIBS" ${ARGN})
    if(NOT T_MAIN)
        set(T_MAIN pirvan_test_main)
    endif()
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_MAIN} pirvan_test_support ${T_LIBS} GTest::gtest
        pirvan_warnings)
    target_compile_definitions(${name} PRIVATE
        PIRVAN_BINARY_DIR="${CMAKE_BINARY_DIR}")
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 60
        PROPERTIES LABELS ${T_LABEL}
                   ENVIRONMENT QT_QPA_PLATFORM=offscreen
                   TIMEOUT 300)
endfunction()

# add_test_folder(FOLDER LABEL MAIN LIBS...): one test program per folder of *Test.cpp files, so
# adding a test file needs no edit here.
function(add_test_folder folder label main)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*Test.cpp)
    if(sources)
        string(REPLACE "/" "_" name "test_${folder}")
        add_unit_test(${name} LABEL ${label} MAIN ${main} SOURCES ${sources} LIBS ${ARGN})
    endif()
endfunction()
