# Draws the program's icon at each size from its SVG picture.
# cmake -DSVG=vexa.svg -DSIZES="16;32" -DOUTPUT_DIR=dir -P render_icons.cmake
# writes dir/NxN/vexa.png for each size N.
find_program(RSVG_CONVERT rsvg-convert)
if(NOT RSVG_CONVERT)
    message(FATAL_ERROR "rsvg-convert draws the icons: install librsvg2-bin (scripts/package.sh does)")
endif()
foreach(size ${SIZES})
    file(MAKE_DIRECTORY "${OUTPUT_DIR}/${size}x${size}")
    execute_process(COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o
                            "${OUTPUT_DIR}/${size}x${size}/vexa.png" "${SVG}" RESULT_VARIABLE code)
    if(NOT code EQUAL 0)
        message(FATAL_ERROR "rsvg-convert could not draw the ${size} pixel icon")
    endif()
endforeach()
