# The installation's layout: the shell and the suite's programs with their icons, sounds
# and help file in Exe, sample analyses in Dat, the user's guides in Doc.
# The suite's programs come in two sets, installed as components beside the rest: "real"
# puts each program (both editions where it has two) under its name, "stand-in" the
# stand-in that logs its command line under every name, for the shell's end-to-end tests.
#   cmake --install BUILD --prefix DIR --component installation
#   cmake --install BUILD --prefix DIR --component real      (or stand-in)
set(component COMPONENT installation)
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
    install(PROGRAMS $<TARGET_FILE:ombrix_stand_in> DESTINATION Exe RENAME "${program}.exe"
            COMPONENT stand-in)
endforeach()
install(FILES ${ombrix_button_icons} DESTINATION Exe/Uir ${component})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/install/Wav DESTINATION Exe ${component})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/install/Dat DESTINATION . ${component})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/install/Doc DESTINATION . ${component})
# The programs of the suite hold METIS: its licence asks that its notice go with them.
install(FILES ${OMBRIX_METIS_SOURCE}/LICENSE.txt DESTINATION Doc RENAME "METIS licence.txt"
        ${component})
