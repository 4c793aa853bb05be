# For a Qt that reads no SVG: the program's images rendered on the build host.

# Renders each SVG with the host's rsvg-convert to a PNG that keeps the SVG's resource name: Qt's image reader goes
# by the content, so the code asks for the same names on every system. Sets out_var to the PNGs.
function(tw_prerendered_images out_var resource_dir)
    find_program(TALLYWAVE_RSVG_CONVERT rsvg-convert REQUIRED)
    set(pngs)
    foreach(svg ${ARGN})
        file(RELATIVE_PATH name ${resource_dir} ${svg})
        if(NOT name MATCHES "\\.svg$")
            list(APPEND pngs ${svg})
            continue()
        endif()
        # Twice the largest size the windows show, so the smooth down-scaling stays sharp.
        set(size 64)
        if(name MATCHES "^app/")
            set(size 256)
        endif()
        set(png ${CMAKE_CURRENT_BINARY_DIR}/prerendered/${name}.png)
        get_filename_component(png_dir ${png} DIRECTORY)
        add_custom_command(OUTPUT ${png}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${png_dir}
            COMMAND ${TALLYWAVE_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${svg}
            DEPENDS ${svg} VERBATIM)
        set_source_files_properties(${png} PROPERTIES QT_RESOURCE_ALIAS ${name})
        list(APPEND pngs ${png})
    endforeach()
    set(${out_var} ${pngs} PARENT_SCOPE)
endfunction()
