list(APPEND QUARNEL_CORE_SOURCES
  model/model_data.cpp
  model/model_reader.cpp
  model/model_writer.cpp
  model/grid_texts.cpp
)
