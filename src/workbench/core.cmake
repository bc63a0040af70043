list(APPEND QUARNEL_CORE_SOURCES
  workbench/matrix_file.cpp
  workbench/jacobi_check.cpp
  workbench/results_listing.cpp
)
