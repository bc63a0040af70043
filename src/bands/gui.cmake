list(APPEND QUARNEL_GUI_SOURCES
  bands/band_window.cpp
)
