# A test program of the suite's Windows programs, run under Wine here by ctest: each
# program it starts given as a definition OMBRIX_<TARGET IN UPPER CASE> holding the
# program's path as the test sees it, each other path as OMBRIX_<NAME>.
#   ombrix_wine_tests(<target> SOURCES <test files> [HELPERS <files>]
#                     PROGRAMS <targets> [PATHS <NAME>=<path> ...] TIMEOUT <seconds>
#                     [PROPERTIES <test property> <value> ...])
function(ombrix_wine_tests target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "TIMEOUT" "SOURCES;HELPERS;PROGRAMS;PATHS;PROPERTIES")
    add_executable(${target} ${arg_SOURCES} ${arg_HELPERS})
    add_dependencies(${target} ${arg_PROGRAMS})
    set(host "")
    if(NOT CMAKE_HOST_WIN32)
        set(host "Z:") # Wine's drive Z: is the Unix root
    endif()
    foreach(program IN LISTS arg_PROGRAMS)
        string(TOUPPER "${program}" name)
        target_compile_definitions(${target} PRIVATE
                                   ${name}="${host}$<TARGET_FILE:${program}>")
    endforeach()
    foreach(path IN LISTS arg_PATHS)
        string(REGEX MATCH "^([A-Z_]+)=(.*)$" found "${path}")
        target_compile_definitions(${target} PRIVATE
                                   OMBRIX_${CMAKE_MATCH_1}="${host}${CMAKE_MATCH_2}")
    endforeach()
    if(NOT MSVC)
        target_link_options(${target} PRIVATE -static)
    endif()
    ombrix_warnings(${target})
    gtest_add_tests(TARGET ${target} SOURCES ${arg_SOURCES} TEST_LIST tests)
    set_tests_properties(${tests} PROPERTIES TIMEOUT ${arg_TIMEOUT} ${arg_PROPERTIES})
endfunction()
