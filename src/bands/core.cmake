list(APPEND QUARNEL_CORE_SOURCES
  bands/kpath.cpp
  bands/dos.cpp
  bands/kpoint_files.cpp
)
