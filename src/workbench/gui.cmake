list(APPEND QUARNEL_GUI_SOURCES
  workbench/eigen_window.cpp
  workbench/eigen_window_steps.cpp
  workbench/eigen_window_file.cpp
  workbench/matrix_arguments.cpp
)
