# Checks the built icons against what the shell asks of them: each file holds the sizes
# the panel is laid out for, and the icons it loads with LR_VGACOLOR hold only VGA
# colours, every pixel opaque or transparent.
#   cmake -DIMAGEMAGICK=convert -DICON_DIR=DIR -DVGA_COLOURS=000000,800000,... -P check_icons.cmake

cmake_minimum_required(VERSION 3.20)

set(sizes_16 Open Open5 Print)
set(sizes_24 Compound IconPreview Incarc Input InputFile1 InputFile2 OmbrixHelp1)
set(sizes_32 IconWord3 Notepad icon1)
set(sizes_48 About CompoundPost-2 Diagrams Displacement2 IconExit IconStructure Max)
set(vga_icons IconStructure Displacement2)
string(REPLACE "," ";" vga_colours "${VGA_COLOURS}")

function(check_sizes file expected)
    execute_process(COMMAND ${IMAGEMAGICK} ${ICON_DIR}/${file} -format "%wx%h " info:
                    OUTPUT_VARIABLE sizes RESULT_VARIABLE failed)
    if(failed OR NOT sizes STREQUAL expected)
        message(SEND_ERROR "${file}: sizes '${sizes}', want '${expected}'")
    endif()
endfunction()

function(check_vga_colours file)
    execute_process(COMMAND ${IMAGEMAGICK} ${ICON_DIR}/${file} -depth 8 -unique-colors txt:
                    OUTPUT_VARIABLE pixels)
    string(REGEX MATCHALL "#[0-9A-F]+" colours "${pixels}")
    set(others)
    foreach(colour IN LISTS colours)
        string(SUBSTRING ${colour} 1 6 rgb)
        string(SUBSTRING ${colour} 7 -1 alpha)
        if(NOT alpha STREQUAL "00" AND (NOT alpha STREQUAL "FF" OR NOT rgb IN_LIST vga_colours))
            list(APPEND others ${colour})
        endif()
    endforeach()
    if(others)
        message(SEND_ERROR "${file}: colours other than VGA ones: ${others}")
    endif()
endfunction()

foreach(size 16 24 32 48)
    foreach(name IN LISTS sizes_${size})
        check_sizes(Uir/${name}.ico "${size}x${size} ")
    endforeach()
endforeach()
check_sizes(ombrix.ico "16x16 32x32 48x48 ")
foreach(name IN LISTS vga_icons)
    check_vga_colours(Uir/${name}.ico)
endforeach()
