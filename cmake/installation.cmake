# The installation's layout: the shell and the suite's programs with their icons, sounds
# and help file in Exe, sample analyses in Dat, the user's guides in Doc.
# The suite's programs come in two sets, installed as components beside the rest: "real"
# puts each program (both editions where it has two) under its name, "stand-in" the
# stand-in that logs its command line under every name, for the shell's end-to-end tests.
#   cmake --install BUILD --prefix DIR --component installation
#   cmake --install BUILD --prefix DIR --component real      (or stand-in)
set(component COMPONENT installation)
set(ombrix_shipped_programs)
install(TARGETS ombrix RUNTIME DESTINATION Exe ${component})
install(FILES "${ombrix_help_file}" DESTINATION Exe ${component})
foreach(program IN LISTS ombrix_suite_programs)
    string(REGEX REPLACE " 20$" "" role "${program}")
    string(TOLOWER "ombrix_${role}" real)
    if(NOT TARGET ${real})
        message(FATAL_ERROR "${program}.exe of the launch table has no program (${real})")
    endif()
    install(PROGRAMS $<TARGET_FILE:${real}> DESTINATION Exe RENAME "${program}.exe"
            COMPONENT real)
    list(APPEND ombrix_shipped_programs ${real})
    install(PROGRAMS $<TARGET_FILE:ombrix_stand_in> DESTINATION Exe RENAME "${program}.exe"
            COMPONENT stand-in)
endforeach()
install(FILES ${ombrix_button_icons} DESTINATION Exe/Uir ${component})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/install/Wav DESTINATION Exe ${component})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/install/Dat DESTINATION . ${component})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/install/Doc DESTINATION . ${component})
# OMBRIX's licence, and the notices of what else its programs hold (install/Doc/THIRD-PARTY.txt,
# which the notices check keeps complete); METIS's licence asks that its own notice go too.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION Doc RENAME "LICENSE.txt" ${component})
install(FILES ${OMBRIX_METIS_SOURCE}/LICENSE.txt DESTINATION Doc RENAME "METIS licence.txt"
        ${component})

# Each program the installation ships carries the version, and leaves a link map beside it
# from which the notices check learns every library linked into it.
list(REMOVE_DUPLICATES ombrix_shipped_programs)
set(shipped_maps)
find_package(Python3 REQUIRED COMPONENTS Interpreter)
include(cmake/version.cmake)
foreach(shipped IN ITEMS ombrix ${ombrix_shipped_programs})
    ombrix_add_version_info(${shipped})
    target_link_options(${shipped} PRIVATE "-Wl,-Map=$<TARGET_FILE:${shipped}>.map")
    list(APPEND shipped_maps "$<TARGET_FILE:${shipped}>.map")
endforeach()
add_test(NAME Notices.NameEveryLibraryTheProgramsHold
         COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/tools/check_notices.py
                 ${PROJECT_SOURCE_DIR}/install/Doc/THIRD-PARTY.txt
                 ${CMAKE_BINARY_DIR}/compile_commands.json ${shipped_maps})

# The version resources read as Windows reads them, under Wine here (drive Z: is the root).
set(host "")
if(NOT CMAKE_HOST_WIN32)
    set(host "Z:")
endif()
set(shipped_files)
foreach(shipped IN ITEMS ombrix ${ombrix_shipped_programs})
    list(APPEND shipped_files "${host}$<TARGET_FILE:${shipped}>")
endforeach()
list(JOIN shipped_files "|" shipped_files)
ombrix_wine_tests(ombrix_version_tests SOURCES ${PROJECT_SOURCE_DIR}/tests/installation/version_test.cpp
                  PROGRAMS ombrix ${ombrix_shipped_programs} TIMEOUT 60)
target_link_libraries(ombrix_version_tests PRIVATE GTest::gtest_main version)
target_compile_definitions(ombrix_version_tests PRIVATE
                           OMBRIX_SHIPPED_PROGRAMS="${shipped_files}"
                           OMBRIX_VERSION_TEXT="${PROJECT_VERSION}")
