# The internet update of the archive: the update file, the server's replies and the message
# reader are plain C++ for numora_core; the windows go to numora_ui.
target_sources(numora_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/RtfReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RtfReader.h
  ${CMAKE_CURRENT_LIST_DIR}/UpdateFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UpdateFile.h
  ${CMAKE_CURRENT_LIST_DIR}/UpdateReply.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UpdateReply.h
)
target_sources(numora_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Uaggio.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Uaggio.h
  ${CMAKE_CURRENT_LIST_DIR}/UAvviso.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UAvviso.h
  ${CMAKE_CURRENT_LIST_DIR}/UImpoConne.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UImpoConne.h
  ${CMAKE_CURRENT_LIST_DIR}/Uperrtf.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Uperrtf.h
)
