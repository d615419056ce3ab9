# make dist: the installation that `make install` lays out, with the real suite, in
# build/dist as OMBRIX-<version>-win64.zip and as the installer OMBRIX-<version>-win64-setup.exe
# made by NSIS from install/installer.nsi.in. The target runs on a build already made.
set(ombrix_dist "${PROJECT_SOURCE_DIR}/build/dist")
set(ombrix_dist_name "OMBRIX-${PROJECT_VERSION}-win64")
set(ombrix_dist_tree "${ombrix_dist}/${ombrix_dist_name}")
set(ombrix_installer_script "${CMAKE_BINARY_DIR}/installer.nsi")
set(ombrix_installer_files "${CMAKE_BINARY_DIR}/installed-files.nsh")
configure_file(${PROJECT_SOURCE_DIR}/install/installer.nsi.in ${ombrix_installer_script} @ONLY)
find_program(OMBRIX_MAKENSIS makensis REQUIRED)
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_custom_target(dist
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${ombrix_dist}
    COMMAND ${PROJECT_SOURCE_DIR}/tools/install.sh ${CMAKE_BINARY_DIR} ${ombrix_dist_tree} real
    COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/tools/installer_files.py
            ${ombrix_dist_tree} ${ombrix_installer_files}
    COMMAND ${CMAKE_COMMAND} -E chdir ${ombrix_dist}
            ${CMAKE_COMMAND} -E tar cf ${ombrix_dist_name}.zip --format=zip ${ombrix_dist_name}
    COMMAND ${OMBRIX_MAKENSIS} -V2 ${ombrix_installer_script}
    VERBATIM)

# The installer under Wine, each test in a Wine prefix of its own (make dist first). The
# upgrade test installs over an earlier-numbered build of the same installation.
set(earlier_setup "${CMAKE_BINARY_DIR}/OMBRIX-0.9.0-win64-setup.exe")
add_test(NAME Installer.AnEarlierBuild
         COMMAND ${OMBRIX_MAKENSIS} -V2 -DVERSION=0.9.0 -DOUTFILE=${earlier_setup}
                 ${ombrix_installer_script})
set_tests_properties(Installer.AnEarlierBuild PROPERTIES FIXTURES_SETUP earlier_installer
                                                         LABELS installer)
ombrix_wine_tests(ombrix_installer_tests
                  SOURCES ${PROJECT_SOURCE_DIR}/tests/installation/installer_test.cpp
                  HELPERS ${PROJECT_SOURCE_DIR}/tests/e2e/analysis_steps.cpp
                  PROGRAMS ombrix
                  PATHS SETUP=${ombrix_dist}/${ombrix_dist_name}-setup.exe
                        EARLIER_SETUP=${earlier_setup} DIST_TREE=${ombrix_dist_tree}
                  TIMEOUT 600
                  PROPERTIES FIXTURES_REQUIRED earlier_installer LABELS installer)
target_link_libraries(ombrix_installer_tests PRIVATE ombrix_driver GTest::gtest_main ole32 uuid)
target_include_directories(ombrix_installer_tests PRIVATE ${PROJECT_SOURCE_DIR}/resources)
target_compile_definitions(ombrix_installer_tests PRIVATE
                           OMBRIX_VERSION_TEXT="${PROJECT_VERSION}")
if(CMAKE_CROSSCOMPILING)
    set_property(TARGET ombrix_installer_tests PROPERTY CROSSCOMPILING_EMULATOR
                 ${PROJECT_SOURCE_DIR}/tests/installation/in_fresh_prefix.sh wine)
endif()
