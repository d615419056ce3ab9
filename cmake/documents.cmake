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

# The checks read the compiled help and the user's guides (install/Doc) back as a user's
# programs would; they need Python and libchm's enum_chmLib (Debian: libchm-bin), and are
# left out where those are missing.
find_package(Python3 COMPONENTS Interpreter)
find_program(ENUM_CHMLIB enum_chmLib)
if(Python3_FOUND AND ENUM_CHMLIB)
    set(check_documents ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tools/check_documents.py)
    add_test(NAME help_file_holds_every_page
             COMMAND ${check_documents} help ${ENUM_CHMLIB} "${ombrix_help_file}"
                     ${ombrix_help_sources})
    add_test(NAME users_guides_are_rtf
             COMMAND ${check_documents} guides ${PROJECT_SOURCE_DIR}/install/Doc/Ombrix-en.doc
                     ${PROJECT_SOURCE_DIR}/install/Doc/Ombrix-ro.doc)
endif()
