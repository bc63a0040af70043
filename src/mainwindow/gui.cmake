list(APPEND QUARNEL_GUI_SOURCES
  mainwindow/main_window.cpp
  mainwindow/main_window_grid.cpp
  mainwindow/main_window_kpoint.cpp
  mainwindow/main_window_file.cpp
  mainwindow/main_window_help.cpp
  mainwindow/window_placement.cpp
  mainwindow/edit_panels.cpp
  mainwindow/live_value.cpp
  mainwindow/orbital_plot.cpp
  mainwindow/orbital_labels.cpp
)
