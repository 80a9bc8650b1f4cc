# wavoro_add_gtest(name SOURCES... [LIBS ...]): one GoogleTest program registered with CTest.
# Natively it links Debian's libgtest; for Windows it builds GoogleTest from /usr/src/googletest,
# and CTest runs the program under wine64 (CMAKE_CROSSCOMPILING_EMULATOR).
if(WIN32)
    if(NOT TARGET GTest::gtest_main)
        set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
        set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
        set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
        add_subdirectory(/usr/src/googletest ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
        # GoogleTest 1.11 and later name these itself.
        if(NOT TARGET GTest::gtest)
            add_library(GTest::gtest ALIAS gtest)
            add_library(GTest::gtest_main ALIAS gtest_main)
        endif()
    endif()
else()
    find_package(GTest REQUIRED)
endif()
include(GoogleTest)

function(wavoro_add_gtest name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    wavoro_target_defaults(${name})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
    if(WIN32)
        # One CTest entry per program: each wine start costs seconds.
        add_test(NAME ${name} COMMAND ${name})
    else()
        gtest_discover_tests(${name} DISCOVERY_TIMEOUT 30)
    endif()
endfunction()
