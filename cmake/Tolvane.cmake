# Build helpers shared by every folder.

# The cross-built dependencies (Scintilla, Lexilla, libpng) that scripts/setup leaves in its
# cache; the scripts pass their folder for this target as TOLVANE_DEPS.
function(tolvane_import_dependencies)
    set(TOLVANE_DEPS "" CACHE PATH "cross-built dependencies for this target (scripts/test passes it)")
    if(NOT TOLVANE_DEPS)
        message(FATAL_ERROR "TOLVANE_DEPS is not set: configure through scripts/test, or pass "
                            "-DTOLVANE_DEPS=<cache>/deps-v<N>/${CMAKE_SYSTEM_PROCESSOR}")
    endif()
    if(NOT EXISTS "${TOLVANE_DEPS}/.complete")
        message(FATAL_ERROR "dependencies missing in ${TOLVANE_DEPS}: run scripts/setup")
    endif()
    add_library(tolvane_scintilla INTERFACE)
    target_include_directories(tolvane_scintilla SYSTEM INTERFACE
        ${TOLVANE_DEPS}/include/scintilla ${TOLVANE_DEPS}/include/lexilla)
    target_link_libraries(tolvane_scintilla INTERFACE
        ${TOLVANE_DEPS}/lib/libscintilla.a ${TOLVANE_DEPS}/lib/liblexilla.a
        gdi32 user32 imm32 ole32 uuid oleaut32 msimg32)
    add_library(tolvane::scintilla ALIAS tolvane_scintilla)

    add_library(tolvane_png INTERFACE)
    target_include_directories(tolvane_png SYSTEM INTERFACE ${TOLVANE_DEPS}/include/libpng)
    target_link_libraries(tolvane_png INTERFACE ${TOLVANE_DEPS}/lib/libpng.a z)
    add_library(tolvane::png ALIAS tolvane_png)
endfunction()

# tolvane_add_test(NAME SOURCES ... LIBS ... [WHOLE lib ...] [RESOURCE_LOCK name])
# One test program = one CTest test; Windows ones run under Wine through the emulator.
function(tolvane_add_test name)
    # RESOURCE_LOCK names a resource the test holds alone while it runs (e.g. "clipboard").
    cmake_parse_arguments(T "" "RESOURCE_LOCK" "SOURCES;LIBS;WHOLE" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
    foreach(lib IN LISTS T_WHOLE)
        target_link_libraries(${name} PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${lib}>")
    endforeach()
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
    # Judged by GoogleTest's own summary, not only the exit code: a Windows program that
    # Wine ends from outside can exit with 0 halfway through.
    set_tests_properties(${name} PROPERTIES TIMEOUT 600
        PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] [0-9]+ test"
        FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
    if(T_RESOURCE_LOCK)
        set_tests_properties(${name} PROPERTIES RESOURCE_LOCK ${T_RESOURCE_LOCK})
    endif()
endfunction()
