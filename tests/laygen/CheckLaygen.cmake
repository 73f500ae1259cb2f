# The layout generator's failure cases, each of which must stop the build
# and name the layout's file and line:
#   a handler the window does not define      -> the compile fails
#   a handler of another shape than its event  -> the compile fails
#   a field the window declares with another class -> the compile fails
#   a class no header declares                -> xf_laygen fails
# The unchanged layout compiles, so a broken set-up cannot pass as a failure.
# cmake -DLAYGEN=<xf_laygen> -DCXX=<compiler> -DSRC=<source root> -DOUT=<dir> -P CheckLaygen.cmake
set(dirs gui skin tests/laygen)

function(generate case result_var output_var)
  file(REMOVE_RECURSE ${OUT}/${case})
  execute_process(COMMAND ${LAYGEN} ${SRC} tests/laygen/${case}/ProbeForm.lay ${OUT}/${case} ${dirs}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  set(${result_var} ${rc} PARENT_SCOPE)
  set(${output_var} "${out}" PARENT_SCOPE)
endfunction()

function(compile case result_var output_var)
  execute_process(COMMAND ${CXX} -std=c++20 -fsyntax-only ${ARGN} -I${SRC} -I${OUT}/${case}
    ${OUT}/${case}/ProbeForm.bind.cpp
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  set(${result_var} ${rc} PARENT_SCOPE)
  set(${output_var} "${out}" PARENT_SCOPE)
endfunction()

# Exactly one error, and it is ours: the reader goes straight to the layout line.
function(expect_one_error what output expected)
  string(REGEX MATCHALL "error:" errors "${output}")
  list(LENGTH errors count)
  if(NOT output MATCHES "${expected}" OR NOT count EQUAL 1)
    message(FATAL_ERROR "${what}: expected one error matching '${expected}', got ${count}:\n${output}")
  endif()
endfunction()

generate(good rc out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "xf_laygen failed on the good layout:\n${out}")
endif()
compile(good rc out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the good layout's table does not compile:\n${out}")
endif()

compile(good rc out -DPROBE_OWN_FIELD)
if(rc EQUAL 0)
  message(FATAL_ERROR "a field of another class compiled")
endif()
expect_one_error("field of another class" "${out}"
  "tests/laygen/good/ProbeForm.lay:2: TProbeForm::palTop is not the layout's TPanel\\*")

generate(misspelt rc out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "xf_laygen failed on the misspelt layout:\n${out}")
endif()
compile(misspelt rc out)
if(rc EQUAL 0)
  message(FATAL_ERROR "a misspelt handler compiled")
endif()
expect_one_error("misspelt handler" "${out}"
  "tests/laygen/misspelt/ProbeForm.lay:3: TProbeForm has no public handler palTopClik \\(palTop.OnClick\\)")

generate(wrong-shape rc out)
compile(wrong-shape rc out)
if(rc EQUAL 0)
  message(FATAL_ERROR "a handler of another shape compiled")
endif()
expect_one_error("handler of another shape" "${out}"
  "tests/laygen/wrong-shape/ProbeForm.lay:3: TProbeForm::palTopKeyPress does not fit palTop.OnClick")

generate(unknown-class rc out)
if(rc EQUAL 0)
  message(FATAL_ERROR "xf_laygen accepted a class no header declares")
endif()
if(NOT out MATCHES "^tests/laygen/unknown-class/ProbeForm.lay:2: class TPanle of palTop: no header TPanle.h in gui/ skin/ tests/laygen/ declares it")
  message(FATAL_ERROR "unknown class: unexpected message:\n${out}")
endif()
if(EXISTS ${OUT}/unknown-class/ProbeForm.bind.cpp)
  message(FATAL_ERROR "xf_laygen failed but left a table behind")
endif()
