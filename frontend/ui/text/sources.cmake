# The rich-text sources, listed once for the main build (zbrichtext in CMakeLists.txt here) and
# the fuzz build (fuzz/CMakeLists.txt). The reader needs Qt's GUI module only; the lookup of data
# files and the opening of links belong to the windows and stay out of the fuzz build.
set(ZB_RTF_READER_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/rtf_charset.cpp
    ${CMAKE_CURRENT_LIST_DIR}/rtf_destinations.cpp
    ${CMAKE_CURRENT_LIST_DIR}/rtf_format.cpp
    ${CMAKE_CURRENT_LIST_DIR}/rtf_reader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/rtf_table.cpp
    ${CMAKE_CURRENT_LIST_DIR}/rtf_tokenizer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/rtf_words.cpp
)
set(ZB_RICHTEXT_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/data_paths.cpp
    ${CMAKE_CURRENT_LIST_DIR}/link_opener.cpp
    ${ZB_RTF_READER_SOURCES}
)
