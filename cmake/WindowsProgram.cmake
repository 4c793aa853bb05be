# The Windows side of the program's build: the executable's icon and version resource, and the portable zip (the
# program, the Qt libraries and plugins it loads, the runtime DLLs, help, sound).

# A GUI program (no console window) with the application icon, rendered from the SVG, and version information.
function(tw_windows_program target svg_icon rc_template)
    find_program(TALLYWAVE_RSVG_CONVERT rsvg-convert REQUIRED)
    find_program(TALLYWAVE_ICOTOOL icotool REQUIRED)
    set(icon_dir ${CMAKE_CURRENT_BINARY_DIR}/windows-icon)
    set(pngs)
    set(render)
    foreach(size 16 24 32 48 64 256)
        list(APPEND pngs ${icon_dir}/${size}.png)
        list(APPEND render COMMAND ${TALLYWAVE_RSVG_CONVERT} -w ${size} -h ${size} -o ${icon_dir}/${size}.png ${svg_icon})
    endforeach()
    set(TW_ICON_FILE ${icon_dir}/tallywave.ico)
    add_custom_command(OUTPUT ${TW_ICON_FILE}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${icon_dir}
        ${render}
        COMMAND ${TALLYWAVE_ICOTOOL} -c -o ${TW_ICON_FILE} ${pngs}
        DEPENDS ${svg_icon} VERBATIM)
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
    configure_file(${rc_template} ${rc} @ONLY)
    set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${TW_ICON_FILE})
    target_sources(${target} PRIVATE ${rc})
    set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE TRUE)
endfunction()

# The folders holding the compiler's runtime DLLs (libstdc++, libgcc, winpthread), which the Qt DLLs load.
function(tw_mingw_runtime_dirs out_var)
    set(dirs)
    foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll} OUTPUT_VARIABLE path
            OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(IS_ABSOLUTE "${path}" AND EXISTS "${path}")
            get_filename_component(dir ${path} DIRECTORY)
            list(APPEND dirs ${dir})
        endif()
    endforeach()
    list(REMOVE_DUPLICATES dirs)
    set(${out_var} ${dirs} PARENT_SCOPE)
endfunction()

# tallywave-<version>-win64.zip: unzipped anywhere, the folder runs as it is (settings and history beside the exe
# when the folder is writable). Built by the target <target>_zip.
function(tw_windows_package target help_page sound)
    set(component windows_zip)
    install(TARGETS ${target} RUNTIME DESTINATION . COMPONENT ${component})
    install(IMPORTED_RUNTIME_ARTIFACTS Qt6::QWindowsIntegrationPlugin DESTINATION platforms COMPONENT ${component})
    install(IMPORTED_RUNTIME_ARTIFACTS Qt6::QWindowsVistaStylePlugin DESTINATION styles COMPONENT ${component})
    set(plugins platforms/$<TARGET_FILE_NAME:Qt6::QWindowsIntegrationPlugin>
        styles/$<TARGET_FILE_NAME:Qt6::QWindowsVistaStylePlugin>)
    if(TARGET Qt6::QSvgPlugin)
        install(IMPORTED_RUNTIME_ARTIFACTS Qt6::QSvgPlugin DESTINATION imageformats COMPONENT ${component})
        install(IMPORTED_RUNTIME_ARTIFACTS Qt6::QSvgIconPlugin DESTINATION iconengines COMPONENT ${component})
        list(APPEND plugins imageformats/$<TARGET_FILE_NAME:Qt6::QSvgPlugin>
            iconengines/$<TARGET_FILE_NAME:Qt6::QSvgIconPlugin>)
    endif()
    # Only Qt's own DLLs and the compiler's runtime travel along; the rest are the system's.
    get_target_property(qt_core_dll Qt6::Core IMPORTED_LOCATION_RELEASE)
    get_filename_component(qt_bin ${qt_core_dll} DIRECTORY)
    tw_mingw_runtime_dirs(runtime_dirs)
    list(TRANSFORM plugins PREPEND "\${CMAKE_INSTALL_PREFIX}/")
    install(CODE "include(\"${PROJECT_SOURCE_DIR}/cmake/BundleDlls.cmake\")
        tw_bundle_dlls(\"${CMAKE_OBJDUMP}\" \"${CMAKE_STRIP}\" \"\${CMAKE_INSTALL_PREFIX}\"
            FILES \"\${CMAKE_INSTALL_PREFIX}/$<TARGET_FILE_NAME:${target}>\" ${plugins}
            DIRS ${qt_bin} ${runtime_dirs})" COMPONENT ${component})

    # The help page with the pictures it shows.
    file(READ ${help_page} help_text)
    string(REGEX MATCHALL "src=\"screenshots/[^\"]+\"" pictures "${help_text}")
    list(TRANSFORM pictures REPLACE "src=\"screenshots/([^\"]+)\"" "${PROJECT_SOURCE_DIR}/docs/screenshots/\\1")
    list(REMOVE_DUPLICATES pictures)
    install(FILES ${help_page} ${sound} DESTINATION . COMPONENT ${component})
    install(FILES ${pictures} DESTINATION screenshots COMPONENT ${component})

    set(name tallywave-${PROJECT_VERSION}-win64)
    set(stage ${CMAKE_BINARY_DIR}/zip-stage)
    add_custom_target(${target}_zip
        COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage} ${CMAKE_BINARY_DIR}/${name}.zip
        COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --prefix ${stage}/${name} --component ${component}
            --strip
        COMMAND ${CMAKE_COMMAND} -E chdir ${stage}
            ${CMAKE_COMMAND} -E tar cf ${CMAKE_BINARY_DIR}/${name}.zip --format=zip ${name}
        DEPENDS ${target}
        BYPRODUCTS ${CMAKE_BINARY_DIR}/${name}.zip
        COMMENT "Packing ${name}.zip" VERBATIM)
endfunction()
