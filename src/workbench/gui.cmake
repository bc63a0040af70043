list(APPEND QUARNEL_GUI_SOURCES
  workbench/eigen_window.cpp
)
