# Run when Lapidor is installed, through lapidor_install_gzipped (Gzip.cmake).

# A path as roff text that prints as it is, in running text and as one
# argument of a macro: a backslash as \e, a hyphen as \- (a plain one may
# print as a dash), a double quote as \(dq and a blank as an unbreakable
# "\ "; a long path may break after a slash (\:), nowhere else. A path that
# the shell would split or expand is put in single quotes first, since the
# page shows it in a command to copy.
function(lapidor_roff_path output path)
    if(NOT path MATCHES "^[A-Za-z0-9/._+-]*$")
        string(REPLACE "'" "'\\''" path "${path}")
        set(path "'${path}'")
    endif()
    string(REPLACE "\\" "\\e" path "${path}")
    string(REPLACE "-" "\\-" path "${path}")
    string(REPLACE "\"" "\\(dq" path "${path}")
    string(REPLACE " " "\\ " path "${path}")
    string(REPLACE "/" "/\\:" path "${path}")
    set(${output} "${path}" PARENT_SCOPE)
endfunction()

# A folder relative to the install prefix, or absolute, as an absolute path.
function(lapidor_installed_path output folder)
    if(NOT IS_ABSOLUTE "${folder}")
        set(folder "${CMAKE_INSTALL_PREFIX}/${folder}")
    endif()
    cmake_path(SET folder NORMALIZE "${folder}")
    set(${output} "${folder}" PARENT_SCOPE)
endfunction()

function(lapidor_install_gzipped_now source destination staging gzip sample_datadir)
    get_filename_component(name "${source}" NAME)
    file(MAKE_DIRECTORY "${staging}")
    set(text "${source}")
    if(sample_datadir)
        lapidor_installed_path(sample "${sample_datadir}/lapidor/levels.txt")
        lapidor_roff_path(sample "${sample}")
        file(READ "${source}" page)
        string(REPLACE "/usr/share/lapidor/levels.txt" "${sample}" page "${page}")
        set(text "${staging}/${name}")
        file(WRITE "${text}" "${page}")
    endif()
    execute_process(COMMAND "${gzip}" -9n -c "${text}" OUTPUT_FILE "${staging}/${name}.gz" RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "gzip could not compress ${text}")
    endif()
    lapidor_installed_path(destination "${destination}")
    file(INSTALL DESTINATION "${destination}" TYPE FILE FILES "${staging}/${name}.gz")
endfunction()
