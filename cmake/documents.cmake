# The installation's help file, "Ombrix Help.chm", compiled from the HTML sources in
# install/help with Free Pascal's chmcmd (Debian: fp-utils). The file name comes from the
# help project's "Compiled file".
find_program(CHMCMD chmcmd REQUIRED)
set(ombrix_help_sources ${PROJECT_SOURCE_DIR}/install/help)
set(ombrix_help_file "${CMAKE_BINARY_DIR}/Ombrix Help.chm")
file(GLOB_RECURSE ombrix_help_inputs CONFIGURE_DEPENDS ${ombrix_help_sources}/*)
add_custom_command(OUTPUT "${ombrix_help_file}"
    COMMAND ${CHMCMD} ${ombrix_help_sources}/ombrix.hhp
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    DEPENDS ${ombrix_help_inputs}
    COMMENT "Compiling Ombrix Help.chm"
    VERBATIM)
add_custom_target(ombrix_help ALL DEPENDS "${ombrix_help_file}")

