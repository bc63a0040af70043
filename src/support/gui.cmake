list(APPEND QUARNEL_GUI_SOURCES
  support/spin_edit.cpp
  support/string_grid.cpp
  support/dialogs.cpp
  support/app_state.cpp
  support/linux_shell.cpp
  support/fixed_font.cpp
)
