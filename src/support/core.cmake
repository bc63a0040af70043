list(APPEND QUARNEL_CORE_SOURCES
  support/text_utils.cpp
  support/number_text.cpp
  support/text_file.cpp
  support/pending_messages.cpp
  support/settings_location.cpp
  support/shell_helpers.cpp
)
