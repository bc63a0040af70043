list(APPEND QUARNEL_GUI_SOURCES
  support/about_box.cpp
  support/diagnostics_window.cpp
  support/chart_helpers.cpp
)
