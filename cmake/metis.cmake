# METIS, whose nested-dissection ordering keeps the solver's factors small on large nets
# (docs/performance.md). Compiled from its sources with the rest, natively and by MinGW
# alike; tools/install-deps.sh fetches them from Debian's source package.
set(OMBRIX_METIS_SOURCE ${PROJECT_SOURCE_DIR}/build/third-party/metis-5.1.0
    CACHE PATH "The unpacked sources of METIS 5.1.0")
if(NOT EXISTS ${OMBRIX_METIS_SOURCE}/include/metis.h)
    message(FATAL_ERROR "No METIS sources in ${OMBRIX_METIS_SOURCE}: run tools/install-deps.sh, "
                        "or set OMBRIX_METIS_SOURCE to the unpacked metis-5.1.0")
endif()
enable_language(C)

file(GLOB metis_sources ${OMBRIX_METIS_SOURCE}/GKlib/*.c ${OMBRIX_METIS_SOURCE}/libmetis/*.c)
# The command-line parsing of METIS's own programs, which does not build with MinGW.
list(FILTER metis_sources EXCLUDE REGEX "/GKlib/getopt\\.c$")
add_library(ombrix_metis STATIC ${metis_sources})
target_include_directories(ombrix_metis SYSTEM PUBLIC ${OMBRIX_METIS_SOURCE}/include)
target_include_directories(ombrix_metis PRIVATE ${OMBRIX_METIS_SOURCE}/GKlib
                                                ${OMBRIX_METIS_SOURCE}/libmetis)
# Its own random numbers, not the C library's, so that an ordering, and so every answer, is
# the same natively and on Windows. Always optimised and never sanitized: it is not ours to
# debug, and a Debug build's tests factorise too.
target_compile_definitions(ombrix_metis PRIVATE NDEBUG NDEBUG2 USE_GKRAND
                                                $<$<BOOL:${WIN32}>:USE_GKREGEX>)
# MinGW has no <sys/resource.h>, which GKlib includes but, there, does not use.
if(MINGW)
    file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/metis-mingw/sys/resource.h "")
    target_include_directories(ombrix_metis PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/metis-mingw)
endif()
target_compile_options(ombrix_metis PRIVATE -std=c99 -O2 -fno-strict-aliasing -w
                                            $<$<C_COMPILER_ID:Clang>:-fno-sanitize=all>)
