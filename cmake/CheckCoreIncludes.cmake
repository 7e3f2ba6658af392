# Fails when a file below CORE_DIR or AUDIO_DIR includes a Qt Gui or Widgets header or the gui
# layer (the core also the audio decoders), or when a file below PDF_DIR (the PDF writer: QtGui
# yes, widgets no) includes a Widgets header or the gui layer, or when a core folder includes
# from a folder on its own floor or above.
function(check_includes dir pattern what)
    file(GLOB_RECURSE files "${dir}/*.h" "${dir}/*.cpp")
    set(bad "")
    foreach(f IN LISTS files)
        file(STRINGS "${f}" lines REGEX "^[ \t]*#[ \t]*include")
        foreach(line IN LISTS lines)
            if(line MATCHES "${pattern}")
                list(APPEND bad "${f}: ${line}")
            endif()
        endforeach()
    endforeach()
    if(bad)
        list(JOIN bad "\n" text)
        message(FATAL_ERROR "${dir} includes ${what} headers:\n${text}")
    endif()
    message(STATUS "layer check: no ${what} includes in ${dir}")
endfunction()

set(core_pattern
    "<Qt(Gui|Widgets|Multimedia|DBus)/|<Q(Widget|Application|Image|Pixmap|Painter|Color|Font|Icon|Dialog|MainWindow|MessageBox|GuiApplication|Clipboard)[ >]|\"gui/|\"pdf/")
check_includes("${CORE_DIR}" "${core_pattern}|\"audio/" "Gui, Widgets, PDF or audio")
# The music decoders stand on the core alone, so that the command line can use them.
if(AUDIO_DIR)
    check_includes("${AUDIO_DIR}" "${core_pattern}" "Gui, Widgets or PDF")
endif()
# The core's floors, bottom first: a folder includes from its own folder and the floors below.
include("${CMAKE_CURRENT_LIST_DIR}/FloorCheck.cmake")
check_floors("${CORE_DIR}" core "core folders" "util" "model" "library font editor music" "lyrics search" "card report" "app")

if(PDF_DIR)
    check_includes("${PDF_DIR}"
        "<Qt(Widgets|Multimedia|DBus)/|<Q(Widget|Application|Dialog|MainWindow|MessageBox|PushButton|Label)[ >]|\"gui/"
        "Widgets")
endif()
