# The installation's layout: the shell and the suite's programs with their icons, sounds
# and help file in Exe, sample analyses in Dat, the user's guides in Doc.
install(TARGETS ombrix RUNTIME DESTINATION Exe)
install(FILES "${ombrix_help_file}" DESTINATION Exe)
foreach(program IN LISTS ombrix_suite_programs)
    install(PROGRAMS $<TARGET_FILE:ombrix_stand_in> DESTINATION Exe RENAME "${program}.exe")
endforeach()
install(FILES ${ombrix_button_icons} DESTINATION Exe/Uir)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/install/Wav DESTINATION Exe)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/install/Dat DESTINATION .)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/install/Doc DESTINATION .)
