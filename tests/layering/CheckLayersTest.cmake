# The layering check on small made-up trees: a clean one passes; a file in a
# folder no layer names, a misplaced include (among them the front end naming a
# form, a form naming the simulator, the Program naming a form, a form naming
# one above it beyond the headers allowed) and Qt outside the Qt layer fail,
# each with a message that names the file.
# Run as: cmake -DCHECK=<CheckLayers.cmake> -DWORK=<scratch folder> -P CheckLayersTest.cmake
cmake_minimum_required(VERSION 3.25)

set(failed "")

# Writes the files (pairs of path and text) into a fresh tree, runs the check on
# it and compares the outcome: expect is "pass" or a text the failure must show.
function(check_case name expect)
  set(root ${WORK}/${name})
  file(REMOVE_RECURSE ${root})
  set(args ${ARGN})
  while(args)
    list(POP_FRONT args path text)
    file(WRITE ${root}/src/${path} "${text}\n")
  endwhile()
  execute_process(COMMAND ${CMAKE_COMMAND} -DSRC=${root}/src -P ${CHECK}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(expect STREQUAL "pass")
    if(NOT rc EQUAL 0)
      list(APPEND failed "${name}: expected to pass, failed with:\n${err}")
    endif()
  elseif(rc EQUAL 0)
    list(APPEND failed "${name}: expected to fail with \"${expect}\", passed")
  else()
    string(FIND "${err}" "${expect}" at)
    if(at EQUAL -1)
      list(APPEND failed "${name}: expected \"${expect}\" in:\n${err}")
    endif()
  endif()
  set(failed "${failed}" PARENT_SCOPE)
endfunction()

set(ok_lines "#include \"vb/Numbers.h\"\n#include <vector>")

check_case(clean pass
  vb/Numbers.h "#include <string>"
  ui/Form.h "#include \"vb/Numbers.h\""
  chip/Form.cpp "#include \"program/Program.h\"\n#include \"bridge/Panel.h\"\n#include \"Local.h\""
  chip/Menus.cpp "#include \"adutil/frmADUtil.h\""
  gpib/Layer.h "#include \"ui/Form.h\""
  program/Program.cpp "#include \"sim/EvalBoard.h\""
  qt/View.cpp "#include <QWidget>\n#include \"ui/Form.h\""
  chip/README.md "notes")

check_case(qt_in_a_new_folder "newfolder/Widget.cpp: not in a known layer"
  newfolder/Widget.cpp "#include <QWidget>")

check_case(misplaced_include_in_a_new_folder "newform/Form.cpp: not in a known layer"
  newform/Form.cpp "#include \"qt/QtRuntime.h\"")

check_case(file_directly_under_src "Stray.cpp: not in a known layer"
  Stray.cpp "${ok_lines}")

check_case(lower_layer_includes_a_higher_one "vb/Numbers.h: includes \"chip/KVN58C3_Main.h\" (vb may not use chip)"
  vb/Numbers.h "#include \"chip/KVN58C3_Main.h\"")

check_case(gpib_layer_is_not_the_instrument_forms "gpib/Layer.h: includes \"instruments/frmInst.h\""
  gpib/Layer.h "#include \"instruments/frmInst.h\"")

check_case(front_end_names_a_form "qt/View.cpp: includes \"chip/KVN58C3_Main.h\" (qt may not use chip)"
  qt/View.cpp "#include \"chip/KVN58C3_Main.h\"")

check_case(form_names_the_simulator "adutil/Run.cpp: includes \"sim/EvalBoard.h\" (adutil may not use sim)"
  adutil/Run.cpp "#include \"sim/EvalBoard.h\"")

check_case(program_names_a_form "program/Program.cpp: includes \"shell/Doco.h\" (program may not use shell)"
  program/Program.cpp "#include \"shell/Doco.h\"")

check_case(form_names_one_above_beyond_the_allowed_headers "chip/Menus.cpp: includes \"adutil/Scope.h\" (chip may not use adutil)"
  chip/Menus.cpp "#include \"adutil/Scope.h\"")

check_case(qt_outside_the_qt_layer "chip/Form.cpp: includes Qt <QtWidgets>"
  chip/Form.cpp "#include <QtWidgets/QWidget>")

check_case(include_of_an_unknown_folder "sim/Board.cpp: includes \"extra/Thing.h\", which is in no known layer"
  sim/Board.cpp "#include \"extra/Thing.h\"")

if(failed)
  list(JOIN failed "\n" msg)
  message(FATAL_ERROR "${msg}")
endif()
message(STATUS "layering check test ok")
