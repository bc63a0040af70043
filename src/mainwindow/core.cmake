list(APPEND QUARNEL_CORE_SOURCES
  mainwindow/eigen_texts.cpp
)
