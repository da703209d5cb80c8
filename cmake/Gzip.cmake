# lapidor_gzip(<target> <source> <output variable>)
# Compresses <source> at build time as Debian wants it in a package
# (gzip -9n: neither the name nor the time of the file goes into it, so the
# result is the same on every build) into the current binary folder, and
# sets <output variable> to the path of the .gz.
find_program(LAPIDOR_GZIP gzip REQUIRED)

function(lapidor_gzip target source output)
    get_filename_component(name "${source}" NAME)
    set(result "${CMAKE_CURRENT_BINARY_DIR}/${name}.gz")
    add_custom_command(OUTPUT "${result}"
                       COMMAND sh -c "\"$0\" -9n -c \"$1\" > \"$2\"" "${LAPIDOR_GZIP}" "${source}" "${result}"
                       DEPENDS "${source}"
                       VERBATIM)
    add_custom_target(${target} ALL DEPENDS "${result}")
    set(${output} "${result}" PARENT_SCOPE)
endfunction()
