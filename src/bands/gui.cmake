list(APPEND QUARNEL_GUI_SOURCES
  bands/band_window.cpp
  bands/band_panel_rows.cpp
  bands/band_run.cpp
  bands/dos_run.cpp
  bands/filling_view.cpp
  bands/live_bands.cpp
  bands/chart_interaction.cpp
  bands/chart_export.cpp
  bands/kmap_window.cpp
)
