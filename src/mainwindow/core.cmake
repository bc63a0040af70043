list(APPEND QUARNEL_CORE_SOURCES
  mainwindow/eigen_texts.cpp
  mainwindow/orbital_outlines.cpp
  mainwindow/orbital_cells.cpp
  mainwindow/panel_values.cpp
  mainwindow/panel_fields.cpp
)
