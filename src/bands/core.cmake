list(APPEND QUARNEL_CORE_SOURCES
  bands/kpath.cpp
  bands/dos.cpp
  bands/dos_grid.cpp
  bands/filling.cpp
  bands/band_table.cpp
  bands/path_bands.cpp
  bands/csv_export.cpp
  bands/kpoint_files.cpp
  bands/kmap.cpp
  bands/contour.cpp
  bands/kmap_csv.cpp
)
