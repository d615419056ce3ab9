# Every program the installation ships carries OMBRIX's one version (project() in
# CMakeLists.txt) in a version resource: file and product version, product name, and
# what the program is, as Explorer's properties and installers show them.
set(ombrix_program_descriptions
    "ombrix=OMBRIX: the panel that names an analysis's files and starts its programs"
    "prepare=Checks the geometry file and prepares the analysis"
    "forces=Checks the loading file and prepares each load case"
    "solve=Finds each load case's equilibrium through its large displacements"
    "glance=The structure of a geometry file in 3-D"
    "plotter=The prepared model, numbered, coloured by its initial forces"
    "plotterd=A solved case displaced over the geometry, coloured by axial force"
    "peakfinder=Each case's largest displacements, forces and reactions, and their envelope"
    "charts=A node's load-displacement path, and the members' forces"
    "make_framefile=Makes a geometry file from a family of structures"
    "make_forcefile=Makes a loading file from rows of load cases"
    "compound=Joins geometry files into one structure"
    "compoundpost=Splits a compound's results back into its parts"
    "printout=Prints a geometry, loading or output file")

function(ombrix_add_version_info target)
    string(REGEX REPLACE "^ombrix_" "" program "${target}")
    set(description)
    foreach(row IN LISTS ombrix_program_descriptions)
        if(row MATCHES "^${program}=(.*)$")
            set(description "${CMAKE_MATCH_1}")
        endif()
    endforeach()
    if(NOT description)
        message(FATAL_ERROR "${target} has no description in cmake/version.cmake")
    endif()
    set(script ${CMAKE_BINARY_DIR}/version/${target}.rc)
    configure_file(${PROJECT_SOURCE_DIR}/resources/version.rc.in ${script} @ONLY)
    target_sources(${target} PRIVATE ${script})
endfunction()
