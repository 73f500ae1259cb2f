# xf_generate_layouts(<out-var> <layout.lay>...)
# Runs xf_laygen on each layout (paths relative to the source tree) and sets
# <out-var> to the generated sources: <build>/generated/layouts/<stem>.fields.h
# and <stem>.bind.cpp. A layout that changes regenerates them; add the list to
# the target that holds the windows and include ${XF_GENERATED_DIR}.
set(XF_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
set(XF_LAYOUT_HEADER_DIRS gui skin services app)

function(xf_generate_layouts out_var)
  set(outputs "")
  foreach(layout IN LISTS ARGN)
    get_filename_component(stem ${layout} NAME_WE)
    set(dir ${XF_GENERATED_DIR}/layouts)
    set(files ${dir}/${stem}.fields.h ${dir}/${stem}.bind.cpp)
    # The tool leaves unchanged outputs alone so that nothing recompiles for
    # them; the stamp keeps it from running again until the layout changes.
    add_custom_command(OUTPUT ${dir}/${stem}.stamp
      BYPRODUCTS ${files}
      COMMAND xf_laygen ${PROJECT_SOURCE_DIR} ${layout} ${dir} ${XF_LAYOUT_HEADER_DIRS}
      COMMAND ${CMAKE_COMMAND} -E touch ${dir}/${stem}.stamp
      DEPENDS xf_laygen ${PROJECT_SOURCE_DIR}/${layout}
      COMMENT "Generating the fields of ${layout}"
      VERBATIM)
    list(APPEND outputs ${dir}/${stem}.stamp ${files})
  endforeach()
  set(${out_var} ${outputs} PARENT_SCOPE)
endfunction()
