# Writes the desktop entry into the installed folder, naming the program and its
# icon by where they were installed.
file(READ "${desktop_entry_source}" entry)
string(REPLACE "Exec=brindlepair" "Exec=${CMAKE_INSTALL_PREFIX}/brindlepair\nPath=${CMAKE_INSTALL_PREFIX}" entry "${entry}")
string(REPLACE "Icon=brindlepair" "Icon=${CMAKE_INSTALL_PREFIX}/brindlepair.png" entry "${entry}")
message(STATUS "Installing: $ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/brindlepair.desktop")
file(WRITE "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/brindlepair.desktop" "${entry}")
