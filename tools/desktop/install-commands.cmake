# Puts the commands brindlepair and brindlepair-cards into the installation's
# bin folder, as links to the programs in the game's own folder (the programs
# find their pics and hiscore.dat beside where they really are), and writes the
# menu entry, which starts the game by that command's full path, so that it
# starts whether or not the bin folder is on the PATH.
#
# Set by the install(CODE) before it: app_id, game_dir, bin_dir,
# applications_dir, desktop_entry_source.
set(prefix "${CMAKE_INSTALL_PREFIX}")
foreach(dir game_dir bin_dir applications_dir)
    cmake_path(ABSOLUTE_PATH ${dir} BASE_DIRECTORY "${prefix}" NORMALIZE)
endforeach()

file(MAKE_DIRECTORY "$ENV{DESTDIR}${bin_dir}")
foreach(program brindlepair brindlepair-cards)
    file(RELATIVE_PATH target "${bin_dir}" "${game_dir}/${program}")
    message(STATUS "Installing: $ENV{DESTDIR}${bin_dir}/${program} -> ${target}")
    file(CREATE_LINK "${target}" "$ENV{DESTDIR}${bin_dir}/${program}" SYMBOLIC)
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${bin_dir}/${program}")
endforeach()

# The program's path as a menu entry writes it: in Exec, a path with a blank or
# another character the command line would take apart stands in double quotes,
# in which a quote, backquote, dollar or backslash takes a backslash before it;
# a percent sign is doubled. Then, as in every text of the entry, a backslash
# is written twice.
set(program "${bin_dir}/brindlepair")
set(exec "${program}")
if(NOT exec MATCHES "^[A-Za-z0-9_./+,:@-]+$")
    string(REGEX REPLACE "([\\\"`$])" "\\\\\\1" exec "${exec}")
    set(exec "\"${exec}\"")
endif()
string(REPLACE "%" "%%" exec "${exec}")
string(REPLACE "\\" "\\\\" exec "${exec}")
string(REPLACE "\\" "\\\\" try_exec "${program}")

file(READ "${desktop_entry_source}" entry)
string(REPLACE "@APP_ID@" "${app_id}" entry "${entry}")
string(REPLACE "\nExec=brindlepair\n" "\nExec=${exec}\n" entry "${entry}")
string(REPLACE "\nTryExec=brindlepair\n" "\nTryExec=${try_exec}\n" entry "${entry}")
set(desktop_entry "${applications_dir}/${app_id}.desktop")
message(STATUS "Installing: $ENV{DESTDIR}${desktop_entry}")
file(WRITE "$ENV{DESTDIR}${desktop_entry}" "${entry}")
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${desktop_entry}")
