# wavoro_add_gtest(name SOURCES... [LIBS ...]): one GoogleTest program of the native
# configurations (native and asan), linked with Debian's libgtest, each test case its own CTest
# entry. Native only: GoogleTest needs std::mutex, which the win32-thread MinGW compilers lack,
# so the Windows test programs use the small runner of tests/support instead.
if(WIN32)
    function(wavoro_add_gtest name)
        message(FATAL_ERROR "wavoro_add_gtest(${name}): GoogleTest programs are native only; "
                            "Windows test programs use tests/support/win_check.h")
    endfunction()
    return()
endif()

find_package(GTest REQUIRED)
include(GoogleTest)

function(wavoro_add_gtest name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    wavoro_target_defaults(${name})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 30)
endfunction()
