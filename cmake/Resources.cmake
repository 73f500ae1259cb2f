# xf_embed_resources(<target> <name>=<file> ...)
# Makes an OBJECT library whose object registers each file under its name at
# start-up (platform::FindResource). Link it into executables only: objects of
# an OBJECT library are always kept, so the registration always runs.
function(xf_embed_resources target)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_data.cpp)
  set(files "")
  foreach(pair IN LISTS ARGN)
    string(REGEX REPLACE "^[^=]*=" "" file "${pair}")
    list(APPEND files ${file})
  endforeach()
  add_custom_command(OUTPUT ${out}
    COMMAND xf_embed ${out} ${ARGN}
    DEPENDS xf_embed ${files}
    COMMENT "Embedding resources into ${target}"
    VERBATIM)
  add_library(${target} OBJECT ${out})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
endfunction()
