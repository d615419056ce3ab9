# The installation's icons, drawn as SVG in install/icons and built here: rsvg-convert
# renders a drawing, ImageMagick packs the pictures into a .ico. Every drawing becomes the
# button icon of the same name for Exe/Uir; the emblem, icon1, is also the program's own
# icon that the resource script compiles into ombrix.exe.

find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_program(IMAGEMAGICK NAMES magick convert REQUIRED) # ImageMagick 7 or 6

set(ombrix_icon_dir ${CMAKE_BINARY_DIR}/icons)
set(ombrix_program_icon ${ombrix_icon_dir}/ombrix.ico)
file(MAKE_DIRECTORY ${ombrix_icon_dir}/Uir)

# The shell loads some with LR_VGACOLOR (resources/icons.def): their colours are mapped onto
# the 16 VGA colours (and transparency), which the drawings use already.
file(STRINGS ${PROJECT_SOURCE_DIR}/resources/icons.def vga_rows REGEX "^BUTTON_ICON\\(.*, true\\)")
set(ombrix_vga_icons)
foreach(row IN LISTS vga_rows)
    string(REGEX MATCH "\"([^\".]+)\\.ico\"" found "${row}")
    list(APPEND ombrix_vga_icons "${CMAKE_MATCH_1}")
endforeach()
set(ombrix_vga_colours 000000 800000 008000 808000 000080 800080 008080 C0C0C0
                       808080 FF0000 00FF00 FFFF00 0000FF FF00FF 00FFFF FFFFFF)
set(vga_palette ${ombrix_icon_dir}/vga-palette.png)
list(TRANSFORM ombrix_vga_colours PREPEND "xc:#" OUTPUT_VARIABLE swatches)
add_custom_command(OUTPUT ${vga_palette}
    COMMAND ${IMAGEMAGICK} -size 1x1 ${swatches} xc:none +append ${vga_palette}
    VERBATIM)

# Builds the icon file ICO from the drawing SVG: one picture per size of SIZES, or one at
# the drawing's own size; with PALETTE, an image, the pictures take its colours only.
function(ombrix_add_icon ico svg)
    cmake_parse_arguments(PARSE_ARGV 2 arg "" "PALETTE" "SIZES")
    get_filename_component(stem ${ico} NAME_WE)
    set(renders)
    set(pictures)
    if(arg_SIZES)
        foreach(size IN LISTS arg_SIZES)
            set(picture ${ombrix_icon_dir}/${stem}-${size}.png)
            list(APPEND renders
                 COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${picture} ${svg})
            list(APPEND pictures ${picture})
        endforeach()
    else()
        set(pictures ${ombrix_icon_dir}/${stem}.png)
        set(renders COMMAND ${RSVG_CONVERT} -o ${pictures} ${svg})
    endif()
    set(remap)
    if(arg_PALETTE)
        set(remap +dither -remap ${arg_PALETTE})
    endif()
    add_custom_command(OUTPUT ${ico} ${renders}
        COMMAND ${IMAGEMAGICK} ${pictures} ${remap} ${ico}
        DEPENDS ${svg} ${arg_PALETTE}
        VERBATIM)
endfunction()

file(GLOB drawings CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/install/icons/*.svg)
set(ombrix_button_icons)
foreach(svg IN LISTS drawings)
    get_filename_component(name ${svg} NAME_WE)
    set(ico ${ombrix_icon_dir}/Uir/${name}.ico)
    if(name IN_LIST ombrix_vga_icons)
        ombrix_add_icon(${ico} ${svg} PALETTE ${vga_palette})
    else()
        ombrix_add_icon(${ico} ${svg})
    endif()
    list(APPEND ombrix_button_icons ${ico})
endforeach()
ombrix_add_icon(${ombrix_program_icon} ${PROJECT_SOURCE_DIR}/install/icons/icon1.svg
                SIZES 16 32 48)
add_custom_target(ombrix_icons ALL DEPENDS ${ombrix_button_icons} ${ombrix_program_icon})

# Compiles the program icon into TARGET, one of whose sources is resources/ombrix.rc: the
# script finds "ombrix.ico" here and is compiled again when the icon changes.
function(ombrix_embed_program_icon target)
    add_dependencies(${target} ombrix_icons)
    target_include_directories(${target} PRIVATE $<$<COMPILE_LANGUAGE:RC>:${ombrix_icon_dir}>)
    set(script ${PROJECT_SOURCE_DIR}/resources/ombrix.rc)
    get_target_property(target_dir ${target} SOURCE_DIR)
    set_property(SOURCE ${script} DIRECTORY ${target_dir} APPEND
                 PROPERTY OBJECT_DEPENDS ${ombrix_program_icon})
endfunction()

# The built icons against what the shell asks of them.
string(REPLACE ";" "," vga_colour_list "${ombrix_vga_colours}")
add_test(NAME icons
         COMMAND ${CMAKE_COMMAND} -DIMAGEMAGICK=${IMAGEMAGICK} -DICON_DIR=${ombrix_icon_dir}
                 -DVGA_COLOURS=${vga_colour_list} -P ${CMAKE_CURRENT_LIST_DIR}/check_icons.cmake)
