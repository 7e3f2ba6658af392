# Fails when a file below GUI_DIR includes a room of the gui layer that is not below its own:
# app <- widgets <- the pages (library, playlist, editor, card, font, music, report) <- main
# <- the executable's main.cpp. A page never includes another page; pages meet in the workspace
# and the command registry, and a dialog two pages use lives in widgets.
include("${CMAKE_CURRENT_LIST_DIR}/FloorCheck.cmake")
check_floors("${GUI_DIR}" gui "gui rooms" "app" "widgets" "library playlist editor card font music report" "main")
