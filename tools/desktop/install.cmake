# The whole installation, included from the top CMakeLists.txt once the
# programs and the pictures are known.
#
# Installed, the game keeps its own folder, lib/brindlepair: the programs, the
# pics folder and hiscore.dat side by side, as in the build folder. Around it go
# what the desktop reads: commands on the PATH, a menu entry, icons in the
# hicolor theme, AppStream metadata and manual pages.
#
# The Debian package lays the same out as Debian's policy for games asks, with
# the three folders below (debian/rules sets them); their defaults are the
# layout above.
set(BRINDLEPAIR_INSTALL_GAMEDIR lib/brindlepair CACHE STRING
    "The game's own folder in an installation, under the prefix: the programs, pics and hiscore.dat")
set(BRINDLEPAIR_INSTALL_BINDIR ${CMAKE_INSTALL_BINDIR} CACHE STRING
    "Where the commands brindlepair and brindlepair-cards go, under the prefix: links to the programs")
set(BRINDLEPAIR_INSTALL_PICSDIR "" CACHE STRING
    "Where the pictures go, under the prefix, with a link to them as the game's folder's pics; empty: in the game's folder")

install(TARGETS brindlepair brindlepair-cards RUNTIME DESTINATION ${BRINDLEPAIR_INSTALL_GAMEDIR})
if(BRINDLEPAIR_INSTALL_PICSDIR)
    install(DIRECTORY ${BRINDLEPAIR_PICS_DIR}/ DESTINATION ${BRINDLEPAIR_INSTALL_PICSDIR})
else()
    install(DIRECTORY ${BRINDLEPAIR_PICS_DIR} DESTINATION ${BRINDLEPAIR_INSTALL_GAMEDIR})
endif()
foreach(size ${BRINDLEPAIR_ICON_SIZES})
    install(FILES ${BRINDLEPAIR_ICONS_DIR}/${size}x${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${BRINDLEPAIR_APP_ID}.png)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/docs/brindlepair.6 ${CMAKE_SOURCE_DIR}/docs/brindlepair-cards.6
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# The links and the menu entry name the installed programs by the prefix the
# installation is made with, which `cmake --install --prefix` may set only then:
# they are made when installing, by the code below, from what is known now.
install(CODE "
    set(game_dir \"${BRINDLEPAIR_INSTALL_GAMEDIR}\")
    set(bin_dir \"${BRINDLEPAIR_INSTALL_BINDIR}\")
    set(pics_dir \"${BRINDLEPAIR_INSTALL_PICSDIR}\")
    set(applications_dir \"${CMAKE_INSTALL_DATADIR}/applications\")
    set(metainfo_dir \"${CMAKE_INSTALL_DATADIR}/metainfo\")
    set(templates_dir \"${CMAKE_CURRENT_LIST_DIR}\")
    set(APP_ID \"${BRINDLEPAIR_APP_ID}\")
    set(VERSION \"${PROJECT_VERSION}\")")
install(CODE [=[
    set(prefix "${CMAKE_INSTALL_PREFIX}")
    foreach(dir game_dir bin_dir applications_dir metainfo_dir)
        cmake_path(ABSOLUTE_PATH ${dir} BASE_DIRECTORY "${prefix}" NORMALIZE)
    endforeach()

    # A link at `link` to `target`, relative, so that the tree may be moved
    # whole (as a package's is).
    function(make_link link target)
        get_filename_component(folder "${link}" DIRECTORY)
        file(RELATIVE_PATH relative "${folder}" "${target}")
        file(MAKE_DIRECTORY "$ENV{DESTDIR}${folder}")
        message(STATUS "Installing: $ENV{DESTDIR}${link} -> ${relative}")
        file(CREATE_LINK "${relative}" "$ENV{DESTDIR}${link}" SYMBOLIC)
        set(CMAKE_INSTALL_MANIFEST_FILES ${CMAKE_INSTALL_MANIFEST_FILES} "${link}" PARENT_SCOPE)
    endfunction()

    # The commands brindlepair and brindlepair-cards, links to the programs in
    # the game's own folder: the programs find their pics and hiscore.dat beside
    # where they really are. Where the pictures live elsewhere, the game's
    # folder's pics is a link to them.
    foreach(program brindlepair brindlepair-cards)
        make_link("${bin_dir}/${program}" "${game_dir}/${program}")
    endforeach()
    if(pics_dir)
        cmake_path(ABSOLUTE_PATH pics_dir BASE_DIRECTORY "${prefix}" NORMALIZE)
        make_link("${game_dir}/pics" "${pics_dir}")
    endif()

    # The menu entry starts the game by that command's full path, so that it
    # starts whether or not the bin folder is on the PATH. In Exec, a path with
    # a blank or another character the command line would take apart stands in
    # double quotes, in which a quote, backquote, dollar or backslash takes a
    # backslash before it; a percent sign is doubled. Then, as in every text of
    # the entry, a backslash is written twice.
    set(program "${bin_dir}/brindlepair")
    set(EXEC "${program}")
    if(NOT EXEC MATCHES "^[A-Za-z0-9_./+,:@-]+$")
        string(REGEX REPLACE "([\\\"`$])" "\\\\\\1" EXEC "${EXEC}")
        set(EXEC "\"${EXEC}\"")
    endif()
    string(REPLACE "%" "%%" EXEC "${EXEC}")
    string(REPLACE "\\" "\\\\" EXEC "${EXEC}")
    string(REPLACE "\\" "\\\\" TRY_EXEC "${program}")

    # The menu entry and the metainfo, filled from their templates beside this
    # file: @APP_ID@, @VERSION@, @EXEC@ and @TRY_EXEC@.
    function(fill_template template file)
        message(STATUS "Installing: $ENV{DESTDIR}${file}")
        configure_file("${templates_dir}/${template}" "$ENV{DESTDIR}${file}" @ONLY NO_SOURCE_PERMISSIONS)
        set(CMAKE_INSTALL_MANIFEST_FILES ${CMAKE_INSTALL_MANIFEST_FILES} "${file}" PARENT_SCOPE)
    endfunction()
    fill_template(brindlepair.desktop.in "${applications_dir}/${APP_ID}.desktop")
    fill_template(brindlepair.metainfo.xml.in "${metainfo_dir}/${APP_ID}.metainfo.xml")
]=])
