# Scripted checks of whole programs. Each script exits 77 when a tool it
# needs is missing, which CTest reports as skipped. The scripts under a
# virtual X display take turns (RESOURCE_LOCK): two virtual displays
# started at once can pick the same display number.

# The real window under a virtual X display, driven by a real X pointer.
add_test(NAME gui_window
         COMMAND ${CMAKE_CURRENT_LIST_DIR}/gui_window.sh $<TARGET_FILE:kolvane>)
set_tests_properties(gui_window PROPERTIES LABELS gui RESOURCE_LOCK xdisplay SKIP_RETURN_CODE 77 TIMEOUT 120)

# The tool panels under the same virtual display: every panel button, the
# width slider and a palette choice, checked in the stroke drawn afterwards.
add_test(NAME gui_panels
         COMMAND ${CMAKE_CURRENT_LIST_DIR}/gui_panels.sh $<TARGET_FILE:kolvane>)
set_tests_properties(gui_panels PROPERTIES LABELS gui RESOURCE_LOCK xdisplay SKIP_RETURN_CODE 77 TIMEOUT 180)

# Undo and redo in the real window: the keys and the right-click menu.
add_test(NAME gui_undo
         COMMAND ${CMAKE_CURRENT_LIST_DIR}/gui_undo.sh $<TARGET_FILE:kolvane>)
set_tests_properties(gui_undo PROPERTIES LABELS gui RESOURCE_LOCK xdisplay SKIP_RETURN_CODE 77 TIMEOUT 120)

# Setup in the real window: a background chosen in the settings dialog goes
# under a stroke already drawn.
add_test(NAME gui_dialogs
         COMMAND ${CMAKE_CURRENT_LIST_DIR}/gui_dialogs.sh $<TARGET_FILE:kolvane>)
set_tests_properties(gui_dialogs PROPERTIES LABELS gui RESOURCE_LOCK xdisplay SKIP_RETURN_CODE 77 TIMEOUT 120)
