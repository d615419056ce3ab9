# The installation's layout: the shell and the suite's programs with their icons, sounds
# and help file in Exe, sample analyses in Dat, the user's guides in Doc.
# SUITE=real installs the real Prepare, Forces and Solve (both editions) and stand-ins for
# the other programs; SUITE=stand-in installs the stand-in under every name, for the
# shell's end-to-end tests, which read what the stand-ins log.
set(SUITE real CACHE STRING "The suite's programs to install: real or stand-in")
set_property(CACHE SUITE PROPERTY STRINGS real stand-in)
if(NOT SUITE MATCHES "^(real|stand-in)$")
    message(FATAL_ERROR "SUITE must be real or stand-in, not ${SUITE}")
endif()

install(TARGETS ombrix RUNTIME DESTINATION Exe)
install(FILES "${ombrix_help_file}" DESTINATION Exe)
foreach(program IN LISTS ombrix_suite_programs)
    string(REGEX REPLACE " 20$" "" role "${program}")
    string(TOLOWER "ombrix_${role}" real)
    set(target ombrix_stand_in)
    if(SUITE STREQUAL "real" AND TARGET ${real})
        set(target ${real})
    endif()
    install(PROGRAMS $<TARGET_FILE:${target}> DESTINATION Exe RENAME "${program}.exe")
endforeach()
install(FILES ${ombrix_button_icons} DESTINATION Exe/Uir)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/install/Wav DESTINATION Exe)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/install/Dat DESTINATION .)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/install/Doc DESTINATION .)
